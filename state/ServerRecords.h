#pragma once
// The machine-wide framework server settings and the registered NEXO tasks, kept under
// Software\Corvant\CFW and Software\Corvant\NEXO\Tasks.
#include <string>

constexpr const char kFrameworkKey[] = "Software\\Corvant\\CFW";
constexpr const char kFrameworkServerKey[] = "Software\\Corvant\\CFW\\Server";
constexpr const char kNexoTasksKey[] = "Software\\Corvant\\NEXO\\Tasks";

// True when the value "Active" is "1" (compared without regard to case).
bool NexoServerActive();
// Writes "Active" = "1" or "0" and logs the choice.
void RecordServerActive(bool active);
// Writes "AdvancedSettings" = "1" or "0" and logs the choice.
void RecordServerAdvancedSettings(bool used);
// "AdvancedSettings" is "1".
bool NexoAdvancedSettingsUsed();
// The "WebServer" value (empty when none is recorded).
std::string NexoServerName();
void RecordServerName(const std::string& name);
// No server choice was ever recorded on this computer: "Active" is absent or empty.
bool ServerChoiceMissing();
void RegisterNexoTask(const std::string& name, const std::string& value);
