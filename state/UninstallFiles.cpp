#include "state/UninstallFiles.h"

#include <windows.h>

#include "engine/Params.h"
#include "engine/Paths.h"
#include "engine/Win32Handles.h"
#include "model/Model.h"

std::string UninstallDirectory(const std::string& corvaRoot) { return JoinPath(corvaRoot, "setup\\uninstall"); }

std::string FeatureUninstallFile(const std::string& corvaRoot, const std::string& uninstallId) {
  return JoinPath(UninstallDirectory(corvaRoot), uninstallId + ".ini");
}

std::string CoreComponentsFile(const std::string& corvaRoot) {
  return JoinPath(UninstallDirectory(corvaRoot), "Corvant Common.ini");
}

std::string InstalledApplications(const std::string& corvaRoot) {
  std::string directory = UninstallDirectory(corvaRoot);
  std::string list;
  WIN32_FIND_DATAA entry;
  UniqueFindHandle find(FindFirstFileA(JoinPath(directory, "*.ini").c_str(), &entry));
  if (!find) return list;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    std::string file = JoinPath(directory, entry.cFileName);
    bool visible = YesByThreeWayRule(ReadIniString(file, "Main", "Visible"), false);
    bool last = YesByThreeWayRule(ReadIniString(file, "Main", "Last"), false);
    if (!visible || last) continue;
    if (!list.empty()) list += ",";
    list += ReadIniString(file, "Main", "Description");
  } while (FindNextFileA(find.get(), &entry));
  return list;
}

std::string UninstallDirectory() {
  const CTarget* root = Master().targets.Find("CORVAROOT");
  std::string rootPath = root ? CKeywordString(root->path).Translated(*root->setup) : std::string();
  return JoinPath(rootPath, "setup\\uninstall");
}

std::string UninstallFileOf(const std::string& registrationId) {
  return JoinPath(UninstallDirectory(), registrationId + ".ini");
}
