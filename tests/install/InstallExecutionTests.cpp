// Installing one product through the engine's exports, as a setup script does after the
// wizard: TS_IsInstalled, TS_DoInstall (configuration file, status files, the product's own
// installer, restart request), TS_DoZOVInstall and TS_DoINFInstall.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "SuiteTree.h"
#include "engine/Params.h"
#include "engine/Paths.h"
#include "engine/Text.h"
#include "include/tessaro.h"
#include "state/Registry.h"

using namespace testing_support;
using namespace install_tests;

namespace {
using PathIn = int(__stdcall*)(const char*);
using PathOut = int(__stdcall*)(char*);
using TwoPaths = int(__stdcall*)(const char*, const char*);
using PathAndInt = int(__stdcall*)(const char*, int);
using NoArgs = int(__stdcall*)();

constexpr const char kRunOnceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// Product IDs are new in every test: the staged configuration files in the temporary directory
// are named by them, and the profile cache must never see an old file under a reused name.
std::string FreshId(const std::string& base) {
  static int counter = 0;
  return base + std::to_string(++counter);
}

bool HasKeyLine(const std::string& file, const std::string& key) {
  for (const std::string& line : ReadLines(file))
    if (line.rfind(key + "=", 0) == 0) return true;
  return false;
}

class InstallExecutionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CleanCorvantRegistry();
    EXPECT_NE(DeleteRegValue(HKEY_LOCAL_MACHINE, kRunOnceKey, "CorvantReboot"), RegDelete::Failed);
  }
  void TearDown() override {
    if (engine) engine->Get<NoArgs>("TS_UnloadSetupData")();
    engine.reset();
    CleanCorvantRegistry();
    EXPECT_NE(DeleteRegValue(HKEY_LOCAL_MACHINE, kRunOnceKey, "CorvantReboot"), RegDelete::Failed);
  }

  // Writes the master and the given products, then loads the suite through a fresh engine.
  void Load(const std::vector<ProductSpec>& products, const std::string& params = "") {
    suite.WriteMaster();
    suite.WriteParams(params);
    for (const ProductSpec& product : products) suite.WriteProduct(product);
    engine = std::make_unique<EngineInstance>(suite.Master());
    ASSERT_EQ(engine->Get<PathIn>("TS_LoadSetupData")(suite.Params().c_str()), 0);
  }
  int DoInstall(const std::string& propIni) { return engine->Get<PathIn>("TS_DoInstall")(propIni.c_str()); }
  int IsInstalled(const std::string& propIni) { return engine->Get<PathIn>("TS_IsInstalled")(propIni.c_str()); }
  int MifError(const std::string& propIni) { return engine->Get<PathIn>("TS_MIFError")(propIni.c_str()); }
  std::string ConfigFileOf(const std::string& id) { return JoinPath(TempDirectory(), id + ".ini"); }

  SuiteTree suite{"install"};
  std::unique_ptr<EngineInstance> engine;
};

ProductSpec SetupProgramProduct(const std::string& id, const std::string& extraMain = "") {
  ProductSpec product;
  product.directory = id;
  product.id = id;
  product.name = "Product " + id;
  product.extraMain = "SetupExe=fixture_product.exe\r\nSetupCmdLine=/s config=%CONFIGINIFILE% /win=%WINDIR%\r\n" +
                      extraMain;
  return product;
}
}  // namespace

