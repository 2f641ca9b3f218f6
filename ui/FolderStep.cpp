#include "ui/FolderStep.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "engine/Errors.h"
#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/Paths.h"
#include "engine/StepResult.h"
#include "engine/Win32Handles.h"
#include "model/Keywords.h"
#include "model/Model.h"
#include "model/Selection.h"
#include "state/Registry.h"
#include "ui/PageHost.h"

namespace {
std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = {};
  if (SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return "";
  return path;
}

std::string StartMenuProgramsDirectory() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionExA(&version);
  bool nt = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
  std::string directory = ShellFolder(nt ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS);
  if (directory.empty()) directory = JoinPath(WindowsDirectory(), "Start Menu\\Programs");
  return directory;
}

// Subdirectory names not beginning with "."; false when the search found nothing at all.
bool ListSubdirectories(const std::string& directory, std::vector<std::string>& names) {
  WIN32_FIND_DATAA entry;
  UniqueFindHandle find(FindFirstFileA(JoinPath(directory, "*.*").c_str(), &entry));
  if (!find) return false;
  do {
    std::string name = entry.cFileName;
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !name.empty() && name[0] != '.') {
      names.push_back(name);
      LogLine(name);
    }
  } while (FindNextFileA(find.get(), &entry));
  return true;
}
}  // namespace

void ChooseProgramFolder(CSetup& master) {
  if (master.programFolder.empty()) master.programFolder = ReadRegString(HKEY_LOCAL_MACHINE, kSetupKey, "Folder");
  if (master.programFolder.empty()) master.programFolder = GetParam("Folder");
  if (master.programFolder.empty()) master.programFolder = ReadIniString(DescriptionInForce(), "Main", "Folder");
  if (master.programFolder.empty()) master.programFolder = TranslateKeywordText(master, "%CORVAFOLDER%", true);
  if (master.programFolder.empty()) master.programFolder = "Corvant";
}

std::vector<std::string> ExistingProgramFolders(const std::string& currentFolder) {
  std::string directory = StartMenuProgramsDirectory();
  std::vector<std::string> folders;
  LogLine("Get list of folders from the directory " + directory);
  ScopedLogIndent indent;
  if (!ListSubdirectories(directory, folders)) {
    directory = JoinPath(WindowsDirectory(), "Profiles\\All Users\\Start Menu\\Programs");
    ListSubdirectories(directory, folders);
  }
  if (std::find(folders.begin(), folders.end(), currentFolder) == folders.end()) {
    folders.push_back(currentFolder);
    LogLine(currentFolder + " (default folder)");
  }
  return folders;
}

Verdict ProgramFolderVerdict(const std::string& folder) {
  return folder.empty() ? Verdict::Refuse("You must specify a program folder name.") : Verdict::Pass();
}

int RunFolderStep(int direction) {
  CSetup& master = Master();
  ChooseProgramFolder(master);

  bool bypass = PageBypassed({"EnableGetFolderDlg", false, !GetParam("Folder").empty()}) ||
                RegValueExists(HKEY_LOCAL_MACHINE, kSetupKey, "Folder");
  if (!bypass && !SelectionNeedsFolder(master.rootFeature)) {
    master.programFolder.clear();
    bypass = true;
  }

  int result;
  if (bypass) {
    LogLine("Bypass dialog");
    result = BypassResult(direction);
  } else {
    FolderAnswer answer = Pages().FolderPage(ExistingProgramFolders(master.programFolder), master.programFolder);
    if (answer.end == PageEnd::Next || (answer.end == PageEnd::Back && !answer.folder.empty()))
      master.programFolder = answer.folder;
    result = StepResultOf(answer.end);
  }
  LogLine("Folder = " + master.programFolder);
  return result;
}
