#pragma once
// Registry access for the whole engine: every key the engine reads or writes goes through here.
#include <windows.h>

#include <string>

#include "engine/Win32Handles.h"

// Root of every record the engine keeps.
constexpr const char kSetupKey[] = "Software\\Corvant\\Setup";

// 1 when the key can be opened for reading values.
bool RegKeyExists(HKEY root, const std::string& key);
// 1 when the value can be read into a 255-byte buffer.
bool RegValueExists(HKEY root, const std::string& key, const std::string& name);
// What a text value read into the engine's usual buffer may hold, its terminator included.
constexpr DWORD kRegStringBufferSize = 2000;
// The value as text (kRegStringBufferSize bytes); empty when the key or value is missing or
// does not fit.
std::string ReadRegString(HKEY root, const std::string& key, const std::string& name);
// Every write below logs its own failure, once, in one form: "*** Unable to write <key>\<name>
// (<call> error N)" with the system call that failed and its error code. The value itself never
// appears in such a line (it may be a password). Callers decide what the failure means for them.

// Creates the key and every missing parent, parents first.
[[nodiscard]] bool CreateRegKey(HKEY root, const std::string& key);
// Creates the key path and stores text as REG_SZ; returns the system's error code.
[[nodiscard]] long SetRegString(HKEY root, const std::string& key, const std::string& name, const std::string& value);
// Creates the key path and stores a number as REG_DWORD; returns the system's error code.
[[nodiscard]] long SetRegDword(HKEY root, const std::string& key, const std::string& name, DWORD value);
// Creates the key path and stores text as REG_EXPAND_SZ; returns the system's error code.
[[nodiscard]] long SetRegExpandString(HKEY root, const std::string& key, const std::string& name,
                                      const std::string& value);
// A text value read whole as UTF-16, whatever its length and code page (for values such as PATH
// that outgrow the usual buffer and may name directories outside the ANSI code page).
struct RegWideText {
  enum Status { kRead, kMissing, kFailed } status;
  std::wstring text;
  long error;  // the system's error code when not read
};
RegWideText ReadRegWideText(HKEY root, const std::string& key, const std::string& name);
// Creates the key path and stores UTF-16 text as REG_EXPAND_SZ; returns the system's error code.
[[nodiscard]] long SetRegWideExpandString(HKEY root, const std::string& key, const std::string& name,
                                          const std::wstring& value);
// What a deletion found.
enum class RegDelete { Deleted, Missing, Failed };
// Deletes a value; a key or value that is not there is Missing, not a failure.
[[nodiscard]] RegDelete DeleteRegValue(HKEY root, const std::string& key, const std::string& name);
// Name of the sub-key or value at a position; empty past the end or when the key is missing.
std::string GetRegSubKeyName(HKEY root, const std::string& key, DWORD index);
std::string GetRegValueName(HKEY root, const std::string& key, DWORD index);
// Deletes a key with all its sub-keys; a missing key counts as deleted.
[[nodiscard]] bool DeleteRegKeyTree(HKEY root, const std::string& key);
// Opens a key (nullptr when it cannot be opened).
UniqueRegKey OpenRegKey(HKEY root, const std::string& key, REGSAM access);

// Flags of IsValidPath.
constexpr int kAllowNetworkPath = 1;
constexpr int kAllowDriveRoot = 2;
bool IsValidPath(const std::string& path, int flags);
