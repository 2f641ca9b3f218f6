#include "ui/windows/ListBoxFill.h"

#include <algorithm>

#include "engine/Errors.h"
#include "engine/Win32Handles.h"

namespace {
// Room right of the longest line, in pixels.
constexpr int kExtentMargin = 8;
}  // namespace

void FillListBox(HWND list, const std::vector<std::string>& lines, int tabStop) {
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  int tabPixels = 0;
  if (tabStop > 0) {
    SendMessageA(list, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
    RECT stop = {0, 0, tabStop, 0};
    MapDialogRect(GetParent(list), &stop);
    tabPixels = stop.right;
  }
  WindowDc dc(list);
  if (!dc.get()) throw Win32Failure("GetDC of a list box");
  SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
  int widest = 0;
  for (const std::string& line : lines) {
    LRESULT added = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    if (added == LB_ERR || added == LB_ERRSPACE) throw Win32Failure("LB_ADDSTRING");
    int width = 0;
    if (tabPixels > 0) {
      width = LOWORD(GetTabbedTextExtentA(dc.get(), line.c_str(), static_cast<int>(line.size()), 1, &tabPixels));
    } else {
      SIZE size = {};
      GetTextExtentPoint32A(dc.get(), line.c_str(), static_cast<int>(line.size()), &size);
      width = size.cx;
    }
    widest = std::max(widest, width);
  }
  SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + kExtentMargin), 0);
}
