#include "install/FileRegistration.h"

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <atomic>
#include <memory>
#include <vector>

#include "engine/Codepage.h"
#include "engine/Log.h"
#include "engine/Paths.h"
#include "engine/Process.h"
#include "engine/Text.h"
#include "engine/Win32Handles.h"

namespace {
enum class FileKind { Program, TypeLibrary, InProcessServer };

FileKind KindOf(const std::string& path) {
  std::string name = LastPathName(path);
  size_t dot = name.find_last_of('.');
  std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
  if (EqualsNoCase(extension, ".exe")) return FileKind::Program;
  if (EqualsNoCase(extension, ".tlb")) return FileKind::TypeLibrary;
  return FileKind::InProcessServer;
}

// Makes a directory current for the life of a scope.
class ScopedCurrentDirectory {
 public:
  explicit ScopedCurrentDirectory(const std::string& directory) {
    DWORD length = GetCurrentDirectoryA(0, nullptr);
    std::vector<char> buffer(length + 1, '\0');
    if (length && GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data())) saved_ = buffer.data();
    Enter(directory);
  }
  ~ScopedCurrentDirectory() {
    if (!saved_.empty()) SetCurrentDirectoryA(saved_.c_str());
  }
  ScopedCurrentDirectory(const ScopedCurrentDirectory&) = delete;
  ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&) = delete;
  static void Enter(const std::string& directory) {
    if (!directory.empty()) SetCurrentDirectoryA(directory.c_str());
  }

 private:
  std::string saved_;
};

// Turns the system's critical-error boxes off for the life of a scope.
class ScopedNoErrorBoxes {
 public:
  ScopedNoErrorBoxes() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
  ~ScopedNoErrorBoxes() { SetErrorMode(previous_); }
  ScopedNoErrorBoxes(const ScopedNoErrorBoxes&) = delete;
  ScopedNoErrorBoxes& operator=(const ScopedNoErrorBoxes&) = delete;

 private:
  UINT previous_;
};

struct TypeLibReleaser {
  void operator()(ITypeLib* library) const { library->Release(); }
};
using TypeLibPointer = std::unique_ptr<ITypeLib, TypeLibReleaser>;

TypeLibPointer LoadTypeLibrary(const std::string& path) {
  ITypeLib* library = nullptr;
  if (FAILED(LoadTypeLib(WideFromAnsi(path).c_str(), &library))) return TypeLibPointer();
  return TypeLibPointer(library);
}

bool RegisterTypeLibrary(const std::string& path) {
  TypeLibPointer library = LoadTypeLibrary(path);
  if (!library) return false;
  std::wstring location = WideFromAnsi(path);
  return RegisterTypeLib(library.get(), &location[0], nullptr) == S_OK;
}

bool UnregisterTypeLibrary(const std::string& path) {
  TypeLibPointer library = LoadTypeLibrary(path);
  if (!library) return false;
  TLIBATTR* attributes = nullptr;
  if (FAILED(library->GetLibAttr(&attributes))) return false;
  HRESULT result = UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum,
                                     attributes->lcid, attributes->syskind);
  library->ReleaseTLibAttr(attributes);
  return result == S_OK;
}

// An entry point that faults is called on a thread of its own: the process-wide filter of
// unhandled exceptions ends that thread with kFaultedExitCode instead of the process.
constexpr DWORD kFaultedExitCode = 0xFA017ED;
using ServerEntry = HRESULT(STDAPICALLTYPE*)();

std::atomic<DWORD>& GuardedThread() {
  static std::atomic<DWORD> id{0};
  return id;
}
std::atomic<LPTOP_LEVEL_EXCEPTION_FILTER>& FilterBefore() {
  static std::atomic<LPTOP_LEVEL_EXCEPTION_FILTER> filter{nullptr};
  return filter;
}

LONG WINAPI EndFaultingEntryThread(EXCEPTION_POINTERS* exception) {
  if (GetCurrentThreadId() == GuardedThread()) ExitThread(kFaultedExitCode);
  LPTOP_LEVEL_EXCEPTION_FILTER before = FilterBefore();
  return before ? before(exception) : EXCEPTION_CONTINUE_SEARCH;
}

struct EntryCall {
  ServerEntry entry;
  HRESULT result;
};

