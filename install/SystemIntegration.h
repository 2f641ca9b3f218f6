#pragma once
// Changes to the machine around an installation: the machine-wide search path and the marker
// of a restart the engine asks for.
#include <string>

// True when one of the ";"-separated entries of the list names the directory (case ignored,
// trailing backslashes ignored).
bool PathListHolds(const std::string& pathList, const std::string& directory);
// Puts the directory in front of the machine-wide PATH unless PATH already names it, and tells
// every top-level window that the environment changed.
void AddToSystemPath(const std::string& directory);

void ScheduleReboot();
void CancelReboot();
// False when the parameters file says to ignore a pending restart.
bool IsRebootScheduled();
