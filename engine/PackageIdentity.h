#pragma once
// What tells whether a package product is on the machine: the ProductCode of a Windows Installer
// package, or the Programs and Features entry a setup program registers. Shared by the engine's
// already-installed check and the setup host that installs and removes packages; it uses the
// system alone (Windows Installer and the registry), nothing else of the engine.
#include <string>

enum class PackageKind { None, Msi, Exe };

// The package keys of a product description (section [Main]).
struct PackageDescription {
  PackageKind kind = PackageKind::None;
  std::string file;          // Package: the package's full path (beside the description)
  std::string productCode;   // PackageProductCode, MSI only; empty: read from the package
  std::string uninstallKey;  // PackageUninstallKey, EXE only: its Programs and Features key name
};

// Reads the package keys of `propIni`. PackageType says MSI or EXE; without it a package whose
// name ends in ".msi" is an MSI and any other an EXE. No Package key: kind None.
PackageDescription ReadPackageDescription(const std::string& propIni);

// The MSI package's ProductCode: PackageProductCode when given, else the package's own ProductCode
// property. Empty when it cannot be had; `problem` then says why.
std::string PackageProductCode(const PackageDescription& package, std::string& problem);

// Whether Windows Installer has the product installed for the machine (INSTALLSTATE_DEFAULT).
bool IsMsiProductInstalled(const std::string& productCode);

// The Programs and Features key below HKLM (...\CurrentVersion\Uninstall\<name>), in the 64-bit
// view or the 32-bit one, whichever holds it: a setup program registers itself in its own view.
constexpr char kUninstallRoot[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
// The registry view flag (KEY_WOW64_64KEY or KEY_WOW64_32KEY) of the view that holds the entry,
// or 0 when neither does.
unsigned long UninstallEntryView(const std::string& name);

// The command that removes what the Programs and Features entry `name` registers: its
// QuietUninstallString, else its UninstallString, environment variables expanded. Empty when the
// entry is not there or names neither; `problem` then says which.
std::string RegisteredUninstallCommand(const std::string& name, std::string& problem);
