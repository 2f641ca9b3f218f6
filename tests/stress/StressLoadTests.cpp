// Hostile descriptions loaded through TS_LoadSetupData as a setup script loads them: a valid
// suite mutated at random (duplicated and self-including sections, huge and empty values, long
// lines, deep nesting, long numbered-key runs, stray bytes). Every load must end, in time, with
// success or a description error; a crash ends the program, a hang is caught by a watchdog.
// TESSARO_STRESS_CASES sets the number of cases (scripts/stress.sh N); TESSARO_STRESS_SEED the
// first case's seed, to replay a reported case.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "engine/Paths.h"
#include "support/TestSupport.h"

using namespace testing_support;

namespace {
// No load of these small suites needs more; one that does is taken for a hang.
constexpr auto kLoadBound = std::chrono::seconds(120);
constexpr size_t kLongValue = 100 * 1024;

unsigned long EnvNumber(const char* name, unsigned long fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtoul(text, nullptr, 10) : fallback;
}

struct Suite {
  std::string master;
  std::string product;
};

Suite ValidSuite() {
  Suite suite;
  suite.master =
      "[Main]\r\nName=Stress Suite\r\nRootFeature=SUITE\r\nInstallType=ISINSTALL\r\nLoadSubsetups=YES\r\n"
      "CD=DISK1;First disk\r\nVersion=1.0\r\n"
      "[Targets]\r\nTarget0=SUITEDIR;Suite;%CORVAROOT%\\Suite;Where the suite goes\r\n"
      "Target1=DATADIR;Data;%SUITEDIR%\\Data;Data files;RECALC\r\n"
      "[SetupTypes]\r\nSetupType0=STANDARD\r\nSetupType1=CUSTOM;Custom\\nchoice\r\n"
      "[SUITE]\r\nName=Stress Suite\r\nFeature0=BASE\r\nFeature1=EXTRA\r\nComponent0=COMMON;SECTION\r\n"
      "[BASE]\r\nName=Base\r\nSelected=YES\r\nComponent0=SUITE\\base;IS\r\nTargetNeed0=SUITEDIR;100\r\n"
      "OS=WNT>=4.0SP4,W98\r\nSetupTypes=STANDARD,CUSTOM\r\n"
      "[EXTRA]\r\nName=Extra %DATADIR%\r\nPassword=SVC;Service account;VERIFY\r\nFeature0=DEEP\r\n"
      "Compatibility=MUSTHAVE;PROD;PROD;>=1.0\r\n"
      "[DEEP]\r\nName=Deep\r\nComponent0=SUITE\\deep;IS\r\n"
      "[COMMON]\r\nComponent0=SUITE\\common;IS\r\nTargetNeed0=DATADIR;10\r\n";
  suite.product =
      "[Main]\r\nName=Product\r\nRootFeature=PROD\r\nInstallType=ISINSTALL\r\nCD=DISK2;Second disk\r\n"
      "MifName=ProdStatus\r\n[Targets]\r\nTarget0=PRODDIR;Product;%SUITEDIR%\\Product;d\r\n"
      "[PROD]\r\nName=Product\r\nVersion=2.0\r\nFeature0=PRODFILES\r\n"
      "[PRODFILES]\r\nName=Files\r\nComponent0=PROD\\files;IS\r\n";
  return suite;
}

class Mutator {
 public:
  explicit Mutator(unsigned long seed) : random_(seed) {}

  std::string Mutate(std::string text) {
    int rounds = 1 + Below(3);
    for (int i = 0; i < rounds; ++i) text = MutateOnce(text);
    return text;
  }

 private:
  int Below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

