// Values answered from sections read once equal single-value reads into a 512-byte buffer: on a
// table of chosen cases, and on thousands of generated and mutated files, key by key.
#include <gtest/gtest.h>
#include <windows.h>

#include <iterator>
#include <random>
#include <set>

#include "engine/IniCache.h"
#include "engine/Params.h"
#include "engine/Paths.h"
#include "engine/Text.h"
#include "support/TestSupport.h"

using namespace testing_support;

namespace {
std::string ProfileRead(const std::string& file, const std::string& section, const std::string& key) {
  char buffer[512] = {};
  GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer, file.c_str());
  return buffer;
}

// A new name for every file: the profile functions keep files they have read.
std::string FreshFile(const ScratchDirectory& dir, const std::string& content) {
  static int counter = 0;
  std::string file = dir / ("f" + std::to_string(++counter) + ".ini");
  WriteTextFile(file, content);
  return file;
}

struct Difference {
  std::string content, section, key, read, cached;
};

// Reads every pair both ways; returns how many the cache answered itself.
int Compare(const std::string& file, const std::string& content, const std::set<std::string>& sections,
            const std::set<std::string>& keys, std::vector<Difference>& differences) {
  CachedIniFile cached(file);
  int answered = 0;
  for (const std::string& section : sections) {
    for (const std::string& key : keys) {
      std::optional<std::string> value = cached.Value(section, key);
      if (!value) continue;
      ++answered;
      std::string read = ProfileRead(file, section, key);
      if (read != *value) differences.push_back({content, section, key, read, *value});
    }
  }
  return answered;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F && c != '\\')
      out += static_cast<char>(c);
    else
      out += Format("\\x%02X", c);
  }
  return out;
}

class IniGenerator {
 public:
  explicit IniGenerator(unsigned seed) : random_(seed) {}

  std::string File() {
    std::string text = Chance(5) ? "\xEF\xBB\xBF" : "";
    int lines = Below(30);
    for (int i = 0; i < lines; ++i) text += Line() + LineEnd();
    if (Chance(50)) text += Line();
    return text;
  }

  // A description as an author writes it, with a few bytes changed, left out or put in.
  std::string Mutated(const std::string& base) {
    std::string text = base;
    int changes = 1 + Below(6);
    for (int i = 0; i < changes && !text.empty(); ++i) {
      size_t at = Below(static_cast<int>(text.size()));
      switch (Below(4)) {
        case 0: text.insert(at, 1, Pick(kOddBytes)); break;
        case 1: text.erase(at, 1 + Below(3)); break;
        case 2: text[at] = Pick(kOddBytes); break;
        default: text.insert(at, Value()); break;
      }
    }
    return text;
  }

  std::string Section() { return Pick(kSections); }
  std::string Key() { return Pick(kKeys); }

 private:
  static constexpr const char* kSections[] = {"Main", "main", "MAIN", "Targets", "F_1", "Feature A", "x", "Dup"};
  static constexpr const char* kKeys[] = {"Name", "NAME", "name", "Key", "Component0", "Component1",
                                          "Feature0", "A Key", "k", "Value", "dup"};
  static constexpr char kOddBytes[] = {' ', '\t', '"', '\'', ';', '=', '[', ']', '\r', '\n', '\x1A', '\0',
                                       '\xA0', '\xE9', '\xC9', '\x85', '#', 'a', 'Z', '\\'};

