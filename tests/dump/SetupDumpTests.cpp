// The setup data dump of a loaded model, at the levels in use and below, in this process.
#include <gtest/gtest.h>

#include "engine/Log.h"
#include "engine/Params.h"
#include "filters/OsInfo.h"
#include "include/tessaro.h"
#include "load/CdTree.h"
#include "model/Loader.h"
#include "model/Model.h"
#include "model/SetupDump.h"

using namespace testing_support;
using namespace load_tests;

namespace {
const std::string kDashes(37, '-');

class SetupDumpTest : public ::testing::Test {
 protected:
  SetupDumpTest() {
    CleanCorvantRegistry();
    CreateSetupData();
    SetLogIndentLevel(0);
  }
  ~SetupDumpTest() override {
    SetLogPath("");
    SetParamsFileInForce("");
    DestroySetupData();
    CleanCorvantRegistry();
  }
  void Load(const std::string& paramsLines = "") {
    std::string params = cd.WriteParams(paramsLines);
    SetParamsFileInForce(params);
    SetLogPath(cd.LogPath());
    LoadMaster(Master(), cd.MasterDir(), params, false);
  }
  // The lines that one dump adds to the log.
  std::vector<std::string> Dump(int level) {
    size_t before = cd.Log().size();
    DumpSetup(Master(), level);
    std::vector<std::string> log = cd.Log();
    return std::vector<std::string>(log.begin() + static_cast<long>(before), log.end());
  }
  std::string TargetPath(int index) { return Master().targets.At(index).path; }
  CFeature& Feature(const std::vector<int>& path) {
    CFeature* feature = &Master().rootFeature;
    for (int index : path) feature = &feature->subfeatures.At(index);
    return *feature;
  }
  // The block of lines from `first` up to the next line at the same indent.
  static std::vector<std::string> Block(const std::vector<std::string>& lines, const std::string& first) {
    auto at = std::find(lines.begin(), lines.end(), first);
    if (at == lines.end()) return {};
    size_t indent = first.find_first_not_of(' ');
    auto end = at + 1;
    for (; end != lines.end(); ++end) {
      size_t deeper = end->find_first_not_of(' ');
      if (deeper == std::string::npos || deeper <= indent) break;
    }
    return std::vector<std::string>(at, end);
  }

  CdTree cd{"dmp"};
};

// A product with a target, a hidden subfeature behind filters, an IS component with a target
// need and a service account.
const char kSuiteExtraMain[] = "Version=3.1\r\nSetupCmdLine=-s %WINDIR%\r\nWindowName=Suite Setup\r\n";
const char kSuiteSections[] =
    "Feature0=TOOLS\r\nPassword=SVC;Service account\r\n"
    "[TOOLS]\r\nName=Tools\r\nVisible=NO\r\nComputerTypes=SERVER\r\nOS=WNT>=4.0SP4\r\n"
    "Compatibility0=MUSTHAVE;CORE;DATASERVER;>=2.1\r\n"
    "Component0=SUITE\\tools;IS;INSTALLDEPENDENCY\r\nTargetNeed0=SUITEDIR;120;HIDE;READONLY\r\n"
    "[SetupTypes]\r\nSetupType0=SERVER\r\n"
    "[Targets]\r\nTarget0=SUITEDIR;Suite;%CORVAROOT%\\Suite;Suite files;AFTER;MULTIPLE\r\n";
}  // namespace

