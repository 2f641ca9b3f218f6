#include "ui/TargetPathChoice.h"

#include <windows.h>

#include "engine/Errors.h"
#include "engine/Paths.h"
#include "engine/Text.h"
#include "model/Keywords.h"
#include "model/Model.h"
#include "state/Registry.h"

namespace {
constexpr unsigned kStyleInformation = MB_OK | MB_ICONINFORMATION;

bool EngineInstalledIn(const std::string& directory) {
  std::string uninstall = JoinPath(directory, "setup\\uninstall");
  return FileExists(JoinPath(uninstall, "uninst.isu")) && FileExists(JoinPath(uninstall, "tuninst.dll"));
}
}  // namespace

Verdict ChosenFolderVerdict(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') {
    std::string root = path.substr(0, 2) + "\\";
    UINT type = GetDriveTypeA(root.c_str());
    if (type == DRIVE_REMOVABLE)
      return Verdict::Refuse(path + " is on a removable drive.  Please select a writeable folder.");
    if (type == DRIVE_CDROM) return Verdict::Refuse(path + " is on a CDROM drive.  Please select a writeable folder.");
  }
  if (!IsValidPath(path, kAllowNetworkPath | kAllowDriveRoot))
    return Verdict::Refuse(path + " is not a valid path specification.");
  return Verdict::Pass();
}

TargetPathChange ChangeTargetPath(CTarget& target, const std::string& chosen) {
  std::string old = target.path;
  if (EqualsNoCase(chosen, old)) return {};
  if (EqualsNoCase(target.ID.Raw(), "CORVAROOT") && EngineInstalledIn(old))
    return {false, Verdict::Refuse("Corvant Software has already been installed to " + old +
                                   ".  To install to a different location, you must first uninstall Corvant Software.")};
  target.path = chosen;
  target.customised = 1;
  bool resetsCustomisations = WouldResetFixedTarget(target);
  RecomputeDependentTargets(target);
  if (!resetsCustomisations) return {true, Verdict::Pass()};
  return {true, Verdict::Refuse("Your directory customizations have been reset to the defaults.", kStyleInformation)};
}
