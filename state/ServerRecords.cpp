#include "state/ServerRecords.h"

#include <windows.h>

#include "engine/Log.h"
#include "engine/Text.h"
#include "state/Registry.h"

namespace {
const char kActive[] = "Active";
const char kAdvancedSettings[] = "AdvancedSettings";
const char kWebServer[] = "WebServer";

const char* Flag(bool on) { return on ? "1" : "0"; }
bool FlagSet(const std::string& value) { return EqualsNoCase(value, "1"); }
}  // namespace

bool NexoServerActive() { return FlagSet(ReadRegString(HKEY_LOCAL_MACHINE, kFrameworkKey, kActive)); }

bool RecordServerActive(bool active) {
  long status = SetRegString(HKEY_LOCAL_MACHINE, kFrameworkKey, kActive, Flag(active));
  LogLine(active ? "Register NEXO Server = Active" : "Register NEXO Server = Inactive");
  return status == ERROR_SUCCESS;
}

bool RecordServerAdvancedSettings(bool used) {
  long status = SetRegString(HKEY_LOCAL_MACHINE, kFrameworkKey, kAdvancedSettings, Flag(used));
  LogLine(used ? "Register NEXO Server = Advanced Settings" : "Register NEXO Server = Inactive");
  return status == ERROR_SUCCESS;
}

bool NexoAdvancedSettingsUsed() {
  return FlagSet(ReadRegString(HKEY_LOCAL_MACHINE, kFrameworkKey, kAdvancedSettings));
}

std::string NexoServerName() { return ReadRegString(HKEY_LOCAL_MACHINE, kFrameworkServerKey, kWebServer); }

bool RecordServerName(const std::string& name) {
  long status = SetRegString(HKEY_LOCAL_MACHINE, kFrameworkServerKey, kWebServer, name);
  LogLine("Register NEXO Server name = " + name);
  return status == ERROR_SUCCESS;
}

bool ServerChoiceMissing() { return ReadRegString(HKEY_LOCAL_MACHINE, kFrameworkKey, kActive).empty(); }

bool RegisterNexoTask(const std::string& name, const std::string& value) {
  return SetRegString(HKEY_LOCAL_MACHINE, kNexoTasksKey, name, value) == ERROR_SUCCESS;
}
