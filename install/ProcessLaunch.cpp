#include "install/ProcessLaunch.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace {
DWORD WINAPI StartProcessThread(void* parameter) {
  {
    std::unique_ptr<std::string> commandLine(static_cast<std::string*>(parameter));
    StartProcess(*commandLine);
  }
  // The thread's code lies in the engine module: the reference taken for it is given back as
  // the thread ends, so that an unload of the engine never pulls the code from under it.
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&StartProcessThread), &self);
  FreeLibraryAndExitThread(self, 0);
}
}  // namespace

std::string QuotedProgramPath(const std::string& program) {
  if (program.find(' ') == std::string::npos || (!program.empty() && program.front() == '"')) return program;
  return "\"" + program + "\"";
}

UniqueHandle StartProcess(const std::string& commandLine) {
  std::vector<char> mutableCommand(commandLine.begin(), commandLine.end());
  mutableCommand.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, mutableCommand.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                      nullptr, &startup, &process))
    return UniqueHandle();
  UniqueHandle thread(process.hThread);
  return UniqueHandle(process.hProcess);
}

unsigned long WaitForProcessEnd(const UniqueHandle& process) {
  WaitForSingleObject(process.get(), INFINITE);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.get(), &exitCode);
  return exitCode;
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
