#include "ui/MessageSteps.h"

#include "engine/Log.h"
#include "engine/StepResult.h"
#include "ui/PageHost.h"

namespace {
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;
}  // namespace

int RunMessageBoxStep(const std::string& caption, const std::string& text1, const std::string& text2,
                      int buttonMask) {
  LogLine(text1);
  ScopedLogIndent indent;
  if (!text2.empty()) LogLine(text2);
  return StepResultOf(Pages().MessagePage(caption, text1, text2, buttonMask));
}

QuestionEnd SplitQuestionCode(int combinedCode) {
  QuestionEnd end;
  end.end = PageEndOf(combinedCode & 3);
  int answer = combinedCode >> 2;
  end.answered = answer == kAnswerYes || answer == kAnswerNo;
  end.yes = answer == kAnswerYes;
  return end;
}

int CombinedQuestionCode(bool yes, int endCode) { return (yes ? kAnswerYes : kAnswerNo) * 4 + endCode; }

PageButtons MessagePageButtons(int buttonMask) {
  PageButtons buttons;
  buttons.back = !(buttonMask & 1);
  buttons.next = !(buttonMask & 2);
  // A page needs a way out: with Back and Next disabled, Cancel stays whatever the mask says.
  buttons.cancel = !(buttonMask & 4) || !(buttons.back || buttons.next);
  return buttons;
}

PageButtons QuestionPageButtons(int buttonMask) { return MessagePageButtons(buttonMask); }

int RunAskYesNoStep(const std::string& caption, const std::string& text1, const std::string& text2,
                    const std::string& yesText, const std::string& noText, int& answer, int buttonMask) {
  LogLine("Prompt - " + text1);
  QuestionEnd end = Pages().QuestionPage(caption, text1, text2, yesText, noText, answer == 1, buttonMask);
  if (end.answered) {
    LogLine(end.yes ? "   - Yes" : "   - No");
    answer = end.yes ? 1 : 0;
  }
  if (end.end == PageEnd::Back) {
    LogLine("   return BACK");
    return kStepBack;
  }
  if (end.end == PageEnd::Next) return kStepNext;
  return kStepStop;
}

int RunUserPasswordStep(const std::string& caption, const std::string& prompt, const std::string& userLabel,
                        const std::string& passwordLabel, std::string& user, std::string& password) {
  LogLine("Prompt for password - " + prompt);
  ScopedLogIndent indent;
  AccountAnswer answer = Pages().UserPasswordPage(caption, prompt, userLabel, passwordLabel, user, password);
  user = answer.user;
  password = answer.password;
  int result = StepResultOf(answer.end);
  LogLine("User name = " + user);
  return result;
}
