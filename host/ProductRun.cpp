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

#include "engine/Win32Handles.h"
#include "host/HostRun.h"
#include "host/Packages.h"

namespace {
constexpr size_t kText = 4096;

std::string ReadMain(const std::string& file, const char* key) {
  char value[512] = {};
  GetPrivateProfileStringA("Main", key, "", value, sizeof value, file.c_str());
  return value;
}

// Copies a folder tree; returns an empty text or what went wrong.
std::string CopyTree(const std::string& from, const std::string& to) {
  CreateDirectoryA(to.c_str(), nullptr);
  WIN32_FIND_DATAA entry;
  UniqueFindHandle find(FindFirstFileA(JoinDir(from, "*").c_str(), &entry));
  if (!find) return "cannot read " + from;
  do {
    std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    std::string source = JoinDir(from, name), target = JoinDir(to, name);
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      std::string failure = CopyTree(source, target);
      if (!failure.empty()) return failure;
    } else if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) {
      return "cannot copy " + source + " to " + target;
    }
  } while (FindNextFileA(find.get(), &entry));
  return std::string();
}

bool CreatePath(const std::string& path) {
  if (path.size() <= 3 || GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  CreatePath(ParentDir(path));
  return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
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

// A package product: its package's installer instead of the payload copy; recorded only when the
// package installed.
int InstallPackageProduct(const EngineExports& e, const std::string& propIni, const std::string& statusFile,
                          const std::string& product) {
  PackageOutcome outcome = InstallPackage(e, propIni);
  if (outcome.status == "Success") {
    std::vector<std::string> unrecorded = RecordRun(e);
    if (!unrecorded.empty()) outcome = {"Failed", "records incomplete: " + Joined(unrecorded) + " failed", kExitFailed};
  }
  e.AddToLog(("Product " + product + ": package " + outcome.status +
              (outcome.message.empty() ? std::string() : " (" + outcome.message + ")"))
                 .c_str());
  return EndProduct(e, statusFile, product, outcome.status.c_str(), outcome.message, outcome.exitCode);
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
  if (WalkWizard(e) != TS_STEP_NEXT) {
    int code = EndProduct(e, statusFile, product, "Cancelled", "the product setup was cancelled", kExitCancelled);
    e.UnloadSetupData();
    return code;
  }
  if (NamesPackage(propIni)) {
    int code = InstallPackageProduct(e, propIni, statusFile, product);
    e.UnloadSetupData();
    return code;
  }
  std::string destination = InstallDirectory(e, propIni);
  std::string failure;
  if (destination.empty())
    failure = "no install directory";
  else if (!CreatePath(destination))
    failure = "cannot create " + destination;
  else
    failure = CopyTree(JoinDir(options.ownDirectory, "payload"), destination);
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
