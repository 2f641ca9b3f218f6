#pragma once
// A page host that answers from a script instead of showing dialogs, and records every page it
// was asked to show. Install it for the life of a test with ScopedScriptedPages.
#include <deque>
#include <string>
#include <vector>

#include "ui/PageHost.h"

namespace testing_support {

class ScriptedPageHost : public PageHost {
 public:
  struct Shown {
    std::string page;  // "message", "question", "userpass", "dependency"
    std::string caption, text1, text2, yesText, noText;
    int buttonMask = 0;
    int initialAnswer = -1;
    std::string user, password;
  };
  struct UserPasswordAnswer {
    int endCode;
    std::string user, password;
  };

  // Answers, consumed in order. A page asked for without a scripted answer ends with Cancel.
  std::deque<int> messageEnds;
  std::deque<int> questionCodes;  // combined codes: 25 Next+Yes, 27 Back+Yes, 29 Next+No, 31 Back+No, 2
  std::deque<UserPasswordAnswer> userPasswordAnswers;
  std::deque<int> dependencyEnds;
  std::vector<Shown> shown;

  int MessagePage(const std::string& caption, const std::string& text1, const std::string& text2,
                  int buttonMask) override;
  int QuestionPage(const std::string& caption, const std::string& text1, const std::string& text2,
                   const std::string& yesText, const std::string& noText, int& answer, int buttonMask) override;
  int UserPasswordPage(const std::string& caption, const std::string& prompt, const std::string& userLabel,
                       const std::string& passwordLabel, std::string& user, std::string& password) override;
  int DependencyErrorPage(const std::string& title, const std::string& text, int group) override;
};

class ScopedScriptedPages {
 public:
  ScopedScriptedPages() { SetPageHost(&host); }
  ~ScopedScriptedPages() { SetPageHost(nullptr); }
  ScopedScriptedPages(const ScopedScriptedPages&) = delete;
  ScopedScriptedPages& operator=(const ScopedScriptedPages&) = delete;
  ScriptedPageHost host;
};

}  // namespace testing_support