  int Below(int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <typename T, size_t N>
  T Pick(const T (&items)[N]) {
    return items[Below(static_cast<int>(N))];
  }
  std::string Blanks() {
    static const char* const kBlanks[] = {"", "", "", " ", "  ", "\t", " \t", "\x1A", "\xA0"};
    return Pick(kBlanks);
  }
  std::string LineEnd() {
    static const char* const kEnds[] = {"\r\n", "\r\n", "\r\n", "\n", "\r"};
    return Pick(kEnds);
  }
  std::string Name(const char* const* pool, size_t count) {
    if (Chance(85)) return pool[Below(static_cast<int>(count))];
    std::string name;
    int length = 1 + Below(6);
    for (int i = 0; i < length; ++i) name += Pick(kOddBytes);
    return name;
  }
  std::string Value() {
    std::string value;
    switch (Below(8)) {
      case 0: return "";
      case 1: return "plain";
      case 2: value = std::string(505 + Below(12), 'v'); break;
      case 3: value = "a;b;c=d"; break;
      default: {
        int length = Below(12);
        for (int i = 0; i < length; ++i) value += Chance(60) ? static_cast<char>('a' + Below(26)) : Pick(kOddBytes);
      }
    }
    static const char* const kQuotes[] = {"\"", "'"};
    if (Chance(30)) {
      std::string open = Pick(kQuotes), close = Chance(80) ? open : Pick(kQuotes);
      value = open + value + close;
    }
    return value;
  }
  std::string Line() {
    switch (Below(10)) {
      case 0:
      case 1: {
        std::string name = Name(kSections, std::size(kSections));
        std::string header = Blanks() + "[" + (Chance(15) ? Blanks() : "") + name + (Chance(15) ? Blanks() : "");
        if (Chance(90)) header += "]";
        if (Chance(10)) header += Chance(50) ? "junk" : "]";
        return header + Blanks();
      }
      case 2: return Blanks();
      case 3: return Blanks() + (Chance(50) ? ";" : "#") + Name(kKeys, std::size(kKeys)) + "=" + Value();
      case 4: return Blanks() + Name(kKeys, std::size(kKeys)) + Blanks();
      default: {
        std::string key = Chance(3) ? "" : Name(kKeys, std::size(kKeys));
        return Blanks() + key + Blanks() + "=" + Blanks() + Value() + Blanks();
      }
    }
  }

  std::mt19937 random_;
};

// Every section and key a file names, and the usual ones besides.
void CollectNames(const std::string& content, IniGenerator& generator, std::set<std::string>& sections,
                  std::set<std::string>& keys) {
  for (int i = 0; i < 6; ++i) {
    sections.insert(generator.Section());
    keys.insert(generator.Key());
  }
  size_t at = 0;
  while (at < content.size()) {
    size_t end = content.find_first_of("\r\n", at);
    if (end == std::string::npos) end = content.size();
    std::string line = Trim(content.substr(at, end - at));
    at = end + 1;
    if (line.empty()) continue;
    if (line[0] == '[') {
      size_t close = line.rfind(']');
      if (close != std::string::npos) sections.insert(line.substr(1, close - 1));
    } else {
      keys.insert(Trim(line.substr(0, line.find('='))));
    }
  }
}

const char kDescription[] =
    "; a product\r\n[Main]\r\nName=Corvant Reports\r\nRootFeature=REPORTS\r\nVersion = 2.1\r\n"
    "CD=\"CD1;Corvant Sample Suite CD 1\"\r\nInstallType=ISINSTALL\r\nSetupCmdLine='/product config=%CONFIGINIFILE%'\r\n"
    "\r\n[Targets]\r\nTarget0=REPORTSDIR;Reports;%CORVAROOT%\\Reports;Setup will install here.\r\n"
    "[REPORTS]\r\nName=Corvant Reports\r\nSelected=YES\r\nFeature0=REPORTS_VIEWER\r\nFeature1=REPORTS_DESIGNER\r\n"
    "[REPORTS_VIEWER]\r\nName=Report Viewer\r\nComponent0=REPORTS\\Viewer;IS\r\nTargetNeed0=REPORTSDIR;1200\r\n";
}  // namespace

TEST(IniCache, ChosenCasesReadAsSingleValueReads) {
  ScratchDirectory dir("inicases");
  const std::string longValue(600, 'x');
  const std::string exactlyQuoted = "\"" + std::string(511, 'q') + "\"";  // 512 after the opening quote
  struct Case {
    std::string content, section, key, expected;
  } cases[] = {
      {"[Main]\r\nName=One\r\nNAME=Two\r\n", "main", "name", "One"},
      {"[Main]\r\nA=1\r\n[MAIN]\r\nA=2\r\nB=3\r\n", "Main", "B", ""},
      {"[Main]\r\n  Key  =   spaced out   \r\n", "Main", "Key", "spaced out"},
      {"[Main]\r\nKey=\"quoted\"\r\n", "Main", "Key", "quoted"},
      {"[Main]\r\nKey='single'\r\n", "Main", "Key", "single"},
      {"[Main]\r\nKey=\"half\r\n", "Main", "Key", "\"half"},
      {"[Main]\r\nKey=\"\"\"\r\n", "Main", "Key", "\""},
      {"[Main]\r\nKey=" + longValue + "\r\n", "Main", "Key", longValue.substr(0, 511)},
      {"[Main]\r\nKey=" + exactlyQuoted + "\r\n", "Main", "Key", std::string(510, 'q')},
      {"[Main]\r\n;Key=commented\r\nKey=live\r\n", "Main", "Key", "live"},
      {"[Main]\r\nKey\r\nKey=second\r\n", "Main", "Key", ""},
      {"[Main]\r\nKey=a=b;c\r\n", "Main", "Key", "a=b;c"},
      {"[Main\r\nKey=no header\r\n", "Main", "Key", ""},
      {"Key=before any section\r\n[Main]\r\n", "Main", "Key", ""},
  };
  for (const Case& c : cases) {
    std::string file = FreshFile(dir, c.content);
    EXPECT_EQ(ProfileRead(file, c.section, c.key), c.expected) << Escaped(c.content);
    CachedIniFile cached(file);
    EXPECT_EQ(cached.Value(c.section, c.key).value_or("(not answered)"), c.expected) << Escaped(c.content);
  }
}