  std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at <= text.size()) {
      size_t end = text.find("\r\n", at);
      if (end == std::string::npos) {
        if (at < text.size()) lines.push_back(text.substr(at));
        break;
      }
      lines.push_back(text.substr(at, end - at));
      at = end + 2;
    }
    return lines;
  }
  std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
  }
  std::vector<std::string> Sections(const std::vector<std::string>& lines) {
    std::vector<std::string> names;
    for (const std::string& line : lines)
      if (line.size() > 2 && line[0] == '[' && line.back() == ']') names.push_back(line.substr(1, line.size() - 2));
    return names;
  }
  std::string AnySection(const std::vector<std::string>& lines) {
    std::vector<std::string> names = Sections(lines);
    return names.empty() ? "Main" : names[static_cast<size_t>(Below(static_cast<int>(names.size())))];
  }
  // Puts lines at the end of a section (a new one at the end of the file when it is missing).
  void AddToSection(std::vector<std::string>& lines, const std::string& section, const std::vector<std::string>& added) {
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i] != "[" + section + "]") continue;
      size_t end = i + 1;
      while (end < lines.size() && !(lines[end].size() > 1 && lines[end][0] == '[')) ++end;
      lines.insert(lines.begin() + static_cast<long>(end), added.begin(), added.end());
      return;
    }
    lines.push_back("[" + section + "]");
    lines.insert(lines.end(), added.begin(), added.end());
  }
  std::string Random(size_t length, bool anyByte) {
    static const char kTricky[] = "%[]=;,\\\"\t \x1A\xFF\xE9" "ABCxyz019<>";
    std::string text;
    for (size_t i = 0; i < length; ++i)
      text += anyByte ? static_cast<char>(random_() & 0xFF) : kTricky[Below(sizeof kTricky - 1)];
    return text;
  }

  std::string MutateOnce(const std::string& text) {
    std::vector<std::string> lines = Lines(text);
    if (lines.empty()) lines.push_back("[Main]");
    size_t pick = static_cast<size_t>(Below(static_cast<int>(lines.size())));
    std::string section = AnySection(lines);
    switch (Below(11)) {
      case 0: {  // a section listed again, as a subfeature or an included section
        std::string target = AnySection(lines);
        AddToSection(lines, section, {"Feature" + std::to_string(Below(3)) + "=" + target,
                                      "Component" + std::to_string(Below(3)) + "=" + target + ";SECTION"});
        break;
      }
      case 1:  // a section that lists itself
        AddToSection(lines, section, {"Feature0=" + section, "Component1=" + section + ";SECTION"});
        break;
      case 2: {  // a huge value or a huge line without "="
        size_t equals = lines[pick].find('=');
        lines[pick] = equals == std::string::npos ? Random(kLongValue, false)
                                                  : lines[pick].substr(0, equals + 1) + std::string(kLongValue, 'v');
        break;
      }
      case 3: {  // an empty value
        size_t equals = lines[pick].find('=');
        if (equals != std::string::npos) lines[pick].erase(equals + 1);
        break;
      }
      case 4: {  // a deep chain of feature or included sections
        int depth = 10 + Below(150);
        bool included = Below(2) == 0;
        AddToSection(lines, section, {included ? "Component0=N0;SECTION" : "Feature0=N0"});
        for (int i = 0; i < depth; ++i)
          lines.insert(lines.end(), {"[N" + std::to_string(i) + "]", "Name=n",
                                     included ? "Component0=N" + std::to_string(i + 1) + ";SECTION"
                                              : "Feature0=N" + std::to_string(i + 1)});
        break;
      }
      case 5: {  // sections that double at every level
        int levels = 2 + Below(7);
        AddToSection(lines, section, {"Feature0=D1", "Feature1=D1"});
        for (int i = 1; i <= levels; ++i)
          lines.insert(lines.end(), {"[D" + std::to_string(i) + "]", "Name=d",
                                     "Feature0=D" + std::to_string(i + 1), "Feature1=D" + std::to_string(i + 1),
                                     "Component0=SUITE\\d" + std::to_string(i) + ";IS"});
        break;
      }
      case 6: {  // a long run of numbered keys
        const char* kinds[] = {"Target", "Component", "Feature", "SetupType", "TargetNeed"};
        std::string kind = kinds[Below(5)];
        int count = 100 + Below(2000);
        std::vector<std::string> run;
        for (int i = 0; i < count; ++i) {
          std::string value = kind == "Target" ? "T" + std::to_string(i) + ";t;%T" + std::to_string(i + 1) + "%\\x;d"
                              : kind == "Component" ? "SUITE\\c" + std::to_string(i) + ";IS"
                              : kind == "Feature"   ? "F" + std::to_string(i)
                              : kind == "SetupType" ? "TYPE" + std::to_string(i) + ";d"
                                                    : "SUITEDIR;" + std::to_string(i);
          run.push_back(kind + std::to_string(i) + "=" + value);
        }
        AddToSection(lines, kind == "Target" ? "Targets" : kind == "SetupType" ? "SetupTypes" : section, run);
        break;
      }
      case 7:  // stray bytes anywhere in a line
        lines[pick].insert(static_cast<size_t>(Below(static_cast<int>(lines[pick].size()) + 1)),
                           Random(1 + static_cast<size_t>(Below(40)), true));
        break;
      case 8:  // a line dropped, or a section header doubled
        if (Below(2) == 0)
          lines.erase(lines.begin() + static_cast<long>(pick));
        else
          lines.push_back("[" + section + "]");
        break;
      case 9: {  // keywords and separators where names should be
        static const char* kValues[] = {"%SUITEDIR%", "%", "%%", "%UNKNOWN", ";;;", "..\\..\\x", "C:evil", "a/b",
                                        "\"quoted\"", "%DATADIR%\\%SUITEDIR%"};
        size_t equals = lines[pick].find('=');
        if (equals != std::string::npos) lines[pick] = lines[pick].substr(0, equals + 1) + kValues[Below(10)];
        break;
      }
      default:  // a run of tricky characters as a new key
        AddToSection(lines, section, {Random(1 + static_cast<size_t>(Below(30)), false) + "=" +
                                      Random(static_cast<size_t>(Below(300)), false)});
        break;
    }
    return Join(lines);
  }

  std::mt19937 random_;
};