TEST_F(InstallExecutionTest, WritesTheConfigurationFileKeyByKey) {
  std::string id = FreshId("PRODA");
  Load({SetupProgramProduct(id, "EnableWelcomeDlg=Yes\r\nEnableFinalDlg=no\r\nEnableGetFolderDlg=True\r\n"
                                "EnableBackground=Y\r\nEnableLicenseDlg=maybe\r\n"
                                "[ConfigIni]\r\nCustomKey=Custom value\r\nServerPort=4711\r\n")});
  ASSERT_EQ(DoInstall(suite.PropIni(id)), 0);

  std::string config = ConfigFileOf(id);
  ASSERT_TRUE(FileExists(config));
  auto main = [&](const char* key) { return ReadIniString(config, "Main", key); };
  EXPECT_EQ(main("EnableBackground"), "YES");
  EXPECT_EQ(main("EnableWelcomeDlg"), "YES");
  EXPECT_FALSE(HasKeyLine(config, "EnableFinalDlg"));
  EXPECT_FALSE(HasKeyLine(config, "EnableLicenseDlg"));  // "maybe" falls back to no
  EXPECT_FALSE(HasKeyLine(config, "EnableShowSummaryDlg"));
  EXPECT_FALSE(HasKeyLine(config, "EnableUninstallCheck"));
  // Pages the product does not enable are answered from this run's choices.
  EXPECT_TRUE(HasKeyLine(config, "SetupType"));
  EXPECT_FALSE(HasKeyLine(config, "EnableSetupTypeDlg"));
  EXPECT_EQ(main("EnableGetFolderDlg"), "YES");
  EXPECT_FALSE(HasKeyLine(config, "Folder"));
  EXPECT_TRUE(HasKeyLine(config, "Server"));
  EXPECT_EQ(main("ServerActive"), "0");
  // Every feature of the model is answered, the master's root first.
  EXPECT_EQ(main("Feature0"), "SUITE;NO");
  EXPECT_EQ(main("Feature1"), id + ";NO");
  EXPECT_FALSE(HasKeyLine(config, "Feature2"));
  EXPECT_EQ(main("EnableReboot"), "NO");
  EXPECT_EQ(main("InstallCoreComponents"), "NO");
  EXPECT_EQ(main("AppendToLog"), suite.Log());
  EXPECT_EQ(main("LogUninstall"), "NO");
  EXPECT_EQ(main("MessageLevel"), "SOME");
  EXPECT_EQ(main("Unattended"), "YES");
  EXPECT_EQ(main("IgnorePendingReboot"), "YES");
  EXPECT_EQ(main("SyntaxCheck"), "NO");
  EXPECT_EQ(main("Core"), "NO");
  EXPECT_FALSE(HasKeyLine(config, "NotifyCoreInstall"));
  EXPECT_EQ(main("CustomKey"), "Custom value");
  EXPECT_EQ(main("ServerPort"), "4711");
  // The install directories of the model, in model order.
  EXPECT_EQ(ReadIniString(config, "Targets", "Target0").rfind("CORVAROOT;", 0), 0u);
  EXPECT_EQ(ReadIniString(config, "Targets", "Target1").rfind("WINSYSDIR;", 0), 0u);
  EXPECT_EQ(ReadIniString(config, "Targets", "Target4").rfind("APPDIR;", 0), 0u);

  // The product got exactly this file.
  EXPECT_EQ(ReadTextFile(JoinPath(suite.ProductDir(id), "received_config.ini")), ReadTextFile(config));
  EXPECT_TRUE(ContainsLine(LogLines(suite.Log()), "   Config Ini File = " + config));
}

TEST_F(InstallExecutionTest, NotifiesCoreInstallsWhenTheRunWasAskedTo) {
  std::string id = FreshId("PRODN");
  Load({SetupProgramProduct(id)}, "NotifyCoreInstall=Yes\r\n");
  ASSERT_EQ(DoInstall(suite.PropIni(id)), 0);
  EXPECT_EQ(ReadIniString(ConfigFileOf(id), "Main", "NotifyCoreInstall"), "YES");
}

TEST_F(InstallExecutionTest, LaunchesTheSetupProgramWithItsTranslatedCommandLineAndWaits) {
  std::string id = FreshId("PRODL");
  Load({SetupProgramProduct(id)});
  suite.WriteFixtureSettings(suite.ProductDir(id), "MifName=" + id + "\r\nMifStatus=Success\r\nDelayMs=700\r\n");
  std::string statusFile = JoinPath(WindowsDirectory(), id + ".mif");

  ASSERT_EQ(DoInstall(suite.PropIni(id)), 0);

  std::string expected = JoinPath(suite.ProductDir(id), "fixture_product.exe") + " /s config=" + ConfigFileOf(id) +
                         " /win=" + WindowsDirectory();
  std::vector<std::string> calls = ReadLines(JoinPath(suite.ProductDir(id), "product_calls.log"));
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0], expected);
  // The engine waited for the program: its status file is there when TS_DoInstall returns.
  EXPECT_TRUE(FileExists(statusFile));
  std::vector<std::string> log = LogLines(suite.Log());
  EXPECT_TRUE(ContainsLine(log, "Install Product " + id + " (ISINSTALL)"));
  EXPECT_TRUE(ContainsLine(log, "   Launch process " + expected));
  EXPECT_TRUE(ContainsLine(log, "   Wait for single object..."));
  std::string text = ReadTextFile(statusFile);
  EXPECT_NE(text.find("START COMPONENT"), std::string::npos);
  EXPECT_NE(text.find("VALUE = \"Success\""), std::string::npos);
  SetFileAttributesA(statusFile.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(statusFile.c_str());
}