TEST(IniCache, NamesTheProfileFunctionsTrimOrFoldAreLeftToThem) {
  ScratchDirectory dir("inileft");
  std::string file = FreshFile(dir, "[Main]\r\nKey=1\r\n");
  CachedIniFile cached(file);
  for (const char* key : {" Key", "Key ", "", ";Key", "K\xE9y", "K\tey"}) EXPECT_FALSE(cached.Value("Main", key)) << key;
  EXPECT_FALSE(cached.Value(" Main", "Key"));
  EXPECT_EQ(cached.Value("Main", "Key").value_or(""), "1");
}

TEST(IniCache, GeneratedAndMutatedFilesReadAsSingleValueReads) {
  ScratchDirectory dir("inidiff");
  IniGenerator generator(20261208);
  std::vector<Difference> differences;
  long answered = 0, pairs = 0;
  const int kFiles = 2400;
  for (int n = 0; n < kFiles; ++n) {
    std::string content = n % 2 ? generator.File() : generator.Mutated(kDescription);
    std::string file = FreshFile(dir, content);
    std::set<std::string> sections, keys;
    CollectNames(content, generator, sections, keys);
    pairs += static_cast<long>(sections.size() * keys.size());
    answered += Compare(file, content, sections, keys, differences);
    DeleteFileA(file.c_str());
  }
  for (size_t i = 0; i < differences.size() && i < 10; ++i) {
    const Difference& d = differences[i];
    ADD_FAILURE() << "[" << Escaped(d.section) << "] " << Escaped(d.key) << ": read \"" << Escaped(d.read)
                  << "\", cached \"" << Escaped(d.cached) << "\" in\n"
                  << Escaped(d.content);
  }
  EXPECT_EQ(differences.size(), 0u);
  // Most pairs are answered from memory; the rest have names (many of them generated from odd
  // bytes) that are left to the profile functions.
  EXPECT_GT(answered * 2, pairs) << answered << " of " << pairs;
}

TEST(IniCache, AWriteThroughTheEngineDropsWhatWasRead) {
  ScratchDirectory dir("iniwrite");
  std::string file = FreshFile(dir, "[Main]\r\nKey=old\r\n");
  ScopedIniCache open;
  EXPECT_EQ(ReadIniString(file, "Main", "Key"), "old");
  EXPECT_TRUE(WriteIniString(file, "Main", "Key", "new"));
  EXPECT_EQ(ReadIniString(file, "Main", "Key"), "new");

  // A parameters file staged again replaces what was read of the staged copy.
  std::string setupDir = dir / "Product";
  WriteTextFile(JoinPath(setupDir, "config.ini"), "[Main]\r\nUnattended=YES\r\n");
  std::string staged = FindParamsIniFile(setupDir, "");
  EXPECT_EQ(ReadIniString(staged, "Main", "Unattended"), "YES");
  WriteTextFile(JoinPath(setupDir, "config.ini"), "[Main]\r\nUnattended=NO\r\nMore=1\r\n");
  EXPECT_EQ(FindParamsIniFile(setupDir, ""), staged);
  EXPECT_EQ(ReadIniString(staged, "Main", "Unattended"), "NO");
  DeleteFileA(staged.c_str());
}

TEST(IniCache, NothingIsKeptOnceTheLastScopeCloses) {
  ScratchDirectory dir("iniscope");
  std::string file = FreshFile(dir, "[Main]\r\nKey=first\r\n");
  {
    ScopedIniCache outer;
    {
      ScopedIniCache inner;
      EXPECT_EQ(ReadIniString(file, "Main", "Key"), "first");
    }
    EXPECT_TRUE(CachedIniString(file, "Main", "Key"));
  }
  EXPECT_FALSE(CachedIniString(file, "Main", "Key"));
}
