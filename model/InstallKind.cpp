#include "model/InstallKind.h"

#include "engine/Text.h"

InstallKind ParseInstallKind(const std::string& installType) {
  if (EqualsNoCase(installType, "ISInstall")) return InstallKind::SetupProgram;
  if (EqualsNoCase(installType, "EXEInstall")) return InstallKind::PlainProgram;
  if (EqualsNoCase(installType, "INFInstall")) return InstallKind::InstallationLibrary;
  return InstallKind::None;
}
