// TessaroSetup.exe: a setup host. Beside Tessaro.dll in a master directory it installs the
// suite; started by the engine as a product's setup program ("/product config=FILE") it
// installs that one product. Usage() lists the arguments and the exit statuses.
#include <windows.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "host/HostHandles.h"
#include "host/HostRun.h"

std::string JoinDir(const std::string& directory, const std::string& name) {
  if (directory.empty()) return name;
  if (directory.back() == '\\') return directory + name;
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

void ConsoleLine(const std::string& text) {
  std::printf("TessaroSetup: %s\n", text.c_str());
  std::fflush(stdout);
}

std::vector<std::string> SplitList(const std::string& list, char separator) {
  std::vector<std::string> items;
  size_t at = 0;
  while (at <= list.size()) {
    size_t end = list.find(separator, at);
    std::string item = list.substr(at, end == std::string::npos ? std::string::npos : end - at);
    if (!item.empty()) items.push_back(item);
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return items;
}

const char* ExitMeaning(int code) {
  switch (code) {
    case kExitSuccess: return "success";
    case kExitRestartNeeded: return "success, a restart is needed and was not done";
    case kExitRestartStarted: return "success, the restart was started";
    case kExitCancelled: return "cancelled by the user";
    case kExitFailed: return "failed";
    case kExitAnotherRun: return "another Corvant setup is running on this machine";
    case kExitBadCommandLine: return "the command line is invalid";
    default: return "unknown";
  }
}

namespace {
// Held by a suite run from its start to its end; the system releases it when the host dies.
constexpr char kSuiteRunMutex[] = "Global\\CorvantSuiteSetupRun";

const char kUsage[] =
    "Usage:\n"
    "  TessaroSetup.exe [config=PARAMS.ini] [cds=ROOT;ROOT...] [record=ANSWERS.ini [record-passwords]]\n"
    "  TessaroSetup.exe /uninstall [/quiet] [config=PARAMS.ini]\n"
    "  TessaroSetup.exe /? | /help\n"
    "\n"
    "  config=PARAMS.ini   the parameters file of the run (default: the one beside this program)\n"
    "  cds=ROOT;ROOT...    more folders to look for the suite's other CDs in (the folders beside\n"
    "                      this CD are always looked in)\n"
    "  record=ANSWERS.ini  write the answers of this run, before anything is installed, to a\n"
    "                      parameters file that replays it unattended\n"
    "  record-passwords    write the service account passwords into that file too\n"
    "  /uninstall          remove the installed suite: a confirmation, the progress window and a\n"
    "                      page that says what was removed\n"
    "  /quiet              with /uninstall: no window at all, for deployment tools\n"
    "  /?, /help           show this text\n"
    "  (/product config=CONFIG.ini is how the engine starts this program for one product, and\n"
    "  /product /remove config=CONFIG.ini how it removes that product again.)\n"
    "\n"
    "Exit codes:\n"
    "  0     success\n"
    "  3010  success, a restart is needed and was not done\n"
    "  1641  success, the restart was started\n"
    "  1602  cancelled by the user (a page, the exit question, a CD prompt, the removal question)\n"
    "  1603  failed: a product failed or was not installed (an unattended run whose CD never\n"
    "        came included), the descriptions could not be loaded, or the answers or records\n"
    "        could not be written; in a removal, a setup that could not be removed\n"
    "  1618  another Corvant setup is running on this machine; try again later\n"
    "  1639  the command line is invalid\n";

std::string OwnDirectory() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return ParentDir(path);
}

bool StartsWithNoCase(const std::string& text, const char* prefix) {
  size_t length = std::strlen(prefix);
  return text.size() >= length && _strnicmp(text.c_str(), prefix, length) == 0;
}

enum class Mode { Suite, Product, Removal, Usage };

// Reads the arguments into `options`; an empty `problem` means they were all understood.
Mode ParseArguments(int argc, char** argv, HostOptions& options, std::string& problem) {
  Mode mode = Mode::Suite;
  for (int i = 1; i < argc && problem.empty(); ++i) {
    std::string arg = argv[i];
    if (_stricmp(arg.c_str(), "/?") == 0 || _stricmp(arg.c_str(), "/help") == 0) {
      return Mode::Usage;
    } else if (_stricmp(arg.c_str(), "/product") == 0) {
      mode = Mode::Product;
    } else if (_stricmp(arg.c_str(), "/uninstall") == 0) {
      options.uninstall = true;
    } else if (_stricmp(arg.c_str(), "/quiet") == 0) {
      options.quiet = true;
    } else if (_stricmp(arg.c_str(), "/remove") == 0) {
      options.remove = true;
    } else if (StartsWithNoCase(arg, "origin=")) {
      options.maintenanceOrigin = arg.substr(7);
    } else if (StartsWithNoCase(arg, "config=")) {
      options.configFile = arg.substr(7);
      if (options.configFile.empty()) problem = "config= names no file";
    } else if (StartsWithNoCase(arg, "cds=")) {
      options.cdRoots = SplitList(arg.substr(4), ';');
    } else if (StartsWithNoCase(arg, "record=")) {
      options.recordFile = arg.substr(7);
      if (options.recordFile.empty()) problem = "record= names no file";
    } else if (_stricmp(arg.c_str(), "record-passwords") == 0) {
      options.recordPasswords = true;
    } else {
      problem = "unknown argument \"" + arg + "\"";
    }
  }
  if (problem.empty() && !options.configFile.empty() && !IsFile(options.configFile))
    problem = "the parameters file " + options.configFile + " does not exist";
  if (problem.empty() && options.quiet && !options.uninstall) problem = "/quiet goes with /uninstall only";
  if (problem.empty() && options.remove && mode != Mode::Product) problem = "/remove goes with /product only";
  if (problem.empty() && options.uninstall && mode == Mode::Product) problem = "/uninstall does not go with /product";
  if (options.uninstall && mode == Mode::Suite) mode = Mode::Removal;
  return mode;
}

// A refused run must not stage its parameters file (that would replace the copy the running
// one reads), so it reads the file the engine would take straight from where it lies: config=,
// else <setup name>.ini or config.ini beside the host.
std::string ParametersSource(const HostOptions& options) {
  if (!options.configFile.empty()) return options.configFile;
  std::string description = JoinDir(options.ownDirectory, "prop.ini");
  char name[MAX_PATH] = {};
  for (const char* key : {"MIFName", "RootFeature"})
    if (!name[0]) GetPrivateProfileStringA("Main", key, "", name, sizeof name, description.c_str());
  std::string setupName = name[0] ? name : options.ownDirectory.substr(ParentDir(options.ownDirectory).size() + 1);
  std::string named = JoinDir(options.ownDirectory, setupName + ".ini");
  return IsFile(named) ? named : JoinDir(options.ownDirectory, "config.ini");
}

std::string MainValue(const std::string& file, const char* key) {
  char value[MAX_PATH] = {};
  GetPrivateProfileStringA("Main", key, "", value, sizeof value, file.c_str());
  return value;
}

// Tells that another suite run holds the machine: a message in an attended run, a log line and
// a console line in an unattended one.
void ReportAnotherRun(const EngineExports& engine, const HostOptions& options) {
  const char text[] = "Another Corvant setup is running. Wait until it has finished, then start this setup again.";
  std::string params = ParametersSource(options);
  // The parameters' first-letter rule: Y or T (either case) is yes.
  char first = static_cast<char>(std::toupper(static_cast<unsigned char>(MainValue(params, "Unattended")[0])));
  bool unattended = options.quiet || first == 'Y' || first == 'T';
  std::string line = std::string("*** ") + text + " (exit code " + std::to_string(kExitAnotherRun) + ")";
  ConsoleLine(line);
  if (!unattended) {
    engine.MessagePage("Corvant Setup", text, "", 1, 0);  // Back disabled: Next (or Cancel) closes it
    return;
  }
  std::string log = MainValue(params, "AppendToLog");
  if (log.empty()) return;
  UniqueStdFile file(std::fopen(log.c_str(), "a"));
  if (!file || std::fprintf(file.get(), "%s\n", line.c_str()) < 0)
    ConsoleLine("*** Unable to write to the log " + log + " (error " + std::to_string(errno) + ")");
}
}  // namespace

int main(int argc, char** argv) {
  HostOptions options;
  options.ownDirectory = OwnDirectory();
  options.commandLine = GetCommandLineA();
  std::string problem;
  Mode mode = ParseArguments(argc, argv, options, problem);
  if (mode == Mode::Usage) {
    std::fputs(kUsage, stdout);
    return kExitSuccess;
  }
  if (!problem.empty()) {
    ConsoleLine(problem);
    std::fputs(kUsage, stdout);
    ConsoleLine("exit code " + std::to_string(kExitBadCommandLine) + ": " + ExitMeaning(kExitBadCommandLine));
    return kExitBadCommandLine;
  }
  // A removal started in the maintenance folder runs from a copy, which takes the mutex.
  if (mode == Mode::Removal && options.maintenanceOrigin.empty() && InsideMaintenanceFolder(options.ownDirectory))
    return RemoveFromTemporaryCopy(options, argc, argv);
  // Product runs are started by a suite run that holds the mutex already; they do not take it.
  UniqueHandle suiteRun;
  bool anotherRun = false;
  if (mode != Mode::Product) {
    suiteRun.reset(CreateMutexA(nullptr, FALSE, kSuiteRunMutex));
    DWORD waited = suiteRun ? WaitForSingleObject(suiteRun.get(), 0) : WAIT_FAILED;
    if (waited == WAIT_FAILED)
      ConsoleLine("*** Unable to take the mutex " + std::string(kSuiteRunMutex) + " (error " +
                  std::to_string(GetLastError()) + "); the run goes on without it");
    anotherRun = waited == WAIT_TIMEOUT;
  }
  EngineExports engine{};
  std::string missing;
  std::string dll = JoinDir(options.ownDirectory, "Tessaro.dll");
  if (!BindEngine(dll, engine, missing)) {
    ConsoleLine("cannot load the engine " + dll + " (error " + std::to_string(GetLastError()) + ")");
    return kExitFailed;
  }
  if (!missing.empty()) {
    ConsoleLine("the engine " + dll + " lacks the export " + missing);
    return kExitFailed;
  }
  if (anotherRun) {
    ReportAnotherRun(engine, options);
    return kExitAnotherRun;
  }
  int code = mode == Mode::Product   ? RunProduct(engine, options)
             : mode == Mode::Removal ? RunRemoval(engine, options)
                                     : RunSuite(engine, options);
  if (suiteRun) ReleaseMutex(suiteRun.get());
  return code;
}