TEST_F(InstallExecutionTest, QuotesAProgramPathWithABlank) {
  std::string id = FreshId("PRODQ");
  ProductSpec product = SetupProgramProduct(id);
  product.directory = "Product " + id;
  Load({product});
  ASSERT_EQ(DoInstall(suite.PropIni(product.directory)), 0);
  std::string program = JoinPath(suite.ProductDir(product.directory), "fixture_product.exe");
  std::vector<std::string> calls = ReadLines(JoinPath(suite.ProductDir(product.directory), "product_calls.log"));
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0], "\"" + program + "\" /s config=" + ConfigFileOf(id) + " /win=" + WindowsDirectory());
}

TEST_F(InstallExecutionTest, ALowerCaseExeInstallLaunchesLikeEXEInstallAndIsNeverChecked) {
  std::string id = FreshId("PRODE");
  Load({SetupProgramProduct(id)});
  // The description the script hands in at install time, on another medium.
  ScratchDirectory other("exe");
  std::string propIni = other / "prop.ini";
  WriteTextFile(propIni, "[Main]\r\nRootFeature=" + id + "\r\nName=Exe product\r\nInstallType=exeinstall\r\n");
  CopyFileTo(FixturePath("fixture_product.exe"), other / "fixture_product.exe");

  EXPECT_EQ(IsInstalled(propIni), 0);
  ASSERT_EQ(DoInstall(propIni), 0);
  std::vector<std::string> calls = ReadLines(other / "product_calls.log");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].rfind(other / "fixture_product.exe /s config=", 0), 0u);
  EXPECT_TRUE(ContainsLine(LogLines(suite.Log()), "Install Exe product (exeinstall)"));
}

