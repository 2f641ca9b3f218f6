// A removal started from the suite's maintenance folder (the Programs and Features entry) runs
// from a copy of that folder in %TEMP%: a running program and the engine it loaded cannot be
// deleted, and the removal deletes the maintenance folder. This process only copies, starts the
// copy, waits, relays its exit status and cleans up after it; the copy takes the run's mutex.
#include <windows.h>

#include <string>

#include "host/HostHandles.h"
#include "host/HostFiles.h"
#include "host/HostRun.h"

namespace {
std::string OwnProgram() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

std::string TempFolder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string folder = temp;
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

// One argument as the C runtime reads it back: quoted, with the backslashes before a quote
// doubled.
std::string Quoted(const std::string& argument) {
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + "\"";
}

// The program itself leaves last: deleted when the system allows it, else moved into %TEMP% and
// deleted at the next restart.
void RemoveOwnProgram(const std::string& program) {
  SetFileAttributesA(program.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (DeleteFileA(program.c_str())) return;
  std::string aside = JoinDir(TempFolder(), "TessaroSetup-" + std::to_string(GetCurrentProcessId()) + ".removed");
  if (MoveFileExA(program.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    if (!MoveFileExA(aside.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
      ConsoleLine(WithLastError("*** " + aside + " could not be scheduled for deletion at the next restart"));
    return;
  }
  if (!MoveFileExA(program.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
    ConsoleLine(WithLastError("*** " + program + " could not be scheduled for deletion at the next restart"));
}
}  // namespace

// <CORVAROOT>\setup\maintenance\<suite>\master: the suite's own folder lies below "maintenance".
bool InsideMaintenanceFolder(const std::string& ownDirectory) {
  std::string maintenance = ParentDir(ParentDir(ownDirectory));
  return _stricmp(LastName(ownDirectory).c_str(), "master") == 0 &&
         _stricmp(LastName(maintenance).c_str(), "maintenance") == 0 &&
         _stricmp(LastName(ParentDir(maintenance)).c_str(), "setup") == 0;
}

namespace {
constexpr int kCopyRemovalAttempts = 20;
constexpr DWORD kCopyRemovalPauseMs = 250;
}  // namespace

int RemoveFromTemporaryCopy(const HostOptions& options, int argc, char** argv) {
  // The suite's own maintenance folder: master\ and its products' folders.
  std::string maintenance = ParentDir(options.ownDirectory);
  std::string copy = JoinDir(TempFolder(), "TessaroRemoval-" + std::to_string(GetCurrentProcessId()));
  auto fail = [](const std::string& why) {
    ConsoleLine(why);
    ConsoleLine("exit code " + std::to_string(kExitFailed) + ": " + ExitMeaning(kExitFailed));
    return kExitFailed;
  };
  static_cast<void>(RemoveTree(copy));
  std::string failure = CopyTree(maintenance, copy);
  if (!failure.empty()) {
    static_cast<void>(RemoveTree(copy));
    return fail("the maintenance folder could not be copied: " + failure);
  }
  std::string program = JoinDir(JoinDir(copy, "master"), LastName(OwnProgram()));
  std::string commandLine = Quoted(program);
  for (int i = 1; i < argc; ++i) commandLine += " " + Quoted(argv[i]);
  commandLine += " " + Quoted("origin=" + maintenance);
  // The copy writes to this process's console or output file, where the caller reads it.
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION started{};
  std::string workingFolder = TempFolder();
  // Nothing of this process may keep the maintenance folder busy, its current directory included.
  SetCurrentDirectoryA(workingFolder.c_str());
  if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, workingFolder.c_str(),
                      &startup, &started)) {
    failure = WithLastError("cannot start " + program);
    static_cast<void>(RemoveTree(copy));
    return fail(failure);
  }
  UniqueHandle process(started.hProcess), thread(started.hThread);
  WaitForSingleObject(process.get(), INFINITE);
  DWORD code = kExitFailed;
  if (!GetExitCodeProcess(process.get(), &code)) code = kExitFailed;
  process.reset();
  thread.reset();
  // A program that has just ended may hold its files a moment longer (under Wine on a busy
  // machine, or while a virus scanner reads them on Windows): the removal is tried again, for a
  // few seconds at most.
  for (int attempt = 1;; ++attempt) {
    failure = RemoveTree(copy);
    if (failure.empty() || attempt == kCopyRemovalAttempts) break;
    Sleep(kCopyRemovalPauseMs);
  }
  if (!failure.empty()) ConsoleLine("*** the temporary copy could not be removed: " + failure);
  // The copy removed everything of the maintenance folder but this program when the suite is gone.
  if (!IsFile(JoinDir(options.ownDirectory, "prop.ini")) && !IsFile(JoinDir(options.ownDirectory, "Tessaro.dll"))) {
    RemoveOwnProgram(OwnProgram());
    std::string setup = ParentDir(ParentDir(maintenance));
    for (const std::string& folder : {options.ownDirectory, maintenance, ParentDir(maintenance), setup, ParentDir(setup)})
      if (!RemoveIfEmpty(folder)) break;
  }
  return static_cast<int>(code);
}
