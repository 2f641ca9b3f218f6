#include "support/TestSupport.h"

#include "support/PageDriver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "engine/Paths.h"
#include "model/Validation.h"
#include "state/Registry.h"

namespace testing_support {

std::string BuildDirectory() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return DirectoryOf(path);
}

std::string FixturePath(const std::string& name) { return JoinPath(JoinPath(BuildDirectory(), "fixtures"), name); }

ScratchDirectory::ScratchDirectory(const std::string& hint) {
  static unsigned counter = 0;
  for (;;) {
    path_ = JoinPath(TempDirectory(), "ts_" + hint + "_" + std::to_string(GetCurrentProcessId()) + "_" +
                                          std::to_string(++counter));
    if (CreateDirectoryA(path_.c_str(), nullptr)) break;
  }
}

ScratchDirectory::~ScratchDirectory() { RemoveTree(path_); }

std::string ScratchDirectory::operator/(const std::string& name) const { return JoinPath(path_, name); }

void RemoveTree(const std::string& path) {
  // What a test leaves behind is not worth failing it for; the scratch folder is temporary.
  (void)RemoveDirectoryTree(path);
}

void WriteTextFile(const std::string& path, const std::string& content) {
  EXPECT_TRUE(CreateDirectoryTree(DirectoryOf(path)));
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  ASSERT_TRUE(out.good()) << "cannot write " << path;
}

std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::vector<std::string> ReadLines(const std::string& path) { return SplitLines(ReadTextFile(path)); }

std::vector<std::string> SplitLines(const std::string& content) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < content.size()) {
    size_t end = content.find('\n', at);
    std::string line = content.substr(at, end == std::string::npos ? std::string::npos : end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return lines;
}

void CopyFileTo(const std::string& from, const std::string& to) {
  EXPECT_TRUE(CreateDirectoryTree(DirectoryOf(to)));
  ASSERT_TRUE(CopyFileA(from.c_str(), to.c_str(), FALSE)) << "cannot copy " << from << " to " << to;
}

void CopyTree(const std::string& from, const std::string& to) {
  EXPECT_TRUE(CreateDirectoryTree(to));
  WIN32_FIND_DATAA entry;
  UniqueFindHandle find(FindFirstFileA(JoinPath(from, "*").c_str(), &entry));
  if (!find) return;
  do {
    std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      CopyTree(JoinPath(from, name), JoinPath(to, name));
    else
      CopyFileTo(JoinPath(from, name), JoinPath(to, name));
  } while (FindNextFileA(find.get(), &entry));
}

int RunProgram(const std::string& commandLine, const std::string& outputFile, unsigned timeoutMs) {
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  UniqueHandle output;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!outputFile.empty()) {
    output.reset(CreateFileA(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output.get();
    startup.hStdError = output.get();
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  }
  PROCESS_INFORMATION process{};
  std::string mutableLine = commandLine;
  if (!CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                      &startup, &process)) {
    ADD_FAILURE() << "CreateProcessA failed (error " << GetLastError() << "): " << commandLine;
    return -1;
  }
  UniqueHandle processHandle(process.hProcess), threadHandle(process.hThread);
  if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
    ADD_FAILURE() << "still running after " << timeoutMs << " ms, stopped: " << commandLine;
    TerminateProcess(process.hProcess, 255);
    return -1;
  }
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  return static_cast<int>(code);
}

void WritePropIni(const std::string& path, const std::string& content) {
  WriteTextFile(path, content);
  StampValidationCode(path);
}

void CleanCorvantRegistry() { EXPECT_TRUE(DeleteRegKeyTree(HKEY_LOCAL_MACHINE, "Software\\Corvant")); }

EngineInstance::EngineInstance(const std::string& masterDirectory) {
  std::string copy = JoinPath(masterDirectory, "Tessaro.dll");
  CopyFileTo(JoinPath(BuildDirectory(), "Tessaro.dll"), copy);
  module_.reset(LoadLibraryA(copy.c_str()));
  EXPECT_TRUE(module_) << "cannot load " << copy;
}

EngineInstance::~EngineInstance() = default;

MessageBoxWatcher::MessageBoxWatcher(int answerId) : answer_(answerId), thread_([this] { Watch(); }) {
  while (!watching_) Sleep(5);
}

