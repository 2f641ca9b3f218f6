// Keyword translation: the built-in keywords through TSTranslateKeyword with their registry
// fallbacks, a product's own translator asked first, force and final, and the texts that
// would otherwise recurse without end or overflow a buffer.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/Paths.h"
#include "load/CdTree.h"
#include "model/Keywords.h"
#include "model/Loader.h"
#include "model/Model.h"
#include "state/Registry.h"

using namespace testing_support;
using namespace load_tests;

namespace {
constexpr char kWindowsVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";

// Takes a system registry value away for a test and puts it back afterwards.
class RemovedRegistryValue {
 public:
  explicit RemovedRegistryValue(const char* name)
      : name_(name), saved_(ReadRegString(HKEY_LOCAL_MACHINE, kWindowsVersionKey, name)) {
    EXPECT_NE(DeleteRegValue(HKEY_LOCAL_MACHINE, kWindowsVersionKey, name_), RegDelete::Failed);
  }
  ~RemovedRegistryValue() {
    if (saved_.empty())
      EXPECT_NE(DeleteRegValue(HKEY_LOCAL_MACHINE, kWindowsVersionKey, name_), RegDelete::Failed);
    else
      EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kWindowsVersionKey, name_, saved_), ERROR_SUCCESS);
  }
  RemovedRegistryValue(const RemovedRegistryValue&) = delete;
  RemovedRegistryValue& operator=(const RemovedRegistryValue&) = delete;

 private:
  std::string name_, saved_;
};

class KeywordExportTest : public ::testing::Test {
 protected:
  KeywordExportTest() { CleanCorvantRegistry(); }
  ~KeywordExportTest() override { CleanCorvantRegistry(); }

  Translation Translate(const std::string& keyword) {
    if (!engine) engine = std::make_unique<EngineInstance>(cd.MasterDir());
    return TranslateThrough(*engine, keyword);
  }
  std::string Value(const std::string& keyword) { return Translate(keyword).value; }
  int LoadMaster(const std::string& description) {
    cd.DescribeMaster(description);
    if (!engine) engine = std::make_unique<EngineInstance>(cd.MasterDir());
    // Some of these models keep unresolved targets on purpose, which the consistency check
    // would refuse.
    return LoadThrough(*engine, cd.WriteParams("SyntaxCheck=NO\r\n"));
  }

  CdTree cd{"kw"};
  std::unique_ptr<EngineInstance> engine;
};
}  // namespace

TEST_F(KeywordExportTest, SystemDirectoriesAndRunValues) {
  MessageBoxWatcher boxes;
  ASSERT_EQ(LoadMaster(Product("P")), 0);
  Translation windows = Translate("%windir%");
  EXPECT_EQ(windows.result, 0);
  EXPECT_EQ(windows.value, WindowsDirectory());
  EXPECT_EQ(windows.final, 1);
  EXPECT_EQ(Value("%WINSYSDIR%"), SystemDirectory());
  EXPECT_EQ(Value("%TEMPDIR%"), TempDirectory());
  EXPECT_EQ(Value("%SRCDIR%"), cd.MasterDir());
  EXPECT_EQ(Value("%LOGFILE%"), cd.LogPath());
  EXPECT_EQ(Value("%ConfigIniFile%"), cd.ParamsPath());
}

TEST_F(KeywordExportTest, RegistryHeldLocations) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kSetupKey, "CorvaRootDir", "D:\\Corva"), ERROR_SUCCESS);
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kSetupKey, "CorvaCommonDir", "D:\\Common"), ERROR_SUCCESS);
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kSetupKey, "Folder", "Corva Programs"), ERROR_SUCCESS);
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\CFW\\Server", "WebServer", "central"), ERROR_SUCCESS);
  EXPECT_EQ(Value("%CORVANTDIR%"), "D:\\Corva");
  EXPECT_EQ(Value("%CORVANTCOMMONDIR%"), "D:\\Common");
  EXPECT_EQ(Value("%CORVAFOLDER%"), "Corva Programs");
  EXPECT_EQ(Value("%CORVASERVER%"), "central");
  EXPECT_EQ(Value("%CORVASERVERACTIVE%"), "0");
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\CFW", "Active", "1"), ERROR_SUCCESS);
  Translation active = Translate("%CORVASERVERACTIVE%");
  EXPECT_EQ(active.value, "1");
  EXPECT_EQ(active.final, 1);
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\CFW", "Active", "yes"), ERROR_SUCCESS);
  EXPECT_EQ(Value("%CORVASERVERACTIVE%"), "0");
}

