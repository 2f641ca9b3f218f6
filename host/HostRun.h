#pragma once
// The two ways the host runs: a whole suite from its master directory, or one product started
// by the engine with its configuration file.
#include <string>
#include <vector>

#include "host/EngineBinding.h"
#include "host/WizardWalk.h"

// Exit statuses of the host.
constexpr int kExitSuccess = 0;
constexpr int kExitProductsFailed = 1;
constexpr int kExitCancelled = 2;
constexpr int kExitLoadFailed = 3;
constexpr int kExitHostError = 4;

struct HostOptions {
  std::string ownDirectory;     // where the host and its engine lie
  std::string commandLine;      // the whole command line, for config=
  std::vector<std::string> cdRoots;  // cds=ROOT;ROOT... given on the command line
  std::string recordFile;            // record=FILE: the answers file to write after the wizard
  bool recordPasswords = false;      // record-passwords: the answers file holds the passwords
};

int RunSuite(const EngineExports& engine, const HostOptions& options);
int RunProduct(const EngineExports& engine, const HostOptions& options);

std::string JoinDir(const std::string& directory, const std::string& name);
std::string ParentDir(const std::string& directory);
bool IsFile(const std::string& path);
