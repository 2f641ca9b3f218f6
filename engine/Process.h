#pragma once
// Starting programs: one place for command lines, process creation and waiting.
#include <string>

// The program path as the start of a command line: in double quotes when it holds a space, so
// that the system cannot take a shorter path for the program ("C:\Program.exe").
std::string ProgramInCommandLine(const std::string& programPath);

// Starts the command line as a new process at normal priority without inherited handles, in
// the current directory, and waits for it to end without a time limit. False when it could not
// be started.
bool RunAndWait(const std::string& commandLine);