void WriteDescription(const std::string& path, const std::string& content) {
  try {
    WritePropIni(path, content);
  } catch (...) {
    // Without a [Main] section there is nothing to stamp: the load refuses the file.
    WriteTextFile(path, content);
  }
}

// Ends the program when a load outlives its bound, naming the case, so that a hang fails the
// run instead of stopping it.
class Watchdog {
 public:
  Watchdog() : thread_([this] { Watch(); }) {}
  ~Watchdog() {
    stop_ = true;
    thread_.join();
  }
  void Start(unsigned long seed) {
    seed_ = seed;
    started_ = std::chrono::steady_clock::now().time_since_epoch().count();
    busy_ = true;
  }
  void Finish() { busy_ = false; }

 private:
  void Watch() {
    while (!stop_) {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      auto now = std::chrono::steady_clock::now().time_since_epoch().count();
      if (busy_ && std::chrono::steady_clock::duration(now - started_) > kLoadBound) {
        std::fprintf(stderr, "stress case with seed %lu did not end within %lld s\n", seed_.load(),
                     static_cast<long long>(kLoadBound.count()));
        std::fflush(stderr);
        ExitProcess(3);
      }
    }
  }
  std::atomic<bool> stop_{false}, busy_{false};
  std::atomic<unsigned long> seed_{0};
  std::atomic<long long> started_{0};
  std::thread thread_;
};
}  // namespace

TEST(StressLoad, MutatedDescriptionsLoadOrFailCleanly) {
  unsigned long cases = EnvNumber("TESSARO_STRESS_CASES", 60);
  unsigned long firstSeed = EnvNumber("TESSARO_STRESS_SEED", 1);
  Suite base = ValidSuite();
  MessageBoxWatcher boxes;
  Watchdog watchdog;
  unsigned long loaded = 0, refused = 0;
  for (unsigned long seed = firstSeed; seed < firstSeed + cases; ++seed) {
    CleanCorvantRegistry();
    ScratchDirectory cd("stress");
    std::string master = cd / "master", product = cd / "product";
    Mutator mutator(seed);
    bool mutateMaster = seed % 3 != 0;
    WriteDescription(JoinPath(master, "prop.ini"), mutateMaster ? mutator.Mutate(base.master) : base.master);
    WriteDescription(JoinPath(product, "prop.ini"), mutateMaster ? base.product : mutator.Mutate(base.product));
    std::string params = cd / "params.ini";
    WriteTextFile(params, "[Main]\r\nMessageLevel=NONE\r\nUnattended=YES\r\nAppendToLog=" + (cd / "load.log") + "\r\n");

    EngineInstance engine(master);
    ASSERT_TRUE(engine.Module()) << "seed " << seed;
    watchdog.Start(seed);
    int result = engine.Get<int(__stdcall*)(const char*)>("TS_LoadSetupData")(params.c_str());
    engine.Get<int(__stdcall*)()>("TS_UnloadSetupData")();
    watchdog.Finish();
    ASSERT_TRUE(result == 0 || result == -1) << "seed " << seed << " answered " << result;
    (result == 0 ? loaded : refused) += 1;
  }
  CleanCorvantRegistry();
  std::printf("stress: %lu cases from seed %lu: %lu loaded, %lu refused with a description error, none crashed or hung\n",
              cases, firstSeed, loaded, refused);
  EXPECT_GT(loaded, 0u);
  EXPECT_GT(refused, 0u);
}
