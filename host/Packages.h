#pragma once
// Package products: a product whose description names a package (Package=) is installed and
// removed by running that package's own installer (Windows Installer for an MSI, the setup program
// itself for an EXE) instead of copying a payload. The exit code of the package becomes the
// product's status file and the product run's exit status.
#include <string>

#include "host/EngineBinding.h"

// What became of a package's installer: the status file's Status ("Success", "Cancelled",
// "Failed"), its Message, and the product run's exit status.
struct PackageOutcome {
  std::string status;
  std::string message;
  int exitCode = 0;
};

// Maps a package installer's exit code: 0 success; 3010 and 1641 success with a restart needed
// (exit status 3010, so that the engine schedules the restart); 1602 cancelled; anything else
// failed, the message naming the code and `logFile` when there is one.
PackageOutcome PackageOutcomeOf(unsigned long exitCode, const std::string& logFile);

// The command line as the log shows it: the value of every argument or property whose name
// speaks of a password (PASSWORD, PWD) is masked.
std::string MaskedCommandLine(const std::string& commandLine);

// Whether the description names a package.
bool NamesPackage(const EngineExports& engine, const std::string& propIni);
// Installs the package of the product described by `propIni`. The engine holds the product's
// configuration file (its answers and target paths translate the keywords of the package keys).
PackageOutcome InstallPackage(const EngineExports& engine, const std::string& propIni);
// Removes the package product by its own registration: msiexec /x {ProductCode} (with the
// description's PackageProperties again) for an MSI, the registered quiet uninstaller for an EXE.
// A package that is not installed counts as removed.
PackageOutcome RemovePackage(const EngineExports& engine, const std::string& propIni);
