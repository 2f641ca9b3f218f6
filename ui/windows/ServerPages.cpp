#include "ui/windows/ServerPages.h"

#include "engine/Text.h"
#include "ui/NexoLibrary.h"
#include "ui/ServerStep.h"
#include "ui/resources/PageResource.h"
#include "ui/windows/ListBoxFill.h"

namespace {
// The name must fit the buffer that the NEXO Library is handed.
constexpr int kServerNameLimit = static_cast<int>(kServerNameBufferSize) - 1;

void LimitServerName(HWND edit) { SendMessageA(edit, EM_LIMITTEXT, kServerNameLimit, 0); }

// The products list as the page reads it: "Writer, Calc".
std::string ReadableProducts(const std::string& products) {
  std::string readable;
  FieldReader fields(products, ',');
  while (!fields.AtEnd()) {
    if (!readable.empty()) readable += ", ";
    readable += fields.Next();
  }
  return readable;
}
}  // namespace

void CFrameworkServerDlg::OnInit() {
  LimitServerName(Item(IDC_SERVER_EDIT));
  SetText(IDC_SERVER_EDIT, answer_.serverName.substr(0, kServerNameLimit));
  Check(IDC_USE_SERVER_RADIO, true);
  Show(IDC_ADVANCED, !answer_.nexoLibrary.empty());
  EnableForChoice();
}

void CFrameworkServerDlg::EnableForChoice() {
  bool named = Checked(IDC_USE_SERVER_RADIO);
  Enable(IDC_SERVER_EDIT, named && !answer_.advancedUsed);
  Enable(IDC_ADVANCED, named);
}

bool CFrameworkServerDlg::OnPageCommand(int id, int notification) {
  switch (id) {
    case IDC_USE_SERVER_RADIO:
    case IDC_LATER_SERVER_RADIO:
    case IDC_NO_SERVER_RADIO:
      if (notification == BN_CLICKED) EnableForChoice();
      return true;
    case IDC_ADVANCED:
      if (notification == BN_CLICKED && !answer_.nexoLibrary.empty()) {
        std::string name = Text(IDC_SERVER_EDIT);
        if (RunAdvancedServerSettings(answer_.nexoLibrary, name, answer_.advancedUsed))
          SetText(IDC_SERVER_EDIT, name.substr(0, kServerNameLimit));
        EnableForChoice();
      }
      return true;
    default:
      return false;
  }
}

bool CFrameworkServerDlg::OnNext() {
  ReadChoice();
  if (ServerPageANextAllowed(answer_, answer_.products)) return true;
  if (!ServerNameVerdict(answer_).Passed())
    SendMessageA(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_SERVER_EDIT)), TRUE);
  return false;
}

void CFrameworkServerDlg::OnLeave() { ReadChoice(); }

void CFrameworkServerDlg::ReadChoice() {
  answer_.option = Checked(IDC_USE_SERVER_RADIO)     ? ServerOption::UseNamedServer
                   : Checked(IDC_LATER_SERVER_RADIO) ? ServerOption::SelectLater
                                                     : ServerOption::NoServer;
  answer_.serverName = Text(IDC_SERVER_EDIT);
}

void COperationModeDlg::OnInit() {
  SetText(IDC_TEXT1, ReadableProducts(products_));
  Check(IDC_YES_RADIO, active_);
  Check(IDC_NO_RADIO, !active_);
}

void COperationModeDlg::OnLeave() { active_ = Checked(IDC_YES_RADIO); }

void CFrameworkServerNameDlg::OnInit() {
  LimitServerName(Item(IDC_SERVER_EDIT));
  SetText(IDC_SERVER_EDIT, serverName_.substr(0, kServerNameLimit));
  Show(IDC_ADVANCED, !nexoLibrary_.empty());
  Enable(IDC_SERVER_EDIT, !advancedUsed_);
}

bool CFrameworkServerNameDlg::OnPageCommand(int id, int notification) {
  if (id != IDC_ADVANCED) return false;
  if (notification == BN_CLICKED && !nexoLibrary_.empty()) {
    std::string name = Text(IDC_SERVER_EDIT);
    if (RunAdvancedServerSettings(nexoLibrary_, name, advancedUsed_))
      SetText(IDC_SERVER_EDIT, name.substr(0, kServerNameLimit));
    Enable(IDC_SERVER_EDIT, !advancedUsed_);
  }
  return true;
}

void CFrameworkServerNameDlg::OnLeave() { serverName_ = Text(IDC_SERVER_EDIT); }

void CCompliantProductsDlg::OnInit() { FillListBox(Item(IDC_COMPLIANT_PRODUCT_LIST), products_); }
