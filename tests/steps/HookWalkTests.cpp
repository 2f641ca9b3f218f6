// The hook walk on suites loaded in this process: places without a library, and core
// components left out by the parameters file in force when the walk runs.
#include <gtest/gtest.h>

#include "engine/Log.h"
#include "engine/Params.h"
#include "model/SetupHooks.h"
#include "model/Model.h"
#include "support/SuiteTree.h"

using namespace testing_support;

namespace {
class HookWalkTest : public InProcessModelTest {
 protected:
  MessageBoxWatcher boxes;
  SuiteTree suite{"hooks"};
};
}  // namespace

TEST_F(HookWalkTest, WithoutLibrariesTheDirectionPassesThrough) {
  suite.Describe("master", ProductDescription("SUITE", "LoadSubsetups=YES\r\n"));
  suite.Describe("alpha", ProductDescription("ALPHA"));
  suite.LoadInProcess(suite.WriteParams("MessageLevel=NONE\r\n"));
  EXPECT_EQ(RunSetupHooks(Master(), 1, "InitialChecks"), 1);
  EXPECT_EQ(RunSetupHooks(Master(), 12, "InitialChecks"), 12);
  EXPECT_EQ(RunSetupHooks(Master(), 0, "InitialChecks"), 9);
  EXPECT_EQ(suite.Log().back(), "   Exit setup");
  EXPECT_EQ(LogIndentLevel(), 0);
  std::vector<std::string> log = suite.Log();
  EXPECT_TRUE(ContainsLine(log, "Custom DLL InitialChecks :"));
  EXPECT_TRUE(ContainsLine(log, "   return BACK"));
}

TEST_F(HookWalkTest, CoreComponentsAreLeftOutWhenTheParametersInForceSaySo) {
  suite.Describe("master", ProductDescription("SUITE", "", "Component0=CORELIB;CORE\r\n"));
  suite.AddMasterLibrary();
  suite.Describe("Core\\CORELIB", "[Main]\r\nName=Core library\r\nInstallType=ISINSTALL\r\n");
  suite.AddSetupLibrary("Core\\CORELIB");
  suite.LoadInProcess(suite.WriteParams("MessageLevel=NONE\r\n"));
  EXPECT_EQ(RunSetupHooks(Master(), 1, "PreSelection"), 1);
  EXPECT_EQ(suite.Calls("Core\\CORELIB").size(), 1u);

  std::string withoutCore = suite.Dir("nocore.ini");
  WriteTextFile(withoutCore, "[Main]\r\nInstallCoreComponents=No\r\nAppendToLog=" + suite.LogPath() + "\r\n");
  SetParamsFileInForce(withoutCore);
  suite.ClearCalls("Core\\CORELIB");
  suite.ClearCalls("master");
  EXPECT_EQ(RunSetupHooks(Master(), 12, "PreSelection"), 12);
  EXPECT_TRUE(suite.Calls("Core\\CORELIB").empty());
  EXPECT_EQ(suite.Calls("master").size(), 1u);
  EXPECT_EQ(ParamsFileInForce(), withoutCore);
}