TEST_F(InstallExecutionTest, WithAWindowNameTheProgramIsStartedWithoutWaiting) {
  std::string id = FreshId("PRODW");
  Load({SetupProgramProduct(id, "WindowName=Product Window\r\nWindowClass=ProductClass\r\n")});
  suite.WriteFixtureSettings(suite.ProductDir(id), "MifName=" + id + "\r\nMifStatus=Success\r\nDelayMs=3000\r\n");
  std::string statusFile = JoinPath(WindowsDirectory(), id + ".mif");

  auto started = std::chrono::steady_clock::now();
  ASSERT_EQ(DoInstall(suite.PropIni(id)), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(2500));
  EXPECT_FALSE(FileExists(statusFile));
  EXPECT_FALSE(ContainsLine(LogLines(suite.Log()), "   Wait for single object..."));
  // The program runs on and reports when it is done.
  EXPECT_TRUE(WaitForFile(JoinPath(suite.ProductDir(id), "product_calls.log"), 10000));
  EXPECT_TRUE(WaitForFile(statusFile, 15000));
  Sleep(200);
  SetFileAttributesA(statusFile.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(statusFile.c_str());
}

TEST_F(InstallExecutionTest, AProgramThatCannotStartIsLoggedAndTheInstallGoesOn) {
  std::string id = FreshId("PRODX");
  Load({SetupProgramProduct(id, "MifName=" + id + "\r\n")});
  std::string program = JoinPath(suite.ProductDir(id), "fixture_product.exe");
  DeleteFileA(program.c_str());
  EXPECT_EQ(DoInstall(suite.PropIni(id)), 0);
  // The product reported nothing: it is not taken for installed.
  EXPECT_EQ(MifError(suite.PropIni(id)), 1);
  std::vector<std::string> log = LogLines(suite.Log());
  EXPECT_TRUE(ContainsLine(log, "   *** Unable to create process (CreateProcessA error " +
                                    std::to_string(ERROR_FILE_NOT_FOUND) + "): " + program));
  EXPECT_TRUE(ContainsLine(log, "   *** Error"));
  EXPECT_TRUE(ContainsLine(log, "   *** No status file " + id + ".mif"));
}

// What a setup program's exit code tells, with and without a status file: the code is logged,
// 3010 and 1641 schedule a restart, and a product that left no status file is reported with it.
TEST_F(InstallExecutionTest, TheExitCodeIsLoggedAndRestartCodesScheduleARestart) {
  struct Case {
    unsigned long exitCode;
    bool statusFile;
    bool restart;
  };
  for (const Case& c : {Case{3, false, false}, Case{3010, true, true}, Case{1641, false, true}, Case{0, true, false}}) {
    SCOPED_TRACE(c.exitCode);
    std::string id = FreshId("PRODE");
    Load({SetupProgramProduct(id, "MifName=" + id + "\r\n")});
    std::string code = std::to_string(c.exitCode);
    suite.WriteFixtureSettings(suite.ProductDir(id), "ExitCode=" + code + "\r\n" +
                                                         (c.statusFile ? "MifName=" + id + "\r\nMifStatus=Success\r\n" : ""));
    ASSERT_EQ(DoInstall(suite.PropIni(id)), 0);
    EXPECT_EQ(MifError(suite.PropIni(id)), c.statusFile ? 0 : 1);
    EXPECT_EQ(engine->Get<NoArgs>("TS_IsRebootScheduled")(), c.restart ? 1 : 0);
    std::vector<std::string> log = LogLines(suite.Log());
    EXPECT_TRUE(ContainsLine(log, "   Setup " + id + " ended with exit code " + code));
    EXPECT_EQ(ContainsLine(log, "   Setup " + id + " asks for a restart"), c.restart);
    EXPECT_EQ(ContainsLine(log, "   *** No status file; setup " + id + " ended with exit code " + code), !c.statusFile);
    DeleteFileA(JoinPath(WindowsDirectory(), id + ".mif").c_str());
    TearDown();
  }
}

TEST_F(InstallExecutionTest, DeletesOldStatusFilesBeforeTheInstallerRuns) {
  std::string id = FreshId("PRODS");
  Load({SetupProgramProduct(id, "MifName=Status" + id + "\r\n")});
  std::string inWindows = JoinPath(WindowsDirectory(), "Status" + id + ".mif");
  std::string inTemp = JoinPath(TempDirectory(), "Status" + id + ".mif");
  for (const std::string& stale : {inWindows, inTemp}) {
    WriteTextFile(stale, "START COMPONENT\nNAME = \"old\"\nEND COMPONENT\n");
    SetFileAttributesA(stale.c_str(), FILE_ATTRIBUTE_READONLY);
  }
  ASSERT_EQ(DoInstall(suite.PropIni(id)), 0);
  EXPECT_FALSE(FileExists(inWindows));
  EXPECT_FALSE(FileExists(inTemp));
}

TEST_F(InstallExecutionTest, ARestartRequestIsTakenOverAndScheduledOnce) {
  std::string id = FreshId("PRODR");
  Load({SetupProgramProduct(id)});
  suite.WriteFixtureSettings(suite.ProductDir(id), "Reboot=1\r\n");
  ASSERT_EQ(DoInstall(suite.PropIni(id)), 0);
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, "Software\\Corvant", "Reboot"));
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kRunOnceKey, "CorvantReboot"), "RunDLL32.exe");
  std::vector<std::string> log = LogLines(suite.Log());
  EXPECT_EQ(std::count(log.begin(), log.end(), "   Schedule CorvantReboot in the RunOnce key"), 1);

  // A product that asks for nothing schedules nothing.
  EXPECT_NE(DeleteRegValue(HKEY_LOCAL_MACHINE, kRunOnceKey, "CorvantReboot"), RegDelete::Failed);
  suite.WriteFixtureSettings(suite.ProductDir(id), "Reboot=0\r\n");
  ASSERT_EQ(DoInstall(suite.PropIni(id)), 0);
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kRunOnceKey, "CorvantReboot"));
}

