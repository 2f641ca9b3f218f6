// Package product exports: what identifies a package on the machine and how it comes off again,
// for the setup host that runs the package's own installer.
#include <string>

#include "engine/PackageIdentity.h"
#include "exports/ExportFrame.h"
#include "install/PackageDetection.h"

namespace {
// Writes `text` to a buffer of `size` bytes; a text that does not fit is refused (a cut path or
// command line would name something else), the buffer left empty and the refusal logged.
bool WholeOut(const char* exportName, const std::string& text, char* buffer, size_t size) {
  if (!buffer) return true;
  buffer[0] = '\0';
  if (text.size() >= size) {
    LogLine("*** " + std::string(exportName) + ": " + std::to_string(text.size()) + " characters do not fit its " +
            std::to_string(size) + "-byte buffer: " + text.substr(0, 80) + "...");
    return false;
  }
  CopyToBuffer(text, buffer, size);
  return true;
}
}  // namespace

TS_EXPORT int TS_GetPackage(const char* propIni, char* file) {
  return Quietly(__func__, TS_PACKAGE_NONE, [&] {
    PackageDescription package = ReadPackageDescription(TextArg(propIni));
    WholeOut(__func__, package.file, file, TS_PATH_BUFFER_SIZE);
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
    return WholeOut(__func__, identity, out, TS_VALUE_BUFFER_SIZE) ? 0 : -1;
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
      WholeOut(__func__, problem, out, TS_COMMAND_BUFFER_SIZE);
      return -1;
    }
    return WholeOut(__func__, command, out, TS_COMMAND_BUFFER_SIZE) ? 0 : -1;
  });
}
