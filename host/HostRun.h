#pragma once
// The two ways the host runs: a whole suite from its master directory, or one product started
// by the engine with its configuration file.
#include <string>
#include <vector>

#include "host/EngineBinding.h"
#include "host/WizardWalk.h"

// Exit statuses of the suite host, in the convention deployment tools read.
constexpr int kExitSuccess = 0;
constexpr int kExitRestartNeeded = 3010;   // success; a restart is needed and was not done
constexpr int kExitRestartStarted = 1641;  // success; the host asked the system to restart
constexpr int kExitCancelled = 1602;       // the user cancelled
constexpr int kExitFailed = 1603;          // something was not installed or not recorded
constexpr int kExitAnotherRun = 1618;      // another suite run holds this machine
constexpr int kExitBadCommandLine = 1639;  // the command line is invalid

// The one line that says what an exit status means.
const char* ExitMeaning(int code);

struct HostOptions {
  std::string ownDirectory;     // where the host and its engine lie
  std::string commandLine;      // the whole command line, for config=
  std::string configFile;       // config=FILE as given, empty without it
  std::vector<std::string> cdRoots;  // cds=ROOT;ROOT... given on the command line
  std::string recordFile;            // record=FILE: the answers file to write after the wizard
  bool recordPasswords = false;      // record-passwords: the answers file holds the passwords
  bool uninstall = false;            // /uninstall: remove the suite
  bool quiet = false;                // /quiet: with /uninstall, no window at all
  bool remove = false;               // /remove: with /product, remove the product
  std::string maintenanceOrigin;     // origin=FOLDER: the maintenance folder this copy was made from
};

// The registration steps, each checked: the names of those that failed.
std::vector<std::string> RecordRun(const EngineExports& engine);
// The non-empty items of a list separated by `separator`.
std::vector<std::string> SplitList(const std::string& list, char separator);
// Items joined by ",".
std::string Joined(const std::vector<std::string>& items);

int RunSuite(const EngineExports& engine, const HostOptions& options);
int RunProduct(const EngineExports& engine, const HostOptions& options);
// /uninstall: loads the suite and removes it.
int RunRemoval(const EngineExports& engine, const HostOptions& options);
// Removes the loaded suite, whose installed state is detected: the confirmation when
// `attended`, the removals in the planned order, the records, the summary and the completion
// page. The exit status.
int RemoveLoadedSuite(const EngineExports& engine, bool attended);
// Ends a run that loaded the descriptions: the exit line in the log and on the console, then
// the unload.
int EndRun(const EngineExports& engine, int code);

// True when the host lies in the master folder of a suite's maintenance folder.
bool InsideMaintenanceFolder(const std::string& ownDirectory);
// Runs the removal from a copy of the maintenance folder in %TEMP%, so that the maintenance
// folder, this program included, can go; relays the copy's exit status.
int RemoveFromTemporaryCopy(const HostOptions& options, int argc, char** argv);

// The text an engine query writes into a buffer of its own.
std::string Call(int(TESSARO_CALL* query)(char*));
std::string Call(int(TESSARO_CALL* query)(const char*, char*), const std::string& in);
std::string Upper(std::string text);

std::string JoinDir(const std::string& directory, const std::string& name);
std::string ParentDir(const std::string& directory);
bool IsFile(const std::string& path);
// Writes one line to the console at once, so that a watcher sees it while the run goes on.
void ConsoleLine(const std::string& text);
