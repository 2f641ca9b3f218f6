#pragma once
// The application object: what the engine knows about the module it was loaded as.
#include <windows.h>

#include <string>

// The module whose directory is the engine directory (the DLL, or a test program that links
// the engine in).
HMODULE EngineModule();
void SetEngineModule(HMODULE module);
// Full path of the engine module file.
std::string EngineModulePath();
// Directory of the engine module file, without trailing backslash; or the directory the
// authoring tool names, so that it loads a CD as an engine lying there would.
std::string EngineDirectory();
void SetEngineDirectory(const std::string& directory);
