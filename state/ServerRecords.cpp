#include "state/ServerRecords.h"

#include "engine/Text.h"
#include "state/Registry.h"

bool NexoServerActive() { return EqualsNoCase(ReadRegString(HKEY_LOCAL_MACHINE, kFrameworkKey, "Active"), "1"); }

std::string NexoServerName() { return ReadRegString(HKEY_LOCAL_MACHINE, kFrameworkServerKey, "WebServer"); }
