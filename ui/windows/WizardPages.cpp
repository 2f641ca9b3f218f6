#include "ui/windows/WizardPages.h"

#include "ui/PageHost.h"
#include "ui/WizardPageSteps.h"
#include "ui/resources/PageResource.h"
#include "ui/windows/ListBoxFill.h"

namespace {
// The summary list's one tab stop, in dialog units.
constexpr int kSummaryTabStop = 100;
}  // namespace

CSetupTypeDlg::CSetupTypeDlg(std::vector<SetupTypeRow> rows) : rows_(std::move(rows)) {
  if (rows_.size() > kSetupTypeRows) rows_.resize(kSetupTypeRows);
}

void CSetupTypeDlg::OnInit() {
  RECT baseUnits = {0, 0, 4, 8};
  if (!MapDialogRect(Window(), &baseUnits)) throw Win32Failure("MapDialogRect");
  auto x = [&](int design) { return MulDiv(design, baseUnits.right, kDesignBaseUnitX); };
  auto y = [&](int design) { return MulDiv(design, baseUnits.bottom, kDesignBaseUnitY); };
  for (size_t index = 0; index < kSetupTypeRows; ++index) {
    int buttonId = IDC_TYPE_BUTTON1 + static_cast<int>(index);
    bool used = index < rows_.size();
    Show(buttonId, used);
    Show(buttonId + TYPE_TEXT_OFFSET, used);
    if (!used) continue;
    const SetupTypeRow& row = rows_[index];
    HWND button = Item(row.buttonId);
    SetText(row.buttonId, row.bitmapBase);
    buttons_[index].Attach(Resources(), button);
    if (!SetWindowPos(button, nullptr, x(kTypeButtonLeft), y(row.top + kTypeButtonDrop), 0, 0,
                      SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE))
      throw Win32Failure("SetWindowPos of a setup type button");
    SetText(row.textId, row.text);
    if (!SetWindowPos(Item(row.textId), nullptr, x(kTypeTextLeft), y(row.top), x(kTypeTextWidth), y(row.textHeight),
                      SWP_NOZORDER | SWP_NOACTIVATE))
      throw Win32Failure("SetWindowPos of a setup type text");
  }
}

bool CSetupTypeDlg::OnPageCommand(int id, int notification) {
  for (const SetupTypeRow& row : rows_) {
    if (row.buttonId != id) continue;
    if (notification == BN_CLICKED) {
      chosen_ = row.typeId;
      Leave(kEndNext);
    }
    return true;
  }
  return false;
}

bool CSetupTypeDlg::OnDrawItem(const DRAWITEMSTRUCT& item) {
  for (const BitmapButton& button : buttons_) {
    if (!button.Draws(item)) continue;
    button.Draw(item);
    return true;
  }
  return false;
}

void CWelcomeDlg::OnInit() { SetText(IDC_MAIN_TEXT, welcomeText_); }

void CAddRemoveDlg::OnInit() {
  install_.Attach(Resources(), Item(IDC_INSTALL_BUTTON));
  uninstall_.Attach(Resources(), Item(IDC_UNINSTALL_BUTTON));
}

bool CAddRemoveDlg::OnPageCommand(int id, int notification) {
  if (id != IDC_INSTALL_BUTTON && id != IDC_UNINSTALL_BUTTON) return false;
  if (notification == BN_CLICKED) Leave(static_cast<int>(id == IDC_INSTALL_BUTTON ? AddRemoveChoice::Install : AddRemoveChoice::Uninstall));
  return true;
}

bool CAddRemoveDlg::OnDrawItem(const DRAWITEMSTRUCT& item) {
  for (const BitmapButton* button : {&install_, &uninstall_}) {
    if (!button->Draws(item)) continue;
    button->Draw(item);
    return true;
  }
  return false;
}

void CLicenseAgreementDlg::OnInit() { FillListBox(Item(IDC_LIST), lines_); }

void CSummaryDlg::OnInit() { FillListBox(Item(IDC_LIST), lines_, kSummaryTabStop); }

void CSummaryDlg::OnLeave() { forceCoreComponents_ = Checked(IDC_FORCE_CORE); }

int CFinalDlg::Template() const { return restartOffered_ ? IDD_FINISHED_RESTART : IDD_FINISHED; }

void CFinalDlg::OnInit() {
  if (restartOffered_)
    Check(IDC_YES_RADIO, true);
  else
    SetText(IDC_MAIN_TEXT, FinishedText(suiteName_));
}

void CFinalDlg::OnLeave() { restartNow_ = restartOffered_ && Checked(IDC_YES_RADIO); }
