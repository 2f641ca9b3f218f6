#include "support/PageDriver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <vector>

#include "engine/Paths.h"
#include "engine/Win32Handles.h"

namespace testing_support {

namespace {
struct PageSearch {
  std::string caption;
  bool anyProcess = false;
  bool messageBox = false;
  bool anyCaption = false;
  HWND found = nullptr;
};

BOOL CALLBACK MatchPage(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<PageSearch*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char className[64] = {}, caption[512] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, caption, sizeof caption);
  bool ours = search->anyProcess || process == GetCurrentProcessId();
  if (search->anyCaption && process == GetCurrentProcessId()) ours = false;
  bool wanted = search->messageBox
                    ? IsMessageBox(window)
                    : !IsMessageBox(window) && (search->anyCaption || search->caption == caption);
  if (ours && std::string(className) == "#32770" && IsWindowVisible(window) && wanted) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

void WriteBitmapFile(const std::string& path, HDC dc, HBITMAP bitmap, int width, int height) {
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  int stride = (width * 3 + 3) & ~3;
  std::vector<char> pixels(static_cast<size_t>(stride) * height);
  GetDIBits(dc, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
}
}  // namespace

bool IsMessageBox(HWND dialog) {
  HWND text = GetDlgItem(dialog, 0xFFFF);
  if (!text) return false;
  // A page's group box may carry that id too: a box's text is a static, and not a picture.
  char className[16] = {};
  GetClassNameA(text, className, sizeof className);
  return lstrcmpiA(className, "Static") == 0 && (GetWindowLongA(text, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
    if (condition()) return true;
    Sleep(20);
  }
  return condition();
}

namespace {
HWND WaitForDialog(PageSearch search, DWORD timeoutMs) {
  WaitUntil(
      [&] {
        EnumWindows(MatchPage, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeoutMs);
  // A page becomes visible only after its initialisation, when its modal loop first idles.
  return search.found;
}
}  // namespace

HWND WaitForPage(const std::string& caption, DWORD timeoutMs) { return WaitForDialog({caption}, timeoutMs); }
HWND WaitForPageOfAnyProcess(const std::string& caption, DWORD timeoutMs) {
  return WaitForDialog({caption, true}, timeoutMs);
}
HWND WaitForMessageBoxOfAnyProcess(DWORD timeoutMs) { return WaitForDialog({"", true, true}, timeoutMs); }
HWND WaitForAnyPageOfOtherProcess(DWORD timeoutMs) { return WaitForDialog({"", true, false, true}, timeoutMs); }

bool WaitUntilClosed(HWND window, DWORD timeoutMs) {
  return WaitUntil([&] { return !IsWindow(window); }, timeoutMs);
}

std::string ItemText(HWND page, int id) {
  char text[4096] = {};
  GetDlgItemTextA(page, id, text, sizeof text);
  return text;
}

bool ItemEnabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }
bool ItemVisible(HWND page, int id) { return IsWindowVisible(GetDlgItem(page, id)) != FALSE; }
bool ItemChecked(HWND page, int id) { return SendDlgItemMessageA(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

RECT ItemPlace(HWND page, int id) {
  RECT place = {};
  GetWindowRect(GetDlgItem(page, id), &place);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&place), 2);
  return place;
}

void ExpectControls(HWND page, const std::vector<Control>& controls, const std::string& pageName) {
  for (const Control& control : controls) {
    SCOPED_TRACE(pageName + " control " + std::to_string(control.id));
    ASSERT_TRUE(GetDlgItem(page, control.id));
    if (control.text) {
      EXPECT_EQ(ItemText(page, control.id), *control.text);
    }
    EXPECT_EQ(ItemEnabled(page, control.id), control.enabled);
    EXPECT_EQ(ItemVisible(page, control.id), control.visible);
    if (control.checked) {
      EXPECT_EQ(ItemChecked(page, control.id), *control.checked);
    }
  }
}

void Click(HWND page, int id) { PostMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0); }

void Type(HWND page, int id, const std::string& text) {
  HWND edit = GetDlgItem(page, id);
  PostMessageA(edit, EM_SETSEL, 0, -1);
  PostMessageA(edit, WM_CLEAR, 0, 0);
  for (char c : text) PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
}

std::vector<std::string> ListLines(HWND page, int id) {
  HWND list = GetDlgItem(page, id);
  std::vector<std::string> lines;
  LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) break;
    std::string line(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&line[0]));
    line.resize(static_cast<size_t>(length));
    lines.push_back(line);
  }
  return lines;
}

int SelectedListLine(HWND page, int id) {
  return static_cast<int>(SendDlgItemMessageA(page, id, LB_GETCURSEL, 0, 0));
}

namespace {
LPARAM LineCentre(HWND list, int line) {
  RECT item = {};
  SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item));
  return MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
}
}  // namespace

void ClickListLine(HWND page, int id, int line) {
  HWND list = GetDlgItem(page, id);
  LPARAM at = LineCentre(list, line);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
}

void DoubleClickListLine(HWND page, int id, int line) {
  HWND list = GetDlgItem(page, id);
  LPARAM at = LineCentre(list, line);
  PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
}

namespace {
BOOL CALLBACK CollectText(HWND control, LPARAM data) {
  char text[4096] = {};
  GetWindowTextA(control, text, sizeof text);
  reinterpret_cast<std::vector<std::string>*>(data)->push_back(text);
  return TRUE;
}
}  // namespace

std::vector<std::string> ControlTexts(HWND page) {
  std::vector<std::string> texts;
  EnumChildWindows(page, CollectText, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

HWND FocusedControl(HWND page) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(page, nullptr), &info);
  return info.hwndFocus;
}

void SaveGalleryPicture(HWND page, const std::string& name) {
  const char* directory = std::getenv("TESSARO_GALLERY_DIR");
  if (!directory || !*directory) return;
  RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(300);
  RECT frame = {};
  GetWindowRect(page, &frame);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  WindowDc screen(nullptr);
  UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  UniqueBitmap picture(CreateCompatibleBitmap(screen.get(), width, height));
  {
    SelectedObject selected(memory.get(), picture.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), frame.left, frame.top, SRCCOPY);
  }
  WriteBitmapFile(JoinPath(directory, name + ".bmp"), memory.get(), picture.get(), width, height);
}

}  // namespace testing_support
