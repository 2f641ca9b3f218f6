#pragma once
// The program folder page: the folder name and the Start menu's existing folders to pick from.
#include <string>
#include <vector>

#include "ui/windows/PageDialog.h"

// Template 2008. A line of the list clicked or double-clicked lands in the edit; Next refuses an
// empty name. Whatever the edit holds is handed back however the page ends.
class CFolderDlg : public PageDialog {
 public:
  CFolderDlg(std::vector<std::string> existingFolders, std::string folder)
      : existingFolders_(std::move(existingFolders)), folder_(std::move(folder)) {}
  const std::string& Folder() const { return folder_; }

 private:
  void OnInit() override;
  bool OnPageCommand(int id, int notification) override;
  bool OnNext() override;
  void OnLeave() override;
  void SelectCurrentFolder();
  std::vector<std::string> existingFolders_;
  std::string folder_;
};
