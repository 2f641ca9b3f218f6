#pragma once
// The already-installed check of a product delivered as a package: its own registration says
// whether it is on the machine.
#include <optional>
#include <string>

// For a description that names a package: 2 (installed) when Windows Installer has the MSI
// product installed, or when the setup program's Programs and Features entry exists; 0 when not;
// -1 when it cannot be told (the MSI's ProductCode cannot be read, an EXE package names no
// PackageUninstallKey), logged. Nothing for a description without a package.
std::optional<int> PackageInstallState(const std::string& propIni);
