#include "install/PackageDetection.h"

#include "engine/Log.h"
#include "engine/PackageIdentity.h"
#include "engine/Paths.h"

namespace {
constexpr int kInstalled = 2;  // the "already installed" answer of TS_IsInstalled
constexpr int kNotInstalled = 0;

std::string IdentityOf(const PackageDescription& package, std::string& problem) {
  switch (package.kind) {
    case PackageKind::None:
      problem = "the description names no package";
      return std::string();
    case PackageKind::Msi:
      return PackageProductCode(package, problem);
    case PackageKind::Exe:
      if (package.uninstallKey.empty())
        problem = "the description names no PackageUninstallKey to tell whether it is installed";
      return package.uninstallKey;
  }
  return std::string();
}

bool InstalledBy(const PackageDescription& package, const std::string& identity) {
  return package.kind == PackageKind::Msi ? IsMsiProductInstalled(identity) : UninstallEntryView(identity) != 0;
}
}  // namespace

std::string PackageIdentityOf(const std::string& propIni, std::string& problem) {
  return IdentityOf(ReadPackageDescription(propIni), problem);
}

std::optional<bool> IsPackageInstalled(const std::string& propIni, std::string& problem) {
  PackageDescription package = ReadPackageDescription(propIni);
  std::string identity = IdentityOf(package, problem);
  if (identity.empty()) return std::nullopt;
  return InstalledBy(package, identity);
}

std::string PackageUninstallCommand(const std::string& propIni, std::string& problem) {
  PackageDescription package = ReadPackageDescription(propIni);
  if (package.kind != PackageKind::Exe) {
    problem = package.kind == PackageKind::Msi ? "an MSI package is removed by Windows Installer"
                                               : "the description names no package";
    return std::string();
  }
  if (package.uninstallKey.empty()) {
    problem = "the description names no PackageUninstallKey to remove it by";
    return std::string();
  }
  return RegisteredUninstallCommand(package.uninstallKey, problem);
}

std::optional<int> PackageInstallState(const std::string& propIni) {
  PackageDescription package = ReadPackageDescription(propIni);
  if (package.kind == PackageKind::None) return std::nullopt;
  std::string name = LastPathName(package.file), problem;
  std::string identity = IdentityOf(package, problem);
  if (identity.empty()) {
    LogLine("*** Package " + name + ": " + problem);
    return -1;
  }
  bool installed = InstalledBy(package, identity);
  if (package.kind == PackageKind::Msi)
    LogLine("Package " + name + ": Windows Installer product " + identity +
            (installed ? " is installed" : " is not installed"));
  else
    LogLine("Package " + name + ": Programs and Features entry " + identity + (installed ? " exists" : " does not exist"));
  return installed ? kInstalled : kNotInstalled;
}
