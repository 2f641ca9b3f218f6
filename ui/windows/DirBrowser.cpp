#include "ui/windows/DirBrowser.h"

#include <commdlg.h>

#include <optional>
#include <vector>

#include "engine/Errors.h"
#include "engine/Paths.h"
#include "engine/Text.h"
#include "state/Registry.h"
#include "ui/FolderText.h"
#include "ui/resources/PageResource.h"

namespace {
constexpr char kObjectProperty[] = "TessaroDirBrowser";
// The filter "Show Folders Only|.||": a pattern that matches no file, so only folders show.
constexpr char kFilter[] = "Show Folders Only\0.\0";
constexpr DWORD kBrowserOptions = 0x806;  // path must exist, hide read-only, overwrite prompt
constexpr unsigned kStyleQuestion = MB_YESNO | MB_ICONQUESTION;

HINSTANCE ResourceModule() {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCSTR>(&ResourceModule), &module))
    throw Win32Failure("GetModuleHandleExA");
  return module;
}

std::string ItemText(HWND window, int id) {
  HWND item = GetDlgItem(window, id);
  int length = item ? GetWindowTextLengthA(item) : 0;
  if (length <= 0) return "";
  std::vector<char> text(static_cast<size_t>(length) + 1);
  int copied = GetWindowTextA(item, text.data(), static_cast<int>(text.size()));
  return std::string(text.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

std::string CurrentDirectory() {
  char directory[MAX_PATH + 1] = "";
  DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
  return length > 0 && length < sizeof directory ? std::string(directory, length) : "";
}

// Whether the drive of the folder may hold an installation: a fixed disk or a network drive.
bool InstallableDrive(const std::string& folder) {
  if (folder.compare(0, 2, "\\\\") == 0) return true;
  if (folder.size() < 2 || folder[1] != ':') return true;  // a path of the current drive
  UINT type = GetDriveTypeA((folder.substr(0, 2) + "\\").c_str());
  return type == DRIVE_FIXED || type == DRIVE_REMOTE;
}

// A button like the dialog's own, at the place of the hidden standard button `standardId`.
HWND CreateButtonAt(HWND window, int standardId, int id, const char* text, DWORD style) {
  RECT place;
  GetWindowRect(GetDlgItem(window, standardId), &place);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
  HWND button = CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, place.left, place.top,
                                place.right - place.left, place.bottom - place.top, window,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (!button) throw Win32Failure("CreateWindowExA of button " + std::to_string(id));
  SendMessageA(button, WM_SETFONT, SendMessageA(window, WM_GETFONT, 0, 0), TRUE);
  return button;
}
}  // namespace

bool CDirBrowserDlg::Run(HWND owner) {
  char file[MAX_PATH + 1] = "";
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.hInstance = ResourceModule();
  ofn.lpstrFilter = kFilter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrInitialDir = start_.c_str();
  ofn.lpstrTitle = title_.c_str();
  ofn.Flags = kBrowserOptions | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE;
  ofn.lCustData = reinterpret_cast<LPARAM>(this);
  ofn.lpfnHook = Hook;
  ofn.lpTemplateName = MAKEINTRESOURCEA(IDD_DIR_BROWSER);
  chosen_.clear();
  failure_ = nullptr;
  // The answer is what Open accepted, not the dialog's own result: the hook ends the dialog.
  GetOpenFileNameA(&ofn);
  bool accepted = !chosen_.empty();
  if (failure_) std::rethrow_exception(failure_);
  DWORD error = CommDlgExtendedError();
  if (!accepted && error != 0)
    throw CMyError("The folder browser could not be shown (common dialog error " + std::to_string(error) + ").");
  return accepted;
}

UINT_PTR CALLBACK CDirBrowserDlg::Hook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CDirBrowserDlg* browser = nullptr;
  if (message == WM_INITDIALOG) {
    browser = reinterpret_cast<CDirBrowserDlg*>(reinterpret_cast<const OPENFILENAMEA*>(lParam)->lCustData);
    SetPropA(window, kObjectProperty, browser);
    browser->window_ = window;
  } else {
    browser = static_cast<CDirBrowserDlg*>(GetPropA(window, kObjectProperty));
  }
  if (!browser) return FALSE;
  if (message == WM_NCDESTROY) {
    RemovePropA(window, kObjectProperty);
    browser->window_ = nullptr;
    return FALSE;
  }
  if (browser->failure_) return FALSE;
  try {
    return browser->Dispatch(message, wParam, lParam);
  } catch (...) {
    browser->failure_ = std::current_exception();
    browser->chosen_.clear();
    EndDialog(window, FALSE);
    return TRUE;
  }
}

