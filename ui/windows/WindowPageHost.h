#pragma once
// The page host in force when nobody installed another: it shows the real dialogs. Pages whose
// dialogs are not built yet keep the plain refusal of the host without windows.
#include "ui/NoWindowPageHost.h"

class WindowPageHost : public NoWindowPageHost {
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
  int WelcomePage(const std::string& welcomeText) override;
  int AddRemovePage() override;
  int LicensePage(const std::vector<std::string>& agreementLines) override;
  int SummaryPage(const std::vector<std::string>& lines, bool& forceCoreComponents) override;
  int FinalPage(const std::string& suiteName, bool restartOffered, bool& restartNow) override;
};
