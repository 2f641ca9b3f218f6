#include "state/Registration.h"

#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/Paths.h"
#include "engine/Text.h"
#include "model/Model.h"
#include "model/Selection.h"
#include "state/Registry.h"
#include "state/ServerRecords.h"
#include "state/UninstallFiles.h"

namespace {
const char kCorvantKey[] = "Software\\Corvant";

bool UsedBySelectedComponent(const CSetup& master, const std::string& targetId) {
  for (const CComponent& component : master.components) {
    if (!component.selected) continue;
    for (const CTargetNeed& need : component.targetNeeds)
      if (EqualsNoCase(need.targetID.UpperTranslated(*need.setup), targetId)) return true;
  }
  return false;
}

void RegisterTarget(const CSetup& master, const CTarget& target) {
  std::string id = target.ID.UpperTranslated(*target.setup);
  if (id == "WINSYSDIR" || id == "WINDIR") return;
  std::string valueName = id + "dir";
  if (!target.Multiple()) {
    std::string registered = ReadRegString(HKEY_LOCAL_MACHINE, kSetupKey, valueName);
    if (!registered.empty()) {
      LogLine("Target " + id + " is already registered = " + registered);
      return;
    }
  }
  if (id != "CORVAROOT" && !UsedBySelectedComponent(master, id)) {
    LogLine("Target " + id + " is not used by a selected component");
    return;
  }
  LogLine("Target " + id + " registered = " + target.path);
  SetRegString(HKEY_LOCAL_MACHINE, kSetupKey, valueName, target.path);
}

void CommitFeature(const CSetup& master, const CFeature& feature, bool root, const std::set<std::string>& notInstalled) {
  const CSetup& setup = *feature.setup;
  std::string uninstallId = feature.UninstallID.UpperTranslated(setup);
  bool setupInstalled = !notInstalled.count(ToUpper(setup.IdText()));
  if (!setupInstalled && feature.selected)
    LogLine("Not registered, its setup " + setup.IdText() + " was not installed: " + feature.ID.UpperTranslated(setup));
  if ((feature.selected || root) && setupInstalled && !uninstallId.empty()) {
    CreateDirectoryTree(UninstallDirectory());
    std::string file = UninstallFileOf(uninstallId);
    std::string id = feature.ID.UpperTranslated(setup);
    std::string version = feature.Version.Translated(setup);
    LogLine("Register " + file + ":" + id + "=" + version);
    WriteIniString(file, kFeaturesInstalledSection, id, version);
  }
  ScopedLogIndent indent;
  for (const CFeature& child : feature.subfeatures) CommitFeature(master, child, false, notInstalled);
}

void CommitPassword(CPassword& account) {
  // Writing empty answers would wipe what an earlier run registered for this account.
  account.PrepareDefaultUser();
  std::string id = account.ID.Raw();
  LogLine("Register password " + id + " : UserName=" + account.userName +
          "; Password=" + MaskedPassword(account.password));
  std::string key = std::string(kSetupKey) + "\\Passwords\\" + id;
  SetRegString(HKEY_LOCAL_MACHINE, key, "UserName", account.userName);
  SetRegString(HKEY_LOCAL_MACHINE, key, "Password", account.password);
}

void CommitCoreComponent(const CComponent& component) {
  if (!component.selected || !component.IsCore()) return;
  CreateDirectoryTree(UninstallDirectory());
  if (!component.setup) return;
  std::string file = CoreComponentsFile();
  std::string id = component.ID.Raw();
  std::string version = component.setup->Version.Translated(*component.setup);
  LogLine("Register " + file + ":" + id + "=" + version);
  WriteIniString(file, kCoreComponentsInstalledSection, id, version);
}
}  // namespace

void RecordConfiguration(CSetup& master) {
  if (!master.programFolder.empty() && SelectionNeedsFolder(master.rootFeature)) {
    LogLine("Register folder = " + master.programFolder);
    SetRegString(HKEY_LOCAL_MACHINE, kSetupKey, "Folder", master.programFolder);
  }
  std::string setupType = ToUpper(master.setupType);
  LogLine("Register Setup Type = " + setupType);
  SetRegString(HKEY_LOCAL_MACHINE, kSetupKey, "SetupType", setupType);
  if (master.serverPagesShown) {
    RecordServerActive(master.serverActive != 0);
    RecordServerAdvancedSettings(master.serverAdvanced != 0);
    RecordServerName(master.serverName);
  }
}

void RegisterTargets(const CSetup& master) {
  LogLine("Register Targets :");
  ScopedLogIndent indent;
  CreateRegKey(HKEY_LOCAL_MACHINE, kSetupKey);
  for (const CTarget& target : master.targets) RegisterTarget(master, target);
}

void CommitFeatures(CSetup& master, const std::set<std::string>& notInstalled) {
  LogLine("Commit installed features :");
  {
    ScopedLogIndent indent;
    CommitFeature(master, master.rootFeature, true, notInstalled);
  }
  LogLine("Commit passwords :");
  {
    ScopedLogIndent indent;
    for (CPassword& account : master.passwords) CommitPassword(account);
  }
  LogLine("Commit core components :");
  {
    ScopedLogIndent indent;
    for (const CComponent& component : master.components) CommitCoreComponent(component);
  }
}

void CleanRegistry() {
  DeleteRegKeyTree(HKEY_LOCAL_MACHINE, kSetupKey);
  if (RegKeyExists(HKEY_LOCAL_MACHINE, kCorvantKey) && GetRegSubKeyName(HKEY_LOCAL_MACHINE, kCorvantKey, 0).empty() &&
      GetRegValueName(HKEY_LOCAL_MACHINE, kCorvantKey, 0).empty())
    DeleteRegKeyTree(HKEY_LOCAL_MACHINE, kCorvantKey);
}
