#pragma once
// How a product is installed, named by the "InstallType" of its description. Every place that
// acts on the install type asks this enum; the text is read and compared here alone.
#include <string>

enum class InstallKind {
  SetupProgram,         // "ISInstall": the product's setup program, checked by its setup library
  PlainProgram,         // "EXEInstall": the product's setup program, never checked
  InstallationLibrary,  // "INFInstall": the DoInstall entry of its installation library
  None,                 // anything else: nothing is started
};

// The kind an "InstallType" value names, compared without regard to case.
InstallKind ParseInstallKind(const std::string& installType);
// Both program kinds start the product's setup program ("SetupExe").
inline bool StartsSetupProgram(InstallKind kind) {
  return kind == InstallKind::SetupProgram || kind == InstallKind::PlainProgram;
}
