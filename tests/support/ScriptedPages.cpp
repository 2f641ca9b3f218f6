#include "support/ScriptedPages.h"

namespace testing_support {

namespace {
template <typename T>
bool Take(std::deque<T>& answers, T& out) {
  if (answers.empty()) return false;
  out = answers.front();
  answers.pop_front();
  return true;
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
  shown.push_back(page);
  int end = kEndCancel;
  Take(messageEnds, end);
  return end;
}

int ScriptedPageHost::QuestionPage(const std::string& caption, const std::string& text1, const std::string& text2,
                                   const std::string& yesText, const std::string& noText, int& answer,
                                   int buttonMask) {
  Shown page;
  page.page = "question";
  page.caption = caption;
  page.text1 = text1;
  page.text2 = text2;
  page.yesText = yesText;
  page.noText = noText;
  page.buttonMask = buttonMask;
  page.initialAnswer = answer;
  shown.push_back(page);
  int code = kEndCancel;
  Take(questionCodes, code);
  if ((code >> 2) == 6) answer = 1;
  if ((code >> 2) == 7) answer = 0;
  return code;
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
  shown.push_back(page);
  int end = kEndCancel;
  Take(dependencyEnds, end);
  return end;
}

}  // namespace testing_support