TEST_F(SetupDumpTest, LevelTenWritesTheWholeModel) {
  cd.DescribeMaster(Product("SUITE", kSuiteExtraMain, kSuiteSections));
  MessageBoxWatcher boxes;
  Load();
  std::vector<std::string> expected = {
      kDashes,
      "SETUP SUITE :",
      kDashes,
      "   SrcDir =      " + cd.MasterDir(),
      "   Properties :",
      "      Identification -",
      "         Name =        SUITE product",
      "         Version =     3.1",
      "         PropIniFile = " + cd.MasterFile(),
      "         CD =          CORVANTCD",
      "         UninstallID = SUITE",
      "         SetupDLL =    ",
      "      Product properties -",
      "         Allowed OS's =",
      "         Skip Root =   NO",
      "         Needs Folder =YES",
      "      Launching paramaters -",
      "         Install Type =ISINSTALL",
      "         SetupExe =    setup.exe",
      "         Window Name = Suite Setup",
      "         Window Class =",
      "         Setup Cmdline=-s %WINDIR%",
      "         MifName =     SUITE",
      "   CDs :",
      "      CORVANTCD \"Corvant Setup CD\"",
      "         Setups on this CD :",
      "            SUITE (Master Setup)",
      "         Core Components on this CD :",
      "   Targets :",
      "      CORVAROOT (%CORVANTDIR%) = " + TargetPath(0),
      "         Properties = SHOW; BEFORE; NORECALC; EDITABLE; SINGLE",
      "      WINSYSDIR (%WINSYSDIR%) = " + TargetPath(1),
      "         Properties = HIDE; DURING; NORECALC; READONLY; SINGLE",
      "      WINDIR (%WINDIR%) = " + TargetPath(2),
      "         Properties = HIDE; DURING; NORECALC; READONLY; SINGLE",
      "      CORVACOMMON (%CORVANTCOMMONDIR%) = " + TargetPath(3),
      "         Properties = HIDE; DURING; NORECALC; READONLY; SINGLE",
      "      SUITEDIR (%CORVAROOT%\\Suite) = " + TargetPath(0) + "\\Suite",
      "         Properties = SHOW; AFTER; RECALC; EDITABLE; MULTIPLE",
      "   FEATURES :",
      "      SUITE (SUITE feature;3.1) - not Selected",
      "         Properties :",
      "            UninstallID = SUITE",
      "            PasswordID = SVC",
      "         Component IDs :",
      "            SUITE",
      "         Subfeatures :",
      "            TOOLS (Tools;3.1) - not Selected",
      "               Properties :",
      "                  UninstallID = SUITE",
      "                  Feature UI = HIDDEN; DISABLED",
      "               Component IDs :",
      "                  SUITE\\TOOLS (install-time dependency)",
      "                  TOOLS",
      "               Filters :",
      "                  SetupType - SERVER",
      "                  OS - WNT>=4.0SP4",
      "                  Feature - MUSTHAVE CORE:DATASERVER >=2.1 (restricted)",
      "   ",
      "   Components :",
      "      SUITE (DUMMY) (Setup = SUITE)",
      "      SUITE\\TOOLS (IS) (Setup = SUITE)",
      "      TOOLS (DUMMY) (Setup = SUITE)",
      "         Target Needs :",
      "            SUITEDIR (120 K) HIDE READONLY",
      "   Passwords :",
      "      SVC",
      "   " + kDashes,
      "",
  };
  EXPECT_EQ(Dump(10), expected);
}

TEST_F(SetupDumpTest, LevelFourLeavesOutThePasswordsButKeepsFeatureProperties) {
  cd.DescribeMaster(Product("SUITE", kSuiteExtraMain, kSuiteSections));
  MessageBoxWatcher boxes;
  Load();
  std::vector<std::string> lines = Dump(4);
  EXPECT_FALSE(ContainsLine(lines, "   Passwords :"));
  EXPECT_TRUE(ContainsLine(lines, "         Properties = SHOW; AFTER; RECALC; EDITABLE; MULTIPLE"));
  EXPECT_TRUE(ContainsLine(lines, "                  Feature UI = HIDDEN; DISABLED"));
  EXPECT_TRUE(ContainsLine(lines, "            SUITEDIR (120 K) HIDE READONLY"));
  EXPECT_TRUE(ContainsLine(lines, "      Launching paramaters -"));
  EXPECT_TRUE(ContainsLine(lines, "                  OS - WNT>=4.0SP4"));
}