TEST_F(InstallExecutionTest, PreserveConfigKeepsACopyOfTheConfigurationFile) {
  std::string id = FreshId("PRODP");
  Load({SetupProgramProduct(id)});
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant Development", "PreserveConfig", "yes"), ERROR_SUCCESS);
  std::string copy = "C:\\Corvant Development\\" + id + ".ini";
  ASSERT_EQ(DoInstall(suite.PropIni(id)), 0);
  EXPECT_TRUE(FileExists(copy));
  EXPECT_EQ(ReadTextFile(copy), ReadTextFile(ConfigFileOf(id)));
  DeleteFileA(copy.c_str());
  RemoveDirectoryA("C:\\Corvant Development");
  EXPECT_TRUE(DeleteRegKeyTree(HKEY_LOCAL_MACHINE, "Software\\Corvant Development"));
}

TEST_F(InstallExecutionTest, AProductOutsideTheModelIsNotLaunched) {
  Load({});
  MessageBoxWatcher boxes;
  ScratchDirectory other("unknown");
  WriteTextFile(other / "prop.ini", "[Main]\r\nName=Stranger\r\nInstallType=ISInstall\r\n");
  EXPECT_EQ(DoInstall(other / "prop.ini"), -1);
  std::string rootFeature = LastPathName(other.Path());
  EXPECT_TRUE(ContainsLine(LogLines(suite.Log()), "   ***** Unable to launch the install for " + rootFeature));
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Unable to launch the install for " + rootFeature);
}

TEST_F(InstallExecutionTest, AnUnattendedRunOnlyLogsWhatItCannotInstall) {
  Load({}, "Unattended=YES\r\n");
  MessageBoxWatcher boxes;
  ScratchDirectory other("unknownu");
  WriteTextFile(other / "prop.ini", "[Main]\r\nName=Stranger\r\nInstallType=INFInstall\r\nInfDLL=gone.dll\r\n");
  EXPECT_EQ(DoInstall(other / "prop.ini"), -1);
  EXPECT_EQ(engine->Get<PathAndInt>("TS_DoINFInstall")((other / "prop.ini").c_str(), 0), -1);
  EXPECT_EQ(IsInstalled(other / "prop.ini"), -1);
  std::vector<std::string> log = LogLines(suite.Log());
  EXPECT_TRUE(ContainsLine(log, "   ***** Unable to launch the install for " + LastPathName(other.Path())));
  EXPECT_TRUE(ContainsLine(log, "***** Unable to load " + (other / "gone.dll")));
  EXPECT_EQ(std::count(log.begin(), log.end(), "***** Unable to load " + (other / "gone.dll")), 2);
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(InstallExecutionTest, ACoreComponentGetsCoreInItsConfigurationFile) {
  std::string core = FreshId("CORELIB");
  ProductSpec product = SetupProgramProduct(FreshId("PRODC"));
  product.components = "Component0=" + core + ";CORE\r\n";
  suite.WriteCoreComponent(core, "CD1;First CD");
  Load({product});
  ASSERT_EQ(DoInstall(JoinPath(suite.CoreDir(core), "prop.ini")), 0);
  EXPECT_EQ(ReadIniString(ConfigFileOf(core), "Main", "Core"), "YES");
  EXPECT_EQ(ReadLines(JoinPath(suite.CoreDir(core), "product_calls.log")).size(), 1u);
}

TEST_F(InstallExecutionTest, AsksTheSetupLibraryWhetherTheProductIsInstalled) {
  std::string id = FreshId("PRODI");
  Load({SetupProgramProduct(id)});
  std::string directory = suite.ProductDir(id);
  CopyFileTo(FixturePath("fixture_setup.dll"), JoinPath(directory, "Prop.dll"));
  WriteTextFile(JoinPath(directory, "fixture.ini"), "[Answers]\r\nAlreadyInstalled=2\r\n");
  EXPECT_EQ(IsInstalled(suite.PropIni(id)), 2);
  std::vector<std::string> log = LogLines(suite.Log());
  EXPECT_TRUE(ContainsLine(log, "Is the Component " + suite.PropIni(id) + " already installed?"));
  EXPECT_TRUE(ContainsLine(log, "   - 2"));
  EXPECT_TRUE(ContainsLine(ReadLines(JoinPath(directory, "fixture_calls.log")), "AlreadyInstalled"));
}

TEST_F(InstallExecutionTest, ASetupLibraryThatIsMissingOrCannotAnswerGivesMinusOne) {
  ScratchDirectory other("isinst");
  suite.WriteParams();
  engine = std::make_unique<EngineInstance>(other / "engine");
  WriteTextFile(other / "missing\\prop.ini", "[Main]\r\nInstallType=ISInstall\r\nSetupDLL=Custom.dll\r\n");
  WriteTextFile(other / "noentry\\prop.ini", "[Main]\r\nInstallType=ISInstall\r\n");
  CopyFileTo(JoinPath(SystemDirectory(), "version.dll"), other / "noentry\\Prop.dll");
  EXPECT_EQ(IsInstalled(other / "missing\\prop.ini"), -1);
  EXPECT_EQ(IsInstalled(other / "noentry\\prop.ini"), -1);
}

TEST_F(InstallExecutionTest, ChecksAndInstallsAnInfProductThroughItsInstallationLibrary) {
  std::string id = FreshId("PRODF");
  ProductSpec product;
  product.directory = id;
  product.id = id;
  product.name = "Inf product";
  product.installType = "INFINSTALL";
  product.extraMain = "InfDLL=install.dll\r\nInfFile=product.inf\r\n";
  std::string directory = suite.ProductDir(id);
  CopyFileTo(FixturePath("fixture_inf.dll"), JoinPath(directory, "install.dll"));
  WriteTextFile(JoinPath(directory, "product.inf"), "[Version]\r\n");
  WriteTextFile(JoinPath(directory, "fixture.ini"), "[Answers]\r\nAlreadyInstalled=5\r\n");
  Load({product});

  EXPECT_EQ(IsInstalled(suite.PropIni(id)), 5);
  std::string inf = JoinPath(directory, "product.inf");
  EXPECT_TRUE(ContainsLine(LogLines(suite.Log()), "Component already installed?"));

  ASSERT_EQ(DoInstall(suite.PropIni(id)), 0);
  std::vector<std::string> calls = ReadLines(JoinPath(directory, "inf_calls.log"));
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0], "AlreadyInstalled " + inf);
  // While the library runs, the product's configuration file and description are in force.
  EXPECT_EQ(calls[1], "DoInstall " + inf + " reserved=0 params=" + ConfigFileOf(id) + " product=Inf product");
  char inForce[MAX_PATH] = {};
  engine->Get<PathOut>("TSGetConfigIniFile")(inForce);
  EXPECT_EQ(std::string(inForce), suite.Params());
  std::vector<std::string> log = LogLines(suite.Log());
  EXPECT_TRUE(ContainsLine(log, "   INF file = " + inf + ", DLL = " + JoinPath(directory, "install.dll")));
  EXPECT_TRUE(ContainsLine(log, "   Do the install"));
  EXPECT_TRUE(ContainsLine(log, "   Calling DoInstall function"));
}

