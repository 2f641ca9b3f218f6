#pragma once
// The suite's entry in the system's list of installed programs (Programs and Features): one key
// below HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall in the process's own registry
// view, so that a 32-bit host writes where the list shows 32-bit programs.
#include <windows.h>

#include <string>

constexpr const char kUninstallEntriesKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

struct UninstallEntryValues {
  std::string displayName, displayVersion, publisher, installLocation;
  std::string installDate;  // yyyymmdd
  DWORD estimatedSizeKB = 0;
  std::string displayIcon, uninstallString, quietUninstallString, modifyPath;
};

// The key of the entry `name`.
std::string UninstallEntryKey(const std::string& name);
// Writes every value (NoRepair = 1); false when one could not be written (each failure logged).
[[nodiscard]] bool WriteUninstallEntry(const std::string& name, const UninstallEntryValues& values);
// Deletes the entry; one that is not there counts as deleted.
[[nodiscard]] bool DeleteUninstallEntry(const std::string& name);
