// Whole runs through the exports of a freshly loaded engine on a stamped suite: the hook walks,
// the registration steps, and a second run that finds what the first one recorded.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/Paths.h"
#include "state/Registry.h"
#include "support/SuiteTree.h"

using namespace testing_support;

namespace {
const char kSetupKeyPath[] = "Software\\Corvant\\Setup";

// An engine of its own with the suite loaded; unloaded at the end of the scope.
struct LoadedSuite {
  LoadedSuite(const SuiteTree& suite, const std::string& params)
      : engine(suite.MasterDir()), steps(engine), loaded(steps.load(params.c_str()) == 0) {}
  ~LoadedSuite() { steps.unload(); }
  EngineInstance engine;
  EngineSteps steps;
  bool loaded;
};

class WholeRunTest : public ::testing::Test {
 protected:
  WholeRunTest() { CleanCorvantRegistry(); }
  ~WholeRunTest() override { CleanCorvantRegistry(); }

  // Master SUITE with a core component CORELIB; products ALPHA (with a library) and BETA.
  void DescribeSuite(const std::string& masterAnswers = "", const std::string& alphaAnswers = "",
                     const std::string& coreAnswers = "") {
    suite.Describe("master", ProductDescription("SUITE", "Version=3.1\r\nLoadSubsetups=YES\r\n",
                                                "Component0=CORELIB;CORE\r\nPassword=SVC;Service account\r\n"));
    suite.AddMasterLibrary(masterAnswers);
    suite.Describe("alpha", ProductDescription("ALPHA", "Version=1.0\r\n"));
    suite.AddSetupLibrary("alpha", alphaAnswers);
    suite.Describe("beta", ProductDescription("BETA"));
    suite.Describe("Core\\CORELIB", "[Main]\r\nName=Core library\r\nInstallType=ISINSTALL\r\nVersion=7.2\r\n");
    suite.AddSetupLibrary("Core\\CORELIB", coreAnswers);
  }

  std::string Staged(const std::string& name) { return JoinPath(TempDirectory(), name + ".ini"); }
  std::string Call(const std::string& entry, int direction, const std::string& params, const std::string& product) {
    return entry + " direction=" + std::to_string(direction) + " params=" + params + " product=" + product;
  }
  std::string Setup(const std::string& name) { return ReadRegString(HKEY_LOCAL_MACHINE, kSetupKeyPath, name); }
  std::string QuietParams(const std::string& lines = "") { return suite.WriteParams("MessageLevel=NONE\r\n" + lines); }

  MessageBoxWatcher boxes;
  SuiteTree suite{"run"};
};
}  // namespace

TEST_F(WholeRunTest, HooksWalkForwardAndBackWithEachSetupsOwnFilesInForce) {
  DescribeSuite();
  LoadedSuite run(suite, QuietParams());
  ASSERT_TRUE(run.loaded);
  auto& steps = run.steps;
  auto configIniFile = run.engine.Get<int(__stdcall*)(char*)>("TSGetConfigIniFile");
  for (const char* dir : {"master", "alpha", "Core\\CORELIB"}) suite.ClearCalls(dir);

  EXPECT_EQ(steps.initialization(), 1);
  EXPECT_EQ(steps.initialChecks(12), 12);
  char inForce[MAX_PATH] = {};
  configIniFile(inForce);
  EXPECT_EQ(std::string(inForce), suite.ParamsPath());

  EXPECT_EQ(suite.Calls("master"), (std::vector<std::string>{
                                       Call("Initialization", 1, suite.ParamsPath(), "SUITE product"),
                                       Call("InitialChecks", 12, suite.ParamsPath(), "SUITE product")}));
  EXPECT_EQ(suite.Calls("Core\\CORELIB"), (std::vector<std::string>{
                                              Call("Initialization", 1, Staged("CORELIB"), "Core library"),
                                              Call("InitialChecks", 12, Staged("CORELIB"), "Core library")}));
  EXPECT_EQ(suite.Calls("alpha"), (std::vector<std::string>{
                                      Call("Initialization", 1, Staged("ALPHA"), "ALPHA product"),
                                      Call("InitialChecks", 12, Staged("ALPHA"), "ALPHA product")}));
  std::vector<std::string> log = suite.Log();
  EXPECT_TRUE(ContainsLine(log, "Custom DLL Initialization :"));
  EXPECT_TRUE(ContainsLine(log, "   Initialization for SUITE product"));
  EXPECT_TRUE(ContainsLine(log, "   InitialChecks for ALPHA product"));
  EXPECT_TRUE(ContainsLine(log, "   return BACK"));
}

