#include "state/Registry.h"

#include <cstring>
#include <vector>

#include "engine/Codepage.h"
#include "engine/Log.h"
#include "engine/Text.h"

UniqueRegKey OpenRegKey(HKEY root, const std::string& key, REGSAM access) {
  UniqueRegKey opened;
  if (RegOpenKeyExA(root, key.c_str(), 0, access, opened.put()) != ERROR_SUCCESS) opened.release();
  return opened;
}

bool RegKeyExists(HKEY root, const std::string& key) {
  return static_cast<bool>(OpenRegKey(root, key, KEY_QUERY_VALUE));
}

bool RegValueExists(HKEY root, const std::string& key, const std::string& name) {
  UniqueRegKey opened = OpenRegKey(root, key, KEY_QUERY_VALUE);
  if (!opened) return false;
  BYTE buffer[255];
  DWORD size = sizeof buffer;
  return RegQueryValueExA(opened.get(), name.c_str(), nullptr, nullptr, buffer, &size) == ERROR_SUCCESS;
}

std::string ReadRegString(HKEY root, const std::string& key, const std::string& name) {
  UniqueRegKey opened = OpenRegKey(root, key, KEY_QUERY_VALUE);
  if (!opened) return std::string();
  // A value of the whole buffer's size, its terminator included, fits; one more byte keeps a
  // value stored without a terminator terminated.
  char buffer[kRegStringBufferSize + 1];
  DWORD size = kRegStringBufferSize;
  DWORD type = 0;
  if (RegQueryValueExA(opened.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
      ERROR_SUCCESS)
    return std::string();
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::string();
  buffer[size] = '\0';
  return std::string(buffer, strnlen(buffer, size));
}

namespace {
// The one place that says a registry write failed.
void LogWriteFailure(const std::string& what, const char* call, long error) {
  LogLine("*** Unable to write " + what + " (" + call + " error " + std::to_string(error) + ")");
}
std::string ValuePath(const std::string& key, const std::string& name) { return key + "\\" + name; }

// A registry call that did not succeed: which call, and the system's error code.
struct RegFailure {
  const char* call = nullptr;
  LONG error = ERROR_SUCCESS;
  explicit operator bool() const { return error != ERROR_SUCCESS; }
};

// Creates every missing key of the path, parents first; the first call that fails.
RegFailure CreateKeyPath(HKEY root, const std::string& key) {
  if (key.empty() || RegKeyExists(root, key)) return {};
  // Each prefix that ends before a backslash, then the key itself.
  for (size_t at = key.find('\\');; at = key.find('\\', at + 1)) {
    std::string prefix = at == std::string::npos ? key : key.substr(0, at);
    if (!prefix.empty() && !RegKeyExists(root, prefix)) {
      UniqueRegKey created;
      LONG status = RegCreateKeyExA(root, prefix.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                    nullptr, created.put(), nullptr);
      if (status != ERROR_SUCCESS) {
        created.release();
        return {"RegCreateKeyExA", status};
      }
    }
    if (at == std::string::npos) return {};
  }
}

// Creates the key path and opens the key for setting values; nullptr, with the call that failed,
// when it cannot be opened.
UniqueRegKey OpenKeyForValues(HKEY root, const std::string& key, RegFailure& failure) {
  UniqueRegKey opened;
  failure = CreateKeyPath(root, key);
  if (failure) return opened;
  LONG status = RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE, opened.put());
  if (status != ERROR_SUCCESS) {
    opened.release();
    failure = {"RegOpenKeyExA", status};
  }
  return opened;
}

long SetRegValue(HKEY root, const std::string& key, const std::string& name, DWORD type, const BYTE* data,
                 DWORD size) {
  RegFailure failure;
  UniqueRegKey opened = OpenKeyForValues(root, key, failure);
  if (opened) {
    LONG status = RegSetValueExA(opened.get(), name.c_str(), 0, type, data, size);
    if (status != ERROR_SUCCESS) failure = {"RegSetValueExA", status};
  }
  if (failure) LogWriteFailure(ValuePath(key, name), failure.call, failure.error);
  return failure.error;
}

long SetRegText(HKEY root, const std::string& key, const std::string& name, const std::string& value, DWORD type) {
  return SetRegValue(root, key, name, type, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
}
}  // namespace

bool CreateRegKey(HKEY root, const std::string& key) {
  RegFailure failure = CreateKeyPath(root, key);
  if (failure) LogWriteFailure(key, failure.call, failure.error);
  return !failure;
}

long SetRegString(HKEY root, const std::string& key, const std::string& name, const std::string& value) {
  return SetRegText(root, key, name, value, REG_SZ);
}

long SetRegDword(HKEY root, const std::string& key, const std::string& name, DWORD value) {
  return SetRegValue(root, key, name, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

long SetRegExpandString(HKEY root, const std::string& key, const std::string& name, const std::string& value) {
  return SetRegText(root, key, name, value, REG_EXPAND_SZ);
}

RegWideText ReadRegWideText(HKEY root, const std::string& key, const std::string& name) {
  UniqueRegKey opened;
  LONG status = RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, opened.put());
  if (status != ERROR_SUCCESS) {
    opened.release();
    return {status == ERROR_FILE_NOT_FOUND ? RegWideText::kMissing : RegWideText::kFailed, std::wstring(), status};
  }
  std::wstring wideName = WideFromAnsi(name);
  // The value may grow between asking its size and reading it; ask again, a few times, until it fits.
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD type = 0, size = 0;
    status = RegQueryValueExW(opened.get(), wideName.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) return {RegWideText::kMissing, std::wstring(), status};
    if (status != ERROR_SUCCESS) return {RegWideText::kFailed, std::wstring(), status};
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {RegWideText::kFailed, std::wstring(), ERROR_INVALID_DATATYPE};
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD read = size;
    status = RegQueryValueExW(opened.get(), wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                              &read);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return {RegWideText::kFailed, std::wstring(), status};
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {RegWideText::kFailed, std::wstring(), ERROR_INVALID_DATATYPE};
    size_t characters = read / sizeof(wchar_t);
    return {RegWideText::kRead, std::wstring(buffer.data(), wcsnlen(buffer.data(), characters)), ERROR_SUCCESS};
  }
  return {RegWideText::kFailed, std::wstring(), ERROR_MORE_DATA};
}

long SetRegWideExpandString(HKEY root, const std::string& key, const std::string& name, const std::wstring& value) {
  RegFailure failure;
  UniqueRegKey opened = OpenKeyForValues(root, key, failure);
  if (opened) {
    LONG status = RegSetValueExW(opened.get(), WideFromAnsi(name).c_str(), 0, REG_EXPAND_SZ,
                                 reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    if (status != ERROR_SUCCESS) failure = {"RegSetValueExW", status};
  }
  if (failure) LogWriteFailure(ValuePath(key, name), failure.call, failure.error);
  return failure.error;
}

RegDelete DeleteRegValue(HKEY root, const std::string& key, const std::string& name) {
  UniqueRegKey opened;
  LONG status = RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE, opened.put());
  const char* call = "RegOpenKeyExA";
  if (status == ERROR_SUCCESS) {
    status = RegDeleteValueA(opened.get(), name.c_str());
    call = "RegDeleteValueA";
  } else {
    opened.release();
  }
  if (status == ERROR_SUCCESS) return RegDelete::Deleted;
  if (status == ERROR_FILE_NOT_FOUND) return RegDelete::Missing;
  LogWriteFailure(ValuePath(key, name), call, status);
  return RegDelete::Failed;
}

std::string GetRegSubKeyName(HKEY root, const std::string& key, DWORD index) {
  UniqueRegKey opened = OpenRegKey(root, key, KEY_ENUMERATE_SUB_KEYS);
  if (!opened) return std::string();
  char name[256];
  DWORD size = sizeof name;
  if (RegEnumKeyExA(opened.get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return std::string();
  return std::string(name, size);
}

std::string GetRegValueName(HKEY root, const std::string& key, DWORD index) {
  UniqueRegKey opened = OpenRegKey(root, key, KEY_QUERY_VALUE);
  if (!opened) return std::string();
  char name[256];
  DWORD size = sizeof name;
  if (RegEnumValueA(opened.get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return std::string();
  return std::string(name, size);
}

bool DeleteRegKeyTree(HKEY root, const std::string& key) {
  UniqueRegKey opened;
  LONG status = RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, opened.put());
  if (status == ERROR_FILE_NOT_FOUND) return true;
  if (status != ERROR_SUCCESS) {
    opened.release();
    LogWriteFailure(key, "RegOpenKeyExA", status);
    return false;
  }
  opened.reset();
  for (;;) {
    std::string child = GetRegSubKeyName(root, key, 0);
    if (child.empty()) break;
    if (!DeleteRegKeyTree(root, key + "\\" + child)) return false;
    // A sub-key that stays where it was would be tried for ever.
    if (EqualsNoCase(GetRegSubKeyName(root, key, 0), child)) return false;
  }
  status = RegDeleteKeyA(root, key.c_str());
  if (status != ERROR_SUCCESS) LogWriteFailure(key, "RegDeleteKeyA", status);
  return status == ERROR_SUCCESS;
}

namespace {
bool HasCharOf(const std::string& name, const char* forbidden) {
  return name.find_first_of(forbidden) != std::string::npos;
}
}  // namespace

bool IsValidPath(const std::string& rawPath, int flags) {
  std::string path = Trim(rawPath);
  if (path.size() < 3) return false;
  bool drivePath = path[1] == ':';
  if (!drivePath && !(flags & kAllowNetworkPath)) return false;
  if (!drivePath) {
    if (path.compare(0, 2, "\\\\") != 0) return false;
    FieldReader names(path.substr(2), '\\');
    while (!names.AtEnd()) {
      std::string name = names.Next();
      if (name.empty() || HasCharOf(name, "/:*\"<>|")) return false;
    }
    return true;
  }
  if (path[2] != '\\') return false;
  std::string root = path.substr(0, 3);
  UINT type = GetDriveTypeA(root.c_str());
  if (type == DRIVE_UNKNOWN || type == DRIVE_NO_ROOT_DIR) return false;
  if (path.size() == 3) return (flags & kAllowDriveRoot) != 0;
  // One closing backslash names the same directory; two in a row leave a name empty.
  std::string directories = path.substr(3);
  if (directories.size() > 1 && directories.back() == '\\') directories.pop_back();
  FieldReader names(directories, '\\');
  while (!names.AtEnd()) {
    std::string name = names.Next();
    if (name.empty() || HasCharOf(name, "/:*?\"<>|")) return false;
  }
  return true;
}
