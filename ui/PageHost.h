#pragma once
// The one interface through which steps show wizard pages. A page answers with its end code
// (1 Next, 3 Back, 2 Cancel) and whatever the user entered; step logic maps those to step
// results. Tests install a scripted host; the real dialogs sit beneath the default host.
#include <string>

constexpr int kEndNext = 1;
constexpr int kEndCancel = 2;
constexpr int kEndBack = 3;

class PageHost {
 public:
  virtual ~PageHost() = default;

  // The message page: two text blocks; mask bit 1 disables Back, bit 2 disables Next.
  virtual int MessagePage(const std::string& caption, const std::string& text1, const std::string& text2,
                          int buttonMask) = 0;

  // The question page (template 2011). `answer` holds 1 to start on Yes, and receives 1 (Yes)
  // or 0 (No). Returns the combined code (answer 6/7 times 4 plus button 1/3), or 2 on Cancel.
  virtual int QuestionPage(const std::string& caption, const std::string& text1, const std::string& text2,
                           const std::string& yesText, const std::string& noText, int& answer,
                           int buttonMask) = 0;

  // The user name and password page; the texts are edited in place.
  virtual int UserPasswordPage(const std::string& caption, const std::string& prompt,
                               const std::string& userLabel, const std::string& passwordLabel,
                               std::string& user, std::string& password) = 0;

  // The dependency error page: the text's lines are listed; group 0 can only go Back or Cancel.
  virtual int DependencyErrorPage(const std::string& title, const std::string& text, int group) = 0;
};

// The host in force.
PageHost& Pages();
// Installs a host (tests, or the dialog host); nullptr restores the default.
void SetPageHost(PageHost* host);
