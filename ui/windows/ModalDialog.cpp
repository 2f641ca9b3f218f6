#include "ui/windows/ModalDialog.h"

#include <algorithm>
#include <vector>

#include "engine/Win32Handles.h"

namespace {
// The end code of a dialog whose handler threw; Run throws the error instead of answering it.
constexpr int kFailedEnd = -1;
// Texts of the controls are read in full up to this length.
constexpr int kMaxControlText = 64 * 1024;
}  // namespace

bool ModalDialog::MeasureListItem(HWND window, MEASUREITEMSTRUCT& item) {
  if (item.CtlType != ODT_LISTBOX) return false;
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  WindowDc dc(window);
  if (!dc.get()) return false;
  SelectedObject selected(dc.get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICA metrics = {};
  if (!GetTextMetricsA(dc.get(), &metrics)) return false;
  item.itemHeight =
      static_cast<UINT>(std::max<LONG>(metrics.tmHeight + kListLinePadding, kListIconSize + kListLinePadding));
  return true;
}

int ModalDialog::Run(int templateId) {
  failure_ = nullptr;
  INT_PTR end = DialogBoxParamA(Resources(), MAKEINTRESOURCEA(templateId), MessageOwner(), Procedure,
                                reinterpret_cast<LPARAM>(this));
  if (failure_) std::rethrow_exception(failure_);
  if (end == -1) throw Win32Failure("DialogBoxParamA of template " + std::to_string(templateId));
  return static_cast<int>(end);
}

HINSTANCE ModalDialog::Resources() {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCSTR>(&ModalDialog::Procedure), &module))
    throw Win32Failure("GetModuleHandleExA");
  return module;
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ModalDialog* dialog = nullptr;
  if (message == WM_INITDIALOG) {
    dialog = reinterpret_cast<ModalDialog*>(lParam);
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    dialog->window_ = window;
  } else {
    dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(window, DWLP_USER));
  }
  // Messages before WM_INITDIALOG (WM_SETFONT, an owner-drawn list's WM_MEASUREITEM) find no
  // object yet. Owner-drawn list lines are measured here, the same for every page.
  if (!dialog)
    return message == WM_MEASUREITEM && MeasureListItem(window, *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, DWLP_USER, 0);
    dialog->owning_.reset();
    dialog->window_ = nullptr;
    return FALSE;
  }
  // After a failure the dialog is on its way out; nothing more of it runs.
  if (dialog->failure_) return FALSE;
  try {
    return dialog->Dispatch(message, wParam, lParam);
  } catch (...) {
    dialog->failure_ = std::current_exception();
    EndDialog(window, kFailedEnd);
    return TRUE;
  }
}

INT_PTR ModalDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      owning_.emplace(window_);
      OnInit();
      return TRUE;
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_DRAWITEM:
      return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
    default:
      return FALSE;
  }
}

void ModalDialog::End(int code) {
  if (!EndDialog(window_, code)) throw Win32Failure("EndDialog");
}

HWND ModalDialog::Item(int id) const {
  HWND item = GetDlgItem(window_, id);
  if (!item) throw Win32Failure("GetDlgItem of control " + std::to_string(id));
  return item;
}

void ModalDialog::SetText(int id, const std::string& text) {
  if (!SetWindowTextA(Item(id), text.c_str())) throw Win32Failure("SetWindowTextA of control " + std::to_string(id));
}

void ModalDialog::SetFittedText(int id, const std::string& text, int margin) {
  HWND control = Item(id);
  RECT box{};
  GetClientRect(control, &box);
  const int width = box.right - box.left - margin;
  WindowDc dc(control);
  SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  auto fits = [&](const std::string& candidate) {
    SIZE extent{};
    // Text that cannot be measured is shown whole, as the control clips it.
    if (!GetTextExtentPoint32A(dc.get(), candidate.c_str(), static_cast<int>(candidate.size()), &extent)) return true;
    return extent.cx <= width;
  };
  std::string fitted = text;
  if (!fits(fitted)) {
    // Characters come off the end whole, double-byte ones included, until the rest and the dots fit.
    const char* begin = text.c_str();
    const char* end = begin + text.size();
    do {
      end = CharPrevA(begin, end);
      fitted = std::string(begin, end) + "...";
    } while (end > begin && !fits(fitted));
  }
  SetText(id, fitted);
}

std::string ModalDialog::Text(int id) const {
  HWND item = Item(id);
  int length = GetWindowTextLengthA(item);
  if (length <= 0) return "";
  std::vector<char> text(static_cast<size_t>(std::min(length, kMaxControlText)) + 1);
  int copied = GetWindowTextA(item, text.data(), static_cast<int>(text.size()));
  return std::string(text.data(), static_cast<size_t>(std::max(copied, 0)));
}

void ModalDialog::Enable(int id, bool enabled) { EnableWindow(Item(id), enabled); }
bool ModalDialog::Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
void ModalDialog::Show(int id, bool shown) { ShowWindow(Item(id), shown ? SW_SHOW : SW_HIDE); }
bool ModalDialog::Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
void ModalDialog::Check(int id, bool checked) {
  SendMessageA(Item(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
