#pragma once
// Registration of files with the component object system: programs (/REGSERVER), type
// libraries, and in-process servers through their DllRegisterServer entry point, with the
// system's regsvr32 program as a fallback when that entry point faults instead of returning.
#include <string>

// True when the file was registered (or handed to a program that registers it).
bool RegisterFile(const std::string& path);
// True when the file was unregistered (or handed to a program that unregisters it).
bool UnregisterFile(const std::string& path);
