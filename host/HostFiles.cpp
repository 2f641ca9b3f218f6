#include "host/HostFiles.h"

#include <windows.h>

#include "host/HostHandles.h"
#include "host/HostRun.h"

namespace {
constexpr int kMaxDepth = 32;

std::string CopyTreeAt(const std::string& from, const std::string& to, const std::string& relative,
                       std::vector<std::string>* copied, int depth) {
  if (depth > kMaxDepth) return "the folder " + from + " lies deeper than " + std::to_string(kMaxDepth) + " levels";
  if (!CreatePath(to)) return WithLastError("cannot create " + to);
  WIN32_FIND_DATAA entry;
  UniqueFindHandle find(FindFirstFileA(JoinDir(from, "*").c_str(), &entry));
  if (!find) return WithLastError("cannot read " + from);
  do {
    std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    std::string source = JoinDir(from, name), target = JoinDir(to, name), inside = JoinDir(relative, name);
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      std::string failure = CopyTreeAt(source, target, inside, copied, depth + 1);
      if (!failure.empty()) return failure;
    } else if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) {
      return WithLastError("cannot copy " + source + " to " + target);
    } else if (copied) {
      copied->push_back(inside);
    }
  } while (FindNextFileA(find.get(), &entry));
  return std::string();
}

std::string RemoveTreeAt(const std::string& folder, int depth) {
  if (depth > kMaxDepth) return folder + " lies deeper than " + std::to_string(kMaxDepth) + " levels";
  std::vector<std::string> files, folders;
  {
    // The listing is closed before the folder itself is removed.
    WIN32_FIND_DATAA entry;
    UniqueFindHandle find(FindFirstFileA(JoinDir(folder, "*").c_str(), &entry));
    if (!find) return WithLastError("cannot read " + folder);
    do {
      std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      // A link to another folder is removed as a link, never followed.
      bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                      !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
      (isFolder ? folders : files).push_back(JoinDir(folder, name));
    } while (FindNextFileA(find.get(), &entry));
  }
  for (const std::string& file : files) {
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!DeleteFileA(file.c_str()) && !RemoveDirectoryA(file.c_str()))
      return WithLastError("cannot delete " + file);
  }
  for (const std::string& below : folders) {
    std::string failure = RemoveTreeAt(below, depth + 1);
    if (!failure.empty()) return failure;
  }
  if (!RemoveDirectoryA(folder.c_str())) return WithLastError("cannot remove the folder " + folder);
  return std::string();
}
}  // namespace

std::string CopyTree(const std::string& from, const std::string& to, std::vector<std::string>* copied) {
  return CopyTreeAt(from, to, std::string(), copied, 0);
}

bool CreatePath(const std::string& path) {
  // Each level is one name shorter, so the recursion ends with the drive.
  if (path.size() <= 3) return true;
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  std::string parent = ParentDir(path);
  if (parent.size() >= path.size() || !CreatePath(parent)) return false;
  return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

std::string RemoveTree(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::string();
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path.c_str()) ? std::string() : WithLastError("cannot delete " + path);
  }
  return RemoveTreeAt(path, 0);
}

bool RemoveIfEmpty(const std::string& folder) {
  if (GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
  return RemoveDirectoryA(folder.c_str()) != 0;
}

std::string LastName(const std::string& path) {
  std::string trimmed = path;
  while (!trimmed.empty() && trimmed.back() == '\\') trimmed.pop_back();
  size_t at = trimmed.find_last_of('\\');
  return at == std::string::npos ? trimmed : trimmed.substr(at + 1);
}

std::string WithLastError(const std::string& text) {
  return text + " (error " + std::to_string(GetLastError()) + ")";
}
