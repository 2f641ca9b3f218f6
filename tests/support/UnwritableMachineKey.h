#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "engine/Win32Handles.h"

namespace testing_support {

// HKEY_LOCAL_MACHINE of this process redirected to a volatile key opened for reading only:
// nothing can be made below it (the handle has no right to, and a volatile key takes no lasting
// sub-key). `refusal` is the error the system gives for a new key there.
class UnwritableMachineKey {
 public:
  UnwritableMachineKey() {
    UniqueRegKey created;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kPlace, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                              created.put(), nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kPlace, 0, KEY_READ, readOnly_.put()), ERROR_SUCCESS);
    UniqueRegKey probe;
    refusal = RegCreateKeyExA(readOnly_.get(), "Software", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, probe.put(), nullptr);
    EXPECT_NE(refusal, ERROR_SUCCESS) << "the redirected key takes new keys";
    EXPECT_EQ(RegOverridePredefKey(HKEY_LOCAL_MACHINE, readOnly_.get()), ERROR_SUCCESS);
  }
  ~UnwritableMachineKey() {
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    readOnly_.reset();
    RegDeleteKeyA(HKEY_CURRENT_USER, kPlace);
  }
  std::string Refused(const std::string& what, const char* call = "RegCreateKeyExA") const {
    return "*** Unable to write " + what + " (" + call + " error " + std::to_string(refusal) + ")";
  }
  LONG refusal = ERROR_SUCCESS;

 private:
  static constexpr const char* kPlace = "Software\\TessaroTests\\UnwritableMachine";
  UniqueRegKey readOnly_;
};

}  // namespace testing_support
