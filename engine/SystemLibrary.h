#pragma once
// Windows libraries the engine loads itself, from the system directory only.
#include <windows.h>

#include <string>

// Loads a library of the system directory by its full path, never by bare name: a library of
// the same name planted beside the setup host must not load into the installer. Logs the
// system's error code and gives nullptr when it cannot be loaded.
HMODULE LoadSystemLibrary(const std::string& name);
