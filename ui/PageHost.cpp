#include "ui/PageHost.h"

#include "engine/Errors.h"

namespace {
// Pages whose dialogs this build does not carry report that plainly instead of pretending an
// answer; the step that asked catches the error and stops the run.
class NoWindowPageHost : public PageHost {
 public:
  int MessagePage(const std::string&, const std::string&, const std::string&, int) override {
    throw CMyError("The message page is not available.");
  }
  int QuestionPage(const std::string&, const std::string&, const std::string&, const std::string&,
                   const std::string&, int&, int) override {
    throw CMyError("The question page is not available.");
  }
  int UserPasswordPage(const std::string&, const std::string&, const std::string&, const std::string&,
                       std::string&, std::string&) override {
    throw CMyError("The user name and password page is not available.");
  }
  int DependencyErrorPage(const std::string&, const std::string&, int) override {
    throw CMyError("The dependency error page is not available.");
  }
};

PageHost*& Installed() {
  static PageHost* host = nullptr;
  return host;
}
}  // namespace

PageHost& Pages() {
  static NoWindowPageHost fallback;
  PageHost* host = Installed();
  return host ? *host : fallback;
}

void SetPageHost(PageHost* host) { Installed() = host; }
