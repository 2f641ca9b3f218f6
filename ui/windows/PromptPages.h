#pragma once
// The general-purpose pages: the message page, the yes/no question, the user name and
// password prompt and the dependency error report.
#include <string>

#include "ui/windows/PageDialog.h"

// Template 2022: two text blocks; the caller's mask disables Back and Next.
class CMessageDlg : public PageDialog {
 public:
  CMessageDlg(std::string caption, std::string text1, std::string text2, int buttonMask);

 private:
  void OnInit() override;
  std::string caption_, text1_, text2_;
  int buttonMask_;
};

// Template 2011: the question page. Ends with the combined code (answer and button) or 2.
class CAskYesNoDlg : public PageDialog {
 public:
  CAskYesNoDlg(std::string caption, std::string text1, std::string text2, std::string yesText, std::string noText,
               bool startOnYes, int buttonMask);
  bool Yes() const { return yes_; }

 private:
  void OnInit() override;
  int EndCodeFor(int frameEnd) override;
  void OnLeave() override;
  std::string caption_, text1_, text2_, yesText_, noText_;
  bool yes_;
  int buttonMask_;
};

// Template 2024: a user name and a hidden password. What the user typed is read whichever way
// the page ends.
class CUserPassDlg : public PageDialog {
 public:
  CUserPassDlg(std::string caption, std::string prompt, std::string userLabel, std::string passwordLabel,
               std::string user, std::string password);
  const std::string& User() const { return user_; }
  const std::string& Password() const { return password_; }

 private:
  void OnInit() override;
  void OnLeave() override;
  std::string caption_, prompt_, userLabel_, passwordLabel_, user_, password_;
};

// The dependency error report: the errors listed line by line. Restricted errors (group 0)
// can only be left with Back or Cancel; permitted ones (group 1) let Next continue once the
// user chose to.
class CDependencyErrorDlg : public PageDialog {
 public:
  CDependencyErrorDlg(std::string title, std::string text, int group);

 private:
  void OnInit() override;
  bool OnPageCommand(int id, int notification) override;
  int EndCodeFor(int frameEnd) override;
  std::string title_, text_;
  int group_;
};
