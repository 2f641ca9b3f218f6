#include "ui/NoWindowPageHost.h"

#include "engine/Errors.h"

namespace {
[[noreturn]] void Unavailable(const std::string& page) { throw CMyError("The " + page + " page is not available."); }
}  // namespace

PageEnd NoWindowPageHost::MessagePage(const std::string&, const std::string&, const std::string&, int) {
  Unavailable("message");
}
QuestionEnd NoWindowPageHost::QuestionPage(const std::string&, const std::string&, const std::string&,
                                           const std::string&, const std::string&, bool, int) {
  Unavailable("question");
}
AccountAnswer NoWindowPageHost::UserPasswordPage(const std::string&, const std::string&, const std::string&,
                                                 const std::string&, const std::string&, const std::string&) {
  Unavailable("user name and password");
}
PageEnd NoWindowPageHost::DependencyErrorPage(const std::string&, const std::string&, int) {
  Unavailable("dependency error");
}
SetupTypeAnswer NoWindowPageHost::SetupTypePage(const std::vector<std::string>&) {
  Unavailable("computer configuration type");
}
PageEnd NoWindowPageHost::TargetPage(CTarget&) { Unavailable("destination location"); }
bool NoWindowPageHost::BrowseForFolder(const std::string&, std::string&) { Unavailable("folder browser"); }
PageEnd NoWindowPageHost::TargetLocationsPage(CFeature&) { Unavailable("target locations"); }
PageEnd NoWindowPageHost::FeatureSelectionPage(CFeature&) { Unavailable("feature selection"); }
FolderAnswer NoWindowPageHost::FolderPage(const std::vector<std::string>&, const std::string&) {
  Unavailable("program folder");
}
PageEnd NoWindowPageHost::ServerPageA(ServerPageAAnswer&) { Unavailable("framework server"); }
ServerPageBAnswer NoWindowPageHost::ServerPageB(const std::string&, bool) {
  Unavailable("framework server operation");
}
ServerPageCAnswer NoWindowPageHost::ServerPageC(const std::string&, const std::string&, bool) {
  Unavailable("framework server name");
}
PageEnd NoWindowPageHost::ServerPageD(const std::vector<std::string>&) { Unavailable("compliant products"); }
PageEnd NoWindowPageHost::WelcomePage(const std::string&) { Unavailable("welcome"); }
AddRemoveChoice NoWindowPageHost::AddRemovePage() { Unavailable("add/remove"); }
PageEnd NoWindowPageHost::LicensePage(const std::vector<std::string>&) { Unavailable("license agreement"); }
SummaryAnswer NoWindowPageHost::SummaryPage(const std::vector<std::string>&) { Unavailable("summary"); }
FinalAnswer NoWindowPageHost::FinalPage(const std::string&, bool) { Unavailable("completion"); }
