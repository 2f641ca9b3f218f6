#include "support/ScriptedPages.h"

#include <gtest/gtest.h>

#include "engine/Text.h"
#include "model/Model.h"
#include "ui/MessageSteps.h"

namespace testing_support {

namespace {
template <typename T>
bool Take(std::deque<T>& answers, T& out) {
  if (answers.empty()) return false;
  out = answers.front();
  answers.pop_front();
  return true;
}

// Records the page and takes its scripted end; Cancel when the script has none left.
int Ended(std::vector<ScriptedPageHost::Shown>& shown, const ScriptedPageHost::Shown& page, std::deque<int>& ends) {
  shown.push_back(page);
  int end = kEndCancel;
  Take(ends, end);
  return end;
}
}  // namespace

int ScriptedPageHost::MessagePage(const std::string& caption, const std::string& text1, const std::string& text2,
                                  int buttonMask) {
  Shown page;
  page.page = "message";
  page.caption = caption;
  page.text1 = text1;
  page.text2 = text2;
  page.buttonMask = buttonMask;
  return Ended(shown, page, messageEnds);
}

QuestionEnd ScriptedPageHost::QuestionPage(const std::string& caption, const std::string& text1,
                                           const std::string& text2, const std::string& yesText,
                                           const std::string& noText, bool startOnYes, int buttonMask) {
  Shown page;
  page.page = "question";
  page.caption = caption;
  page.text1 = text1;
  page.text2 = text2;
  page.yesText = yesText;
  page.noText = noText;
  page.buttonMask = buttonMask;
  page.initialAnswer = startOnYes ? 1 : 0;
  return SplitQuestionCode(Ended(shown, page, questionCodes));
}

int ScriptedPageHost::UserPasswordPage(const std::string& caption, const std::string& prompt,
                                       const std::string& userLabel, const std::string& passwordLabel,
                                       std::string& user, std::string& password) {
  Shown page;
  page.page = "userpass";
  page.caption = caption;
  page.text1 = prompt;
  page.yesText = userLabel;
  page.noText = passwordLabel;
  page.user = user;
  page.password = password;
  shown.push_back(page);
  UserPasswordAnswer answer{kEndCancel, user, password};
  Take(userPasswordAnswers, answer);
  user = answer.user;
  password = answer.password;
  return answer.endCode;
}

int ScriptedPageHost::DependencyErrorPage(const std::string& title, const std::string& text, int group) {
  Shown page;
  page.page = "dependency";
  page.caption = title;
  page.text1 = text;
  page.buttonMask = group;
  return Ended(shown, page, dependencyEnds);
}

WizardPageAnswer ScriptedPageHost::TakeWizardAnswer(const std::string& page) {
  wizardPages.push_back(page);
  WizardPageAnswer answer;
  answer.end = kEndCancel;
  if (wizardAnswers.empty()) {
    ADD_FAILURE() << "unscripted page " << page;
    answer.page = page;
    return answer;
  }
  answer = wizardAnswers.front();
  wizardAnswers.pop_front();
  EXPECT_EQ(answer.page, page) << "the script expected another page";
  if (answer.effect) answer.effect();
  return answer;
}

int ScriptedPageHost::SetupTypePage(const std::vector<std::string>& offered, std::string& chosen) {
  offeredTypes = offered;
  WizardPageAnswer answer = TakeWizardAnswer("SetupType");
  chosen = answer.text;
  return answer.end;
}

int ScriptedPageHost::TargetPage(CTarget& target) {
  targetsShown.push_back(target.ID.Raw());
  WizardPageAnswer answer = TakeWizardAnswer("Target");
  if (!answer.text.empty()) target.path = answer.text;
  return answer.end;
}

bool ScriptedPageHost::BrowseForFolder(const std::string& title, std::string& path) {
  browseTitles.push_back(title);
  browseStarts.push_back(path);
  if (browsedFolders.empty()) return false;
  std::string chosen = browsedFolders.front();
  browsedFolders.pop_front();
  if (chosen.empty()) return false;
  bool differs = !EqualsNoCase(chosen, path);
  path = chosen;
  return differs;
}

int ScriptedPageHost::TargetLocationsPage(CFeature& feature) {
  targetLocationsShown.push_back(feature.ID.Raw());
  if (targetLocationsEnds.empty()) return kEndCancel;
  int end = targetLocationsEnds.front();
  targetLocationsEnds.pop_front();
  return end;
}

int ScriptedPageHost::FeatureSelectionPage(CFeature&) { return TakeWizardAnswer("Features").end; }

int ScriptedPageHost::FolderPage(const std::vector<std::string>& existing, std::string& folder) {
  existingFolders = existing;
  WizardPageAnswer answer = TakeWizardAnswer("Folder");
  folder = answer.text;
  return answer.end;
}

int ScriptedPageHost::ServerPageA(ServerPageAAnswer& opened) {
  pageAOpenedWith = opened;
  WizardPageAnswer answer = TakeWizardAnswer("ServerA");
  opened.option = answer.option;
  opened.serverName = answer.text;
  opened.advancedUsed = answer.flag;
  return answer.end;
}

int ScriptedPageHost::ServerPageB(const std::string& products, bool& active) {
  pageBProducts = products;
  WizardPageAnswer answer = TakeWizardAnswer("ServerB");
  active = answer.flag;
  return answer.end;
}

int ScriptedPageHost::ServerPageC(const std::string& nexoLibrary, std::string& serverName, bool& advancedUsed) {
  pageCLibrary = nexoLibrary;
  WizardPageAnswer answer = TakeWizardAnswer("ServerC");
  serverName = answer.text;
  advancedUsed = answer.flag;
  return answer.end;
}

int ScriptedPageHost::ServerPageD(const std::vector<std::string>& products) {
  productLines = products;
  return TakeWizardAnswer("ServerD").end;
}

int ScriptedPageHost::WelcomePage(const std::string& text) {
  welcomeText = text;
  return TakeWizardAnswer("Welcome").end;
}

int ScriptedPageHost::AddRemovePage() { return TakeWizardAnswer("AddRemove").end; }

int ScriptedPageHost::LicensePage(const std::vector<std::string>& lines) {
  agreementLines = lines;
  return TakeWizardAnswer("License").end;
}

int ScriptedPageHost::SummaryPage(const std::vector<std::string>& lines, bool& forceCoreComponents) {
  summaryLines = lines;
  WizardPageAnswer answer = TakeWizardAnswer("Summary");
  forceCoreComponents = answer.flag;
  return answer.end;
}

int ScriptedPageHost::FinalPage(const std::string& suiteName, bool offered, bool& restartNow) {
  finalSuite = suiteName;
  restartOffered = offered;
  WizardPageAnswer answer = TakeWizardAnswer("Final");
  restartNow = answer.flag;
  return answer.end;
}

}  // namespace testing_support
