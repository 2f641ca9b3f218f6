// The service-account prompts of the post-selection step, on a suite loaded in this process,
// with a scripted page host.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/Log.h"
#include "model/Model.h"
#include "support/ScriptedPages.h"
#include "support/SuiteTree.h"
#include "ui/AccountSteps.h"

using namespace testing_support;

namespace {
class PasswordPromptTest : public InProcessModelTest {
 protected:

  // SUITE needs the account SVC, its feature F1 the account DB; the account IDLE nobody selects.
  void Load(const std::string& paramsLines = "") {
    suite.Describe("master", ProductDescription("SUITE", "", "Password=SVC;Service account\r\nFeature0=F1\r\n"
                                                             "Feature1=F2\r\n[F1]\r\nName=F1\r\n"
                                                             "Password=DB;Database account\r\n[F2]\r\nName=F2\r\n"
                                                             "Password=IDLE;Idle account\r\n"));
    suite.AddMasterLibrary();
    suite.LoadInProcess(suite.WriteParams("MessageLevel=NONE\r\n" + paramsLines));
    Master().rootFeature.selected = 1;
    Master().rootFeature.subfeatures.At(0).selected = 1;
  }
  CPassword& Account(const std::string& id) { return *Master().passwords.Find(id); }
  std::vector<std::string> Prompts() {
    std::vector<std::string> prompts;
    for (const auto& page : pages.host.shown) prompts.push_back(page.text1);
    return prompts;
  }

  MessageBoxWatcher boxes;
  SuiteTree suite{"pw"};
  ScopedScriptedPages pages;
};
}  // namespace

TEST_F(PasswordPromptTest, EveryNeededAccountIsAskedForwardAndStoredTrimmed) {
  Load();
  pages.host.userPasswordAnswers = {{kEndNext, "  svcuser ", " pw1 "}, {kEndNext, "dbuser", "  "},
                                    {kEndNext, "dbuser", "pw2"}};
  EXPECT_EQ(PromptForPasswords(Master(), 1), 1);
  EXPECT_EQ(Prompts(), (std::vector<std::string>{"Service account", "Database account", "Database account"}));
  EXPECT_EQ(pages.host.shown[0].caption, "");
  EXPECT_EQ(pages.host.shown[0].yesText, "Username");
  EXPECT_EQ(pages.host.shown[0].noText, "Password");
  EXPECT_EQ(Account("SVC").userName, "svcuser");
  EXPECT_EQ(Account("SVC").password, "pw1");
  EXPECT_EQ(Account("DB").password, "pw2");
  EXPECT_EQ(Account("IDLE").needed, 0);
  EXPECT_EQ(LogIndentLevel(), 0);
  std::vector<std::string> log = suite.Log();
  EXPECT_TRUE(ContainsLine(log, "Prompt for Passwords :"));
  EXPECT_TRUE(ContainsLine(log, "   Get Password for SVC :"));
  EXPECT_TRUE(ContainsLine(log, "      User Name = svcuser; Password = ********"));
  EXPECT_TRUE(ContainsLine(log, "      ***** You must supply a UserName and Password."));
  EXPECT_TRUE(ContainsLine(log, "      User Name = dbuser; Password = ********"));
  EXPECT_FALSE(ContainsLine(log, "   Get Password for IDLE :"));
  for (const std::string& line : log) {
    EXPECT_EQ(line.find("pw1"), std::string::npos) << line;
    EXPECT_EQ(line.find("pw2"), std::string::npos) << line;
  }
}

TEST_F(PasswordPromptTest, GoingBackStartsWithTheLastAccountAndLeavesBeforeTheFirst) {
  Load();
  pages.host.userPasswordAnswers = {{kEndNext, "u", "p"}, {kEndBack, "", ""}};
  EXPECT_EQ(PromptForPasswords(Master(), 12), 1);
  EXPECT_EQ(Prompts(), (std::vector<std::string>{"Database account"}));
  EXPECT_EQ(PromptForPasswords(Master(), 1), 12);
  EXPECT_EQ(Prompts(), (std::vector<std::string>{"Database account", "Service account"}));
  EXPECT_EQ(suite.Log().back(), "   return BACK");
  EXPECT_EQ(LogIndentLevel(), 0);
}

