#pragma once
// A list box whose owner-drawn lines carry a check box at their left. A click on a line's box,
// a double click on the line or the space bar asks the page to toggle the current line: the list
// sends its parent WM_COMMAND with the notification kCheckListToggle, so that the page decides
// (and its handler runs inside the page's own error guard).
#include <windows.h>

constexpr WORD kCheckListToggle = 0x100;

// Makes an owner-drawn list box a check list; the list keeps the behaviour until it is destroyed.
void MakeCheckList(HWND list);

// The part of a line right of its check box, where the page draws the line itself.
RECT CheckListTextArea(const RECT& line);
// Draws the line's check box in the window colour left of the text area.
void DrawCheckListBox(HDC dc, const RECT& line, bool checked, bool disabled);
