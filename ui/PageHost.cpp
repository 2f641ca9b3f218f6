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
  int QuestionPage(const std::string&, const std::string&, const std::string&, const std::string&, const std::string&,
                   int&, int) override {
    throw CMyError("The question page is not available.");
  }
  int UserPasswordPage(const std::string&, const std::string&, const std::string&, const std::string&, std::string&,
                       std::string&) override {
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

int PageHost::SetupTypePage(const std::vector<std::string>&, std::string&) {
  throw CMyError("The computer configuration type page is not available.");
}
int PageHost::TargetPage(CTarget&) { throw CMyError("The destination location page is not available."); }
int PageHost::FeatureSelectionPage(CFeature&) { throw CMyError("The feature selection page is not available."); }
int PageHost::FolderPage(const std::vector<std::string>&, std::string&) {
  throw CMyError("The program folder page is not available.");
}
int PageHost::ServerPageA(ServerPageAAnswer&) { throw CMyError("The framework server page is not available."); }
int PageHost::ServerPageB(const std::string&, bool&) {
  throw CMyError("The framework server operation page is not available.");
}
int PageHost::ServerPageC(const std::string&, std::string&, bool&) { throw CMyError("The framework server name page is not available."); }
int PageHost::ServerPageD(const std::vector<std::string>&) {
  throw CMyError("The compliant products page is not available.");
}
int PageHost::WelcomePage(const std::string&) { throw CMyError("The welcome page is not available."); }
int PageHost::AddRemovePage() { throw CMyError("The add/remove page is not available."); }
int PageHost::LicensePage(const std::vector<std::string>&) {
  throw CMyError("The license agreement page is not available.");
}
int PageHost::SummaryPage(const std::vector<std::string>&, bool&) {
  throw CMyError("The summary page is not available.");
}
int PageHost::FinalPage(const std::string&, bool, bool&) { throw CMyError("The completion page is not available."); }
