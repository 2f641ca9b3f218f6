#include "ui/windows/PageDialog.h"

#include "ui/ExitConfirmation.h"
#include "ui/PageHost.h"
#include "ui/resources/PageResource.h"

namespace {
bool ButtonAvailable(HWND page, int id) {
  HWND button = GetDlgItem(page, id);
  return button && IsWindowEnabled(button) && IsWindowVisible(button);
}
}  // namespace

void PageDialog::Leave(int code) {
  OnLeave();
  End(code);
}

bool PageDialog::OnCommand(int id, int notification) {
  if (OnPageCommand(id, notification)) return true;
  if (id != IDOK && id != IDC_BACK && id != IDCANCEL) return false;
  if (!ButtonAvailable(Window(), id)) return true;
  if (id == IDOK) {
    if (OnNext()) Leave(EndCodeFor(kEndNext));
  } else if (id == IDC_BACK) {
    Leave(EndCodeFor(kEndBack));
  } else if (ConfirmExit()) {
    Leave(kEndCancel);
  }
  return true;
}
