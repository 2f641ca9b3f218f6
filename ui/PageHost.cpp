#include "ui/PageHost.h"

#include "engine/Errors.h"
#include "engine/UserQuestions.h"
#include "ui/MessageSteps.h"
#include "ui/windows/WindowPageHost.h"

namespace {
// Bit 2 of a message page's mask: the user may go back or leave, not on.
constexpr int kNextDisabled = 2;

// The engine's own questions are asked on the pages of the host in force, from the start.
class QuestionsOnPages : public UserQuestions {
 public:
  QuestionsOnPages() { SetUserQuestions(this); }
  ~QuestionsOnPages() override { SetUserQuestions(nullptr); }
  int AskAboutCheckError(const std::string& caption, const std::string& message, const std::string& detail) override {
    return RunMessageBoxStep(caption, message, detail, kNextDisabled);
  }
  QuestionEnd AskQuestion(const std::string& caption, const std::string& text1, const std::string& text2,
                          const std::string& yesText, const std::string& noText) override {
    return Pages().QuestionPage(caption, text1, text2, yesText, noText, true, 0);
  }
  PageEnd ShowDependencyErrors(const std::string& title, const std::string& text, int group) override {
    return Pages().DependencyErrorPage(title, text, group);
  }
  int TellFailure(const std::string& text, unsigned style) override {
    // In front of the page that is up; nobody is there to close a box in an unattended run, so
    // the log alone carries the failure then.
    return ShowFailureText(text, style);
  }
};
QuestionsOnPages questionsOnPages;

PageHost*& Installed() {
  static PageHost* host = nullptr;
  return host;
}
}  // namespace

PageHost& Pages() {
  static WindowPageHost windows;
  PageHost* host = Installed();
  return host ? *host : windows;
}

void SetPageHost(PageHost* host) { Installed() = host; }