TEST_F(WholeRunTest, BackwardWalkVisitsAlphaThenTheCoreComponentThenTheMaster) {
  DescribeSuite();
  LoadedSuite run(suite, QuietParams());
  ASSERT_TRUE(run.loaded);
  auto& steps = run.steps;
  for (const char* dir : {"master", "alpha", "Core\\CORELIB"}) suite.ClearCalls(dir);
  EXPECT_EQ(steps.preSelection(12), 12);
  std::vector<std::string> log = suite.Log();
  auto at = [&](const std::string& line) { return std::find(log.begin(), log.end(), line) - log.begin(); };
  EXPECT_LT(at("   PreSelection for ALPHA product"), at("   PreSelection for Core library"));
  EXPECT_LT(at("   PreSelection for Core library"), at("   PreSelection for SUITE product"));
  EXPECT_LT(at("   PreSelection for SUITE product"), static_cast<long>(log.size()));
}

TEST_F(WholeRunTest, AHookAnsweringBackAtTheFirstPlaceTurnsTheStepBack) {
  DescribeSuite("PreSelection=12\r\n");
  LoadedSuite run(suite, QuietParams());
  ASSERT_TRUE(run.loaded);
  auto& steps = run.steps;
  suite.ClearCalls("alpha");
  EXPECT_EQ(steps.preSelection(1), 12);
  EXPECT_TRUE(suite.Calls("alpha").empty());
  EXPECT_TRUE(ContainsLine(suite.Log(), "   return BACK"));
}

TEST_F(WholeRunTest, AHookAnsweringZeroStopsTheRun) {
  DescribeSuite("", "InitialChecks=0\r\n");
  LoadedSuite run(suite, QuietParams());
  ASSERT_TRUE(run.loaded);
  auto& steps = run.steps;
  EXPECT_EQ(steps.initialChecks(1), 9);
  EXPECT_TRUE(ContainsLine(suite.Log(), "   Exit setup"));
}

TEST_F(WholeRunTest, AHookAnsweringNextWhileGoingBackTurnsTheWalkForward) {
  DescribeSuite("", "PreSelection=1\r\n");
  LoadedSuite run(suite, QuietParams());
  ASSERT_TRUE(run.loaded);
  auto& steps = run.steps;
  suite.ClearCalls("master");
  suite.ClearCalls("alpha");
  EXPECT_EQ(steps.preSelection(12), 1);
  EXPECT_EQ(suite.Calls("alpha").size(), 1u);
  EXPECT_TRUE(suite.Calls("master").empty());
}

TEST_F(WholeRunTest, CoreComponentsTakeNoPartWhenTheyAreNotInstalled) {
  DescribeSuite();
  LoadedSuite run(suite, QuietParams("InstallCoreComponents=no\r\n"));
  ASSERT_TRUE(run.loaded);
  auto& steps = run.steps;
  suite.ClearCalls("Core\\CORELIB");
  suite.ClearCalls("alpha");
  EXPECT_EQ(steps.initialization(), 1);
  EXPECT_EQ(steps.finalChecks(1), 1);
  EXPECT_TRUE(suite.Calls("Core\\CORELIB").empty());
  EXPECT_EQ(suite.Calls("alpha").size(), 2u);
}

