#include "ui/windows/CheckList.h"

#include "engine/Errors.h"

namespace {
// The list box's own procedure, kept on the list while it lives.
constexpr char kOriginalProcedure[] = "TessaroCheckListProcedure";
constexpr int kBoxSize = 13;
constexpr int kBoxMargin = 2;
constexpr int kCheckArea = kBoxSize + 2 * kBoxMargin;

void AskToggle(HWND list) {
  SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), kCheckListToggle),
               reinterpret_cast<LPARAM>(list));
}

// Whether the point lies on the check box of a line.
bool OnCheckBox(HWND list, LPARAM point) {
  LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, point);
  if (HIWORD(hit)) return false;
  RECT line = {};
  if (SendMessageA(list, LB_GETITEMRECT, LOWORD(hit), reinterpret_cast<LPARAM>(&line)) == LB_ERR) return false;
  int x = static_cast<short>(LOWORD(point));
  return x >= line.left && x < line.left + kCheckArea;
}

LRESULT CALLBACK CheckListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  auto original = reinterpret_cast<WNDPROC>(GetPropA(list, kOriginalProcedure));
  switch (message) {
    case WM_LBUTTONDOWN: {
      // The list selects the line first; the toggle then acts on it.
      LRESULT result = CallWindowProcA(original, list, message, wParam, lParam);
      if (OnCheckBox(list, lParam)) AskToggle(list);
      return result;
    }
    case WM_LBUTTONDBLCLK:
      if (SendMessageA(list, LB_GETCURSEL, 0, 0) != LB_ERR) AskToggle(list);
      return 0;
    case WM_KEYDOWN:
      if (wParam != VK_SPACE) break;
      if (SendMessageA(list, LB_GETCURSEL, 0, 0) != LB_ERR) AskToggle(list);
      return 0;
    case WM_CHAR:
      // The space toggles; it does not search for a line starting with a blank.
      if (wParam == ' ') return 0;
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      RemovePropA(list, kOriginalProcedure);
      break;
    default:
      break;
  }
  return CallWindowProcA(original, list, message, wParam, lParam);
}
}  // namespace

void MakeCheckList(HWND list) {
  LONG_PTR original = GetWindowLongPtrA(list, GWLP_WNDPROC);
  if (!original) throw Win32Failure("GetWindowLongPtrA of a check list");
  if (!SetPropA(list, kOriginalProcedure, reinterpret_cast<HANDLE>(original))) throw Win32Failure("SetPropA");
  if (!SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CheckListProcedure))) {
    RemovePropA(list, kOriginalProcedure);
    throw Win32Failure("SetWindowLongPtrA of a check list");
  }
}

RECT CheckListTextArea(const RECT& line) {
  RECT area = line;
  area.left += kCheckArea;
  return area;
}

void DrawCheckListBox(HDC dc, const RECT& line, bool checked, bool disabled) {
  RECT area = line;
  area.right = area.left + kCheckArea;
  FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
  RECT box;
  box.left = area.left + kBoxMargin;
  box.top = area.top + (area.bottom - area.top - kBoxSize) / 2;
  box.right = box.left + kBoxSize;
  box.bottom = box.top + kBoxSize;
  UINT state = DFCS_BUTTONCHECK | (checked ? DFCS_CHECKED : 0) | (disabled ? DFCS_INACTIVE : 0);
  if (!DrawFrameControl(dc, &box, DFC_BUTTON, state)) throw Win32Failure("DrawFrameControl");
}
