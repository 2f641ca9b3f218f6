// The installation library of the sample's Corvant Archive. The engine calls DoInstall with the
// product's INF file; the library copies the payload folder beside the INF file into the
// install directory the INF names (a target of the engine's model), lists what it copied in
// <MifName>.files there, and leaves the status file the engine reads next. AlreadyInstalled
// answers 2 once the marker file of an installation is present. DoUninstall deletes the listed
// files, the list and the marker, and the directory when it is left empty.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/Win32Handles.h"

namespace {
std::string Inf(const char* infPath, const char* key) {
  char value[512] = {};
  GetPrivateProfileStringA("Install", key, "", value, sizeof value, infPath);
  return value;
}

std::string DirectoryOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

// The install directory: the engine's registered path of the INF's target.
std::string TargetPath(const std::string& target) {
  HMODULE engine = GetModuleHandleA("Tessaro.dll");
  if (!engine) return std::string();
  auto getTargetPath = reinterpret_cast<int(__stdcall*)(const char*, char*)>(
      reinterpret_cast<void*>(GetProcAddress(engine, "TSGetTargetPath")));
  if (!getTargetPath) return std::string();
  char path[1024] = {};
  getTargetPath(target.c_str(), path);
  return path;
}

bool CreatePath(const std::string& path) {
  if (path.size() <= 3 || GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  CreatePath(DirectoryOf(path));
  return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// Copies the files of a folder (not its subfolders); `copied` receives their names.
std::string CopyFolder(const std::string& from, const std::string& to, std::vector<std::string>& copied) {
  WIN32_FIND_DATAA entry;
  UniqueFindHandle find(FindFirstFileA((from + "\\*").c_str(), &entry));
  if (!find) return "cannot read " + from;
  std::string failure;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    std::string source = from + "\\" + entry.cFileName, target = to + "\\" + entry.cFileName;
    if (!CopyFileA(source.c_str(), target.c_str(), FALSE))
      failure = "cannot copy " + source;
    else
      copied.push_back(entry.cFileName);
  } while (failure.empty() && FindNextFileA(find.get(), &entry));
  return failure;
}

std::string ListOf(const std::string& directory, const std::string& mifName) {
  return directory + "\\" + mifName + ".files";
}

std::string WriteList(const std::string& list, const std::vector<std::string>& names) {
  UniqueStdFile file(std::fopen(list.c_str(), "w"));
  if (!file) return "cannot write " + list;
  for (const std::string& name : names)
    if (std::fprintf(file.get(), "%s\n", name.c_str()) < 0) return "cannot write " + list;
  return std::fflush(file.get()) == 0 ? std::string() : "cannot write " + list;
}

// A listed name is a plain file name in the install directory, never a path elsewhere.
bool IsPlainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/:") == std::string::npos;
}

// Deletes the listed files, the marker and the list; an empty text, or what stayed.
std::string DeleteListed(const std::string& directory, const std::string& list) {
  std::vector<std::string> names;
  if (GetFileAttributesA(list.c_str()) != INVALID_FILE_ATTRIBUTES) {
    UniqueStdFile file(std::fopen(list.c_str(), "r"));
    if (!file) return "cannot read " + list;
    char line[512];
    while (std::fgets(line, sizeof line, file.get())) {
      std::string name = line;
      while (!name.empty() && (name.back() == '\n' || name.back() == '\r')) name.pop_back();
      if (name.empty()) continue;
      if (!IsPlainName(name)) return "the list " + list + " names a file elsewhere: " + name;
      names.push_back(name);
    }
  }
  names.push_back("archive.installed");
  for (const std::string& name : names) {
    std::string path = directory + "\\" + name;
    if (!DeleteFileA(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
      return "cannot delete " + path + " (error " + std::to_string(GetLastError()) + ")";
  }
  if (!DeleteFileA(list.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
    return "cannot delete " + list + " (error " + std::to_string(GetLastError()) + ")";
  RemoveDirectoryA(directory.c_str());  // only when nothing else is in it
  return std::string();
}

void WriteStatus(const std::string& mifName, const std::string& product, const std::string& status) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  UniqueStdFile file(std::fopen((std::string(temp) + mifName + ".mif").c_str(), "w"));
  if (!file) return;
  std::fprintf(file.get(),
               "START COMPONENT\n  NAME = \"%s\"\n  START GROUP\n    NAME = \"InstallStatus\"\n    ID = 1\n"
               "    CLASS = \"DMTF|Install Status|1.0\"\n    START ATTRIBUTE\n      NAME = \"Status\"\n"
               "      ID = 1\n      ACCESS = READ-ONLY\n      STORAGE = SPECIFIC\n      TYPE = STRING(64)\n"
               "      VALUE = \"%s\"\n    END ATTRIBUTE\n  END GROUP\nEND COMPONENT\n",
               product.c_str(), status.c_str());
}
}  // namespace

extern "C" int __stdcall AlreadyInstalled(char* infPath) {
  std::string directory = TargetPath(Inf(infPath, "Target"));
  if (directory.empty()) return 0;
  return GetFileAttributesA((directory + "\\archive.installed").c_str()) != INVALID_FILE_ATTRIBUTES ? 2 : 0;
}

extern "C" void __stdcall DoInstall(const char* infPath, int) {
  std::string product = Inf(infPath, "Product"), mifName = Inf(infPath, "MifName");
  std::string directory = TargetPath(Inf(infPath, "Target"));
  std::string failure;
  if (directory.empty())
    failure = "no install directory";
  else if (!CreatePath(directory))
    failure = "cannot create " + directory;
  std::vector<std::string> copied;
  if (failure.empty()) failure = CopyFolder(DirectoryOf(infPath) + "\\" + Inf(infPath, "Payload"), directory, copied);
  if (!copied.empty()) {
    std::string unlisted = WriteList(ListOf(directory, mifName), copied);
    if (failure.empty()) failure = unlisted;
  }
  if (failure.empty()) {
    UniqueStdFile marker(std::fopen((directory + "\\archive.installed").c_str(), "w"));
  }
  WriteStatus(mifName, product, failure.empty() ? "Success" : "Failed: " + failure);
}

extern "C" void __stdcall DoUninstall(const char* infPath, int) {
  std::string product = Inf(infPath, "Product"), mifName = Inf(infPath, "MifName");
  std::string directory = TargetPath(Inf(infPath, "Target"));
  std::string failure = directory.empty() ? "no install directory" : DeleteListed(directory, ListOf(directory, mifName));
  WriteStatus(mifName, product, failure.empty() ? "Success" : "Failed: " + failure);
}
