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
  int SetupTypePage(const std::vector<std::string>&, std::string&) override {
    throw CMyError("The computer configuration type page is not available.");
  }
  int TargetPage(CTarget&) override { throw CMyError("The destination location page is not available."); }
  int FeatureSelectionPage(CFeature&) override { throw CMyError("The feature selection page is not available."); }
  int FolderPage(const std::vector<std::string>&, std::string&) override {
    throw CMyError("The program folder page is not available.");
  }
  int ServerPageA(ServerPageAAnswer&) override { throw CMyError("The framework server page is not available."); }
  int ServerPageB(const std::string&, bool&) override {
    throw CMyError("The framework server operation page is not available.");
  }
  int ServerPageC(std::string&, bool&) override {
    throw CMyError("The framework server name page is not available.");
  }
  int ServerPageD(const std::vector<std::string>&) override {
    throw CMyError("The compliant products page is not available.");
  }
  int WelcomePage(const std::string&) override { throw CMyError("The welcome page is not available."); }
  int AddRemovePage() override { throw CMyError("The add/remove page is not available."); }
  int LicensePage(const std::vector<std::string>&) override {
    throw CMyError("The license agreement page is not available.");
  }
  int SummaryPage(const std::vector<std::string>&, bool&) override {
    throw CMyError("The summary page is not available.");
  }
  int FinalPage(const std::string&, bool, bool&) override {
    throw CMyError("The completion page is not available.");
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