TEST_F(KeywordExportTest, CorvantDirectoriesFallBackStepByStep) {
  std::string programFiles = ReadRegString(HKEY_LOCAL_MACHINE, kWindowsVersionKey, "ProgramFilesDir");
  std::string commonFiles = ReadRegString(HKEY_LOCAL_MACHINE, kWindowsVersionKey, "CommonFilesDir");
  ASSERT_FALSE(programFiles.empty());
  ASSERT_FALSE(commonFiles.empty());
  EXPECT_EQ(Value("%CORVANTDIR%"), programFiles + "\\Corvant");
  EXPECT_EQ(Value("%CORVANTCOMMONDIR%"), commonFiles + "\\Corvant Shared");
  std::string drive = SystemDirectory().substr(0, 2);
  {
    RemovedRegistryValue common("CommonFilesDir");
    EXPECT_EQ(Value("%CORVANTCOMMONDIR%"), programFiles + "\\Common Files\\Corvant Shared");
    RemovedRegistryValue program("ProgramFilesDir");
    EXPECT_EQ(Value("%CORVANTDIR%"), drive + "\\Program Files\\Corvant");
    EXPECT_EQ(Value("%CORVANTCOMMONDIR%"), drive + "\\Program Files\\Common Files\\Corvant Shared");
  }
  EXPECT_EQ(Value("%COMMONFILES%"), commonFiles);
  EXPECT_EQ(Value("%PROGRAMFILES%"), programFiles);
}

TEST_F(KeywordExportTest, ProgramFoldersAreRecordedWhenTheRegistryHasNone) {
  RemovedRegistryValue program("ProgramFilesDir");
  RemovedRegistryValue common("CommonFilesDir");
  EXPECT_EQ(Value("%PROGRAMFILES%"), "C:\\Program Files");
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kWindowsVersionKey, "ProgramFilesDir"), "C:\\Program Files");
  EXPECT_EQ(Value("%COMMONFILES%"), "C:\\Program Files\\Common Files");
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kWindowsVersionKey, "CommonFilesDir"), "C:\\Program Files\\Common Files");
}

TEST_F(KeywordExportTest, UnknownKeywordsAndTargetsBeforeALoad) {
  Translation unknown = Translate("%NoSuchThing%");
  EXPECT_EQ(unknown.result, -1);
  EXPECT_EQ(unknown.value, "%NoSuchThing%");
  EXPECT_EQ(unknown.final, 1);
  EXPECT_EQ(Translate("%CORVAROOT%").result, -1);
}

TEST_F(KeywordExportTest, TargetKeywordsAreNotFinal) {
  MessageBoxWatcher boxes;
  ASSERT_EQ(LoadMaster(Product("P", "", "[Targets]\r\nTarget0=DATA;Data;%CORVAROOT%\\Data;d\r\n"
                                        "Target1=LOST;Lost;%NOSUCH%\\x;d\r\nTarget2=AFTERLOST;A;%LOST%\\y;d\r\n")),
            0);
  Translation data = Translate("%data%");
  EXPECT_EQ(data.result, 0);
  EXPECT_EQ(data.value, Value("%CORVANTDIR%") + "\\Data");
  EXPECT_EQ(data.final, 0);
  // A target whose path keeps an unknown keyword gives the text after the keyword.
  Translation lost = Translate("%LOST%tail");
  EXPECT_EQ(lost.result, 0);
  EXPECT_EQ(lost.value, "tail");
  EXPECT_EQ(lost.final, 1);
  EXPECT_EQ(Value("%AFTERLOST%"), "\\y");
}

