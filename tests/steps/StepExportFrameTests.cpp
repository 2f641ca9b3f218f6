// The exported frames of the prompts and steps, called in this process as a script calls them:
// buffers in and out, and the failure texts of a step whose work throws.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <stdexcept>

#include "include/tessaro.h"
#include "engine/Log.h"
#include "engine/Params.h"
#include "exports/ExportFrame.h"
#include "model/Model.h"
#include "support/ScriptedPages.h"
#include "support/SuiteTree.h"
#include "ui/PageHost.h"

using namespace testing_support;

namespace {
class ExportFrameTest : public InProcessModelTest {
 protected:
  void Load(const std::string& paramsLines = "") {
    suite.Describe("master", ProductDescription("SUITE", "", "Password=SVC;Service account\r\nTargetNeed0=CORVAROOT;64\r\n"));
    suite.AddMasterLibrary();
    suite.LoadInProcess(suite.WriteParams("MessageLevel=NONE\r\n" + paramsLines));
  }
  MessageBoxWatcher boxes;
  SuiteTree suite{"frame"};
};

// A page host whose pages fail, as a broken dialog would.
class FailingPages : public ScriptedPageHost {
 public:
  QuestionEnd QuestionPage(const std::string&, const std::string&, const std::string&, const std::string&,
                           const std::string&, bool, int) override {
    throw std::runtime_error("no question page");
  }
  AccountAnswer UserPasswordPage(const std::string&, const std::string&, const std::string&, const std::string&,
                                 const std::string&, const std::string&) override {
    throw std::runtime_error("no password page");
  }
};
}  // namespace

TEST_F(ExportFrameTest, PromptExportsHandTheirAnswersBack) {
  Load();
  ScopedScriptedPages pages;
  pages.host.messageEnds = {kEndBack, kEndNext};
  pages.host.questionCodes = {29};
  pages.host.userPasswordAnswers = {{kEndCancel, "typed user", "typed password"}};
  EXPECT_EQ(TS_MessageBox("Cap", "one", "two", 3, 0), 12);
  EXPECT_EQ(pages.host.shown[0].buttonMask, 3);
  EXPECT_EQ(_SdMessageBox("Cap", "three", nullptr, 1), 1);
  EXPECT_EQ(pages.host.shown[1].buttonMask, 0);
  int answer = 1;
  EXPECT_EQ(_SdAskYesNo("Cap", "Sure?", "", "Yes", "No", &answer, 0), 1);
  EXPECT_EQ(answer, 0);
  char user[256] = "start";
  char password[256] = "old";
  EXPECT_EQ(TS_UserPassDlg("", "Account", "Username", "Password", user, password), 9);
  EXPECT_STREQ(user, "typed user");
  EXPECT_STREQ(password, "typed password");
  EXPECT_EQ(pages.host.shown[3].user, "start");
}

TEST_F(ExportFrameTest, AStepWhoseWorkFailsShowsItsTextAndStops) {
  Load();
  FailingPages failing;
  SetPageHost(&failing);
  Master().rootFeature.selected = 1;
  EXPECT_EQ(TS_PostSelection(1), 9);
  EXPECT_TRUE(ContainsLine(suite.Log(), "***** An unknown error occurred during Post-Selection processing."));
  for (CComponent& component : Master().components) component.selected = 1;
  Master().targets.Find("CORVAROOT")->path = "Q:\\nowhere";
  EXPECT_EQ(TS_FinalChecks(1), 9);
  EXPECT_TRUE(ContainsLine(suite.Log(), "***** An unknown error occurred during Final Checks."));
  EXPECT_EQ(LogIndentLevel(), 0);
  SetPageHost(nullptr);
}

TEST_F(ExportFrameTest, DiskSpaceExportsLogWhatTheyAnswer) {
  Load();
  for (CComponent& component : Master().components) component.selected = 1;
  std::string drive = Master().targets.Find("CORVAROOT")->path.substr(0, 2);
  EXPECT_EQ(TSGetDiskSpaceRequired(drive.c_str()), 64UL);
  EXPECT_EQ(TSGetDiskSpaceRequired((drive + "\\").c_str()), 0UL);
  EXPECT_EQ(TSGetSetupDiskSpaceRequired("suite"), 14064UL);
  EXPECT_EQ(TSGetTotalDiskSpaceRequired(), 14064UL);
  for (CComponent& component : Master().components) component.selected = 0;
  EXPECT_EQ(TSGetSetupDiskSpaceRequired("SUITE"), 0UL);
  std::vector<std::string> log = suite.Log();
  EXPECT_TRUE(ContainsLine(log, "Disk space required for suite = 14064"));
  EXPECT_TRUE(ContainsLine(log, "Total disk space required for the Setup = 14064"));
  EXPECT_TRUE(ContainsLine(log, "Disk space required for SUITE = 0"));
}

TEST_F(ExportFrameTest, InstalledProductsAndFirstInstallComeFromTheLastDetection) {
  WriteTextFile(suite.UninstallFile("A.ini"), "[Main]\r\nVisible=YES\r\nDescription=Alpha Suite\r\n");
  Load();
  char list[1024] = "stale";
  EXPECT_EQ(TSGetNEXOTasks(list), 0);
  EXPECT_STREQ(list, "Alpha Suite");
  Master().firstInstallOfTheseProducts = 1;
  EXPECT_EQ(TS_FirstTimeInstall(), 1);
  Master().firstInstallOfTheseProducts = 0;
  EXPECT_EQ(TS_FirstTimeInstall(), 0);
}

// An export that never fails answers its fallback after an exception, and says in the log what
// it caught: an engine error, a standard exception, or something that is neither.
TEST_F(ExportFrameTest, AQuietExportLogsWhatItCaughtBeforeItsFallback) {
  Load();
  struct Case {
    std::function<int()> body;
    std::string line;
  };
  const std::vector<Case> cases = {
      {[]() -> int { throw CMyError("Uninstall ID A\\B is not a valid file name"); },
       "*** TS_Example: Uninstall ID A\\B is not a valid file name"},
      {[]() -> int { throw std::runtime_error("no page"); }, "*** TS_Example: no page"},
      {[]() -> int { throw 42; }, "*** TS_Example: an exception that says nothing about itself"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Quietly("TS_Example", 7, c.body), 7);
    EXPECT_TRUE(ContainsLine(suite.Log(), c.line)) << c.line;
  }
  EXPECT_EQ(Quietly("TS_Example", 7, [] { return 3; }), 3);
}
