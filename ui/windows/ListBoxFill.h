#pragma once
// Fills a list box with lines and widens its horizontal scroll range to the longest one, so
// that a long line can be scrolled to rather than cut.
#include <windows.h>

#include <string>
#include <vector>

// `tabStop` (dialog units, 0 for none) sets one tab stop for lines that hold tabs; the list
// needs the LBS_USETABSTOPS style for it.
void FillListBox(HWND list, const std::vector<std::string>& lines, int tabStop = 0);