TEST_F(KeywordExportTest, LongValuesAreCutToTheKeywordBuffer) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kSetupKey, "CorvaRootDir", std::string(400, 'r')), ERROR_SUCCESS);
  Translation root = Translate("%CORVANTDIR%");
  EXPECT_EQ(root.result, 0);
  EXPECT_EQ(root.value, std::string(kKeywordBufferSize - 1, 'r'));
  std::string longName = "%" + std::string(600, 'n') + "%";
  EXPECT_EQ(Translate(longName).value.size(), kKeywordBufferSize - 1);
}

TEST_F(KeywordExportTest, CyclicTargetsLoadAndStayUnresolved) {
  MessageBoxWatcher boxes;
  ASSERT_EQ(LoadMaster(Product("P", "", "[Targets]\r\nTarget0=A;A;%B%\\a;d\r\nTarget1=B;B;%A%\\b;d\r\n"
                                        "Target2=SELF;S;%SELF%\\s;d\r\nTarget3=C;C;%A%\\c;d\r\n")),
            0);
  for (const char* keyword : {"%A%", "%B%", "%SELF%", "%C%"}) {
    Translation translation = Translate(keyword);
    EXPECT_EQ(translation.result, -1) << keyword;
    EXPECT_EQ(translation.value, keyword);
  }
}

TEST_F(KeywordExportTest, ProductTranslatorIsAskedFirstAtLoad) {
  CopyFileTo(FixturePath("fixture_setup.dll"), cd.Dir("master\\prop.dll"));
  WriteTextFile(cd.Dir("master\\fixture.ini"),
                "[Keywords]\r\n%PRODUCT%=Widget\r\n%WINDIR%=Own windows\r\n%LATER%=Later\r\n%LONG%=" +
                    std::string(400, 'x') + "\r\n[KeywordFinal]\r\n%LATER%=0\r\n");
  MessageBoxWatcher boxes;
  ASSERT_EQ(LoadMaster(Product("P", "",
                               "Version=%LATER%\r\nFeature0=A\r\nFeature1=B\r\n"
                               "[A]\r\nName=%PRODUCT% on %WINDIR%\r\nVersion=1\r\n[B]\r\nName=%LONG%\r\nVersion=2\r\n"
                               "[Targets]\r\nTarget0=APP;App;%PRODUCT%\\%LATER%;d\r\n")),
            0);
  auto log = cd.Log();
  EXPECT_TRUE(ContainsLine(log, "   P (P feature %LATER%)"));
  EXPECT_TRUE(ContainsLine(log, "      A (Widget on Own windows 1)"));
  EXPECT_TRUE(ContainsLine(log, "      B (" + std::string(kKeywordBufferSize - 1, 'x') + " 2)"));
  auto calls = ReadLines(cd.Dir("master\\fixture_calls.log"));
  EXPECT_TRUE(ContainsLine(calls, "TranslateKeyword %PRODUCT%"));
  EXPECT_TRUE(ContainsLine(calls, "TranslateKeyword %LONG%"));
  // The target resolves through the product's translator; the export knows only its own table.
  EXPECT_EQ(Value("%APP%"), "Widget\\Later");
  EXPECT_EQ(Value("%WINDIR%"), WindowsDirectory());
}

namespace {
// Keyword texts translated in this process through a loaded master.
class TextTranslationTest : public ::testing::Test {
 protected:
  TextTranslationTest() {
    CleanCorvantRegistry();
    CreateSetupData();
  }
  ~TextTranslationTest() override {
    SetLogPath("");
    CleanCorvantRegistry();
  }
  void Load(const std::string& targets) {
    cd.DescribeMaster(Product("P", "", "[Targets]\r\n" + targets));
    // Unresolved targets are what these tests look at; the consistency check would refuse them.
    std::string params = cd.WriteParams("SyntaxCheck=NO\r\n");
    SetParamsFileInForce(params);
    SetLogPath(cd.LogPath());
    LoadMaster(Master(), cd.MasterDir(), params, false);
  }
  std::string Text(const std::string& text, bool force) { return TranslateKeywordText(Master(), text, force); }

