// TessaroSetup.exe: a setup host. Beside Tessaro.dll in a master directory it installs the
// suite; started by the engine as a product's setup program ("/product config=FILE") it
// installs that one product.
//
//   TessaroSetup.exe [config=PARAMS.ini] [cds=ROOT;ROOT...] [record=ANSWERS.ini [record-passwords]]
//   TessaroSetup.exe /product config=CONFIG.ini
#include <windows.h>

#include <cstdio>
#include <string>

#include "host/HostRun.h"

std::string JoinDir(const std::string& directory, const std::string& name) {
  if (directory.empty()) return name;
  if (!directory.empty() && directory.back() == '\\') return directory + name;
  return directory + "\\" + name;
}

std::string ParentDir(const std::string& directory) {
  std::string path = directory;
  while (!path.empty() && path.back() == '\\') path.pop_back();
  size_t at = path.find_last_of('\\');
  return at == std::string::npos ? path : path.substr(0, at);
}

bool IsFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {
std::string OwnDirectory() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return ParentDir(path);
}

std::vector<std::string> SplitRoots(const std::string& list) {
  std::vector<std::string> roots;
  size_t at = 0;
  while (at <= list.size()) {
    size_t end = list.find(';', at);
    std::string root = list.substr(at, end == std::string::npos ? std::string::npos : end - at);
    if (!root.empty()) roots.push_back(root);
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return roots;
}
}  // namespace

int main(int argc, char** argv) {
  HostOptions options;
  options.ownDirectory = OwnDirectory();
  options.commandLine = GetCommandLineA();
  bool productMode = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (_stricmp(arg.c_str(), "/product") == 0) productMode = true;
    if (arg.rfind("cds=", 0) == 0) options.cdRoots = SplitRoots(arg.substr(4));
    if (arg.rfind("record=", 0) == 0) options.recordFile = arg.substr(7);
    if (_stricmp(arg.c_str(), "record-passwords") == 0) options.recordPasswords = true;
  }
  EngineExports engine{};
  std::string missing;
  std::string dll = JoinDir(options.ownDirectory, "Tessaro.dll");
  if (!BindEngine(dll, engine, missing)) {
    std::printf("TessaroSetup: cannot load the engine %s\n", dll.c_str());
    return kExitHostError;
  }
  if (!missing.empty()) {
    std::printf("TessaroSetup: the engine %s lacks the export %s\n", dll.c_str(), missing.c_str());
    return kExitHostError;
  }
  return productMode ? RunProduct(engine, options) : RunSuite(engine, options);
}