TEST_F(InstallExecutionTest, AnInstallationLibraryThatIsMissingOrIncompleteIsReported) {
  ScratchDirectory other("infbad");
  engine = std::make_unique<EngineInstance>(other / "engine");
  MessageBoxWatcher boxes;
  WriteTextFile(other / "missing\\prop.ini", "[Main]\r\nInstallType=INFInstall\r\nInfDLL=gone.dll\r\nInfFile=a.inf\r\n");
  WriteTextFile(other / "noentry\\prop.ini", "[Main]\r\nInstallType=INFInstall\r\nInfDLL=lib.dll\r\nInfFile=a.inf\r\n");
  CopyFileTo(JoinPath(SystemDirectory(), "version.dll"), other / "noentry\\lib.dll");

  auto doInf = engine->Get<PathAndInt>("TS_DoINFInstall");
  EXPECT_EQ(doInf((other / "missing\\prop.ini").c_str(), 0), -1);
  EXPECT_EQ(doInf((other / "noentry\\prop.ini").c_str(), 0), -1);
  EXPECT_EQ(IsInstalled(other / "missing\\prop.ini"), -1);
  EXPECT_EQ(IsInstalled(other / "noentry\\prop.ini"), -1);
  std::vector<MessageBoxWatcher::Box> shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].text, "Unable to load " + (other / "missing\\gone.dll"));
  EXPECT_EQ(shown[1].text, "DoInstall function not found in " + (other / "noentry\\lib.dll"));
  EXPECT_EQ(shown[2].text, "Unable to load " + (other / "missing\\gone.dll"));
  EXPECT_EQ(shown[3].text, "AlreadyInstalled function not found in " + (other / "noentry\\lib.dll"));
}

