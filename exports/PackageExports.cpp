// Package product exports: what identifies a package on the machine and how it comes off again,
// for the setup host that runs the package's own installer.
#include <string>

#include "engine/PackageIdentity.h"
#include "exports/ExportFrame.h"
#include "install/PackageDetection.h"

TS_EXPORT int TS_GetPackage(const char* propIni, char* file) {
  return Quietly(__func__, TS_PACKAGE_NONE, [&] {
    PackageDescription package = ReadPackageDescription(TextArg(propIni));
    WholeTextOut(__func__, package.file, file, TS_PATH_BUFFER_SIZE);
    switch (package.kind) {
      case PackageKind::Msi:
        return TS_PACKAGE_MSI;
      case PackageKind::Exe:
        return TS_PACKAGE_EXE;
      case PackageKind::None:
        break;
    }
    return TS_PACKAGE_NONE;
  });
}

TS_EXPORT int TS_GetPackageIdentity(const char* propIni, char* out) {
  return Quietly(__func__, -1, [&] {
    std::string problem, identity = PackageIdentityOf(TextArg(propIni), problem);
    if (identity.empty()) {
      ValueOut(out, problem);
      return -1;
    }
    return WholeTextOut(__func__, identity, out, TS_VALUE_BUFFER_SIZE) ? 0 : -1;
  });
}

TS_EXPORT int TS_IsPackageInstalled(const char* propIni) {
  return Quietly(__func__, -1, [&] {
    std::string problem;
    std::optional<bool> installed = IsPackageInstalled(TextArg(propIni), problem);
    if (!installed) {
      LogLine("*** " + std::string(__func__) + ": " + TextArg(propIni) + ": " + problem);
      return -1;
    }
    return *installed ? 1 : 0;
  });
}

TS_EXPORT int TS_GetPackageUninstallCommand(const char* propIni, char* out) {
  return Quietly(__func__, -1, [&] {
    std::string problem, command = PackageUninstallCommand(TextArg(propIni), problem);
    if (command.empty()) {
      WholeTextOut(__func__, problem, out, TS_COMMAND_BUFFER_SIZE);
      return -1;
    }
    return WholeTextOut(__func__, command, out, TS_COMMAND_BUFFER_SIZE) ? 0 : -1;
  });
}
