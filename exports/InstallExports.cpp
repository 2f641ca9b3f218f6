// Installation exports: the already-installed check and the run of one product's installer.
#include <string>

#include "exports/ExportFrame.h"
#include "install/InstallExecution.h"

namespace {
std::string Arg(const char* text) { return text ? text : ""; }
}  // namespace

TS_EXPORT int TS_IsInstalled(const char* propIni) {
  return Quietly(-1, [&] { return IsProductInstalled(Arg(propIni)); });
}

TS_EXPORT int TS_DoInstall(const char* propIni) {
  return Quietly(-1, [&] { return InstallProduct(Arg(propIni)); });
}

TS_EXPORT int TS_DoZOVInstall(const char* propIni, const char* configIni) {
  return Quietly(0, [&] { return RunProductSetupProgram(Arg(propIni), Arg(configIni)); });
}

TS_EXPORT int TS_DoINFInstall(const char* propIni, int) {
  return Quietly(-1, [&] { return RunInstallationLibrary(Arg(propIni)); });
}
