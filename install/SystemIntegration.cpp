#include "install/SystemIntegration.h"

#include <windows.h>
#include <lm.h>

#include "engine/Codepage.h"
#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/SystemLibrary.h"
#include "engine/Paths.h"
#include "engine/Text.h"
#include "engine/Win32Handles.h"
#include "filters/OsInfo.h"
#include "state/Registry.h"

namespace {
constexpr char kEnvironmentKey[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr char kRunOnceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr char kRebootValue[] = "CorvantReboot";
// A window that does not answer the change notice within this time is passed over.
constexpr UINT kBroadcastTimeoutMs = 5000;

void BroadcastEnvironmentChange() {
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Environment"),
                      SMTO_ABORTIFHUNG, kBroadcastTimeoutMs, &answer);
}

std::optional<std::string> WorkstationLogonDomain() {
  using GetUserInfo = NET_API_STATUS(WINAPI*)(LPWSTR, DWORD, LPBYTE*);
  using FreeBuffer = NET_API_STATUS(WINAPI*)(LPVOID);
  UniqueModule netApi(LoadSystemLibrary("NetAPI32.dll"));
  if (!netApi) return std::nullopt;
  auto getUserInfo = reinterpret_cast<GetUserInfo>(
      reinterpret_cast<void*>(GetProcAddress(netApi.get(), "NetWkstaUserGetInfo")));
  auto freeBuffer =
      reinterpret_cast<FreeBuffer>(reinterpret_cast<void*>(GetProcAddress(netApi.get(), "NetApiBufferFree")));
  if (!getUserInfo || !freeBuffer) return std::nullopt;
  BYTE* block = nullptr;
  if (getUserInfo(nullptr, 1, &block) != NERR_Success || !block) return std::nullopt;
  const wchar_t* domain = reinterpret_cast<WKSTA_USER_INFO_1*>(block)->wkui1_logon_domain;
  std::string name = domain ? AnsiFromWide(domain) : std::string();
  freeBuffer(block);
  return name;
}

std::string RestartProgram() {
  std::string system = SystemDirectory();
  if (FileExists(JoinPath(system, "rundll32.exe"))) return "RunDLL32.exe";
  if (FileExists(JoinPath(system, "rundll.exe"))) return "RunDLL.exe";
  return std::string();
}
}  // namespace

namespace {
std::wstring WithoutTrailingBackslashes(std::wstring path) {
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}
}  // namespace

bool PathListHolds(const std::wstring& pathList, const std::wstring& directory) {
  std::wstring wanted = WithoutTrailingBackslashes(directory);
  size_t at = 0;
  for (;;) {
    size_t end = pathList.find(L';', at);
    std::wstring entry = WithoutTrailingBackslashes(pathList.substr(at, end == std::wstring::npos ? end : end - at));
    if (CompareStringOrdinal(entry.c_str(), static_cast<int>(entry.size()), wanted.c_str(),
                             static_cast<int>(wanted.size()), TRUE) == CSTR_EQUAL)
      return true;
    if (end == std::wstring::npos) return false;
    at = end + 1;
  }
}

void AddToSystemPath(const std::string& directory) {
  LogLine("Add " + directory + " to the PATH variable");
  // An empty name would only add an empty entry.
  if (StripTrailingBackslashes(directory).empty()) return;
  // PATH is read and written as UTF-16: entries outside the ANSI code page must come back as
  // they were. A PATH that cannot be read is left alone rather than replaced.
  RegWideText oldPath = ReadRegWideText(HKEY_LOCAL_MACHINE, kEnvironmentKey, "PATH");
  if (oldPath.status == RegWideText::kFailed) {
    LogLine(Format("*** Unable to read the PATH variable (RegQueryValueExW error %ld); PATH is left unchanged",
                   oldPath.error));
    return;
  }
  std::wstring wideDirectory = WideFromAnsi(directory);
  if (PathListHolds(oldPath.text, wideDirectory)) return;
  std::wstring newPath = oldPath.text.empty() ? wideDirectory : wideDirectory + L";" + oldPath.text;
  LogLine("   Old path = " + AnsiFromWide(oldPath.text));
  LogLine("   New path = " + AnsiFromWide(newPath));
  // A PATH that could not be written is in the log; nothing changed to tell the windows about.
  if (SetRegWideExpandString(HKEY_LOCAL_MACHINE, kEnvironmentKey, "PATH", newPath) != ERROR_SUCCESS) return;
  BroadcastEnvironmentChange();
}

bool ScheduleReboot() {
  LogLine("Schedule CorvantReboot in the RunOnce key");
  return SetRegString(HKEY_LOCAL_MACHINE, kRunOnceKey, kRebootValue, RestartProgram()) == ERROR_SUCCESS;
}

bool CancelReboot() {
  LogLine("Cancel CorvantReboot in the RunOnce key");
  // No restart scheduled is what was asked for.
  return DeleteRegValue(HKEY_LOCAL_MACHINE, kRunOnceKey, kRebootValue) != RegDelete::Failed;
}

bool RebootMarkerSet() { return RegValueExists(HKEY_LOCAL_MACHINE, kRunOnceKey, kRebootValue); }

bool IsRebootScheduled() {
  if (GetParamYesNo("IgnorePendingReboot", false)) return false;
  return RegValueExists(HKEY_LOCAL_MACHINE, kRunOnceKey, kRebootValue);
}

std::string RegistryDomainName() {
  std::string agent =
      ReadRegString(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\MSNP32\\NetworkProvider",
                    "AuthenticatingAgent");
  if (!agent.empty()) return agent;
  return ReadRegString(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\VxD\\VNETSUP", "Workgroup");
}

std::optional<std::string> CurrentDomainName() {
  if (GetOSName() == "WNT") return WorkstationLogonDomain();
  return RegistryDomainName();
}
