#pragma once
// The destination pages: the single target page of the wizard (template 2002) and the target
// locations page of a feature (template 2001).
#include <string>
#include <vector>

#include "ui/TargetLocations.h"
#include "ui/windows/ModalDialog.h"
#include "ui/windows/PageDialog.h"

class CFeature;
class CTarget;

// Template 2002: the target's description and its path (30 characters); Browse, enabled only
// when the target may change, runs the folder selection with checks and ChangeTargetPath.
class CTargetDlg : public PageDialog {
 public:
  explicit CTargetDlg(CTarget& target) : target_(target) {}

 private:
  void OnInit() override;
  bool OnPageCommand(int id, int notification) override;
  void ShowPath();
  CTarget& target_;
};

// Template 2001: one line per shown target of the feature; the selected line's path (45
// characters) and Modify, enabled for editable targets. OK keeps what Modify changed, Cancel
// gives the targets back as they were when the page opened.
class CTargetLocationsDlg : public ModalDialog {
 public:
  explicit CTargetLocationsDlg(CFeature& feature) : feature_(feature) {}

 private:
  void OnInit() override;
  bool OnCommand(int id, int notification) override;
  int Selected() const;
  void ShowSelected();
  void Modify();
  CFeature& feature_;
  std::vector<TargetLocationRow> rows_;
  TargetLocationsEdit edit_;
};
