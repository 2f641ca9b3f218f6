#pragma once
// The page host in force when nobody installed another: it shows the real dialogs.
#include "ui/PageHost.h"

class WindowPageHost : public PageHost {
 public:
  PageEnd MessagePage(const std::string& caption, const std::string& text1, const std::string& text2,
                      int buttonMask) override;
  QuestionEnd QuestionPage(const std::string& caption, const std::string& text1, const std::string& text2,
                           const std::string& yesText, const std::string& noText, bool startOnYes,
                           int buttonMask) override;
  AccountAnswer UserPasswordPage(const std::string& caption, const std::string& prompt, const std::string& userLabel,
                                 const std::string& passwordLabel, const std::string& user,
                                 const std::string& password) override;
  PageEnd DependencyErrorPage(const std::string& title, const std::string& text, int group) override;
  SetupTypeAnswer SetupTypePage(const std::vector<std::string>& offeredTypes) override;
  PageEnd TargetPage(CTarget& target) override;
  bool BrowseForFolder(const std::string& title, std::string& path) override;
  PageEnd TargetLocationsPage(CFeature& feature) override;
  PageEnd FeatureSelectionPage(CFeature& root) override;
  FolderAnswer FolderPage(const std::vector<std::string>& existingFolders, const std::string& folder) override;
  PageEnd ServerPageA(ServerPageAAnswer& answer) override;
  ServerPageBAnswer ServerPageB(const std::string& products, bool active) override;
  ServerPageCAnswer ServerPageC(const std::string& nexoLibrary, const std::string& serverName,
                                bool advancedUsed) override;
  PageEnd ServerPageD(const std::vector<std::string>& products) override;
  PageEnd WelcomePage(const std::string& welcomeText) override;
  AddRemoveChoice AddRemovePage() override;
  PageEnd LicensePage(const std::vector<std::string>& agreementLines) override;
  SummaryAnswer SummaryPage(const std::vector<std::string>& lines) override;
  FinalAnswer FinalPage(const std::string& suiteName, bool restartOffered) override;
};
