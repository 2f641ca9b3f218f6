#include "install/PackageDetection.h"

#include "engine/Log.h"
#include "engine/PackageIdentity.h"
#include "engine/Paths.h"

namespace {
constexpr int kInstalled = 2;  // the "already installed" answer of TS_IsInstalled
constexpr int kNotInstalled = 0;
}  // namespace

std::optional<int> PackageInstallState(const std::string& propIni) {
  PackageDescription package = ReadPackageDescription(propIni);
  std::string name = LastPathName(package.file);
  switch (package.kind) {
    case PackageKind::None:
      return std::nullopt;
    case PackageKind::Msi: {
      std::string problem;
      std::string productCode = PackageProductCode(package, problem);
      if (productCode.empty()) {
        LogLine("*** Package " + name + ": " + problem);
        return -1;
      }
      bool installed = IsMsiProductInstalled(productCode);
      LogLine("Package " + name + ": Windows Installer product " + productCode +
              (installed ? " is installed" : " is not installed"));
      return installed ? kInstalled : kNotInstalled;
    }
    case PackageKind::Exe: {
      if (package.uninstallKey.empty()) {
        LogLine("*** Package " + name + ": the description names no PackageUninstallKey to tell whether it is installed");
        return -1;
      }
      bool installed = UninstallEntryView(package.uninstallKey) != 0;
      LogLine("Package " + name + ": Programs and Features entry " + package.uninstallKey +
              (installed ? " exists" : " does not exist"));
      return installed ? kInstalled : kNotInstalled;
    }
  }
  return std::nullopt;
}