MessageBoxWatcher::~MessageBoxWatcher() {
  stop_ = true;
  thread_.join();
}

std::vector<MessageBoxWatcher::Box> MessageBoxWatcher::Boxes() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return boxes_;
}

namespace {
struct FoundDialogs {
  int controlId;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM data) {
  auto* found = reinterpret_cast<FoundDialogs*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (process == GetCurrentProcessId() && std::string(className) == "#32770" && IsWindowVisible(window) &&
      GetDlgItem(window, found->controlId))
    found->windows.push_back(window);
  return TRUE;
}
}  // namespace

void MessageBoxWatcher::Watch() {
  while (!stop_) {
    for (HWND window : VisibleDialogsWithControl(0xFFFF)) {
      if (!IsMessageBox(window)) continue;
      char caption[256] = {}, text[4096] = {};
      GetWindowTextA(window, caption, sizeof caption);
      GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        boxes_.push_back({caption, text, GetWindow(window, GW_OWNER)});
      }
      int id = answer_;
      if (id == 0) {
        LRESULT def = SendMessageA(window, DM_GETDEFID, 0, 0);
        id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
      }
      PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
      // Give the box time to close before looking again, so it is recorded once.
      for (int i = 0; i < 100 && IsWindow(window) && IsWindowVisible(window); ++i) Sleep(20);
    }
    watching_ = true;
    Sleep(20);
  }
}

std::vector<HWND> VisibleDialogsWithControl(int controlId) {
  FoundDialogs found{controlId, {}};
  EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&found));
  return found.windows;
}

std::vector<std::string> LogLines(const std::string& logPath) { return ReadLines(logPath); }

bool ContainsLine(const std::vector<std::string>& lines, const std::string& line) {
  for (const std::string& candidate : lines)
    if (candidate == line) return true;
  return false;
}

}  // namespace testing_support

namespace testing_support {

std::map<std::string, std::string> RegistryValuesBelow(HKEY root, const std::string& key) {
  std::map<std::string, std::string> values;
  for (DWORD index = 0;; ++index) {
    std::string name = GetRegValueName(root, key, index);
    if (name.empty()) break;
    values[name] = ReadRegString(root, key, name);
  }
  for (DWORD index = 0;; ++index) {
    std::string subkey = GetRegSubKeyName(root, key, index);
    if (subkey.empty()) break;
    for (const auto& [name, value] : RegistryValuesBelow(root, key + "\\" + subkey)) values[subkey + "\\" + name] = value;
  }
  return values;
}

std::map<std::string, std::string> FilesBelow(const std::string& folder) {
  std::map<std::string, std::string> files;
  WIN32_FIND_DATAA entry;
  UniqueFindHandle find(FindFirstFileA(JoinPath(folder, "*").c_str(), &entry));
  if (!find) return files;
  do {
    std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    std::string path = JoinPath(folder, name);
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      for (const auto& [below, content] : FilesBelow(path)) files[name + "\\" + below] = content;
    } else {
      files[name] = ReadTextFile(path);
    }
  } while (FindNextFileA(find.get(), &entry));
  return files;
}

namespace {
std::string EscapedForMap(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '\\': escaped += "\\\\"; break;
      case '\t': escaped += "\\t"; break;
      case '\r': escaped += "\\r"; break;
      case '\n': escaped += "\\n"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

std::string UnescapedFromMap(const std::string& text) {
  std::string plain;
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\\' || at + 1 == text.size()) {
      plain += text[at];
      continue;
    }
    char code = text[++at];
    plain += code == 't' ? '\t' : code == 'r' ? '\r' : code == 'n' ? '\n' : code;
  }
  return plain;
}
}  // namespace

void WriteTextMap(const std::string& path, const std::map<std::string, std::string>& entries) {
  std::string text;
  for (const auto& [name, value] : entries) text += EscapedForMap(name) + "\t" + EscapedForMap(value) + "\n";
  WriteTextFile(path, text);
}

std::map<std::string, std::string> ReadTextMap(const std::string& path) {
  std::map<std::string, std::string> entries;
  for (const std::string& line : ReadLines(path)) {
    size_t tab = line.find('\t');
    if (tab != std::string::npos) entries[UnescapedFromMap(line.substr(0, tab))] = UnescapedFromMap(line.substr(tab + 1));
  }
  return entries;
}

}  // namespace testing_support
