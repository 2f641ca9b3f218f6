#include "engine/Paths.h"

#include <windows.h>

#include <vector>

#include "engine/FileBytes.h"
#include "engine/Log.h"
#include "engine/Win32Handles.h"

std::string JoinPath(const std::string& directory, const std::string& name) {
  if (directory.empty()) return name;
  if (name.empty()) return directory;
  std::string base = StripTrailingBackslashes(directory);
  if (name[0] == '\\') return base + name;
  return base + "\\" + name;
}

std::string StripTrailingBackslashes(std::string path) {
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

std::string DirectoryOf(const std::string& filePath) {
  size_t at = filePath.find_last_of('\\');
  return at == std::string::npos ? std::string() : filePath.substr(0, at);
}

std::string ParentDirectory(const std::string& directory) {
  if (directory.empty()) return directory;
  std::string shortened = directory.substr(0, directory.size() - 1);
  size_t at = shortened.find_last_of('\\');
  return at == std::string::npos ? shortened : shortened.substr(0, at);
}

std::string LastPathName(const std::string& path) {
  std::string trimmed = StripTrailingBackslashes(path);
  size_t at = trimmed.find_last_of('\\');
  return at == std::string::npos ? trimmed : trimmed.substr(at + 1);
}

bool PathExists(const std::string& path) {
  return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name.find_first_of("\\/:") == std::string::npos && name.find("..") == std::string::npos;
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  if (path.empty()) return false;
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {
constexpr int kMaxRemoveDepth = 64;

bool RemoveDirectoryTreeAt(const std::string& directory, int depth) {
  if (depth > kMaxRemoveDepth) return false;
  bool removed = true;
  std::vector<std::string> children;
  {
    WIN32_FIND_DATAA entry;
    UniqueFindHandle find(FindFirstFileA(JoinPath(directory, "*").c_str(), &entry));
    if (find) {
      do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        std::string path = JoinPath(directory, name);
        bool isLink = (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !isLink) {
          children.push_back(path);
        } else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          removed = RemoveDirectoryA(path.c_str()) && removed;
        } else {
          SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
          removed = DeleteFileA(path.c_str()) && removed;
        }
      } while (FindNextFileA(find.get(), &entry));
    }
  }
  // The listing is closed first: a directory with an open search handle cannot be removed.
  for (const std::string& child : children) removed = RemoveDirectoryTreeAt(child, depth + 1) && removed;
  return RemoveDirectoryA(directory.c_str()) && removed;
}
}  // namespace

bool RemoveDirectoryTree(const std::string& directory) { return RemoveDirectoryTreeAt(directory, 0); }

bool CreateDirectoryTree(const std::string& path) {
  std::string target = StripTrailingBackslashes(path);
  if (target.empty() || DirectoryExists(target)) return true;
  // A drive root ("C:") or a share root cannot be created; its absence ends the walk.
  std::string parent = DirectoryOf(target);
  if (!parent.empty() && parent != target && !DirectoryExists(parent) && parent.size() > 2) {
    if (!CreateDirectoryTree(parent)) return false;
  }
  if (CreateDirectoryA(target.c_str(), nullptr)) return true;
  DWORD error = GetLastError();
  // Someone else may have made it meanwhile; a file of that name is no directory.
  if (error == ERROR_ALREADY_EXISTS && DirectoryExists(target)) return true;
  SetLastError(error);
  return false;
}

namespace {
template <typename Query>
std::string AskSystemPath(Query query) {
  std::vector<char> buffer(MAX_PATH + 1);
  for (;;) {
    DWORD length = query(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::string();
    if (length < buffer.size()) return StripTrailingBackslashes(std::string(buffer.data(), length));
    buffer.resize(length + 1);
  }
}
}  // namespace

std::string WindowsDirectory() {
  return AskSystemPath([](char* b, DWORD n) { return GetWindowsDirectoryA(b, n); });
}
std::string SystemDirectory() {
  return AskSystemPath([](char* b, DWORD n) { return GetSystemDirectoryA(b, n); });
}
std::string TempDirectory() {
  return AskSystemPath([](char* b, DWORD n) { return GetTempPathA(n, b); });
}

bool ReplaceFileWhole(const std::string& path, const std::string& bytes) {
  std::string staged = path + ".new" + std::to_string(GetCurrentProcessId());
  if (!WriteFileBytes(staged, bytes)) {
    LogLine("*** Unable to write " + staged + " (error " + std::to_string(GetLastError()) + ")");
    DeleteFileA(staged.c_str());
    return false;
  }
  if (!MoveFileExA(staged.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    LogLine("*** MoveFileEx " + staged + " -> " + path + " failed (error " + std::to_string(GetLastError()) + ")");
    DeleteFileA(staged.c_str());
    return false;
  }
  return true;
}
