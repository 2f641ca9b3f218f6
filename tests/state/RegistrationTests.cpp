// The registration records of a suite loaded in this process, with selections set directly.
#include <gtest/gtest.h>

#include "engine/Log.h"
#include "engine/Paths.h"
#include "model/Model.h"
#include "state/Registration.h"
#include "state/Registry.h"
#include "support/SuiteTree.h"

using namespace testing_support;

namespace {
const char kSetupKeyPath[] = "Software\\Corvant\\Setup";

class RegistrationTest : public InProcessModelTest {
 protected:

  void Describe(const std::string& rootLines = "") {
    suite.Describe("master",
                   "[Main]\r\nName=Suite\r\nRootFeature=SUITE\r\nInstallType=ISINSTALL\r\nVersion=4.0\r\n"
                   "[Targets]\r\nTarget0=DATA;Data;%CORVAROOT%\\Data;The data;MULTIPLE\r\n"
                   "Target1=LOGS;Logs;%CORVAROOT%\\Logs;The logs\r\n"
                   "Target2=UNUSED;Unused;%CORVAROOT%\\Unused;Nothing\r\n"
                   "[SUITE]\r\nName=Suite\r\nFeature0=F1\r\nFeature1=F2\r\nComponent0=CORELIB;CORE\r\n"
                   "TargetNeed0=DATA;100\r\n" + rootLines +
                   "[F1]\r\nName=F1\r\nUninstallID=SHARED\r\nVersion=1.5\r\nFeature0=F3\r\n"
                   "[F2]\r\nName=F2\r\nUninstallID=SHARED\r\nNeedsFolder=NO\r\nTargetNeed0=LOGS;5\r\n"
                   "[F3]\r\nName=F3\r\nUninstallID=OTHER\r\n");
    suite.AddMasterLibrary();
    suite.Describe("Core\\CORELIB", "[Main]\r\nName=Core library\r\nInstallType=ISINSTALL\r\nVersion=7.2\r\n");
  }
  void Load(const std::string& paramsLines = "") {
    suite.LoadInProcess(suite.WriteParams("MessageLevel=NONE\r\n" + paramsLines));
  }
  CFeature& Feature(const std::vector<int>& path) {
    CFeature* feature = &Master().rootFeature;
    for (int index : path) feature = &feature->subfeatures.At(index);
    return *feature;
  }
  CComponent& Component(const std::string& id) { return *Master().components.Find(id); }
  std::string Setup(const std::string& name) { return ReadRegString(HKEY_LOCAL_MACHINE, kSetupKeyPath, name); }

  MessageBoxWatcher boxes;
  SuiteTree suite{"reg"};
};
}  // namespace

TEST_F(RegistrationTest, CommitWritesTheRootAndTheSelectedFeaturesAndKeepsEarlierEntries) {
  Describe();
  Load();
  Feature({0}).selected = 1;
  Feature({0, 0}).selected = 1;
  SetLogIndentLevel(2);
  EXPECT_TRUE(CommitFeatures(Master()));
  EXPECT_EQ(LogIndentLevel(), 2);
  SetLogIndentLevel(0);
  std::string shared = suite.UninstallFile("SHARED.ini");
  EXPECT_EQ(ReadLines(suite.UninstallFile("SUITE.ini")), (std::vector<std::string>{"[Features Installed]", "SUITE=4.0"}));
  EXPECT_EQ(ReadLines(shared), (std::vector<std::string>{"[Features Installed]", "F1=1.5"}));
  EXPECT_EQ(ReadLines(suite.UninstallFile("OTHER.ini")), (std::vector<std::string>{"[Features Installed]", "F3=1.5"}));
  std::vector<std::string> log = suite.Log();
  EXPECT_TRUE(ContainsLine(log, "      Commit installed features :"));
  EXPECT_TRUE(ContainsLine(log, "         Register " + suite.UninstallFile("SUITE.ini") + ":SUITE=4.0"));
  EXPECT_TRUE(ContainsLine(log, "            Register " + shared + ":F1=1.5"));
  EXPECT_TRUE(ContainsLine(log, "               Register " + suite.UninstallFile("OTHER.ini") + ":F3=1.5"));

  Feature({0}).selected = 0;
  Feature({1}).selected = 1;
  EXPECT_TRUE(CommitFeatures(Master()));
  EXPECT_EQ(ReadLines(shared), (std::vector<std::string>{"[Features Installed]", "F1=1.5", "F2=4.0"}));
}

