// The message, question and user name/password prompts with a scripted page host.
#include <gtest/gtest.h>

#include "engine/Errors.h"
#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/StepResult.h"
#include "support/ScriptedPages.h"
#include "support/TestSupport.h"
#include "ui/MessageSteps.h"

using namespace testing_support;

namespace {
class PromptStepsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLogPath(dir / "run.log");
    SetLogIndentLevel(0);
  }
  void TearDown() override {
    SetLogPath("");
    SetLogIndentLevel(0);
  }
  std::vector<std::string> Log() { return ReadLines(dir / "run.log"); }
  ScratchDirectory dir{"prompt"};
  ScopedScriptedPages pages;
};
}  // namespace

TEST_F(PromptStepsTest, MessageBoxLogsBothTextsAndMapsItsEnd) {
  pages.host.messageEnds = {kEndNext, kEndBack, kEndCancel};
  EXPECT_EQ(RunMessageBoxStep("Cap", "first", "second", 2), 1);
  EXPECT_EQ(RunMessageBoxStep("Cap", "again", "", 0), 12);
  EXPECT_EQ(RunMessageBoxStep("Cap", "last", "", 1), 9);
  ASSERT_EQ(pages.host.shown.size(), 3u);
  EXPECT_EQ(pages.host.shown[0].buttonMask, 2);
  EXPECT_EQ(pages.host.shown[0].text2, "second");
  EXPECT_EQ(Log(), (std::vector<std::string>{"first", "   second", "again", "   return BACK", "last",
                                              "   User cancelled"}));
  EXPECT_EQ(LogIndentLevel(), 0);
}

TEST(QuestionCodeTest, SplitsTheCombinedCode) {
  QuestionEnd nextYes = SplitQuestionCode(25);
  EXPECT_EQ(nextYes.end, PageEnd::Next);
  EXPECT_TRUE(nextYes.answered);
  EXPECT_TRUE(nextYes.yes);
  QuestionEnd backNo = SplitQuestionCode(31);
  EXPECT_EQ(backNo.end, PageEnd::Back);
  EXPECT_FALSE(backNo.yes);
  EXPECT_TRUE(backNo.answered);
  QuestionEnd cancel = SplitQuestionCode(2);
  EXPECT_EQ(cancel.end, PageEnd::Cancel);
  EXPECT_FALSE(cancel.answered);
}

TEST_F(PromptStepsTest, AskYesNoStoresTheAnswerAndLogsIt) {
  pages.host.questionCodes = {29, 27, 2};
  int answer = 1;
  EXPECT_EQ(RunAskYesNoStep("Cap", "Proceed?", "more", "Yes!", "No!", answer, 4), 1);
  EXPECT_EQ(answer, 0);
  EXPECT_EQ(pages.host.shown[0].initialAnswer, 1);
  EXPECT_EQ(pages.host.shown[0].yesText, "Yes!");
  EXPECT_EQ(pages.host.shown[0].buttonMask, 4);
  EXPECT_EQ(RunAskYesNoStep("Cap", "Again?", "", "y", "n", answer, 0), 12);
  EXPECT_EQ(pages.host.shown[1].initialAnswer, 0);
  EXPECT_EQ(answer, 1);
  EXPECT_EQ(RunAskYesNoStep("Cap", "Third?", "", "y", "n", answer, 0), 9);
  EXPECT_EQ(answer, 1);
  EXPECT_EQ(Log(), (std::vector<std::string>{"Prompt - Proceed?", "   - No", "Prompt - Again?", "   - Yes",
                                              "   return BACK", "Prompt - Third?"}));
}

TEST_F(PromptStepsTest, UserPasswordGivesBackWhatWasTypedAndNeverLogsThePassword) {
  pages.host.userPasswordAnswers = {{kEndCancel, "typed", "secret"}, {kEndNext, "u2", "p2"}};
  std::string user = "start", password = "old";
  EXPECT_EQ(RunUserPasswordStep("", "Account please", "Username", "Password", user, password), 9);
  EXPECT_EQ(user, "typed");
  EXPECT_EQ(password, "secret");
  EXPECT_EQ(pages.host.shown[0].user, "start");
  EXPECT_EQ(pages.host.shown[0].password, "old");
  EXPECT_EQ(RunUserPasswordStep("", "Again", "U", "P", user, password), 1);
  EXPECT_EQ(password, "p2");
  std::vector<std::string> log = Log();
  EXPECT_EQ(log, (std::vector<std::string>{"Prompt for password - Account please", "   User cancelled",
                                            "   User name = typed", "Prompt for password - Again",
                                            "   User name = u2"}));
  for (const std::string& line : log) EXPECT_EQ(line.find("secret"), std::string::npos);
}

TEST_F(PromptStepsTest, ACheckErrorWithAMessageAsksOnTheMessagePageAndTakesItsAnswer) {
  pages.host.messageEnds = {kEndBack};
  CCheckError error("Not enough room.", "Free some space first.", kStepStop);
  error.Report();
  EXPECT_EQ(error.Code(), kStepBack);
  ASSERT_EQ(pages.host.shown.size(), 1u);
  EXPECT_EQ(pages.host.shown[0].caption, "Corvant Setup");
  EXPECT_EQ(pages.host.shown[0].text1, "Not enough room.");
  EXPECT_EQ(pages.host.shown[0].buttonMask, 2);
}
