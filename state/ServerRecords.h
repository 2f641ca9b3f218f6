#pragma once
// The machine-wide framework server settings and the registered NEXO tasks, kept under
// Software\Corvant\CFW and Software\Corvant\NEXO\Tasks.
#include <string>

constexpr const char kFrameworkKey[] = "Software\\Corvant\\CFW";
constexpr const char kFrameworkServerKey[] = "Software\\Corvant\\CFW\\Server";
constexpr const char kNexoTasksKey[] = "Software\\Corvant\\NEXO\\Tasks";

// True when the value "Active" is "1" (compared without regard to case).
bool NexoServerActive();
// The writers below answer false when the value could not be written (the registry layer logs it).
// Writes "Active" = "1" or "0" and logs the choice.
[[nodiscard]] bool RecordServerActive(bool active);
// Writes "AdvancedSettings" = "1" or "0" and logs the choice.
[[nodiscard]] bool RecordServerAdvancedSettings(bool used);
// "AdvancedSettings" is "1".
bool NexoAdvancedSettingsUsed();
// The "WebServer" value (empty when none is recorded).
std::string NexoServerName();
[[nodiscard]] bool RecordServerName(const std::string& name);
// No server choice was ever recorded on this computer: "Active" is absent or empty.
bool ServerChoiceMissing();
[[nodiscard]] bool RegisterNexoTask(const std::string& name, const std::string& value);
