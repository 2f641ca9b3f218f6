#pragma once
// The wizard's own pages: computer configuration type, welcome, add/remove, license
// agreement, summary and completion.
#include <string>
#include <vector>

#include "ui/SetupTypeStep.h"
#include "ui/windows/BitmapButton.h"
#include "ui/windows/PageDialog.h"

// Template 2018: one bitmap button per offered setup type; a click chooses it and ends the page
// with Next.
class CSetupTypeDlg : public PageDialog {
 public:
  explicit CSetupTypeDlg(std::vector<SetupTypeRow> rows);
  const std::string& Chosen() const { return chosen_; }

 private:
  void OnInit() override;
  bool OnPageCommand(int id, int notification) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  std::vector<SetupTypeRow> rows_;
  BitmapButton buttons_[kSetupTypeRows];
  std::string chosen_;
};

// Template 2012: the welcome text; Next and Cancel only.
class CWelcomeDlg : public PageDialog {
 public:
  explicit CWelcomeDlg(std::string welcomeText) : welcomeText_(std::move(welcomeText)) {}

 private:
  void OnInit() override;
  std::string welcomeText_;
};

// Template 2017: install or uninstall, each a bitmap button that ends the page with its answer.
class CAddRemoveDlg : public PageDialog {
 private:
  void OnInit() override;
  bool OnPageCommand(int id, int notification) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  BitmapButton install_, uninstall_;
};

// Template 2014: the agreement, one list entry per line; Yes goes on, No asks the exit question.
class CLicenseAgreementDlg : public PageDialog {
 public:
  explicit CLicenseAgreementDlg(std::vector<std::string> lines) : lines_(std::move(lines)) {}

 private:
  void OnInit() override;
  std::vector<std::string> lines_;
};

// Template 2009: the summary list and the check box that forces the core components.
class CSummaryDlg : public PageDialog {
 public:
  explicit CSummaryDlg(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  bool ForceCoreComponents() const { return forceCoreComponents_; }

 private:
  void OnInit() override;
  void OnLeave() override;
  std::vector<std::string> lines_;
  bool forceCoreComponents_ = false;
};

// Templates 2015 and 2016: the completion page, the second with the restart choice.
class CFinalDlg : public PageDialog {
 public:
  CFinalDlg(std::string suiteName, bool restartOffered)
      : suiteName_(std::move(suiteName)), restartOffered_(restartOffered) {}
  int Template() const;
  bool RestartNow() const { return restartNow_; }

 private:
  void OnInit() override;
  void OnLeave() override;
  std::string suiteName_;
  bool restartOffered_;
  bool restartNow_ = false;
};
