#pragma once
// The framework server pages: the choice of server (A), whether the installed products run with
// a server (B), the server's name (C) and the products whose way of running changes (D).
#include <string>
#include <vector>

#include "ui/PageHost.h"
#include "ui/windows/PageDialog.h"

// Template 2010: use a named server, choose one later or none. The edit and Advanced belong to
// the first choice; advanced settings in use keep the edit locked.
class CFrameworkServerDlg : public PageDialog {
 public:
  explicit CFrameworkServerDlg(ServerPageAAnswer answer) : answer_(std::move(answer)) {}
  const ServerPageAAnswer& Answer() const { return answer_; }

 private:
  void OnInit() override;
  bool OnPageCommand(int id, int notification) override;
  bool OnNext() override;
  void OnLeave() override;
  void EnableForChoice();
  void ReadChoice();
  ServerPageAAnswer answer_;
};

// Template 2021: the installed products run with a framework server, or not.
class COperationModeDlg : public PageDialog {
 public:
  COperationModeDlg(std::string products, bool active) : products_(std::move(products)), active_(active) {}
  bool Active() const { return active_; }

 private:
  void OnInit() override;
  void OnLeave() override;
  std::string products_;
  bool active_;
};

// Template 2019: the server's name, empty to choose it later.
class CFrameworkServerNameDlg : public PageDialog {
 public:
  CFrameworkServerNameDlg(std::string nexoLibrary, std::string serverName, bool advancedUsed)
      : nexoLibrary_(std::move(nexoLibrary)), serverName_(std::move(serverName)), advancedUsed_(advancedUsed) {}
  const std::string& ServerName() const { return serverName_; }
  bool AdvancedUsed() const { return advancedUsed_; }

 private:
  void OnInit() override;
  bool OnPageCommand(int id, int notification) override;
  void OnLeave() override;
  std::string nexoLibrary_, serverName_;
  bool advancedUsed_;
};

// Template 2020: the installed products that will run with the server, one a line.
class CCompliantProductsDlg : public PageDialog {
 public:
  explicit CCompliantProductsDlg(std::vector<std::string> products) : products_(std::move(products)) {}

 private:
  void OnInit() override;
  std::vector<std::string> products_;
};
