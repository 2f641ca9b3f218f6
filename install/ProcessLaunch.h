#pragma once
// Starting product setup programs as processes of their own.
#include <string>

#include "engine/Win32Handles.h"

// The program path as the command line must carry it: in double quotes when it holds a blank,
// since the system would otherwise try each blank-separated prefix as a program of its own.
std::string QuotedProgramPath(const std::string& program);
// Creates the process with the engine's environment and current directory, handles not
// inherited, normal priority; an empty handle when it could not be created.
UniqueHandle StartProcess(const std::string& commandLine);
// Waits without a time limit until the process has ended; returns its exit code.
unsigned long WaitForProcessEnd(const UniqueHandle& process);
// Starts the process from a short-lived thread and returns at once. The thread only creates the
// process; it keeps the engine module loaded until it has ended.
void StartProcessInBackground(const std::string& commandLine);
