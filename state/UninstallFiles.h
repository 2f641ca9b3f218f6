#pragma once
// The uninstall files of earlier runs, below the main installation directory (the path of the
// target CORVAROOT) in setup\uninstall: one per feature or application registration ID, plus
// "Corvant Common.ini" for the core components. Detection, compatibility filters and the
// server pages read them; registration writes them.
#include <string>
#include <vector>

constexpr const char kFeaturesInstalledSection[] = "Features Installed";
constexpr const char kCoreComponentsInstalledSection[] = "Core Components Installed";

// The current path of the model's target CORVAROOT, translated; empty when there is none.
std::string CorvaRootPath();
std::string UninstallDirectory();
// The uninstall file of an application or feature registration ID: <directory>\<ID>.ini.
std::string UninstallFileOf(const std::string& registrationId);
// <directory>\Corvant Common.ini
std::string CoreComponentsFile();

// The descriptions of the uninstall files that are visible and not marked last, in the order the
// file system lists the files; none without a main directory.
std::vector<std::string> InstalledApplications();
// The same joined with ",".
std::string GetInstalledApplications();
