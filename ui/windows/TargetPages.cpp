#include "ui/windows/TargetPages.h"

#include "engine/Paths.h"
#include "engine/StepResult.h"
#include "model/Model.h"
#include "ui/FolderSelection.h"
#include "ui/FolderText.h"
#include "ui/TargetPathChoice.h"
#include "ui/resources/PageResource.h"

namespace {
constexpr size_t kTargetPathChars = 30;
constexpr size_t kLocationPathChars = 45;
constexpr int kLocationsTabStop = 150;
}  // namespace

void CTargetDlg::OnInit() {
  SetText(IDC_TARGET_TEXT, target_.Description.Translated(*target_.setup, true));
  ShowPath();
  Enable(IDC_BROWSE, target_.Editable());
}

void CTargetDlg::ShowPath() { SetText(IDC_TARGET_PATH, ShortenPath(target_.path, kTargetPathChars)); }

bool CTargetDlg::OnPageCommand(int id, int notification) {
  if (id != IDC_BROWSE || notification != BN_CLICKED) return false;
  if (!Enabled(IDC_BROWSE)) return true;
  std::string path = StripTrailingBackslashes(target_.path);
  if (!SelectFolderWithChecks(path)) return true;
  TargetPathChange change = ChangeTargetPath(target_, path);
  ShowPath();
  ShowVerdict(change.notice);
  return true;
}

void CTargetLocationsDlg::OnInit() {
  SetText(IDC_MAIN_TEXT, "The following directories are used to store the files for " +
                             feature_.Name.Translated(*feature_.setup, true) + ":");
  HWND list = Item(IDC_LOCATIONS_LIST);
  int tabStop = kLocationsTabStop;
  SendMessageA(list, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
  rows_ = FeatureTargetRows(feature_);
  for (size_t row = 0; row < rows_.size(); ++row) {
    std::string line = TargetLocationLine(rows_[row]);
    LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    // Each line carries its row, so the line and its target stay together.
    SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(row));
  }
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  ShowSelected();
}

int CTargetLocationsDlg::Selected() const {
  HWND list = Item(IDC_LOCATIONS_LIST);
  LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return -1;
  LRESULT row = SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  return row >= 0 && static_cast<size_t>(row) < rows_.size() ? static_cast<int>(row) : -1;
}

void CTargetLocationsDlg::ShowSelected() {
  int row = Selected();
  SetText(IDC_LOCATION_PATH, row < 0 ? "" : ShortenPath(rows_[row].target->path, kLocationPathChars));
  Enable(IDC_MODIFY, row >= 0 && rows_[row].editable);
}

void CTargetLocationsDlg::Modify() {
  int row = Selected();
  if (row < 0 || !rows_[row].editable) return;
  CTarget& target = *rows_[row].target;
  std::string path = StripTrailingBackslashes(target.path);
  if (!SelectFolderWithChecks(path)) return;
  TargetPathChange change = edit_.Modify(target, path);
  ShowSelected();
  ShowVerdict(change.notice);
}

bool CTargetLocationsDlg::OnCommand(int id, int notification) {
  switch (id) {
    case IDC_LOCATIONS_LIST:
      if (notification == LBN_SELCHANGE) ShowSelected();
      return true;
    case IDC_MODIFY:
      if (notification == BN_CLICKED) Modify();
      return true;
    case IDOK:
      End(kEndNext);
      return true;
    case IDCANCEL:
      edit_.Discard();
      End(kEndCancel);
      return true;
    default:
      return false;
  }
}