UINT_PTR CDirBrowserDlg::Dispatch(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      OnInit();
      return FALSE;  // the focus is set: on the edit
    case WM_COMMAND: {
      int id = LOWORD(wParam), notification = HIWORD(wParam);
      if (id == IDC_BROWSER_OPEN || id == IDOK) {
        if (id == IDOK || notification == BN_CLICKED) {
          if (Accept())
            EndDialog(window_, TRUE);
          else
            RefocusEdit();
        }
        return TRUE;
      }
      if (id == IDC_BROWSER_CANCEL || id == IDCANCEL) {
        chosen_.clear();
        EndDialog(window_, FALSE);
        return TRUE;
      }
      if (id == IDC_OFN_FOLDERS && notification == LBN_SELCHANGE) OnFolderPicked();
      return FALSE;  // the standard dialog goes on with its own handling
    }
    default:
      return FALSE;
  }
}

void CDirBrowserDlg::OnInit() {
  HWND open = CreateButtonAt(window_, IDOK, IDC_BROWSER_OPEN, "Open", BS_DEFPUSHBUTTON);
  HWND cancel = CreateButtonAt(window_, IDCANCEL, IDC_BROWSER_CANCEL, "Cancel", BS_PUSHBUTTON);
  // Tab from the edit reaches Open, then Cancel.
  HWND edit = GetDlgItem(window_, IDC_FOLDER_EDIT);
  SetWindowPos(open, edit, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowPos(cancel, open, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageA(window_, DM_SETDEFID, IDC_BROWSER_OPEN, 0);
  SetWindowTextA(edit, start_.c_str());
  SendMessageA(edit, EM_LIMITTEXT, kBrowserPathSize - 1, 0);
  RefocusEdit();
}

void CDirBrowserDlg::RefocusEdit() {
  HWND edit = GetDlgItem(window_, IDC_FOLDER_EDIT);
  SetFocus(edit);
  SendMessageA(edit, EM_SETSEL, 0, -1);
}

void CDirBrowserDlg::OnFolderPicked() {
  HWND list = GetDlgItem(window_, IDC_OFN_FOLDERS);
  LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return;
  LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return;
  std::vector<char> text(static_cast<size_t>(length) + 1);
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  std::string name(text.data());
  // The list names folders "[name]".
  if (name.size() >= 2 && name.front() == '[' && name.back() == ']') name = name.substr(1, name.size() - 2);
  std::string current = CurrentDirectory();
  std::string folder = name == ".." ? ParentDirectory(StripTrailingBackslashes(current)) : JoinPath(current, name);
  if (folder.empty() || folder.back() == ':') folder = JoinPath(folder, "");
  SetWindowTextA(GetDlgItem(window_, IDC_FOLDER_EDIT), TrimFolderText(folder).c_str());
}

bool CDirBrowserDlg::Accept() {
  ScopedMessageOwner owner(window_);
  std::string folder = TrimFolderText(ItemText(window_, IDC_FOLDER_EDIT));
  if (folder.empty() || folder.size() >= kBrowserPathSize || !IsValidPath(folder, kAllowNetworkPath | kAllowDriveRoot)) {
    ShowErrorText("The directory is invalid.", kStyleExclamation);
    return false;
  }
  if (!InstallableDrive(folder)) {
    ShowErrorText("The specified drive is not valid for installation.", kStyleExclamation);
    return false;
  }
  if (!DirectoryExists(folder)) {
    if (ShowErrorText("This folder does not exist.\n\nDo you want to create it?", kStyleQuestion) != IDYES)
      return false;
    if (!CreateDirectoryTree(folder) || !DirectoryExists(folder)) {
      ShowErrorText("Setup is unable to create the directory.", kStyleExclamation);
      return false;
    }
  }
  chosen_ = folder;
  return true;
}

bool BrowseForFolder(HWND owner, const std::string& title, std::string& path) {
  std::string start = StartingFolder(path, [](const std::string& folder) { return DirectoryExists(folder); });
  std::string saved = CurrentDirectory();
  SetCurrentDirectoryA(start.c_str());
  CDirBrowserDlg browser(title, start);
  bool accepted = false;
  try {
    accepted = browser.Run(owner);
  } catch (...) {
    if (!saved.empty()) SetCurrentDirectoryA(saved.c_str());
    throw;
  }
  if (!saved.empty()) SetCurrentDirectoryA(saved.c_str());
  if (!accepted) return false;
  bool differs = !EqualsNoCase(browser.Chosen(), TrimFolderText(path));
  path = browser.Chosen();
  return differs;
}