DWORD WINAPI CallEntryWithCom(void* parameter) {
  EntryCall* call = static_cast<EntryCall*>(parameter);
  HRESULT com = CoInitialize(nullptr);
  call->result = call->entry();
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}

// Calls the entry point; false when it faulted instead of returning.
bool CallServerEntry(ServerEntry entry, HRESULT& result) {
  EntryCall call{entry, E_FAIL};
  UniqueHandle thread(CreateThread(nullptr, 0, CallEntryWithCom, &call, CREATE_SUSPENDED, nullptr));
  if (!thread) {
    // Without a thread of its own the call is made here, unguarded.
    CallEntryWithCom(&call);
    result = call.result;
    return true;
  }
  GuardedThread() = GetThreadId(thread.get());
  FilterBefore() = SetUnhandledExceptionFilter(EndFaultingEntryThread);
  ResumeThread(thread.get());
  WaitForSingleObject(thread.get(), INFINITE);
  SetUnhandledExceptionFilter(FilterBefore());
  GuardedThread() = 0;
  DWORD exitCode = 0;
  GetExitCodeThread(thread.get(), &exitCode);
  result = call.result;
  return exitCode != kFaultedExitCode;
}

void RunRegsvr32(const std::string& switches, const std::string& path) {
  RunAndWait("\"" + JoinPath(SystemDirectory(), "regsvr32.exe") + "\" " + switches + " \"" + path + "\"");
}

struct RegistrationDirection {
  bool registering;
  const char* programSwitch;
  const char* entryName;
  const char* failurePrefix;   // "*** Registration of " / "*** Unregistration of "
  const char* resultFormat;    // the line for an error code
  const char* regsvr32Switches;
};

const RegistrationDirection kRegister = {
    true, "/REGSERVER", "DllRegisterServer", "*** Registration of ",
    "*** Registration of %s failed - the function DllRegisterServer returned an error code %ld.", "/s"};
const RegistrationDirection kUnregister = {
    false, "/UNREGSERVER", "DllUnregisterServer", "*** Unregistration of ",
    "Unregistration of %s failed - the function DllUnregisterServer returned an error code %ld.", "/s /u"};

bool CallInProcessServer(const std::string& path, const RegistrationDirection& direction) {
  UniqueModule library;
  if (direction.registering) {
    ScopedNoErrorBoxes noBoxes;
    library.reset(LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  } else {
    library.reset(LoadLibraryA(path.c_str()));
  }
  if (!library) {
    LogLine(direction.failurePrefix + path + " failed - unable to load the file.");
    return false;
  }
  auto entry = reinterpret_cast<ServerEntry>(
      reinterpret_cast<void*>(GetProcAddress(library.get(), direction.entryName)));
  if (!entry) {
    LogLine(direction.failurePrefix + path + " failed - the entry point " + direction.entryName + " is missing.");
    return false;
  }
  ScopedCurrentDirectory::Enter(DirectoryOf(path));
  HRESULT result = S_OK;
  if (!CallServerEntry(entry, result)) {
    library.reset();
    RunRegsvr32(direction.regsvr32Switches, path);
    return true;
  }
  library.reset();
  if (result != S_OK) {
    LogLine(Format(direction.resultFormat, path.c_str(), static_cast<long>(result)));
    return false;
  }
  return true;
}

bool RunProgramWithSwitch(const std::string& path, const char* switchText) {
  // The program's own exit code is not a verdict: it may report its registration any way.
  RunAndWait(ProgramInCommandLine(path) + " " + switchText);
  return true;
}

bool ApplyRegistration(const std::string& path, const RegistrationDirection& direction) {
  ScopedCurrentDirectory inFileDirectory(DirectoryOf(path));
  switch (KindOf(path)) {
    case FileKind::Program:
      return RunProgramWithSwitch(path, direction.programSwitch);
    case FileKind::TypeLibrary:
      return direction.registering ? RegisterTypeLibrary(path) : UnregisterTypeLibrary(path);
    case FileKind::InProcessServer:
      return CallInProcessServer(path, direction);
  }
  return false;
}
}  // namespace

bool RegisterFile(const std::string& path) { return ApplyRegistration(path, kRegister); }

bool UnregisterFile(const std::string& path) { return ApplyRegistration(path, kUnregister); }
