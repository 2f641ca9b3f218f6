#include "ui/windows/FolderPage.h"

#include <windows.h>

#include "ui/FolderStep.h"
#include "ui/resources/PageResource.h"
#include "ui/windows/ListBoxFill.h"

namespace {
// A folder name is a path component; the longest a path may be bounds it.
constexpr int kFolderNameLimit = MAX_PATH - 1;

std::string ListLine(HWND list, LRESULT index) {
  LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return "";
  std::string line(static_cast<size_t>(length) + 1, '\0');
  LRESULT copied = SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&line[0]));
  line.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
  return line;
}
}  // namespace

void CFolderDlg::OnInit() {
  SendMessageA(Item(IDC_PROGRAM_FOLDER_EDIT), EM_LIMITTEXT, kFolderNameLimit, 0);
  FillListBox(Item(IDC_FOLDER_LIST), existingFolders_);
  SelectCurrentFolder();
  SetText(IDC_PROGRAM_FOLDER_EDIT, folder_.substr(0, kFolderNameLimit));
}

// The list searches without regard to case; the current folder is the line that matches exactly.
void CFolderDlg::SelectCurrentFolder() {
  HWND list = Item(IDC_FOLDER_LIST);
  LRESULT first = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(folder_.c_str()));
  LRESULT at = first;
  while (at != LB_ERR && ListLine(list, at) != folder_) {
    at = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(folder_.c_str()));
    if (at == first) at = LB_ERR;
  }
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(at == LB_ERR ? first : at), 0);
}

bool CFolderDlg::OnPageCommand(int id, int notification) {
  if (id != IDC_FOLDER_LIST) return false;
  if (notification == LBN_SELCHANGE || notification == LBN_DBLCLK) {
    HWND list = Item(IDC_FOLDER_LIST);
    LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (selected != LB_ERR) SetText(IDC_PROGRAM_FOLDER_EDIT, ListLine(list, selected));
  }
  return true;
}

bool CFolderDlg::OnNext() {
  if (ShowVerdict(ProgramFolderVerdict(Text(IDC_PROGRAM_FOLDER_EDIT)))) return true;
  SendMessageA(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_PROGRAM_FOLDER_EDIT)), TRUE);
  return false;
}

void CFolderDlg::OnLeave() { folder_ = Text(IDC_PROGRAM_FOLDER_EDIT); }