TEST_F(RegistrationTest, SelectedCoreComponentsGoToTheCommonFile) {
  Describe();
  Load();
  EXPECT_TRUE(CommitFeatures(Master()));
  EXPECT_FALSE(FileExists(suite.UninstallFile("Corvant Common.ini")));
  Component("CORELIB").selected = 1;
  Component("SUITE").selected = 1;
  EXPECT_TRUE(CommitFeatures(Master()));
  std::string common = suite.UninstallFile("Corvant Common.ini");
  EXPECT_EQ(ReadLines(common), (std::vector<std::string>{"[Core Components Installed]", "CORELIB=7.2"}));
  EXPECT_TRUE(ContainsLine(suite.Log(), "   Register " + common + ":CORELIB=7.2"));
  EXPECT_TRUE(ContainsLine(suite.Log(), "Commit core components :"));
}

TEST_F(RegistrationTest, PasswordsAreRecordedInFullButLoggedMasked) {
  Describe("Password=SVC;Service\r\n");
  Load();
  CPassword& account = *Master().passwords.Find("SVC");
  account.userName = "admin";
  account.password = "hunter2";
  EXPECT_TRUE(CommitFeatures(Master()));
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup\\Passwords\\SVC", "UserName"), "admin");
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup\\Passwords\\SVC", "Password"), "hunter2");
  std::vector<std::string> log = suite.Log();
  EXPECT_TRUE(ContainsLine(log, "   Register password SVC : UserName=admin; Password=********"));
  for (const std::string& line : log) EXPECT_EQ(line.find("hunter2"), std::string::npos);
}

TEST_F(RegistrationTest, AnAccountNotAskedForKeepsItsRegisteredAnswers) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup\\Passwords\\SVC", "UserName", "earlier"), ERROR_SUCCESS);
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup\\Passwords\\SVC", "Password", "kept"), ERROR_SUCCESS);
  Describe("Password=SVC;Service\r\n");
  Load();
  EXPECT_TRUE(CommitFeatures(Master()));
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup\\Passwords\\SVC", "UserName"), "earlier");
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup\\Passwords\\SVC", "Password"), "kept");
}

TEST_F(RegistrationTest, TargetsUsedBySelectedComponentsAreRegisteredOnceUnlessMultiple) {
  Describe();
  Load();
  Component("SUITE").selected = 1;
  EXPECT_TRUE(RegisterTargets(Master()));
  std::string root = suite.CorvaRoot();
  EXPECT_EQ(Setup("CORVAROOTdir"), root);
  EXPECT_EQ(Setup("DATAdir"), root + "\\Data");
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kSetupKeyPath, "LOGSdir"));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kSetupKeyPath, "WINSYSDIRdir"));
  std::vector<std::string> log = suite.Log();
  EXPECT_TRUE(ContainsLine(log, "Register Targets :"));
  EXPECT_TRUE(ContainsLine(log, "   Target DATA registered = " + root + "\\Data"));
  EXPECT_TRUE(ContainsLine(log, "   Target LOGS is not used by a selected component"));
  EXPECT_TRUE(ContainsLine(log, "   Target UNUSED is not used by a selected component"));

  Component("F2").selected = 1;
  Master().targets.Find("DATA")->path = "C:\\NewData";
  Master().targets.Find("CORVAROOT")->path = "C:\\NewRoot";
  EXPECT_TRUE(RegisterTargets(Master()));
  EXPECT_EQ(Setup("DATAdir"), "C:\\NewData");
  EXPECT_EQ(Setup("CORVAROOTdir"), root);
  EXPECT_EQ(Setup("LOGSdir"), root + "\\Logs");
  log = suite.Log();
  EXPECT_TRUE(ContainsLine(log, "   Target CORVAROOT is already registered = " + root));
  EXPECT_TRUE(ContainsLine(log, "   Target DATA registered = C:\\NewData"));
}

TEST_F(RegistrationTest, ConfigurationRecordsFolderSetupTypeAndServer) {
  Describe();
  Load();
  CSetup& master = Master();
  master.programFolder = "Corvant Apps";
  master.setupType = "standard";
  Feature({1}).selected = 1;
  EXPECT_TRUE(RecordConfiguration(master));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kSetupKeyPath, "Folder"));
  EXPECT_EQ(Setup("SetupType"), "STANDARD");
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, "Software\\Corvant\\CFW"));

  Feature({0}).selected = 1;
  master.serverPagesShown = 1;
  master.serverActive = 1;
  master.serverName = "HOST";
  EXPECT_TRUE(RecordConfiguration(master));
  EXPECT_EQ(Setup("Folder"), "Corvant Apps");
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\CFW", "Active"), "1");
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\CFW", "AdvancedSettings"), "0");
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\CFW\\Server", "WebServer"), "HOST");
  std::vector<std::string> log = suite.Log();
  EXPECT_TRUE(ContainsLine(log, "Register Setup Type = STANDARD"));
  EXPECT_TRUE(ContainsLine(log, "Register folder = Corvant Apps"));
  EXPECT_TRUE(ContainsLine(log, "Register NEXO Server = Active"));
  EXPECT_TRUE(ContainsLine(log, "Register NEXO Server = Inactive"));
  EXPECT_TRUE(ContainsLine(log, "Register NEXO Server name = HOST"));
}
