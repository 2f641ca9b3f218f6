#include "state/UninstallFiles.h"

#include <windows.h>

#include "engine/Errors.h"
#include "engine/Params.h"
#include "engine/Paths.h"
#include "engine/Win32Handles.h"
#include "model/Model.h"

std::string CorvaRootPath() {
  const CTarget* root = Master().targets.Find("CORVAROOT");
  return root ? CKeywordString(root->path).Translated(*root->setup) : std::string();
}

std::string UninstallDirectory() { return JoinPath(CorvaRootPath(), "setup\\uninstall"); }

std::string UninstallFileOf(const std::string& registrationId) {
  // The load refuses such IDs; one that a keyword turned into a path later is refused here.
  if (!registrationId.empty() && !IsPlainFileName(registrationId))
    throw CMyError("Uninstall ID " + registrationId + " is not a valid file name");
  return JoinPath(UninstallDirectory(), registrationId + ".ini");
}

std::string CoreComponentsFile() { return JoinPath(UninstallDirectory(), "Corvant Common.ini"); }

std::vector<std::string> InstalledApplications() {
  // Without a main directory there is nothing to list (and no relative folder to search).
  if (CorvaRootPath().empty()) return {};
  std::string directory = UninstallDirectory();
  std::vector<std::string> list;
  WIN32_FIND_DATAA entry;
  UniqueFindHandle find(FindFirstFileA(JoinPath(directory, "*.ini").c_str(), &entry));
  if (!find) return list;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    std::string file = JoinPath(directory, entry.cFileName);
    bool visible = YesByThreeWayRule(ReadIniString(file, "Main", "Visible"), false);
    bool last = YesByThreeWayRule(ReadIniString(file, "Main", "Last"), false);
    if (!visible || last) continue;
    list.push_back(ReadIniString(file, "Main", "Description"));
  } while (FindNextFileA(find.get(), &entry));
  return list;
}

std::string GetInstalledApplications() {
  std::string joined;
  for (const std::string& description : InstalledApplications()) joined += (joined.empty() ? "" : ",") + description;
  return joined;
}
