#pragma once
// The authoring tool runs the engine as a run would, but must leave the machine as it found it.
// For its life, a MachineSandbox gives the process a temporary folder of its own and a private
// copy of the parts of HKEY_LOCAL_MACHINE the engine reads, so that whatever the engine and the
// setups' own libraries write lands there; both are removed again at the end.
#include <string>

#include "engine/Win32Handles.h"

class MachineSandbox {
 public:
  MachineSandbox();
  ~MachineSandbox();
  MachineSandbox(const MachineSandbox&) = delete;
  MachineSandbox& operator=(const MachineSandbox&) = delete;

  // False when the sandbox could not be set up; `Failure()` says what failed. The tool then
  // refuses to run rather than touch the machine.
  bool Ready() const { return failure_.empty(); }
  const std::string& Failure() const { return failure_; }

 private:
  void Fail(const std::string& call, long error);
  void CopyMachineKeys(HKEY sandbox);

  std::string failure_;
  std::string savedTmp_, savedTemp_;
  bool hadTmp_ = false, hadTemp_ = false;
  std::string tempDirectory_;
  std::string sandboxKey_;  // below HKEY_CURRENT_USER
  bool overridden_ = false;
};
