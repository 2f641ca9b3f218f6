#include "ui/windows/WindowPageHost.h"

#include "model/Model.h"
#include "ui/MessageSteps.h"
#include "ui/resources/PageResource.h"
#include "ui/windows/DirBrowser.h"
#include "ui/windows/FeaturePage.h"
#include "ui/windows/PromptPages.h"
#include "ui/windows/TargetPages.h"
#include "ui/windows/WizardPages.h"

int WindowPageHost::MessagePage(const std::string& caption, const std::string& text1, const std::string& text2,
                                int buttonMask) {
  CMessageDlg page(caption, text1, text2, buttonMask);
  return page.Run(IDD_MESSAGE);
}

QuestionEnd WindowPageHost::QuestionPage(const std::string& caption, const std::string& text1,
                                         const std::string& text2, const std::string& yesText,
                                         const std::string& noText, bool startOnYes, int buttonMask) {
  CAskYesNoDlg page(caption, text1, text2, yesText, noText, startOnYes, buttonMask);
  // The page ends with the combined code, as the modal loop returns it.
  return SplitQuestionCode(page.Run(IDD_ASK_YES_NO));
}

int WindowPageHost::UserPasswordPage(const std::string& caption, const std::string& prompt,
                                     const std::string& userLabel, const std::string& passwordLabel,
                                     std::string& user, std::string& password) {
  CUserPassDlg page(caption, prompt, userLabel, passwordLabel, user, password);
  int end = page.Run(IDD_USER_PASSWORD);
  user = page.User();
  password = page.Password();
  return end;
}

int WindowPageHost::DependencyErrorPage(const std::string& title, const std::string& text, int group) {
  CDependencyErrorDlg page(title, text, group);
  return page.Run(IDD_DEPENDENCY_ERRORS);
}

int WindowPageHost::SetupTypePage(const std::vector<std::string>& offeredTypes, std::string& chosen) {
  CSetupTypeDlg page(SetupTypeRows(Master(), offeredTypes));
  int end = page.Run(IDD_SETUP_TYPE);
  chosen = page.Chosen();
  return end;
}

int WindowPageHost::TargetPage(CTarget& target) {
  CTargetDlg page(target);
  return page.Run(IDD_TARGET);
}

bool WindowPageHost::BrowseForFolder(const std::string& title, std::string& path) {
  return ::BrowseForFolder(MessageOwner(), title, path);
}

int WindowPageHost::TargetLocationsPage(CFeature& feature) {
  CTargetLocationsDlg page(feature);
  return page.Run(IDD_TARGET_LOCATIONS);
}

int WindowPageHost::FeatureSelectionPage(CFeature& root) {
  CFeatureSelectionDlg page(root, false);
  return page.Run(IDD_FEATURES);
}

int WindowPageHost::WelcomePage(const std::string& welcomeText) {
  CWelcomeDlg page(welcomeText);
  return page.Run(IDD_WELCOME);
}

int WindowPageHost::AddRemovePage() {
  CAddRemoveDlg page;
  return page.Run(IDD_ADD_REMOVE);
}

int WindowPageHost::LicensePage(const std::vector<std::string>& agreementLines) {
  CLicenseAgreementDlg page(agreementLines);
  return page.Run(IDD_LICENSE);
}

int WindowPageHost::SummaryPage(const std::vector<std::string>& lines, bool& forceCoreComponents) {
  CSummaryDlg page(lines);
  int end = page.Run(IDD_SUMMARY);
  forceCoreComponents = page.ForceCoreComponents();
  return end;
}

int WindowPageHost::FinalPage(const std::string& suiteName, bool restartOffered, bool& restartNow) {
  CFinalDlg page(suiteName, restartOffered);
  int end = page.Run(page.Template());
  restartNow = page.RestartNow();
  return end;
}
