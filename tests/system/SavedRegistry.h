#pragma once
// Registry state that a test changes and puts back.
#include <windows.h>

#include <string>
#include <vector>

#include "engine/Codepage.h"
#include "state/Registry.h"

// Saves one registry value (its type and bytes) and puts it back, or removes it when it was
// missing.
class SavedRegistryValue {
 public:
  SavedRegistryValue(const char* key, const char* name) : key_(key), name_(WideFromAnsi(name)) {
    // Read and written as UTF-16, so that text outside the code page is put back as it was.
    UniqueRegKey opened = OpenRegKey(HKEY_LOCAL_MACHINE, key_, KEY_QUERY_VALUE);
    DWORD size = 0;
    if (opened && RegQueryValueExW(opened.get(), name_.c_str(), nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
      data_.resize(size);
      existed_ = RegQueryValueExW(opened.get(), name_.c_str(), nullptr, &type_, data_.data(), &size) == ERROR_SUCCESS;
    }
  }
  ~SavedRegistryValue() {
    UniqueRegKey opened = OpenRegKey(HKEY_LOCAL_MACHINE, key_, KEY_SET_VALUE);
    if (!opened) return;
    if (!existed_)
      RegDeleteValueW(opened.get(), name_.c_str());
    else
      RegSetValueExW(opened.get(), name_.c_str(), 0, type_, data_.data(), static_cast<DWORD>(data_.size()));
  }

 private:
  std::string key_;
  std::wstring name_;
  bool existed_ = false;
  DWORD type_ = 0;
  std::vector<BYTE> data_;
};

// Removes a key tree at the end of the test when the key did not exist at its start.
class RemovedIfNew {
 public:
  RemovedIfNew(HKEY root, std::string key) : root_(root), key_(std::move(key)), existed_(RegKeyExists(root, key_)) {}
  ~RemovedIfNew() {
    if (!existed_) {
      EXPECT_TRUE(DeleteRegKeyTree(root_, key_));
    }
  }

 private:
  HKEY root_;
  std::string key_;
  bool existed_;
};
