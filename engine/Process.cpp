#include "engine/Process.h"

#include <windows.h>

#include <vector>

#include "engine/Win32Handles.h"

std::string ProgramInCommandLine(const std::string& programPath) {
  bool quoted = programPath.size() >= 2 && programPath.front() == '"' && programPath.back() == '"';
  if (quoted || programPath.find(' ') == std::string::npos) return programPath;
  return "\"" + programPath + "\"";
}

bool RunAndWait(const std::string& commandLine) {
  // CreateProcessA may write into the command line it is given.
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                      &startup, &started))
    return false;
  UniqueHandle process(started.hProcess);
  UniqueHandle thread(started.hThread);
  WaitForSingleObject(process.get(), INFINITE);
  return true;
}
