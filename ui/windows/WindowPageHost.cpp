#include "ui/windows/WindowPageHost.h"

#include "model/Model.h"
#include "ui/MessageSteps.h"
#include "ui/resources/PageResource.h"
#include "ui/windows/DirBrowser.h"
#include "ui/windows/FeaturePage.h"
#include "ui/windows/FolderPage.h"
#include "ui/windows/PromptPages.h"
#include "ui/windows/ServerPages.h"
#include "ui/windows/TargetPages.h"
#include "ui/windows/WizardPages.h"

PageEnd WindowPageHost::MessagePage(const std::string& caption, const std::string& text1, const std::string& text2,
                                    int buttonMask) {
  CMessageDlg page(caption, text1, text2, buttonMask);
  return PageEndOf(page.Run(IDD_MESSAGE));
}

QuestionEnd WindowPageHost::QuestionPage(const std::string& caption, const std::string& text1,
                                         const std::string& text2, const std::string& yesText,
                                         const std::string& noText, bool startOnYes, int buttonMask) {
  CAskYesNoDlg page(caption, text1, text2, yesText, noText, startOnYes, buttonMask);
  // The page ends with the combined code, as the modal loop returns it.
  return SplitQuestionCode(page.Run(IDD_ASK_YES_NO));
}

AccountAnswer WindowPageHost::UserPasswordPage(const std::string& caption, const std::string& prompt,
                                               const std::string& userLabel, const std::string& passwordLabel,
                                               const std::string& user, const std::string& password) {
  CUserPassDlg page(caption, prompt, userLabel, passwordLabel, user, password);
  PageEnd end = PageEndOf(page.Run(IDD_USER_PASSWORD));
  return {end, page.User(), page.Password()};
}

PageEnd WindowPageHost::DependencyErrorPage(const std::string& title, const std::string& text, int group) {
  CDependencyErrorDlg page(title, text, group);
  return PageEndOf(page.Run(IDD_DEPENDENCY_ERRORS));
}

SetupTypeAnswer WindowPageHost::SetupTypePage(const std::vector<std::string>& offeredTypes) {
  CSetupTypeDlg page(SetupTypeRows(Master(), offeredTypes));
  PageEnd end = PageEndOf(page.Run(IDD_SETUP_TYPE));
  return {end, page.Chosen()};
}

PageEnd WindowPageHost::TargetPage(CTarget& target) {
  CTargetDlg page(target);
  return PageEndOf(page.Run(IDD_TARGET));
}

bool WindowPageHost::BrowseForFolder(const std::string& title, std::string& path) {
  return ::BrowseForFolder(MessageOwner(), title, path);
}

PageEnd WindowPageHost::TargetLocationsPage(CFeature& feature) {
  CTargetLocationsDlg page(feature);
  return PageEndOf(page.Run(IDD_TARGET_LOCATIONS));
}

PageEnd WindowPageHost::FeatureSelectionPage(CFeature& root) {
  CFeatureSelectionDlg page(root, false);
  return PageEndOf(page.Run(IDD_FEATURES));
}

FolderAnswer WindowPageHost::FolderPage(const std::vector<std::string>& existingFolders, const std::string& folder) {
  CFolderDlg page(existingFolders, folder);
  PageEnd end = PageEndOf(page.Run(IDD_FOLDER));
  return {end, page.Folder()};
}

PageEnd WindowPageHost::ServerPageA(ServerPageAAnswer& answer) {
  CFrameworkServerDlg page(answer);
  PageEnd end = PageEndOf(page.Run(IDD_SERVER));
  answer = page.Answer();
  return end;
}

ServerPageBAnswer WindowPageHost::ServerPageB(const std::string& products, bool active) {
  COperationModeDlg page(products, active);
  PageEnd end = PageEndOf(page.Run(IDD_OPERATION_MODE));
  return {end, page.Active()};
}

ServerPageCAnswer WindowPageHost::ServerPageC(const std::string& nexoLibrary, const std::string& serverName,
                                              bool advancedUsed) {
  CFrameworkServerNameDlg page(nexoLibrary, serverName, advancedUsed);
  PageEnd end = PageEndOf(page.Run(IDD_SERVER_NAME));
  return {end, page.ServerName(), page.AdvancedUsed()};
}

PageEnd WindowPageHost::ServerPageD(const std::vector<std::string>& products) {
  CCompliantProductsDlg page(products);
  return PageEndOf(page.Run(IDD_COMPLIANT_PRODUCTS));
}

PageEnd WindowPageHost::WelcomePage(const std::string& welcomeText) {
  CWelcomeDlg page(welcomeText);
  return PageEndOf(page.Run(IDD_WELCOME));
}

AddRemoveChoice WindowPageHost::AddRemovePage() {
  CAddRemoveDlg page;
  int end = page.Run(IDD_ADD_REMOVE);
  if (end == static_cast<int>(AddRemoveChoice::Install)) return AddRemoveChoice::Install;
  if (end == static_cast<int>(AddRemoveChoice::Uninstall)) return AddRemoveChoice::Uninstall;
  return AddRemoveChoice::Cancel;
}

PageEnd WindowPageHost::LicensePage(const std::vector<std::string>& agreementLines) {
  CLicenseAgreementDlg page(agreementLines);
  return PageEndOf(page.Run(IDD_LICENSE));
}

SummaryAnswer WindowPageHost::SummaryPage(const std::vector<std::string>& lines) {
  CSummaryDlg page(lines);
  PageEnd end = PageEndOf(page.Run(IDD_SUMMARY));
  return {end, page.ForceCoreComponents()};
}

FinalAnswer WindowPageHost::FinalPage(const std::string& suiteName, bool restartOffered) {
  CFinalDlg page(suiteName, restartOffered);
  PageEnd end = PageEndOf(page.Run(page.Template()));
  return {end, page.RestartNow()};
}
