#include "state/UninstallEntry.h"

#include "engine/Log.h"
#include "state/Registry.h"

std::string UninstallEntryKey(const std::string& name) { return std::string(kUninstallEntriesKey) + "\\" + name; }

bool WriteUninstallEntry(const std::string& name, const UninstallEntryValues& values) {
  std::string key = UninstallEntryKey(name);
  LogLine("Register the Programs and Features entry " + key);
  ScopedLogIndent indent;
  bool complete = true;
  auto text = [&](const char* valueName, const std::string& value) {
    LogLine(std::string(valueName) + " = " + value);
    complete = SetRegString(HKEY_LOCAL_MACHINE, key, valueName, value) == ERROR_SUCCESS && complete;
  };
  auto number = [&](const char* valueName, DWORD value) {
    LogLine(std::string(valueName) + " = " + std::to_string(value));
    complete = SetRegDword(HKEY_LOCAL_MACHINE, key, valueName, value) == ERROR_SUCCESS && complete;
  };
  text("DisplayName", values.displayName);
  text("DisplayVersion", values.displayVersion);
  text("Publisher", values.publisher);
  text("InstallLocation", values.installLocation);
  text("InstallDate", values.installDate);
  number("EstimatedSize", values.estimatedSizeKB);
  text("DisplayIcon", values.displayIcon);
  number("NoRepair", 1);
  text("UninstallString", values.uninstallString);
  text("QuietUninstallString", values.quietUninstallString);
  text("ModifyPath", values.modifyPath);
  return complete;
}

bool DeleteUninstallEntry(const std::string& name) {
  std::string key = UninstallEntryKey(name);
  if (!RegKeyExists(HKEY_LOCAL_MACHINE, key)) return true;
  LogLine("Remove the Programs and Features entry " + key);
  return DeleteRegKeyTree(HKEY_LOCAL_MACHINE, key);
}
