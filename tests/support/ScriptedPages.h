#pragma once
// A page host that answers from a script instead of showing dialogs, and records every page it
// was asked to show. Install it for the life of a test with ScopedScriptedPages.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/PageHost.h"

namespace testing_support {

// The answer of one wizard page, taken in script order.
struct WizardPageAnswer {
  WizardPageAnswer() = default;
  WizardPageAnswer(std::string expectedPage, int endCode = kEndNext, std::string answerText = "",
                   bool answerFlag = false)
      : page(std::move(expectedPage)), end(endCode), text(std::move(answerText)), flag(answerFlag) {}

  std::string page;  // the page expected: "SetupType", "Target", "Features", "Folder", "ServerA" ...
  int end = kEndNext;
  std::string text;   // the chosen setup type, target path, folder or server name
  bool flag = false;  // server active, advanced settings, force core components, restart now
  ServerOption option = ServerOption::UseNamedServer;
  std::function<void()> effect;  // what the user did on the page before it ended
};

class ScriptedPageHost : public PageHost {
 public:
  struct Shown {
    std::string page;  // "message", "question", "userpass", "dependency"
    std::string caption, text1, text2, yesText, noText;
    int buttonMask = 0;
    int initialAnswer = -1;
    std::string user, password;
  };
  struct UserPasswordAnswer {
    int endCode;
    std::string user, password;
  };

  // Answers, consumed in order. A page asked for without a scripted answer ends with Cancel.
  std::deque<int> messageEnds;
  std::deque<int> questionCodes;  // combined codes: 25 Next+Yes, 27 Back+Yes, 29 Next+No, 31 Back+No, 2
  std::deque<UserPasswordAnswer> userPasswordAnswers;
  std::deque<int> dependencyEnds;
  std::vector<Shown> shown;

  PageEnd MessagePage(const std::string& caption, const std::string& text1, const std::string& text2,
                      int buttonMask) override;
  QuestionEnd QuestionPage(const std::string& caption, const std::string& text1, const std::string& text2,
                           const std::string& yesText, const std::string& noText, bool startOnYes,
                           int buttonMask) override;
  AccountAnswer UserPasswordPage(const std::string& caption, const std::string& prompt, const std::string& userLabel,
                                 const std::string& passwordLabel, const std::string& user,
                                 const std::string& password) override;
  PageEnd DependencyErrorPage(const std::string& title, const std::string& text, int group) override;

  // The wizard pages answer from one script; a page that is not the next one scripted fails
  // the test and ends with Cancel.
  std::deque<WizardPageAnswer> wizardAnswers;
  ScriptedPageHost& Then(WizardPageAnswer answer) {
    wizardAnswers.push_back(std::move(answer));
    return *this;
  }
  // The wizard pages shown, by name, and what they were given.
  std::vector<std::string> wizardPages;
  std::vector<std::string> offeredTypes, existingFolders, agreementLines, summaryLines, productLines;
  std::vector<std::string> targetsShown;
  // The folder browser: each call takes the next folder, as if the user chose it; an empty one,
  // or none left, is giving up. Titles and starting folders are recorded.
  std::deque<std::string> browsedFolders;
  std::vector<std::string> browseTitles, browseStarts;
  // The target locations page: each call records the feature and takes the next end code
  // (Cancel when none is left).
  std::deque<int> targetLocationsEnds;
  std::vector<std::string> targetLocationsShown;
  std::string welcomeText, finalSuite, pageBProducts, pageCLibrary;
  ServerPageAAnswer pageAOpenedWith;
  bool restartOffered = false;

  SetupTypeAnswer SetupTypePage(const std::vector<std::string>& offered) override;
  PageEnd TargetPage(CTarget& target) override;
  bool BrowseForFolder(const std::string& title, std::string& path) override;
  PageEnd TargetLocationsPage(CFeature& feature) override;
  PageEnd FeatureSelectionPage(CFeature& root) override;
  FolderAnswer FolderPage(const std::vector<std::string>& existing, const std::string& folder) override;
  PageEnd ServerPageA(ServerPageAAnswer& answer) override;
  ServerPageBAnswer ServerPageB(const std::string& products, bool active) override;
  ServerPageCAnswer ServerPageC(const std::string& nexoLibrary, const std::string& serverName,
                                bool advancedUsed) override;
  PageEnd ServerPageD(const std::vector<std::string>& products) override;
  PageEnd WelcomePage(const std::string& text) override;
  // Takes the scripted end as the choice: 0 install, 1 uninstall, 2 cancel.
  AddRemoveChoice AddRemovePage() override;
  PageEnd LicensePage(const std::vector<std::string>& lines) override;
  SummaryAnswer SummaryPage(const std::vector<std::string>& lines) override;
  FinalAnswer FinalPage(const std::string& suiteName, bool restartOffered) override;

 private:
  WizardPageAnswer TakeWizardAnswer(const std::string& page);
};

class ScopedScriptedPages {
 public:
  ScopedScriptedPages() { SetPageHost(&host); }
  ~ScopedScriptedPages() { SetPageHost(nullptr); }
  ScopedScriptedPages(const ScopedScriptedPages&) = delete;
  ScopedScriptedPages& operator=(const ScopedScriptedPages&) = delete;
  ScriptedPageHost host;
};

}  // namespace testing_support
