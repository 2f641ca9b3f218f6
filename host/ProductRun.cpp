// A product's own setup program: the engine starts it with the product's configuration file.
// It runs the product's own copy of the engine unattended with that file, so that the product
// registers its own features and directories, copies the product's payload into its install
// directory (or runs the product's package, host/Packages.h), and leaves the status file the
// engine reads afterwards.
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "host/HostHandles.h"
#include "host/HostFiles.h"
#include "host/HostRun.h"
#include "host/Packages.h"

namespace {
constexpr size_t kText = 4096;

std::string ReadMain(const std::string& file, const char* key) {
  char value[512] = {};
  GetPrivateProfileStringA("Main", key, "", value, sizeof value, file.c_str());
  return value;
}


// The product's install directory: the path of the target its description names with
// PayloadTarget, else of its first own target, else of CORVAROOT.
std::string InstallDirectory(const EngineExports& e, const std::string& propIni) {
  std::string chosen = ReadMain(propIni, "PayloadTarget");
  if (chosen.empty()) {
    std::vector<char> id(kText, '\0');
    e.GetTargetID(4, id.data());
    chosen = id[0] ? id.data() : "CORVAROOT";
  }
  std::vector<char> path(kText, '\0');
  e.GetTargetPath(chosen.c_str(), path.data());
  return path.data();
}

std::string MifName(const std::string& propIni) {
  std::string name = ReadMain(propIni, "MifName");
  if (name.empty()) name = ReadMain(propIni, "MifID");
  if (name.empty()) name = ReadMain(propIni, "RootFeature");
  return name;
}

// Writes the status file the engine reads after the product's run; false when it could not.
bool WriteStatusFile(const std::string& path, const std::string& product, const std::string& status,
                     const std::string& message) {
  UniqueStdFile file(std::fopen(path.c_str(), "w"));
  if (!file) return false;
  return std::fprintf(file.get(),
               "START COMPONENT\n"
               "  NAME = \"%s\"\n"
               "  START GROUP\n"
               "    NAME = \"InstallStatus\"\n"
               "    ID = 1\n"
               "    CLASS = \"DMTF|Install Status|1.0\"\n"
               "    START ATTRIBUTE\n"
               "      NAME = \"Status\"\n"
               "      ID = 1\n"
               "      ACCESS = READ-ONLY\n"
               "      STORAGE = SPECIFIC\n"
               "      TYPE = STRING(32)\n"
               "      VALUE = \"%s\"\n"
               "    END ATTRIBUTE\n"
               "    START ATTRIBUTE\n"
               "      NAME = \"Message\"\n"
               "      ID = 2\n"
               "      ACCESS = READ-ONLY\n"
               "      STORAGE = SPECIFIC\n"
               "      TYPE = STRING(256)\n"
               "      VALUE = \"%s\"\n"
               "    END ATTRIBUTE\n"
               "  END GROUP\n"
               "END COMPONENT\n",
               product.c_str(), status.c_str(), message.c_str()) > 0 &&
         std::fflush(file.get()) == 0;
}

// The product run's end: its status file, and an exit status that says the same.
int EndProduct(const EngineExports& e, const std::string& statusFile, const std::string& product, const char* status,
               const std::string& message, int code) {
  if (WriteStatusFile(statusFile, product, status, message)) return code;
  e.AddToLog(("*** Unable to write the status file " + statusFile + " (errno " + std::to_string(errno) + ")").c_str());
  return kExitFailed;
}

// Logs what became of a package product's package and leaves the status file that says it.
int EndPackageProduct(const EngineExports& e, const std::string& statusFile, const std::string& product,
                      const char* action, const PackageOutcome& outcome) {
  e.AddToLog(("Product " + product + ": " + action + " " + outcome.status +
              (outcome.message.empty() ? std::string() : " (" + outcome.message + ")"))
                 .c_str());
  return EndProduct(e, statusFile, product, outcome.status.c_str(), outcome.message, outcome.exitCode);
}

// A package product: its package's installer instead of the payload copy; recorded only when the
// package installed.
int InstallPackageProduct(const EngineExports& e, const std::string& propIni, const std::string& statusFile,
                          const std::string& product) {
  PackageOutcome outcome = InstallPackage(e, propIni);
  if (outcome.status == "Success") {
    std::vector<std::string> unrecorded = RecordRun(e);
    if (!unrecorded.empty()) outcome = {"Failed", "records incomplete: " + Joined(unrecorded) + " failed", kExitFailed};
  }
  return EndPackageProduct(e, statusFile, product, "package", outcome);
}

// /product /remove of a package product: the package's own uninstaller.
int RemovePackageProduct(const EngineExports& e, const std::string& propIni, const std::string& statusFile,
                         const std::string& product) {
  return EndPackageProduct(e, statusFile, product, "package removal", RemovePackage(e, propIni));
}

// The list of the files a product run copied, in its install directory: what its removal deletes.
std::string FileListOf(const std::string& destination, const std::string& propIni) {
  return JoinDir(destination, MifName(propIni) + ".files");
}

// Writes the list, one path relative to the install directory a line; an empty text or why not.
std::string WriteFileList(const std::string& list, const std::vector<std::string>& files) {
  UniqueStdFile file(std::fopen(list.c_str(), "w"));
  if (!file) return "cannot write " + list + " (errno " + std::to_string(errno) + ")";
  for (const std::string& path : files)
    if (std::fprintf(file.get(), "%s\n", path.c_str()) < 0) return "cannot write " + list;
  if (std::fflush(file.get()) != 0) return "cannot write " + list;
  return std::string();
}

// A line of the list names a file inside the install directory, never one elsewhere.
bool IsInsidePath(const std::string& relative) {
  if (relative.empty() || relative[0] == '\\' || relative.find(':') != std::string::npos) return false;
  size_t at = 0;
  while (at <= relative.size()) {
    size_t end = relative.find('\\', at);
    std::string name = relative.substr(at, end == std::string::npos ? std::string::npos : end - at);
    if (name.empty() || name == "." || name == "..") return false;
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return relative.find('/') == std::string::npos;
}

// Removes what the product run copied into `destination`, as its list says, then the list and
// the folders left empty, never another file. First every file is checked: one that is
// read-only or in use keeps the whole product in place. An empty text, or why not.
std::string RemoveListedFiles(const std::string& destination, const std::string& list) {
  if (!IsFile(list)) return std::string();  // nothing of it was copied, or it was removed already
  std::vector<std::string> files;
  {
    UniqueStdFile file(std::fopen(list.c_str(), "r"));
    if (!file) return "cannot read " + list + " (errno " + std::to_string(errno) + ")";
    char line[1024];
    while (std::fgets(line, sizeof line, file.get())) {
      std::string path = line;
      while (!path.empty() && (path.back() == '\n' || path.back() == '\r')) path.pop_back();
      if (path.empty()) continue;
      if (!IsInsidePath(path)) return "the list " + list + " names a file outside the install directory: " + path;
      files.push_back(JoinDir(destination, path));
    }
  }
  for (const std::string& path : files) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) continue;
    if (attributes & FILE_ATTRIBUTE_READONLY) return path + " is read-only";
    UniqueHandle probe(CreateFileA(path.c_str(), GENERIC_READ | DELETE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!probe) return WithLastError(path + " is in use");
  }
  for (const std::string& path : files)
    if (!DeleteFileA(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND && GetLastError() != ERROR_PATH_NOT_FOUND)
      return WithLastError("cannot delete " + path);
  if (!DeleteFileA(list.c_str())) return WithLastError("cannot delete " + list);
  // The folders of the listed files, deepest first, then the install directory: each only when empty.
  for (const std::string& path : files)
    for (std::string folder = ParentDir(path); folder.size() > destination.size(); folder = ParentDir(folder))
      RemoveIfEmpty(folder);
  RemoveIfEmpty(destination);
  return std::string();
}

// /product /remove: deletes what the product run copied (or removes its package) and leaves the
// status file.
int RemoveProduct(const EngineExports& e, const std::string& propIni, const std::string& product,
                  const std::string& statusFile) {
  if (NamesPackage(e, propIni)) {
    int code = RemovePackageProduct(e, propIni, statusFile, product);
    e.UnloadSetupData();
    return code;
  }
  std::string destination = InstallDirectory(e, propIni);
  std::string failure = destination.empty() ? "no install directory" : RemoveListedFiles(destination, FileListOf(destination, propIni));
  e.AddToLog(("Product " + product + (failure.empty() ? " removed from " + destination : ": " + failure)).c_str());
  int code = EndProduct(e, statusFile, product, failure.empty() ? "Success" : "Failed", failure,
                        failure.empty() ? kExitSuccess : kExitFailed);
  e.UnloadSetupData();
  return code;
}
}  // namespace

int RunProduct(const EngineExports& e, const HostOptions& options) {
  std::string propIni = JoinDir(options.ownDirectory, "prop.ini");
  std::vector<char> params(kText, '\0');
  e.FindParamsIniFile(options.ownDirectory.c_str(), options.commandLine.c_str(), params.data());
  std::string product = ReadMain(propIni, "Name");
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string statusFile = JoinDir(temp, MifName(propIni) + ".mif");
  if (e.LoadSetupData(params.data()) != 0) {
    return EndProduct(e, statusFile, product, "Failed", "the product description could not be loaded", kExitFailed);
  }
  if (options.remove) {
    // Only what the removal needs: the directories the product was installed to.
    if (e.Initialization() != TS_STEP_NEXT || e.DetectComponents() != TS_STEP_NEXT) {
      int code = EndProduct(e, statusFile, product, "Failed", "the installed product could not be detected", kExitFailed);
      e.UnloadSetupData();
      return code;
    }
    return RemoveProduct(e, propIni, product, statusFile);
  }
  if (WalkWizard(e) != TS_STEP_NEXT) {
    int code = EndProduct(e, statusFile, product, "Cancelled", "the product setup was cancelled", kExitCancelled);
    e.UnloadSetupData();
    return code;
  }
  if (NamesPackage(e, propIni)) {
    int code = InstallPackageProduct(e, propIni, statusFile, product);
    e.UnloadSetupData();
    return code;
  }
  std::string destination = InstallDirectory(e, propIni);
  std::string failure;
  std::vector<std::string> copied;
  if (destination.empty())
    failure = "no install directory";
  else if (!CreatePath(destination))
    failure = "cannot create " + destination;
  else
    failure = CopyTree(JoinDir(options.ownDirectory, "payload"), destination, &copied);
  // Even a copy that failed half way lists what it copied, so that a removal finds it.
  if (!copied.empty()) {
    std::string unlisted = WriteFileList(FileListOf(destination, propIni), copied);
    if (failure.empty()) failure = unlisted;
  }
  if (failure.empty()) {
    std::vector<std::string> unrecorded = RecordRun(e);
    if (!unrecorded.empty()) failure = "records incomplete: " + Joined(unrecorded) + " failed";
  }
  e.AddToLog(("Product " + product + (failure.empty() ? " copied to " + destination : ": " + failure)).c_str());
  int code = EndProduct(e, statusFile, product, failure.empty() ? "Success" : "Failed", failure,
                        failure.empty() ? kExitSuccess : kExitFailed);
  e.UnloadSetupData();
  return code;
}
