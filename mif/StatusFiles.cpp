#include "mif/StatusFiles.h"

#include <windows.h>

#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/Paths.h"
#include "engine/Text.h"
#include "mif/Mif.h"

namespace {
void DeleteFileIfPresent(const std::string& path) {
  if (!FileExists(path)) return;
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
}
}  // namespace

std::string MifNameOf(const std::string& descriptionFile) {
  std::string name = ReadIniString(descriptionFile, "Main", "MifName");
  if (name.empty()) name = ReadIniString(descriptionFile, "Main", "MifID");
  // The product's own setup knows best what it writes.
  std::string setupIni = JoinPath(DirectoryOf(descriptionFile), "setup.ini");
  if (FileExists(setupIni)) {
    name = ReadIniString(setupIni, "Mif", "Filename");
    if (name.empty()) name = ReadIniString(setupIni, "Startup", "Appname");
    if (name.empty()) name = "status";
  }
  return WithoutEndQuotes(name);
}

void DeleteStatusFiles(const std::string& mifName) {
  std::string fileName = mifName + ".mif";
  DeleteFileIfPresent(JoinPath(WindowsDirectory(), fileName));
  DeleteFileIfPresent(JoinPath(TempDirectory(), fileName));
}

bool ProductSetupSucceeded(const std::string& descriptionFile) {
  std::string mifName = MifNameOf(descriptionFile);
  LogLine("Check MIF File " + mifName + " :");
  CMif mif;
  mif.Load(mifName);
  bool success = EqualsNoCase(mif.InstallStatus(), "Success");
  LogLine(success ? "   - Success" : "   *** Error");
  return success;
}
