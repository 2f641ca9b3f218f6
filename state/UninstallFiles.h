#pragma once
// The uninstall files below the main installation directory: one per feature UninstallID,
// plus "Corvant Common.ini" for the core components. Detection and later runs read them.
#include <string>

constexpr const char kFeaturesInstalledSection[] = "Features Installed";
constexpr const char kCoreComponentsInstalledSection[] = "Core Components Installed";

// corvaRoot\setup\uninstall
std::string UninstallDirectory(const std::string& corvaRoot);
// corvaRoot\setup\uninstall\<uninstallId>.ini
std::string FeatureUninstallFile(const std::string& corvaRoot, const std::string& uninstallId);
// corvaRoot\setup\uninstall\Corvant Common.ini
std::string CoreComponentsFile(const std::string& corvaRoot);

// The descriptions of the uninstall files that are visible and not marked last, joined with ","
// in the order the file system lists the files.
std::string InstalledApplications(const std::string& corvaRoot);

// The same directory for the loaded model: the path of the target CORVAROOT joined with
// setup\uninstall.
std::string UninstallDirectory();
// The uninstall file of an application or feature registration ID: <directory>\<ID>.ini.
std::string UninstallFileOf(const std::string& registrationId);
