#pragma once
// A page host without windows: every page refuses plainly with a CMyError ("The ... page is not
// available.") instead of pretending an answer, and the step that asked stops the run. The
// windowed host builds on it and overrides the pages whose dialogs it has.
#include "ui/PageHost.h"

class NoWindowPageHost : public PageHost {
 public:
  int MessagePage(const std::string& caption, const std::string& text1, const std::string& text2,
                  int buttonMask) override;
  QuestionEnd QuestionPage(const std::string& caption, const std::string& text1, const std::string& text2,
                   const std::string& yesText, const std::string& noText, bool startOnYes, int buttonMask) override;
  int UserPasswordPage(const std::string& caption, const std::string& prompt, const std::string& userLabel,
                       const std::string& passwordLabel, std::string& user, std::string& password) override;
  int DependencyErrorPage(const std::string& title, const std::string& text, int group) override;
  int SetupTypePage(const std::vector<std::string>& offeredTypes, std::string& chosen) override;
  int TargetPage(CTarget& target) override;
  bool BrowseForFolder(const std::string& title, std::string& path) override;
  int TargetLocationsPage(CFeature& feature) override;
  int FeatureSelectionPage(CFeature& root) override;
  int FolderPage(const std::vector<std::string>& existingFolders, std::string& folder) override;
  int ServerPageA(ServerPageAAnswer& answer) override;
  int ServerPageB(const std::string& products, bool& active) override;
  int ServerPageC(const std::string& nexoLibrary, std::string& serverName, bool& advancedUsed) override;
  int ServerPageD(const std::vector<std::string>& products) override;
  int WelcomePage(const std::string& welcomeText) override;
  int AddRemovePage() override;
  int LicensePage(const std::vector<std::string>& agreementLines) override;
  int SummaryPage(const std::vector<std::string>& lines, bool& forceCoreComponents) override;
  int FinalPage(const std::string& suiteName, bool restartOffered, bool& restartNow) override;
};