TEST_F(InstallExecutionTest, APackageProductIsAskedThroughItsOwnRegistration) {
  Load({});
  ScratchDirectory other("packages");
  // A setup program's entry, written in the 32-bit view as a 32-bit setup program writes it.
  const std::string entry = "TessaroTestPackage" + FreshId("");
  const std::string entryKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + entry;
  HKEY created = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, entryKey.c_str(), 0, nullptr, 0, KEY_WRITE | KEY_WOW64_32KEY, nullptr,
                            &created, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(created);
  CopyFileTo(FixturePath("restart.msi"), other / "frommsi\\restart.msi");
  struct Case {
    const char* folder;
    std::string mainLines;
    int state;
    std::string logLine;
  };
  const Case cases[] = {
      {"exe-registered", "Package=setup.exe\r\nPackageUninstallKey=" + entry + "\r\n", 2,
       "Package setup.exe: Programs and Features entry " + entry + " exists"},
      {"exe-absent", "Package=setup.exe\r\nPackageType=EXE\r\nPackageUninstallKey=" + entry + "Gone\r\n", 0,
       "Package setup.exe: Programs and Features entry " + entry + "Gone does not exist"},
      {"exe-unnamed", "Package=setup.exe\r\n", -1,
       "*** Package setup.exe: the description names no PackageUninstallKey to tell whether it is installed"},
      {"msi-code", "Package=notes.msi\r\nPackageProductCode={0F1E2D3C-4B5A-4968-8776-A5B4C3D2E1F0}\r\n", 0,
       "Package notes.msi: Windows Installer product {0F1E2D3C-4B5A-4968-8776-A5B4C3D2E1F0} is not installed"},
      {"frommsi", "Package=restart.msi\r\n", 0,
       "Package restart.msi: Windows Installer product {B2E1C3D4-7C8B-4F69-8E12-3D4C5B6A7F81} is not installed"},
      {"msi-missing", "Package=gone.msi\r\nPackageType=MSI\r\n", -1, "*** Package gone.msi: cannot open the package "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    // The install type does not matter: the package's registration answers.
    std::string propIni = other / (std::string(c.folder) + "\\prop.ini");
    WriteTextFile(propIni, "[Main]\r\nInstallType=ISInstall\r\n" + c.mainLines);
    EXPECT_EQ(IsInstalled(propIni), c.state);
    std::vector<std::string> log = LogLines(suite.Log());
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [&](const std::string& line) { return line.find(c.logLine) != std::string::npos; }))
        << c.logLine << "\n" << ReadTextFile(suite.Log());
  }
  EXPECT_EQ(RegDeleteKeyExA(HKEY_LOCAL_MACHINE, entryKey.c_str(), KEY_WOW64_32KEY, 0), ERROR_SUCCESS);
}

