#include "mif/StatusFiles.h"

#include <windows.h>

#include <map>
#include <vector>

#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/Paths.h"
#include "engine/Text.h"
#include "mif/Mif.h"

namespace {
void DeleteFileIfPresent(const std::string& path) {
  if (!FileExists(path)) return;
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!DeleteFileA(path.c_str()))
    LogLine("*** Unable to delete the old status file " + path + " (DeleteFileA error " +
            std::to_string(GetLastError()) + ")");
}

struct SetupExit {
  std::string setupId;
  unsigned long exitCode;
};
// By upper-cased MIF name, for this run.
std::map<std::string, SetupExit>& SetupExits() {
  static std::map<std::string, SetupExit> exits;
  return exits;
}
}  // namespace

void RememberSetupExit(const std::string& mifName, const std::string& setupId, unsigned long exitCode) {
  SetupExits()[ToUpper(mifName)] = {setupId, exitCode};
}

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

namespace {
// Where a product's installer leaves its status file: the Windows directory, then the temporary
// directory; nowhere for a name that would lead out of them (or for no name at all).
std::vector<std::string> StatusFilePlaces(const std::string& mifName) {
  if (mifName.empty()) return {};
  if (!IsPlainFileName(mifName)) {
    LogLine("***** MIF File name " + mifName + " is not a file name; no status file is looked for");
    return {};
  }
  std::string fileName = mifName + ".mif";
  return {JoinPath(WindowsDirectory(), fileName), JoinPath(TempDirectory(), fileName)};
}
}  // namespace

void DeleteStatusFiles(const std::string& mifName) {
  SetupExits().erase(ToUpper(mifName));
  for (const std::string& place : StatusFilePlaces(mifName)) DeleteFileIfPresent(place);
}

bool CMif::Load(const std::string& mifName) {
  for (const std::string& place : StatusFilePlaces(mifName))
    if (ReadFile(place) && !InstallStatus().empty()) return true;
  return false;
}

bool ProductSetupSucceeded(const std::string& descriptionFile) {
  std::string mifName = MifNameOf(descriptionFile);
  LogLine("Check MIF File " + mifName + " :");
  CMif mif;
  bool found = mif.Load(mifName);
  bool success = EqualsNoCase(mif.InstallStatus(), "Success");
  LogLine(success ? "   - Success" : "   *** Error");
  if (!found) {
    auto known = SetupExits().find(ToUpper(mifName));
    if (known != SetupExits().end())
      LogLine("   *** No status file; setup " + known->second.setupId + " ended with exit code " +
              std::to_string(known->second.exitCode));
    else if (!mifName.empty())
      LogLine("   *** No status file " + mifName + ".mif");
  }
  return success;
}

bool WriteStatusFile(const std::string& mifName, bool success, const std::string& description) {
  if (mifName.empty() || !IsPlainFileName(mifName)) {
    LogLine("*** No status file can be written under the MIF name \"" + mifName + "\"");
    return false;
  }
  std::string text = "START COMPONENT\r\nNAME = \"" + mifName +
                     "\"\r\nSTART GROUP\r\n   NAME = \"InstallStatus\"\r\n   ID = 1\r\n"
                     "   CLASS = \"MICROSOFT|JOBSTATUS|1.0\"\r\n"
                     "   START ATTRIBUTE\r\n      NAME = \"Status\"\r\n      ID = 1\r\n      VALUE = \"" +
                     (success ? "Success" : "Failed") +
                     "\"\r\n   END ATTRIBUTE\r\n"
                     "   START ATTRIBUTE\r\n      NAME = \"Description\"\r\n      ID = 2\r\n      VALUE = \"" +
                     description + "\"\r\n   END ATTRIBUTE\r\nEND GROUP\r\nEND COMPONENT\r\n";
  return ReplaceFileWhole(JoinPath(TempDirectory(), mifName + ".mif"), text);
}
