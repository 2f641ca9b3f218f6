#include "install/StatusFiles.h"

#include <windows.h>

#include "engine/Params.h"
#include "engine/Paths.h"

std::string ProductMifName(const std::string& propIni) {
  std::string name = ReadIniString(propIni, "Main", "MifName");
  if (name.empty()) name = ReadIniString(propIni, "Main", "MifID");
  std::string setupIni = JoinPath(DirectoryOf(propIni), "setup.ini");
  if (FileExists(setupIni)) {
    name = ReadIniString(setupIni, "Mif", "Filename");
    if (name.empty()) name = ReadIniString(setupIni, "Startup", "Appname");
    if (name.empty()) name = "status";
  }
  if (!name.empty() && name.front() == '"') name.erase(0, 1);
  if (!name.empty() && name.back() == '"') name.pop_back();
  return name;
}

void DeleteOldStatusFiles(const std::string& propIni) {
  std::string fileName = ProductMifName(propIni) + ".mif";
  for (const std::string& directory : {WindowsDirectory(), TempDirectory()}) {
    std::string path = JoinPath(directory, fileName);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
  }
}
