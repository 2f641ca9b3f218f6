#include "tools/MachineSandbox.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/Paths.h"

namespace {
// The parts of HKEY_LOCAL_MACHINE the engine reads: the records of earlier runs, and the
// Windows folders that keywords translate to. Only the values of the second are copied.
constexpr const char kCorvantKey[] = "Software\\Corvant";
constexpr const char kWindowsVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";

bool ReadEnvironment(const char* name, std::string& value) {
  DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
  if (size == 0) return false;
  std::vector<char> buffer(size, '\0');
  DWORD got = GetEnvironmentVariableA(name, buffer.data(), size);
  value.assign(buffer.data(), got < size ? got : 0);
  return true;
}

}  // namespace

MachineSandbox::MachineSandbox() {
  std::string realTemp = TempDirectory();
  std::string tag = "tessaro-tool-" + std::to_string(GetCurrentProcessId());
  tempDirectory_ = JoinPath(realTemp, tag);
  if (!CreateDirectoryA(tempDirectory_.c_str(), nullptr)) {
    long error = static_cast<long>(GetLastError());
    tempDirectory_.clear();
    Fail("CreateDirectoryA", error);
    return;
  }
  hadTmp_ = ReadEnvironment("TMP", savedTmp_);
  hadTemp_ = ReadEnvironment("TEMP", savedTemp_);
  // The system's temporary folder is TMP when set, else TEMP: both name the sandbox folder.
  if (!SetEnvironmentVariableA("TMP", tempDirectory_.c_str()) || !SetEnvironmentVariableA("TEMP", tempDirectory_.c_str())) {
    Fail("SetEnvironmentVariableA", static_cast<long>(GetLastError()));
    return;
  }

  sandboxKey_ = "Software\\Tessaro\\" + tag;
  UniqueRegKey sandbox;
  LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, sandboxKey_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_ALL_ACCESS, nullptr, sandbox.put(), nullptr);
  if (status != ERROR_SUCCESS) {
    sandbox.release();
    sandboxKey_.clear();
    Fail("RegCreateKeyExA", status);
    return;
  }
  CopyMachineKeys(sandbox.get());
  if (!Ready()) return;
  status = RegOverridePredefKey(HKEY_LOCAL_MACHINE, sandbox.get());
  if (status != ERROR_SUCCESS) {
    Fail("RegOverridePredefKey", status);
    return;
  }
  overridden_ = true;
}

MachineSandbox::~MachineSandbox() {
  if (overridden_) RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
  if (!sandboxKey_.empty()) {
    LONG status = RegDeleteTreeA(HKEY_CURRENT_USER, sandboxKey_.c_str());
    if (status != ERROR_SUCCESS)
      std::fprintf(stderr, "tessaro-tool: RegDeleteTreeA HKCU\\%s failed (error %ld)\n", sandboxKey_.c_str(), status);
    // The parent stays only while other runs of the tool use it.
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tessaro");
  }
  SetEnvironmentVariableA("TMP", hadTmp_ ? savedTmp_.c_str() : nullptr);
  SetEnvironmentVariableA("TEMP", hadTemp_ ? savedTemp_.c_str() : nullptr);
  if (!tempDirectory_.empty() && !RemoveDirectoryTree(tempDirectory_))
    std::fprintf(stderr, "tessaro-tool: unable to remove %s completely (error %lu)\n", tempDirectory_.c_str(),
                 GetLastError());
}

void MachineSandbox::Fail(const std::string& call, long error) {
  if (failure_.empty()) failure_ = call + " failed (error " + std::to_string(error) + ")";
}

void MachineSandbox::CopyMachineKeys(HKEY sandbox) {
  UniqueRegKey source;
  LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCorvantKey, 0, KEY_READ, source.put());
  if (status == ERROR_SUCCESS) {
    UniqueRegKey copy;
    status = RegCreateKeyExA(sandbox, kCorvantKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                             copy.put(), nullptr);
    if (status != ERROR_SUCCESS) return copy.release(), Fail("RegCreateKeyExA", status);
    status = RegCopyTreeA(source.get(), nullptr, copy.get());
    if (status != ERROR_SUCCESS) return Fail("RegCopyTreeA", status);
  } else {
    source.release();
    if (status != ERROR_FILE_NOT_FOUND) return Fail("RegOpenKeyExA", status);
  }

  UniqueRegKey windows;
  status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kWindowsVersionKey, 0, KEY_QUERY_VALUE, windows.put());
  if (status != ERROR_SUCCESS) {
    windows.release();
    return;  // nothing to translate from: the keywords fall back as on such a machine
  }
  UniqueRegKey copy;
  status = RegCreateKeyExA(sandbox, kWindowsVersionKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                           copy.put(), nullptr);
  if (status != ERROR_SUCCESS) return copy.release(), Fail("RegCreateKeyExA", status);
  std::vector<char> name(16384), data(65536);
  for (DWORD index = 0;; ++index) {
    DWORD nameSize = static_cast<DWORD>(name.size()), dataSize = static_cast<DWORD>(data.size()), type = 0;
    status = RegEnumValueA(windows.get(), index, name.data(), &nameSize, nullptr, &type,
                           reinterpret_cast<BYTE*>(data.data()), &dataSize);
    if (status == ERROR_NO_MORE_ITEMS) return;
    if (status == ERROR_MORE_DATA) continue;  // a value too large to be a folder path
    if (status != ERROR_SUCCESS) return Fail("RegEnumValueA", status);
    status = RegSetValueExA(copy.get(), name.data(), 0, type, reinterpret_cast<const BYTE*>(data.data()), dataSize);
    if (status != ERROR_SUCCESS) return Fail("RegSetValueExA", status);
  }
}
