#include "engine/Process.h"

#include <windows.h>

#include <memory>
#include <vector>

#include "engine/Win32Handles.h"

std::string ProgramInCommandLine(const std::string& programPath) {
  bool quoted = programPath.size() >= 2 && programPath.front() == '"' && programPath.back() == '"';
  if (quoted || programPath.find(' ') == std::string::npos) return programPath;
  return "\"" + programPath + "\"";
}

namespace {
DWORD WINAPI StartProcessThread(void* parameter) {
  {
    std::unique_ptr<std::string> commandLine(static_cast<std::string*>(parameter));
    StartProcess(*commandLine);
  }
  // The thread's code lies in the engine module: the reference taken for the thread is given
  // back as it ends, so that an unload of the engine never pulls the code from under it.
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&StartProcessThread), &self);
  FreeLibraryAndExitThread(self, 0);
}
}  // namespace

StartedProcess StartProcess(const std::string& commandLine) {
  // CreateProcessA may write into the command line it is given.
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  StartedProcess result;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                      &startup, &started)) {
    result.error = GetLastError();
    return result;
  }
  UniqueHandle thread(started.hThread);
  result.process.reset(started.hProcess);
  return result;
}

std::optional<unsigned long> WaitForProcessEnd(const UniqueHandle& process) {
  WaitForSingleObject(process.get(), INFINITE);
  DWORD exitCode = 0;
  if (!GetExitCodeProcess(process.get(), &exitCode)) return std::nullopt;
  return exitCode;
}

bool RunAndWait(const std::string& commandLine) {
  StartedProcess started = StartProcess(commandLine);
  if (!started.process) return false;
  WaitForProcessEnd(started.process);
  return true;
}

void StartProcessInBackground(const std::string& commandLine) {
  HMODULE self = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&StartProcessThread),
                          &self))
    return;
  UniqueModule threadReference(self);
  auto parameter = std::make_unique<std::string>(commandLine);
  UniqueHandle thread(CreateThread(nullptr, 0, StartProcessThread, parameter.get(), 0, nullptr));
  if (!thread) return;
  // Both now belong to the thread.
  threadReference.release();
  parameter.release();
}
