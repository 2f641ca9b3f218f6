// The installation library of the sample's Corvant Archive. The engine calls DoInstall with the
// product's INF file; the library copies the payload folder beside the INF file into the
// install directory the INF names (a target of the engine's model) and leaves the status file
// the engine reads next. AlreadyInstalled answers 2 once the marker file of an installation
// is present.
#include <windows.h>

#include <cstdio>
#include <string>

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

std::string CopyFolder(const std::string& from, const std::string& to) {
  WIN32_FIND_DATAA entry;
  UniqueFindHandle find(FindFirstFileA((from + "\\*").c_str(), &entry));
  if (!find) return "cannot read " + from;
  std::string failure;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    std::string source = from + "\\" + entry.cFileName, target = to + "\\" + entry.cFileName;
    if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) failure = "cannot copy " + source;
  } while (failure.empty() && FindNextFileA(find.get(), &entry));
  return failure;
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
  else
    failure = CopyFolder(DirectoryOf(infPath) + "\\" + Inf(infPath, "Payload"), directory);
  if (failure.empty()) {
    UniqueStdFile marker(std::fopen((directory + "\\archive.installed").c_str(), "w"));
  }
  WriteStatus(mifName, product, failure.empty() ? "Success" : "Failed: " + failure);
}
