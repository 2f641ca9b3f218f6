#pragma once
// The machine-wide framework server settings under Software\Corvant\CFW.
#include <string>

constexpr const char kFrameworkKey[] = "Software\\Corvant\\CFW";
constexpr const char kFrameworkServerKey[] = "Software\\Corvant\\CFW\\Server";

// True when the value "Active" is "1".
bool NexoServerActive();
// The recorded server name ("WebServer"); empty when there is none.
std::string NexoServerName();
