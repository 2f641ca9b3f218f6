#include "engine/PackageIdentity.h"

#include <windows.h>

#include <msi.h>
#include <msiquery.h>


#include "engine/UniqueResource.h"
#include "engine/Win32Handles.h"

namespace {
struct MsiHandleTraits {
  static MSIHANDLE Invalid() { return 0; }
  static bool IsValid(MSIHANDLE h) { return h != 0; }
  static void Close(MSIHANDLE h) { ::MsiCloseHandle(h); }
};
using UniqueMsiHandle = UniqueResource<MSIHANDLE, MsiHandleTraits>;

std::string DescriptionValue(const std::string& propIni, const char* key) {
  char value[512] = {};
  GetPrivateProfileStringA("Main", key, "", value, sizeof value, propIni.c_str());
  return value;
}

bool EndsWithNoCase(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && _stricmp(text.c_str() + text.size() - end.size(), end.c_str()) == 0;
}

std::string Error(const char* call, unsigned long code) { return std::string(call) + " error " + std::to_string(code); }
}  // namespace

PackageDescription ReadPackageDescription(const std::string& propIni) {
  PackageDescription package;
  std::string name = DescriptionValue(propIni, "Package");
  if (name.empty()) return package;
  size_t slash = propIni.find_last_of("\\/");
  package.file = slash == std::string::npos ? name : propIni.substr(0, slash + 1) + name;
  std::string type = DescriptionValue(propIni, "PackageType");
  if (type.empty()) type = EndsWithNoCase(name, ".msi") ? "MSI" : "EXE";
  package.kind = _stricmp(type.c_str(), "MSI") == 0 ? PackageKind::Msi : PackageKind::Exe;
  package.productCode = DescriptionValue(propIni, "PackageProductCode");
  package.uninstallKey = DescriptionValue(propIni, "PackageUninstallKey");
  return package;
}

std::string PackageProductCode(const PackageDescription& package, std::string& problem) {
  if (!package.productCode.empty()) return package.productCode;
  MSIHANDLE raw = 0;
  UINT result = MsiOpenDatabaseA(package.file.c_str(), MSIDBOPEN_READONLY, &raw);
  UniqueMsiHandle database(raw);
  if (result != ERROR_SUCCESS) {
    problem = "cannot open the package " + package.file + " (" + Error("MsiOpenDatabaseA", result) + ")";
    return std::string();
  }
  raw = 0;
  result = MsiDatabaseOpenViewA(database.get(), "SELECT `Value` FROM `Property` WHERE `Property`='ProductCode'", &raw);
  UniqueMsiHandle view(raw);
  if (result == ERROR_SUCCESS) result = MsiViewExecute(view.get(), 0);
  raw = 0;
  if (result == ERROR_SUCCESS) result = MsiViewFetch(view.get(), &raw);
  UniqueMsiHandle record(raw);
  char code[64] = {};
  DWORD size = sizeof code;
  if (result == ERROR_SUCCESS) result = MsiRecordGetStringA(record.get(), 1, code, &size);
  if (result != ERROR_SUCCESS || !code[0]) {
    problem = "the package " + package.file + " names no ProductCode (" + Error("MSI query", result) + ")";
    return std::string();
  }
  return code;
}

bool IsMsiProductInstalled(const std::string& productCode) {
  return MsiQueryProductStateA(productCode.c_str()) == INSTALLSTATE_DEFAULT;
}

unsigned long UninstallEntryView(const std::string& name) {
  if (name.empty()) return 0;
  std::string key = std::string(kUninstallRoot) + "\\" + name;
  for (unsigned long view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | view, &raw) == ERROR_SUCCESS) {
      UniqueRegKey opened(raw);
      return view;
    }
  }
  return 0;
}

namespace {
// A text value of the entry in the given view, environment variables expanded; empty when it is
// not there or not text.
std::string UninstallEntryText(const std::string& name, unsigned long view, const char* value) {
  HKEY raw = nullptr;
  std::string key = std::string(kUninstallRoot) + "\\" + name;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | view, &raw) != ERROR_SUCCESS) return std::string();
  UniqueRegKey opened(raw);
  char text[2048] = {};
  DWORD size = sizeof text - 1, type = 0;
  if (RegQueryValueExA(opened.get(), value, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::string();
  if (type == REG_SZ) return text;
  char expanded[2048] = {};
  DWORD length = ExpandEnvironmentStringsA(text, expanded, sizeof expanded);
  return length > 0 && length <= sizeof expanded ? std::string(expanded) : std::string(text);
}
}  // namespace

std::string RegisteredUninstallCommand(const std::string& name, std::string& problem) {
  unsigned long view = UninstallEntryView(name);
  if (!view) {
    problem = "no Programs and Features entry " + name;
    return std::string();
  }
  std::string command = UninstallEntryText(name, view, "QuietUninstallString");
  if (command.empty()) command = UninstallEntryText(name, view, "UninstallString");
  if (command.empty()) problem = "its entry " + name + " names no uninstaller";
  return command;
}