TEST_F(SetupDumpTest, ANeededPasswordIsMaskedAndTheUserNameStays) {
  cd.DescribeMaster(Product("SUITE", kSuiteExtraMain, kSuiteSections));
  MessageBoxWatcher boxes;
  Load();
  CPassword& account = Master().passwords.At(0);
  account.userName = "CORP\\svc_suite";
  account.password = "Sup3r-Secret";
  EXPECT_TRUE(ContainsLine(Dump(10), "      SVC"));
  Feature({}).selected = 1;
  std::vector<std::string> lines = Dump(10);
  EXPECT_TRUE(ContainsLine(lines, "      SVC - CORP\\svc_suite/********"));
  EXPECT_TRUE(ContainsLine(lines, "   (SELECTED)"));
  for (const std::string& line : cd.Log()) EXPECT_EQ(line.find("Sup3r-Secret"), std::string::npos) << line;
  // No password yet: nothing to mask.
  account.password.clear();
  EXPECT_TRUE(ContainsLine(Dump(10), "      SVC - CORP\\svc_suite/"));
}

TEST_F(SetupDumpTest, StateWordFlagsOfTheFeatures) {
  OsIdentity system = RunningOsIdentity();
  std::string others = system.name == "WNT" ? "W95,W98" : "WNT";
  std::string nameFlag = system.name == "WNT" ? "NTNG" : system.name == "W95" ? "95NG" : "98NG";
  cd.DescribeMaster(Product("SUITE", "",
                            "Feature0=PLAIN\r\nFeature1=ELSEWHERE\r\nFeature2=LATER\r\nFeature3=UNSEEN\r\n"
                            "[PLAIN]\r\nName=Plain\r\n[ELSEWHERE]\r\nName=Elsewhere\r\nOS=" +
                                others + "\r\n[LATER]\r\nName=Later\r\nOS=" + system.name +
                                ">=99\r\n"
                                "[UNSEEN]\r\nName=Unseen\r\nVisible=no\r\n"));
  MessageBoxWatcher boxes;
  Load();
  Feature({0}).installed = 1;
  std::vector<std::string> lines = Dump(4);
  EXPECT_EQ(Block(lines, "            PLAIN (Plain;) - not Selected"),
            (std::vector<std::string>{"            PLAIN (Plain;) - not Selected",
                                      "               Properties :", "                  UninstallID = SUITE",
                                      "                  Feature UI = INSTALLED",
                                      "               Component IDs :", "                  PLAIN"}));
  EXPECT_TRUE(ContainsLine(lines, "                  Feature UI = DISABLED; GREYED; " + nameFlag));
  EXPECT_TRUE(ContainsLine(lines, "                  Feature UI = DISABLED; GREYED; OSNG"));
  EXPECT_TRUE(ContainsLine(lines, "                  Feature UI = HIDDEN"));
  Feature({0}).installed = 0;
  EXPECT_EQ(Block(Dump(4), "            PLAIN (Plain;) - not Selected"),
            (std::vector<std::string>{"            PLAIN (Plain;) - not Selected",
                                      "               Properties :", "                  UninstallID = SUITE",
                                      "               Component IDs :", "                  PLAIN"}));
}

