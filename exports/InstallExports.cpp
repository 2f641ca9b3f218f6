// Installation exports: the already-installed check and the run of one product's installer.
#include <string>

#include "exports/ExportFrame.h"
#include "install/InstallExecution.h"

TS_EXPORT int TS_IsInstalled(const char* propIni) {
  return Quietly(__func__, -1, [&] { return IsProductInstalled(TextArg(propIni)); });
}

TS_EXPORT int TS_DoInstall(const char* propIni) {
  return Quietly(__func__, -1, [&] { return InstallProduct(TextArg(propIni)); });
}

TS_EXPORT int TS_DoZOVInstall(const char* propIni, const char* configIni) {
  return Quietly(__func__, 0, [&] { return RunProductSetupProgram(TextArg(propIni), TextArg(configIni)); });
}

TS_EXPORT int TS_DoINFInstall(const char* propIni, int) {
  return Quietly(__func__, -1, [&] { return RunInstallationLibrary(TextArg(propIni)); });
}
