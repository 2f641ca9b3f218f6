#include "ui/NoWindowPageHost.h"

#include "engine/Errors.h"

namespace {
[[noreturn]] void Unavailable(const std::string& page) { throw CMyError("The " + page + " page is not available."); }
}  // namespace

int NoWindowPageHost::MessagePage(const std::string&, const std::string&, const std::string&, int) {
  Unavailable("message");
}
QuestionEnd NoWindowPageHost::QuestionPage(const std::string&, const std::string&, const std::string&,
                                           const std::string&, const std::string&, bool, int) {
  Unavailable("question");
}
int NoWindowPageHost::UserPasswordPage(const std::string&, const std::string&, const std::string&, const std::string&,
                                       std::string&, std::string&) {
  Unavailable("user name and password");
}
int NoWindowPageHost::DependencyErrorPage(const std::string&, const std::string&, int) {
  Unavailable("dependency error");
}
int NoWindowPageHost::SetupTypePage(const std::vector<std::string>&, std::string&) {
  Unavailable("computer configuration type");
}
int NoWindowPageHost::TargetPage(CTarget&) { Unavailable("destination location"); }
bool NoWindowPageHost::BrowseForFolder(const std::string&, std::string&) { Unavailable("folder browser"); }
int NoWindowPageHost::TargetLocationsPage(CFeature&) { Unavailable("target locations"); }
int NoWindowPageHost::FeatureSelectionPage(CFeature&) { Unavailable("feature selection"); }
int NoWindowPageHost::FolderPage(const std::vector<std::string>&, std::string&) { Unavailable("program folder"); }
int NoWindowPageHost::ServerPageA(ServerPageAAnswer&) { Unavailable("framework server"); }
int NoWindowPageHost::ServerPageB(const std::string&, bool&) { Unavailable("framework server operation"); }
int NoWindowPageHost::ServerPageC(const std::string&, std::string&, bool&) { Unavailable("framework server name"); }
int NoWindowPageHost::ServerPageD(const std::vector<std::string>&) { Unavailable("compliant products"); }
int NoWindowPageHost::WelcomePage(const std::string&) { Unavailable("welcome"); }
int NoWindowPageHost::AddRemovePage() { Unavailable("add/remove"); }
int NoWindowPageHost::LicensePage(const std::vector<std::string>&) { Unavailable("license agreement"); }
int NoWindowPageHost::SummaryPage(const std::vector<std::string>&, bool&) { Unavailable("summary"); }
int NoWindowPageHost::FinalPage(const std::string&, bool, bool&) { Unavailable("completion"); }