TEST_F(SetupDumpTest, LowerLevelsWriteLess) {
  cd.DescribeMaster(Product("SUITE", kSuiteExtraMain, kSuiteSections));
  MessageBoxWatcher boxes;
  Load();
  std::vector<std::string> three = Dump(3);
  EXPECT_TRUE(ContainsLine(three, "   Properties :"));
  EXPECT_TRUE(ContainsLine(three, "         Properties = SHOW; AFTER; RECALC; EDITABLE; MULTIPLE"));
  EXPECT_FALSE(ContainsLine(three, "         Properties :"));
  EXPECT_TRUE(ContainsLine(three, "            TOOLS (Tools;3.1) - not Selected"));
  EXPECT_FALSE(ContainsLine(three, "         Target Needs :"));
  EXPECT_TRUE(ContainsLine(three, "      TOOLS (DUMMY) (Setup = SUITE)"));

  std::vector<std::string> two = Dump(2);
  EXPECT_FALSE(ContainsLine(two, "   Properties :"));
  EXPECT_TRUE(ContainsLine(two, "      SUITEDIR (%CORVAROOT%\\Suite) = " + TargetPath(0) + "\\Suite"));
  EXPECT_FALSE(ContainsLine(two, "         Properties = SHOW; AFTER; RECALC; EDITABLE; MULTIPLE"));

  std::vector<std::string> one = Dump(1);
  EXPECT_EQ(
      one,
      (std::vector<std::string>{
          kDashes, "SETUP SUITE :", kDashes, "   SrcDir =      " + cd.MasterDir(), "   CDs :",
          "      CORVANTCD \"Corvant Setup CD\"", "         Setups on this CD :", "            SUITE (Master Setup)",
          "         Core Components on this CD :", "   FEATURES :", "      SUITE (SUITE feature;3.1) - not Selected",
          "         Subfeatures :", "            TOOLS (Tools;3.1) - not Selected", "   ", "   " + kDashes, ""}));
}

TEST_F(SetupDumpTest, LevelZeroWritesOnlyWhatIsSelected) {
  cd.DescribeMaster(Product("SUITE", "",
                            "Feature0=MIDDLE\r\n[MIDDLE]\r\nName=Middle\r\nFeature0=LEAF\r\nFeature1=OFF\r\n"
                            "[LEAF]\r\nName=Leaf\r\n[OFF]\r\nName=Off\r\n"));
  MessageBoxWatcher boxes;
  Load();
  EXPECT_TRUE(Dump(0).empty());
  Feature({}).selected = 1;
  Feature({0, 0}).selected = 1;
  std::vector<std::string> lines = Dump(0);
  EXPECT_EQ(
      Block(lines, "   FEATURES :"),
      (std::vector<std::string>{"   FEATURES :", "      SUITE (SUITE feature;) - Selected", "         Subfeatures :",
                                "               Subfeatures :", "                  LEAF (Leaf;) - Selected"}));
  EXPECT_TRUE(ContainsLine(lines, "   (SELECTED)"));
}

TEST_F(SetupDumpTest, ASetupWithoutRootFeatureWritesNoFeatures) {
  cd.DescribeMaster("[Main]\r\nName=Bare\r\nInstallType=ISINSTALL\r\n");
  MessageBoxWatcher boxes;
  Load();
  std::vector<std::string> lines = Dump(10);
  EXPECT_TRUE(ContainsLine(lines, "SETUP MASTER :"));
  EXPECT_FALSE(ContainsLine(lines, "   FEATURES :"));
  EXPECT_FALSE(ContainsLine(lines, "   (SELECTED)"));
  EXPECT_TRUE(Dump(0).size() > 3u);
}

TEST_F(SetupDumpTest, AnInfInstallationShowsItsFilesInsteadOfTheSetupProgram) {
  WriteTextFile(cd.Dir("master\\suite.inf"), "");
  WriteTextFile(cd.Dir("master\\suiteinf.dll"), "");
  cd.DescribeMaster(
      "[Main]\r\nName=Inf\r\nRootFeature=INF\r\nInstallType=INFInstall\r\nInfFile=suite.inf\r\nInfDLL=suiteinf.dll\r\n"
      "[INF]\r\nName=Inf\r\n");
  MessageBoxWatcher boxes;
  Load();
  std::vector<std::string> lines = Dump(3);
  EXPECT_EQ(Block(lines, "      Launching paramaters -"),
            (std::vector<std::string>{"      Launching paramaters -", "         Install Type =INFINSTALL",
                                      "         InfFile =     suite.inf", "         InfDLL =      suiteinf.dll",
                                      "         MifName =     INF"}));
}

