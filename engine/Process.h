#pragma once
// Starting programs: one place for command lines, process creation and waiting.
#include <optional>
#include <string>

#include "engine/Win32Handles.h"

// The program path as the start of a command line: in double quotes when it holds a space, so
// that the system cannot take a shorter path for the program ("C:\Program.exe").
std::string ProgramInCommandLine(const std::string& programPath);

// Starts the command line as a new process at normal priority without inherited handles, in
// the current directory, and waits for it to end without a time limit. False when it could not
// be started.
bool RunAndWait(const std::string& commandLine);

// A started process, or, when it could not be started, an empty handle and the system's error
// code of CreateProcessA.
struct StartedProcess {
  UniqueHandle process;
  unsigned long error = 0;
};
// Starts the command line as RunAndWait does, without waiting.
StartedProcess StartProcess(const std::string& commandLine);
// Waits without a time limit until the process has ended; answers its exit code, or nothing when
// the system cannot tell it.
std::optional<unsigned long> WaitForProcessEnd(const UniqueHandle& process);
// Starts the command line from a short-lived thread of its own and returns at once. The thread
// only creates the process; it keeps the engine module loaded until it has ended.
void StartProcessInBackground(const std::string& commandLine);
