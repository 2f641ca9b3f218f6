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

PageEnd ScriptedPageHost::MessagePage(const std::string& caption, const std::string& text1,
                                      const std::string& text2, int buttonMask) {
  Shown page;
  page.page = "message";
  page.caption = caption;
  page.text1 = text1;
  page.text2 = text2;
  page.buttonMask = buttonMask;
  return PageEndOf(Ended(shown, page, messageEnds));
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

AccountAnswer ScriptedPageHost::UserPasswordPage(const std::string& caption, const std::string& prompt,
                                                 const std::string& userLabel, const std::string& passwordLabel,
                                                 const std::string& user, const std::string& password) {
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
  return {PageEndOf(answer.endCode), answer.user, answer.password};
}

PageEnd ScriptedPageHost::DependencyErrorPage(const std::string& title, const std::string& text, int group) {
  Shown page;
  page.page = "dependency";
  page.caption = title;
  page.text1 = text;
  page.buttonMask = group;
  return PageEndOf(Ended(shown, page, dependencyEnds));
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

SetupTypeAnswer ScriptedPageHost::SetupTypePage(const std::vector<std::string>& offered) {
  offeredTypes = offered;
  WizardPageAnswer answer = TakeWizardAnswer("SetupType");
  return {PageEndOf(answer.end), answer.text};
}

PageEnd ScriptedPageHost::TargetPage(CTarget& target) {
  targetsShown.push_back(target.ID.Raw());
  WizardPageAnswer answer = TakeWizardAnswer("Target");
  if (!answer.text.empty()) target.path = answer.text;
  return PageEndOf(answer.end);
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

PageEnd ScriptedPageHost::TargetLocationsPage(CFeature& feature) {
  targetLocationsShown.push_back(feature.ID.Raw());
  if (targetLocationsEnds.empty()) return PageEnd::Cancel;
  int end = targetLocationsEnds.front();
  targetLocationsEnds.pop_front();
  return PageEndOf(end);
}

PageEnd ScriptedPageHost::FeatureSelectionPage(CFeature&) { return PageEndOf(TakeWizardAnswer("Features").end); }

FolderAnswer ScriptedPageHost::FolderPage(const std::vector<std::string>& existing, const std::string&) {
  existingFolders = existing;
  WizardPageAnswer answer = TakeWizardAnswer("Folder");
  return {PageEndOf(answer.end), answer.text};
}

PageEnd ScriptedPageHost::ServerPageA(ServerPageAAnswer& opened) {
  pageAOpenedWith = opened;
  WizardPageAnswer answer = TakeWizardAnswer("ServerA");
  opened.option = answer.option;
  opened.serverName = answer.text;
  opened.advancedUsed = answer.flag;
  return PageEndOf(answer.end);
}

ServerPageBAnswer ScriptedPageHost::ServerPageB(const std::string& products, bool) {
  pageBProducts = products;
  WizardPageAnswer answer = TakeWizardAnswer("ServerB");
  return {PageEndOf(answer.end), answer.flag};
}

ServerPageCAnswer ScriptedPageHost::ServerPageC(const std::string& nexoLibrary, const std::string&, bool) {
  pageCLibrary = nexoLibrary;
  WizardPageAnswer answer = TakeWizardAnswer("ServerC");
  return {PageEndOf(answer.end), answer.text, answer.flag};
}

PageEnd ScriptedPageHost::ServerPageD(const std::vector<std::string>& products) {
  productLines = products;
  return PageEndOf(TakeWizardAnswer("ServerD").end);
}

PageEnd ScriptedPageHost::WelcomePage(const std::string& text) {
  welcomeText = text;
  return PageEndOf(TakeWizardAnswer("Welcome").end);
}

AddRemoveChoice ScriptedPageHost::AddRemovePage() {
  return static_cast<AddRemoveChoice>(TakeWizardAnswer("AddRemove").end);
}

PageEnd ScriptedPageHost::LicensePage(const std::vector<std::string>& lines) {
  agreementLines = lines;
  return PageEndOf(TakeWizardAnswer("License").end);
}

SummaryAnswer ScriptedPageHost::SummaryPage(const std::vector<std::string>& lines) {
  summaryLines = lines;
  WizardPageAnswer answer = TakeWizardAnswer("Summary");
  return {PageEndOf(answer.end), answer.flag};
}

FinalAnswer ScriptedPageHost::FinalPage(const std::string& suiteName, bool offered) {
  finalSuite = suiteName;
  restartOffered = offered;
  WizardPageAnswer answer = TakeWizardAnswer("Final");
  return {PageEndOf(answer.end), answer.flag};
}

}  // namespace testing_support
