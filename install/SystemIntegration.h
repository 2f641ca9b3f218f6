#pragma once
// Changes to the machine around an installation: the machine-wide search path and the marker
// of a restart the engine asks for.
#include <optional>
#include <string>

// True when one of the ";"-separated entries of the list names the directory (case ignored,
// trailing backslashes ignored).
bool PathListHolds(const std::wstring& pathList, const std::wstring& directory);
// Puts the directory in front of the machine-wide PATH unless PATH already names it, and tells
// every top-level window that the environment changed. A PATH that cannot be read, or the new
// one that cannot be written, is logged and nothing changes.
void AddToSystemPath(const std::string& directory);

// The restart marker; false when it could not be written or removed (the log says why).
[[nodiscard]] bool ScheduleReboot();
[[nodiscard]] bool CancelReboot();
// Whether the restart marker is there, whatever the parameters file says.
bool RebootMarkerSet();
// False when the parameters file says to ignore a pending restart.
bool IsRebootScheduled();

// The logon domain of the current user. On the NT family it comes from the workstation user
// information and is unknown when that cannot be had; otherwise it is read from the network
// settings of the registry (possibly empty).
std::optional<std::string> CurrentDomainName();
// The registry's answer of the Windows 9x family: the authenticating agent, else the workgroup.
std::string RegistryDomainName();
