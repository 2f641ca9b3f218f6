#include "host/Packages.h"

#include <windows.h>

#include <cctype>
#include <vector>

#include "host/HostHandles.h"
#include "host/HostRun.h"

namespace {
// How long a package's installer may run; a silent installer still running after that is
// taken as hung and its product as failed.
constexpr DWORD kPackageRunsMs = 4 * 60 * 60 * 1000;
constexpr char kMasked[] = "********";

std::string DescriptionValue(const std::string& propIni, const char* key) {
  char value[1024] = {};
  GetPrivateProfileStringA("Main", key, "", value, sizeof value, propIni.c_str());
  return value;
}

// The package a description names, as the engine reads it.
struct Package {
  int kind = TS_PACKAGE_NONE;  // TS_PACKAGE_*
  std::string file;            // its full path
};

Package PackageOf(const EngineExports& e, const std::string& propIni) {
  char file[TS_PATH_BUFFER_SIZE] = {};
  int kind = e.GetPackage(propIni.c_str(), file);
  return {kind, file};
}

// What identifies the package on the machine (the MSI's ProductCode, the setup program's
// Programs and Features key); false with `problem` when it cannot be had.
bool PackageIdentity(const EngineExports& e, const std::string& propIni, std::string& identity, std::string& problem) {
  char out[TS_VALUE_BUFFER_SIZE] = {};
  bool known = e.GetPackageIdentity(propIni.c_str(), out) == 0;
  (known ? identity : problem) = out;
  return known;
}

bool PackageInstalled(const EngineExports& e, const std::string& propIni) {
  return e.IsPackageInstalled(propIni.c_str()) == 1;
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

std::string FileName(const std::string& path) {
  size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Replaces every keyword (%NAME%) the engine knows by its value: the product's target paths
// and the engine's built-in keywords. An unknown name stays as written.
std::string Translated(const EngineExports& e, const std::string& text) {
  std::string result;
  size_t at = 0;
  while (at < text.size()) {
    size_t open = text.find('%', at);
    size_t close = open == std::string::npos ? std::string::npos : text.find('%', open + 1);
    if (close == std::string::npos) break;
    result += text.substr(at, open - at);
    std::string keyword = text.substr(open, close - open + 1);
    char value[TS_KEYWORD_BUFFER_SIZE] = {};
    int final = 1;
    result += e.TranslateKeyword(keyword.c_str(), value, &final) == 0 ? std::string(value) : keyword;
    at = close + 1;
  }
  return result + text.substr(std::min(at, text.size()));
}

// PackageProperties: NAME=value pairs joined with ";", each passed to Windows Installer as
// NAME="value" (a double quote inside the value doubled, as msiexec reads it).
std::string MsiProperties(const EngineExports& e, const std::string& list) {
  std::string arguments;
  size_t at = 0;
  while (at <= list.size()) {
    size_t end = list.find(';', at);
    std::string item = list.substr(at, end == std::string::npos ? std::string::npos : end - at);
    size_t equals = item.find('=');
    if (equals != std::string::npos && equals > 0) {
      std::string value = Translated(e, item.substr(equals + 1)), escaped;
      for (char c : value) escaped += c == '"' ? std::string("\"\"") : std::string(1, c);
      arguments += " " + item.substr(0, equals) + "=\"" + escaped + "\"";
    }
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return arguments;
}

std::string Msiexec() {
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  return JoinDir(system, "msiexec.exe");
}

// The Windows Installer log of a package's run: beside the suite's log (in the temporary folder
// when the run has none), named after the package and the action.
std::string PackageLogFile(const EngineExports& e, const std::string& package, const char* action) {
  std::string log = Translated(e, "%LOGFILE%");
  std::string folder = log.empty() || log == "%LOGFILE%" ? Translated(e, "%TEMPDIR%") : ParentDir(log);
  std::string stem = FileName(package);
  stem = stem.substr(0, stem.find_last_of('.'));
  return JoinDir(folder, stem + "-" + action + ".log");
}

// Runs the command line and waits for it and for every process it started: an uninstaller that
// copies itself to the temporary folder and relaunches from there ends only when its copy ends.
// The exit code is the started program's; false with `problem` when it could not be run.
bool RunPackageProgram(const EngineExports& e, const std::string& commandLine, unsigned long& exitCode,
                       std::string& problem) {
  UniqueHandle job(CreateJobObjectA(nullptr, nullptr));
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  // Started in the system folder: a package program (or a Windows Installer process that outlives
  // it) must not hold the host's own folder, which a removal run deletes when it ends.
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, system, &startup, &info)) {
    problem = "cannot start it (CreateProcessA error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  UniqueHandle process(info.hProcess), thread(info.hThread);
  bool inJob = job && AssignProcessToJobObject(job.get(), process.get());
  if (!inJob)
    e.AddToLog(("Package program not watched with its child processes (AssignProcessToJobObject error " +
                std::to_string(GetLastError()) + "); only the program itself is waited for")
                   .c_str());
  ResumeThread(thread.get());
  DWORD started = GetTickCount();
  if (WaitForSingleObject(process.get(), kPackageRunsMs) != WAIT_OBJECT_0) {
    problem = "it did not end within " + std::to_string(kPackageRunsMs / 60000) + " minutes";
    return false;
  }
  if (!GetExitCodeProcess(process.get(), &exitCode)) {
    problem = "its exit code cannot be read (GetExitCodeProcess error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  for (;;) {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
    if (!inJob || !QueryInformationJobObject(job.get(), JobObjectBasicAccountingInformation, &accounting,
                                             sizeof accounting, nullptr) ||
        accounting.ActiveProcesses == 0)
      return true;
    if (GetTickCount() - started >= kPackageRunsMs) {
      problem = "the processes it started did not end within " + std::to_string(kPackageRunsMs / 60000) + " minutes";
      return false;
    }
    Sleep(100);
  }
}

// Runs one package command: logs it (passwords masked) and its exit code, and maps the code.
PackageOutcome RunLogged(const EngineExports& e, const std::string& package, const std::string& commandLine,
                         const std::string& logFile) {
  std::string name = FileName(package);
  e.AddToLog(("Package " + name + ": " + MaskedCommandLine(commandLine)).c_str());
  unsigned long exitCode = 0;
  std::string problem;
  if (!RunPackageProgram(e, commandLine, exitCode, problem)) {
    e.AddToLog(("*** Package " + name + ": " + problem).c_str());
    return {"Failed", "package " + name + ": " + problem, kExitFailed};
  }
  e.AddToLog(("Package " + name + " ended with exit code " + std::to_string(exitCode)).c_str());
  return PackageOutcomeOf(exitCode, logFile);
}

PackageOutcome Failed(const EngineExports& e, const std::string& message) {
  e.AddToLog(("*** " + message).c_str());
  return {"Failed", message, kExitFailed};
}

// The program a registered command line starts: the quoted start, else up to ".exe".
std::string ProgramOf(const std::string& commandLine) {
  if (!commandLine.empty() && commandLine[0] == '"') return commandLine.substr(1, commandLine.find('"', 1) - 1);
  std::string lower = commandLine;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  size_t exe = lower.find(".exe");
  return exe == std::string::npos ? commandLine.substr(0, commandLine.find(' ')) : commandLine.substr(0, exe + 4);
}

PackageOutcome InstallMsi(const EngineExports& e, const std::string& propIni, const Package& package) {
  std::string log = PackageLogFile(e, package.file, "install");
  std::string command = Quoted(Msiexec()) + " /i " + Quoted(package.file) + " /qn /norestart" +
                        MsiProperties(e, DescriptionValue(propIni, "PackageProperties")) + " /l*v " + Quoted(log);
  PackageOutcome outcome = RunLogged(e, package.file, command, log);
  if (outcome.status != "Success") return outcome;
  std::string productCode, problem;
  if (!PackageIdentity(e, propIni, productCode, problem)) return Failed(e, "package " + FileName(package.file) + ": " + problem);
  if (!PackageInstalled(e, propIni))
    return Failed(e, "package " + FileName(package.file) + " ended with success, but Windows Installer does not have " +
                         productCode + " installed; log: " + log);
  return outcome;
}

PackageOutcome InstallExe(const EngineExports& e, const std::string& propIni, const Package& package) {
  std::string command = Quoted(package.file);
  std::string arguments = Translated(e, DescriptionValue(propIni, "PackageCmdLine"));
  if (!arguments.empty()) command += " " + arguments;
  PackageOutcome outcome = RunLogged(e, package.file, command, std::string());
  // Without a PackageUninstallKey there is no entry to check the setup program's word against.
  std::string uninstallKey, problem;
  if (outcome.status == "Success" && PackageIdentity(e, propIni, uninstallKey, problem) && !PackageInstalled(e, propIni))
    return Failed(e, "package " + FileName(package.file) + " ended with success, but its Programs and Features entry " +
                         uninstallKey + " is not there");
  return outcome;
}

PackageOutcome RemoveMsi(const EngineExports& e, const std::string& propIni, const Package& package) {
  std::string productCode, problem;
  if (!PackageIdentity(e, propIni, productCode, problem)) return Failed(e, "package " + FileName(package.file) + ": " + problem);
  if (!PackageInstalled(e, propIni)) {
    e.AddToLog(("Package " + FileName(package.file) + ": " + productCode + " is not installed; nothing to remove").c_str());
    return {"Success", "", kExitSuccess};
  }
  std::string log = PackageLogFile(e, package.file, "remove");
  // The install's properties again: Wine's Windows Installer looks for the files where the
  // properties put them now, not where the install put them, and would leave them behind.
  std::string command = Quoted(Msiexec()) + " /x " + productCode + " /qn /norestart" +
                        MsiProperties(e, DescriptionValue(propIni, "PackageProperties")) + " /l*v " + Quoted(log);
  PackageOutcome outcome = RunLogged(e, package.file, command, log);
  if (outcome.status == "Success" && PackageInstalled(e, propIni))
    return Failed(e, "package " + FileName(package.file) + ": Windows Installer still has " + productCode +
                         " installed after its removal; log: " + log);
  return outcome;
}

// Deletes what an uninstaller run in place (NSIS's "_?=" way) leaves behind once its entry is
// gone: the uninstaller program itself, then its folder when that is empty.
void DeleteUninstallerLeftovers(const EngineExports& e, const std::string& uninstaller) {
  if (!IsFile(uninstaller)) return;
  if (!DeleteFileA(uninstaller.c_str())) {
    e.AddToLog(("*** Unable to delete the uninstaller left behind " + uninstaller + " (error " +
                std::to_string(GetLastError()) + ")")
                   .c_str());
    return;
  }
  std::string folder = ParentDir(uninstaller);
  if (!RemoveDirectoryA(folder.c_str()) && GetLastError() != ERROR_DIR_NOT_EMPTY)
    e.AddToLog(("*** Unable to remove the folder " + folder + " (error " + std::to_string(GetLastError()) + ")").c_str());
  e.AddToLog(("Deleted the uninstaller left behind: " + uninstaller).c_str());
}

PackageOutcome RemoveExe(const EngineExports& e, const std::string& propIni, const Package& package) {
  std::string name = FileName(package.file), uninstallKey, problem;
  if (!PackageIdentity(e, propIni, uninstallKey, problem))
    return Failed(e, "package " + name + ": the description names no PackageUninstallKey to remove it by");
  if (!PackageInstalled(e, propIni)) {
    e.AddToLog(("Package " + name + ": no Programs and Features entry " + uninstallKey + "; nothing to remove").c_str());
    return {"Success", "", kExitSuccess};
  }
  char registered[TS_COMMAND_BUFFER_SIZE] = {};
  if (e.GetPackageUninstallCommand(propIni.c_str(), registered) != 0)
    return Failed(e, "package " + name + ": " + registered);
  std::string uninstaller = ProgramOf(registered);
  std::string arguments = Translated(e, DescriptionValue(propIni, "PackageRemoveCmdLine"));
  std::string command = arguments.empty() ? std::string(registered) : Quoted(uninstaller) + " " + arguments;
  PackageOutcome outcome = RunLogged(e, package.file, command, std::string());
  if (outcome.status != "Success") return outcome;
  if (PackageInstalled(e, propIni))
    return Failed(e, "package " + name + ": its Programs and Features entry " + uninstallKey +
                         " is still there after its uninstaller ended");
  DeleteUninstallerLeftovers(e, uninstaller);
  return outcome;
}
}  // namespace

PackageOutcome PackageOutcomeOf(unsigned long exitCode, const std::string& logFile) {
  switch (exitCode) {
    case 0:
      return {"Success", "", kExitSuccess};
    case 3010:
    case 1641:
      return {"Success", "a restart is needed (exit code " + std::to_string(exitCode) + ")", kExitRestartNeeded};
    case 1602:
      return {"Cancelled", "the package was cancelled (exit code 1602)", kExitCancelled};
    default:
      return {"Failed", "exit code " + std::to_string(exitCode) + (logFile.empty() ? "" : "; log: " + logFile),
              kExitFailed};
  }
}

std::string MaskedCommandLine(const std::string& commandLine) {
  std::string upper = commandLine;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::string masked;
  size_t at = 0;
  while (at < commandLine.size()) {
    size_t password = upper.find("PASSWORD", at), pwd = upper.find("PWD", at);
    size_t name = std::min(password, pwd);
    size_t separator = name == std::string::npos ? std::string::npos : commandLine.find_first_of("=: ", name);
    if (separator == std::string::npos || commandLine[separator] == ' ') {
      if (separator == std::string::npos) break;
      masked += commandLine.substr(at, separator - at);
      at = separator;
      continue;
    }
    size_t value = separator + 1;
    size_t end = value < commandLine.size() && commandLine[value] == '"' ? commandLine.find('"', value + 1)
                                                                       : commandLine.find(' ', value);
    end = end == std::string::npos ? commandLine.size() : end + (commandLine[value] == '"' ? 1 : 0);
    masked += commandLine.substr(at, value - at) + kMasked;
    at = end;
  }
  return masked + commandLine.substr(std::min(at, commandLine.size()));
}

bool NamesPackage(const EngineExports& e, const std::string& propIni) {
  return PackageOf(e, propIni).kind != TS_PACKAGE_NONE;
}

PackageOutcome InstallPackage(const EngineExports& e, const std::string& propIni) {
  Package package = PackageOf(e, propIni);
  if (!IsFile(package.file)) return Failed(e, "the package " + package.file + " is missing");
  return package.kind == TS_PACKAGE_MSI ? InstallMsi(e, propIni, package) : InstallExe(e, propIni, package);
}

PackageOutcome RemovePackage(const EngineExports& e, const std::string& propIni) {
  Package package = PackageOf(e, propIni);
  return package.kind == TS_PACKAGE_MSI ? RemoveMsi(e, propIni, package) : RemoveExe(e, propIni, package);
}
