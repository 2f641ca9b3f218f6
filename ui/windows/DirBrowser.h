#pragma once
// The directory browser, class CDirBrowserDlg: a Windows 3.1 style open-file dialog
// (GetOpenFileNameA without OFN_EXPLORER) on template 165, hooked so that its "Folder:" edit
// and its own Open and Cancel buttons replace the file name field and the standard buttons.
#include <windows.h>

#include <exception>
#include <string>

class CDirBrowserDlg {
 public:
  CDirBrowserDlg(std::string title, std::string start) : title_(std::move(title)), start_(std::move(start)) {}
  // Shows the dialog owned by `owner`; true with the folder in Chosen() when Open accepted one.
  bool Run(HWND owner);
  const std::string& Chosen() const { return chosen_; }

 private:
  static UINT_PTR CALLBACK Hook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  UINT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInit();
  void OnFolderPicked();
  // "Open": the folder of the edit, trimmed and checked; false keeps the dialog open.
  bool Accept();
  void RefocusEdit();

  std::string title_, start_, chosen_;
  HWND window_ = nullptr;
  std::exception_ptr failure_;
};

// REBrowseForFolder's work: opens the browser on `path` (or its nearest existing parent, or
// "C:\") with the current directory set there for the while, and restored after. On Open the
// chosen folder lands in `path`; true when it differs from the given path (case ignored).
bool BrowseForFolder(HWND owner, const std::string& title, std::string& path);
