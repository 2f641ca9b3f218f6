#pragma once
// Drives the engine's wizard pages from another thread, as a user would: finds a page by its
// caption, reads its controls by id, clicks buttons and types into edits. With the environment
// variable TESSARO_GALLERY_DIR set, pictures of the pages land there as BMP files.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

// A message box: a dialog whose control 0xFFFF is its text. The pages hold their picture under
// that id.
bool IsMessageBox(HWND dialog);
// The visible page of this process with this caption, waited for; nullptr after the timeout.
HWND WaitForPage(const std::string& caption, DWORD timeoutMs = 10000);
// The same among the pages of every process: those of a setup host the test started.
HWND WaitForPageOfAnyProcess(const std::string& caption, DWORD timeoutMs = 10000);
// Any visible page of another process, whatever its caption; nullptr after the timeout.
HWND WaitForAnyPageOfOtherProcess(DWORD timeoutMs = 10000);
// A visible message box of any process, waited for; nullptr after the timeout.
HWND WaitForMessageBoxOfAnyProcess(DWORD timeoutMs = 10000);
// Waits until the window is gone.
bool WaitUntilClosed(HWND window, DWORD timeoutMs = 10000);
// Waits until `condition` holds.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

std::string ItemText(HWND page, int id);
bool ItemEnabled(HWND page, int id);
bool ItemVisible(HWND page, int id);
bool ItemChecked(HWND page, int id);
// Where a control stands in the page's client area, in pixels.
RECT ItemPlace(HWND page, int id);
// What a control of a page shows: its text (when given), enabled, visible and checked states.
struct Control {
  int id;
  std::optional<std::string> text = std::nullopt;
  bool enabled = true;
  bool visible = true;
  std::optional<bool> checked = std::nullopt;
};
// Expects each control on the page as described; failures name the page.
void ExpectControls(HWND page, const std::vector<Control>& controls, const std::string& pageName);

// Presses a button (or radio button) the way a mouse click does.
void Click(HWND page, int id);
// Empties an edit and types `text` into it key by key.
void Type(HWND page, int id, const std::string& text);
// The lines of a list box, in the order it shows them.
std::vector<std::string> ListLines(HWND page, int id);
// The line a list box has selected, or -1.
int SelectedListLine(HWND page, int id);
// Clicks a line of a list box with the mouse; the double click is the second click of a pair.
void ClickListLine(HWND page, int id, int line);
void DoubleClickListLine(HWND page, int id, int line);
// The texts of every control of the page, those without an id of their own included.
std::vector<std::string> ControlTexts(HWND page);
// The control that has the keyboard focus in the page's thread.
HWND FocusedControl(HWND page);
// Saves a picture of the page as <TESSARO_GALLERY_DIR>\<name>.bmp when that variable is set.
void SaveGalleryPicture(HWND page, const std::string& name);

// Runs `user` on a thread of its own while `step` runs on this one and shows its pages.
template <typename Step, typename User>
auto WithUser(User&& user, Step&& step) {
  std::thread thread(std::forward<User>(user));
  auto result = step();
  thread.join();
  return result;
}

}  // namespace testing_support