TEST_F(PasswordPromptTest, CancelStopsTheRun) {
  Load();
  pages.host.userPasswordAnswers = {{kEndCancel, "", ""}};
  EXPECT_EQ(PromptForPasswords(Master(), 1), 9);
  EXPECT_TRUE(ContainsLine(suite.Log(), "   Exit setup"));
  EXPECT_EQ(LogIndentLevel(), 0);
}

TEST_F(PasswordPromptTest, PresetAccountsAreBypassedWithTheirPasswordMasked) {
  Load("EnableGetPasswordDlg=NO\r\nPassword0=DB;dbuser;preset\r\n");
  pages.host.userPasswordAnswers = {{kEndNext, "svcuser", "typed"}};
  EXPECT_EQ(PromptForPasswords(Master(), 1), 1);
  EXPECT_EQ(Prompts(), (std::vector<std::string>{"Service account"}));
  EXPECT_EQ(Account("DB").password, "preset");
  std::vector<std::string> log = suite.Log();
  EXPECT_TRUE(ContainsLine(log, "      Bypass dialog - Username = dbuser; Password = ********"));
  for (const std::string& line : log) EXPECT_EQ(line.find("preset"), std::string::npos) << line;
}

TEST_F(PasswordPromptTest, AnUnattendedRunAsksNothing) {
  Load("Unattended=YES\r\nPassword0=SVC;svcuser;secret\r\n");
  EXPECT_EQ(PromptForPasswords(Master(), 12), 12);
  EXPECT_TRUE(pages.host.shown.empty());
  std::vector<std::string> log = suite.Log();
  EXPECT_TRUE(ContainsLine(log, "      Bypass dialog - Username = svcuser; Password = ********"));
  EXPECT_TRUE(ContainsLine(log, "      Bypass dialog - Username = ; Password = "));
}

TEST_F(PasswordPromptTest, WithoutAccountsTheDirectionPassesThrough) {
  Load();
  Master().rootFeature.selected = 0;
  Master().rootFeature.subfeatures.At(0).selected = 0;
  EXPECT_EQ(PromptForPasswords(Master(), 1), 1);
  EXPECT_EQ(PromptForPasswords(Master(), 12), 12);
  EXPECT_TRUE(pages.host.shown.empty());
}

TEST_F(PasswordPromptTest, PostSelectionGoingBackRunsTheHooksFirst) {
  Load();
  pages.host.userPasswordAnswers = {{kEndNext, "u", "p"}, {kEndNext, "u", "p"}};
  EXPECT_EQ(PostSelectionStep(Master(), 12), 1);
  std::vector<std::string> log = suite.Log();
  auto hooks = std::find(log.begin(), log.end(), "Custom DLL PostSelection :");
  auto prompts = std::find(log.begin(), log.end(), "Prompt for Passwords :");
  ASSERT_NE(hooks, log.end());
  ASSERT_NE(prompts, log.end());
  EXPECT_LT(hooks - log.begin(), prompts - log.begin());
  // Going back the walk starts at the last account; its Next turns the walk forward again.
  EXPECT_EQ(Prompts(), (std::vector<std::string>{"Database account"}));
  // The master's hook saw the walk going back, then the step went forward past the hooks.
  std::vector<std::string> calls = suite.Calls("master");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].rfind("PostSelection direction=12", 0), 0u) << calls[0];
  EXPECT_EQ(calls[1].rfind("PostSelection direction=1", 0), 0u) << calls[1];
}

TEST_F(PasswordPromptTest, PostSelectionGoesBackWhenThePromptsGoBack) {
  Load();
  pages.host.userPasswordAnswers = {{kEndBack, "", ""}};
  EXPECT_EQ(PostSelectionStep(Master(), 1), 12);
  EXPECT_TRUE(suite.Calls("master").empty());
}
