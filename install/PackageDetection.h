#pragma once
// What the machine says of a product delivered as a package: its own registration (the MSI's
// ProductCode with Windows Installer, or the setup program's Programs and Features entry) tells
// whether it is installed and how it is removed. The engine's already-installed check and the
// setup host, which installs and removes packages, both ask here.
#include <optional>
#include <string>

// What identifies the package on the machine: the MSI's ProductCode (PackageProductCode, else the
// package's own), or the EXE's PackageUninstallKey. Empty when it cannot be had; `problem` says why.
std::string PackageIdentityOf(const std::string& propIni, std::string& problem);

// Whether the package product is installed; nothing when it cannot be told (no package named, or
// no identity), `problem` then says why.
std::optional<bool> IsPackageInstalled(const std::string& propIni, std::string& problem);

// The command an EXE package's entry registers to remove it (quiet one first). Empty when there is
// none (an MSI, no entry, an entry without uninstaller); `problem` says why.
std::string PackageUninstallCommand(const std::string& propIni, std::string& problem);

// For a description that names a package: 2 (installed) when Windows Installer has the MSI
// product installed, or when the setup program's Programs and Features entry exists; 0 when not;
// -1 when it cannot be told (the MSI's ProductCode cannot be read, an EXE package names no
// PackageUninstallKey), logged. Nothing for a description without a package.
std::optional<int> PackageInstallState(const std::string& propIni);
