#include "install/Reboot.h"

#include <windows.h>

#include "engine/Log.h"
#include "engine/Paths.h"
#include "state/Registry.h"

namespace {
constexpr const char kRunOnceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// The program the marker names: whichever of the two run programs the system has.
std::string RebootRunner() {
  std::string system = SystemDirectory();
  if (FileExists(JoinPath(system, "rundll32.exe"))) return "RunDLL32.exe";
  if (FileExists(JoinPath(system, "rundll.exe"))) return "RunDLL.exe";
  return std::string();
}
}  // namespace

void ScheduleReboot() {
  LogLine("Schedule CorvantReboot in the RunOnce key");
  SetRegString(HKEY_LOCAL_MACHINE, kRunOnceKey, "CorvantReboot", RebootRunner());
}