TEST_F(SetupDumpTest, SubsetupsAndCoreComponentsWithWhatStillNeedsInstalling) {
  cd.DescribeMaster(Product("CORVANT SOFTWARE", "LoadSubsetups=YES\r\n"));
  cd.Describe("alpha", Product("ALPHA", "CD=CD2;Second CD\r\n", "Component0=SHARED;CORE\r\n"));
  cd.Describe("beta", Product("BETA", "SkipRoot=YES\r\n", "Feature0=BETAONE\r\n[BETAONE]\r\nName=Beta one\r\n"));
  cd.Describe("Core\\SHARED",
              "[Main]\r\nName=Shared\r\nRootFeature=SHARED\r\nInstallType=ISINSTALL\r\n"
              "TargetNeed0=CORVACOMMON;100\r\n");
  MessageBoxWatcher boxes;
  Load();
  std::vector<std::string> lines = Dump(10);
  EXPECT_EQ(Block(lines, "   CDs :"),
            (std::vector<std::string>{"   CDs :", "      CORVANTCD \"Corvant Setup CD\"",
                                      "         Setups on this CD :", "            CORVANT SOFTWARE (Master Setup)",
                                      "            BETA", "         Core Components on this CD :", "            SHARED",
                                      "      CD2 \"Second CD\"", "         Setups on this CD :", "            ALPHA",
                                      "         Core Components on this CD :"}));
  EXPECT_TRUE(ContainsLine(lines, "   Core Components :"));
  EXPECT_TRUE(ContainsLine(lines, "      SHARED (Setup = SHARED on CD CORVANTCD)"));
  EXPECT_TRUE(ContainsLine(lines, "      SHARED (CORE) (Setup = SHARED)"));
  EXPECT_TRUE(ContainsLine(lines, "   Subsetups :"));
  EXPECT_TRUE(ContainsLine(lines, "      SETUP ALPHA :"));
  EXPECT_TRUE(ContainsLine(lines, "      SETUP BETA :"));

  // Selecting in the master's tree makes the products and the core component pending.
  Feature({0}).selected = 1;  // ALPHA
  Feature({1}).selected = 1;  // BETAONE: BETA skips its root, so its feature hangs under the master's
  Master().components.Find("SHARED")->selected = 1;
  lines = Dump(1);
  EXPECT_TRUE(ContainsLine(lines, "            ALPHA (needs install)"));
  EXPECT_TRUE(ContainsLine(lines, "            BETA (needs install)"));
  EXPECT_TRUE(ContainsLine(lines, "            SHARED (needs install)"));
  EXPECT_FALSE(ContainsLine(lines, "   Components :"));
  EXPECT_TRUE(ContainsLine(Dump(2), "      SHARED (CORE) - Selected (Setup = SHARED)"));
  Master().subsetups.At(0).installed = 1;
  lines = Dump(0);
  EXPECT_FALSE(ContainsLine(lines, "            ALPHA"));
  EXPECT_FALSE(ContainsLine(lines, "            ALPHA (needs install)"));
}

TEST_F(SetupDumpTest, LogSetupDataWritesLevelFourWithoutAnyPassword) {
  cd.DescribeMaster(Product("SUITE", kSuiteExtraMain, kSuiteSections));
  MessageBoxWatcher boxes;
  Load();
  Feature({}).selected = 1;
  CPassword& account = Master().passwords.At(0);
  account.userName = "svc_suite";
  account.password = "Sup3r-Secret";
  size_t before = cd.Log().size();
  EXPECT_EQ(TS_LogSetupData(), 1);
  std::vector<std::string> log = cd.Log();
  std::vector<std::string> lines(log.begin() + static_cast<long>(before), log.end());
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), kDashes);
  EXPECT_TRUE(ContainsLine(lines, "   (SELECTED)"));
  EXPECT_TRUE(ContainsLine(lines, "            PasswordID = SVC"));
  EXPECT_FALSE(ContainsLine(lines, "   Passwords :"));
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find("Sup3r-Secret"), std::string::npos) << line;
    EXPECT_EQ(line.find("svc_suite"), std::string::npos) << line;
  }
  EXPECT_TRUE(boxes.Boxes().empty());
}