// What the setup host asks of a package before it runs or removes it: the package's kind and file,
// what identifies it, whether it is there and the command its entry registers to remove it.
TEST_F(InstallExecutionTest, APackagesIdentityAndRemoverAreReadForTheHost) {
  Load({});
  ScratchDirectory other("package-exports");
  const std::string entry = "TessaroTestRemover" + FreshId("");
  const std::string uninstallRoot = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
  auto createEntry = [&](const std::string& name, const std::vector<std::pair<const char*, std::string>>& values) {
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, (uninstallRoot + name).c_str(), 0, nullptr, 0,
                              KEY_WRITE | KEY_WOW64_32KEY, nullptr, &created, nullptr),
              ERROR_SUCCESS);
    for (const auto& [valueName, text] : values)
      ASSERT_EQ(RegSetValueExA(created, valueName, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                               static_cast<DWORD>(text.size() + 1)),
                ERROR_SUCCESS);
    RegCloseKey(created);
  };
  createEntry(entry + "Quiet", {{"UninstallString", "C:\\x\\u.exe"}, {"QuietUninstallString", "\"%WINDIR%\\u.exe\" /S"}});
  createEntry(entry + "Loud", {{"UninstallString", "C:\\x\\u.exe /remove"}});
  createEntry(entry + "Mute", {});
  char windows[MAX_PATH] = {};
  GetEnvironmentVariableA("WINDIR", windows, MAX_PATH);
  struct Case {
    const char* folder;
    std::string mainLines;
    int kind;
    int installed;
    std::string identity;  // or, when it cannot be had, the start of why
    int identityResult;
    std::string remover;  // or the start of why there is none
    int removerResult;
  };
  const Case cases[] = {
      {"none", "Name=Plain\r\n", TS_PACKAGE_NONE, -1, "the description names no package", -1,
       "the description names no package", -1},
      {"quiet", "Package=setup.exe\r\nPackageUninstallKey=" + entry + "Quiet\r\n", TS_PACKAGE_EXE, 1, entry + "Quiet", 0,
       "\"" + std::string(windows) + "\\u.exe\" /S", 0},
      {"loud", "Package=SETUP.EXE\r\nPackageUninstallKey=" + entry + "Loud\r\n", TS_PACKAGE_EXE, 1, entry + "Loud", 0,
       "C:\\x\\u.exe /remove", 0},
      {"mute", "Package=setup.exe\r\nPackageUninstallKey=" + entry + "Mute\r\n", TS_PACKAGE_EXE, 1, entry + "Mute", 0,
       "its entry " + entry + "Mute names no uninstaller", -1},
      {"gone", "Package=setup.exe\r\nPackageUninstallKey=" + entry + "Gone\r\n", TS_PACKAGE_EXE, 0, entry + "Gone", 0,
       "no Programs and Features entry " + entry + "Gone", -1},
      {"unnamed", "Package=setup.exe\r\n", TS_PACKAGE_EXE, -1, "the description names no PackageUninstallKey", -1,
       "the description names no PackageUninstallKey to remove it by", -1},
      {"msi", "Package=Notes.MSI\r\nPackageProductCode={0F1E2D3C-4B5A-4968-8776-A5B4C3D2E1F0}\r\n", TS_PACKAGE_MSI, 0,
       "{0F1E2D3C-4B5A-4968-8776-A5B4C3D2E1F0}", 0, "an MSI package is removed by Windows Installer", -1},
      {"msi-typed", "Package=notes.bin\r\nPackageType=msi\r\n", TS_PACKAGE_MSI, -1, "cannot open the package ", -1,
       "an MSI package is removed by Windows Installer", -1},
  };
  auto getPackage = engine->Get<PFN_TS_GetPackage>("TS_GetPackage");
  auto getIdentity = engine->Get<PFN_TS_GetPackageIdentity>("TS_GetPackageIdentity");
  auto isInstalled = engine->Get<PFN_TS_IsPackageInstalled>("TS_IsPackageInstalled");
  auto getRemover = engine->Get<PFN_TS_GetPackageUninstallCommand>("TS_GetPackageUninstallCommand");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    std::string folder = other / c.folder, propIni = folder + "\\prop.ini";
    WriteTextFile(propIni, "[Main]\r\n" + c.mainLines);
    char file[TS_PATH_BUFFER_SIZE] = {}, identity[TS_VALUE_BUFFER_SIZE] = {}, remover[TS_COMMAND_BUFFER_SIZE] = {};
    EXPECT_EQ(getPackage(propIni.c_str(), file), c.kind);
    if (c.kind != TS_PACKAGE_NONE) EXPECT_EQ(ToUpper(file).rfind(ToUpper(folder) + "\\", 0), 0u) << file;
    EXPECT_EQ(getIdentity(propIni.c_str(), identity), c.identityResult);
    EXPECT_EQ(std::string(identity).rfind(c.identity, 0), 0u) << identity;
    EXPECT_EQ(isInstalled(propIni.c_str()), c.installed);
    EXPECT_EQ(getRemover(propIni.c_str(), remover), c.removerResult);
    EXPECT_EQ(std::string(remover).rfind(c.remover, 0), 0u) << remover;
  }
  for (const char* suffix : {"Quiet", "Loud", "Mute"})
    EXPECT_EQ(RegDeleteKeyExA(HKEY_LOCAL_MACHINE, (uninstallRoot + entry + suffix).c_str(), KEY_WOW64_32KEY, 0),
              ERROR_SUCCESS);
}