TEST_F(WholeRunTest, ARunRecordsItselfAndTheNextRunFindsIt) {
  DescribeSuite();
  {
    LoadedSuite run(suite, QuietParams("Unattended=YES\r\nPassword0=SVC;svcuser;s3cret\r\n"));
    ASSERT_TRUE(run.loaded);
    auto& steps = run.steps;
    EXPECT_EQ(steps.initialization(), 1);
    EXPECT_EQ(steps.detectComponents(), 1);
    EXPECT_EQ(steps.firstTimeInstall(), 1);
    EXPECT_EQ(steps.initialChecks(1), 1);
    EXPECT_EQ(steps.preSelection(1), 1);
    EXPECT_EQ(steps.postSelection(1), 1);
    EXPECT_EQ(steps.finalChecks(1), 1);
    EXPECT_EQ(steps.configuration(), 0);
    EXPECT_EQ(steps.commitFeatures(), 0);
    EXPECT_EQ(steps.registerTargets(), 0);
  }
  std::vector<std::string> log = suite.Log();
  std::string suiteFile = suite.UninstallFile("SUITE.ini");
  EXPECT_TRUE(ContainsLine(log, "--- First-Time Install of Corvant Products ---"));
  EXPECT_TRUE(ContainsLine(log, "Check disk space :"));
  EXPECT_TRUE(ContainsLine(log, "   Total number of drives :1."));
  EXPECT_TRUE(ContainsLine(log, "Calling Custom dll FinalChecks"));
  EXPECT_TRUE(ContainsLine(log, "Register Setup Type = "));
  EXPECT_TRUE(ContainsLine(log, "Commit installed features :"));
  EXPECT_TRUE(ContainsLine(log, "   Register " + suiteFile + ":SUITE=3.1"));
  EXPECT_TRUE(ContainsLine(log, "   Register password SVC : UserName=svcuser; Password=********"));
  EXPECT_TRUE(ContainsLine(log, "   Target CORVAROOT registered = " + suite.CorvaRoot()));
  EXPECT_TRUE(ContainsLine(log, "   Target CORVACOMMON is not used by a selected component"));
  for (const std::string& line : log) EXPECT_EQ(line.find("s3cret"), std::string::npos) << line;

  EXPECT_EQ(ReadLines(suiteFile), (std::vector<std::string>{"[Features Installed]", "SUITE=3.1"}));
  EXPECT_EQ(Setup("CORVAROOTdir"), suite.CorvaRoot());
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kSetupKeyPath, "CORVACOMMONdir"));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kSetupKeyPath, "WINDIRdir"));
  EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, kSetupKeyPath, "SetupType"));
  EXPECT_EQ(Setup("SetupType"), "");
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kSetupKeyPath, "Folder"));
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup\\Passwords\\SVC", "UserName"), "svcuser");
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup\\Passwords\\SVC", "Password"), "s3cret");

  // The second run: the main directory would now default elsewhere, but the registered one stays.
  WriteTextFile(JoinPath(suite.MasterDir(), "fixture.ini"),
                "[Answers]\r\n[Keywords]\r\n%CORVANTDIR%=" + suite.Dir("elsewhere") + "\r\n");
  std::string secondParams = suite.Dir("second.ini");
  WriteTextFile(secondParams, "[Main]\r\nAppendToLog=" + suite.Dir("second.log") + "\r\nMessageLevel=NONE\r\n");
  {
    LoadedSuite run(suite, secondParams);
    ASSERT_TRUE(run.loaded);
    auto& steps = run.steps;
    EXPECT_EQ(steps.detectComponents(), 1);
    EXPECT_EQ(steps.firstTimeInstall(), 0);
    EXPECT_EQ(steps.commitFeatures(), 0);
    EXPECT_EQ(steps.registerTargets(), 0);
  }
  std::vector<std::string> second = LogLines(suite.Dir("second.log"));
  EXPECT_TRUE(ContainsLine(second, "   SUITE is already installed"));
  EXPECT_TRUE(ContainsLine(second, "--- Reinstall ---"));
  EXPECT_FALSE(ContainsLine(second, "--- First-Time Install of Corvant Products ---"));
  EXPECT_TRUE(ContainsLine(second, "   Target CORVAROOT is already registered = " + suite.CorvaRoot()));
  EXPECT_TRUE(ContainsLine(second, "   Register password SVC : UserName=svcuser; Password=********"));
  EXPECT_EQ(Setup("CORVAROOTdir"), suite.CorvaRoot());
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup\\Passwords\\SVC", "Password"), "s3cret");
}

TEST_F(WholeRunTest, CleanRegistryLeavesOtherProductsKeys) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup\\Passwords\\SVC", "UserName", "u"), ERROR_SUCCESS);
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kSetupKeyPath, "CORVAROOTdir", "C:\\x"), ERROR_SUCCESS);
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Other", "Kept", "yes"), ERROR_SUCCESS);
  ScratchDirectory master("clean");
  {
    EngineInstance engine(master.Path());
    EngineSteps steps(engine);
    EXPECT_EQ(steps.cleanRegistry(), 0);
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kSetupKeyPath));
    EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Other", "Kept"), "yes");

    EXPECT_TRUE(DeleteRegKeyTree(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Other"));
    EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant", "Value", "v"), ERROR_SUCCESS);
    EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kSetupKeyPath, "Folder", "f"), ERROR_SUCCESS);
    EXPECT_EQ(steps.cleanRegistry(), 0);
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, "Software\\Corvant"));

    EXPECT_NE(DeleteRegValue(HKEY_LOCAL_MACHINE, "Software\\Corvant", "Value"), RegDelete::Failed);
    EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kSetupKeyPath, "Folder", "f"), ERROR_SUCCESS);
    EXPECT_EQ(steps.cleanRegistry(), 0);
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, "Software\\Corvant"));
  }
}