  CdTree cd{"tt"};
};
}  // namespace

TEST_F(TextTranslationTest, WalksTheTextKeywordByKeyword) {
  Load("Target0=DATA;Data;C:\\data;d\r\n");
  EXPECT_EQ(Text("plain text", false), "plain text");
  EXPECT_EQ(Text("%windir%\\Fonts", false), WindowsDirectory() + "\\Fonts");
  EXPECT_EQ(Text("a%WINDIR%b%TEMPDIR%c", false), "a" + WindowsDirectory() + "b" + TempDirectory() + "c");
  EXPECT_EQ(Text("at %WINDIR", false), "at " + WindowsDirectory());
  EXPECT_EQ(Text("at %UNKNOWN", false), "at %UNKNOWN%");
  EXPECT_EQ(Text("100%% sure", false), "100%% sure");
  // A text naming a target stays symbolic at load time and is translated when used.
  EXPECT_EQ(Text("%CORVAROOT%\\Sub", false), "%CORVAROOT%\\Sub");
  EXPECT_EQ(Text("%DATA%\\%WINDIR%", false), "%DATA%\\%WINDIR%");
  EXPECT_EQ(Text("%DATA%\\%WINDIR%", true), "C:\\data\\" + WindowsDirectory());
  Master().targets.Find("DATA")->path = "E:\\moved";
  EXPECT_EQ(Text("%data%\\Sub", true), "E:\\moved\\Sub");
}

TEST_F(TextTranslationTest, TargetCyclesStopAndStayUnresolved) {
  Load("Target0=A;A;%B%\\a;d\r\nTarget1=B;B;%C%\\b;d\r\nTarget2=C;C;%A%\\c;d\r\nTarget3=SELF;S;x%SELF%;d\r\n"
       "Target4=D;D;%A%\\d;d\r\nTarget5=FINE;F;%WINDIR%\\fine;d\r\n");
  Collection<CTarget>& targets = Master().targets;
  EXPECT_EQ(targets.Find("A")->path, "%B%\\a");
  EXPECT_EQ(targets.Find("B")->path, "%C%\\b");
  EXPECT_EQ(targets.Find("C")->path, "%A%\\c");
  EXPECT_EQ(targets.Find("SELF")->path, "x%SELF%");
  EXPECT_EQ(targets.Find("D")->path, "%A%\\d");
  EXPECT_EQ(targets.Find("FINE")->path, WindowsDirectory() + "\\fine");
  EXPECT_FALSE(ResolveTargets(targets));
  EXPECT_EQ(Text("%B%", true), "%B%");
}

TEST_F(TextTranslationTest, WideUnresolvedReferenceTreesFinishQuickly) {
  // Each level names the next one twenty times; the last keeps an unknown keyword.
  std::string targets;
  for (int level = 0; level < 12; ++level) {
    std::string next = "%L" + std::to_string(level + 1) + "%";
    std::string path;
    for (int i = 0; i < 20; ++i) path += next;
    targets += "Target" + std::to_string(level) + "=L" + std::to_string(level) + ";L;" + path + ";d\r\n";
  }
  targets += "Target12=L12;L;%NOSUCH%;d\r\n";
  auto started = std::chrono::steady_clock::now();
  Load(targets);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
  EXPECT_EQ(Master().targets.Find("L12")->path, "%NOSUCH%");
  EXPECT_EQ(Master().targets.Find("L0")->path, "");
}

TEST_F(TextTranslationTest, PathsThatKeepChangingStopAfterABoundedNumberOfPasses) {
  // The product's translator answers a longer text on every pass.
  CopyFileTo(FixturePath("fixture_setup.dll"), cd.Dir("master\\prop.dll"));
  WriteTextFile(cd.Dir("master\\fixture.ini"), "[Keywords]\r\n%GROW%=%GROW%x\r\n");
  Load("Target0=GROW;G;%GROW%;d\r\n");
  const CTarget& grow = *Master().targets.Find("GROW");
  EXPECT_EQ(grow.path, "%GROW%" + std::string(Master().targets.Count() + 1, 'x'));
}
