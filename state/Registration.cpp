#include "state/Registration.h"

#include <windows.h>

#include <algorithm>

#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/Paths.h"
#include "engine/Text.h"
#include "model/Model.h"
#include "model/Selection.h"
#include "state/Registry.h"
#include "state/RemovalRecords.h"
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

// Each record below answers false when something it had to write could not be written (the log
// says what); the records after it are written all the same.

bool Recorded(long status) { return status == ERROR_SUCCESS; }

// The uninstall directory, made when missing; false (logged) when it cannot be made.
bool UninstallDirectoryReady() {
  std::string directory = UninstallDirectory();
  if (CreateDirectoryTree(directory)) return true;
  LogLine("*** Unable to create the directory " + directory + " (CreateDirectoryA error " +
          std::to_string(GetLastError()) + ")");
  return false;
}

bool RegisterTarget(const CSetup& master, const CTarget& target) {
  std::string id = target.ID.UpperTranslated(*target.setup);
  if (id == "WINSYSDIR" || id == "WINDIR") return true;
  std::string valueName = id + "dir";
  if (!target.Multiple()) {
    std::string registered = ReadRegString(HKEY_LOCAL_MACHINE, kSetupKey, valueName);
    if (!registered.empty()) {
      LogLine("Target " + id + " is already registered = " + registered);
      return true;
    }
  }
  if (id != "CORVAROOT" && !UsedBySelectedComponent(master, id)) {
    LogLine("Target " + id + " is not used by a selected component");
    return true;
  }
  LogLine("Target " + id + " registered = " + target.path);
  return Recorded(SetRegString(HKEY_LOCAL_MACHINE, kSetupKey, valueName, target.path));
}

bool CommitFeature(const CSetup& master, const CFeature& feature, bool root, const std::set<std::string>& notInstalled) {
  const CSetup& setup = *feature.setup;
  std::string uninstallId = feature.UninstallID.UpperTranslated(setup);
  bool setupInstalled = !notInstalled.count(ToUpper(setup.IdText()));
  if (!setupInstalled && feature.selected)
    LogLine("Not registered, its setup " + setup.IdText() + " was not installed: " + feature.ID.UpperTranslated(setup));
  bool complete = true;
  if ((feature.selected || root) && setupInstalled && !uninstallId.empty()) {
    complete = UninstallDirectoryReady();
    std::string file = UninstallFileOf(uninstallId);
    std::string id = feature.ID.UpperTranslated(setup);
    std::string version = feature.Version.Translated(setup);
    LogLine("Register " + file + ":" + id + "=" + version);
    complete = WriteIniString(file, kFeaturesInstalledSection, id, version) && complete;
  }
  ScopedLogIndent indent;
  for (const CFeature& child : feature.subfeatures)
    complete = CommitFeature(master, child, false, notInstalled) && complete;
  return complete;
}

bool CommitPassword(CPassword& account) {
  // Writing empty answers would wipe what an earlier run registered for this account.
  account.PrepareDefaultUser();
  std::string id = account.ID.Raw();
  LogLine("Register password " + id + " : UserName=" + account.userName +
          "; Password=" + MaskedPassword(account.password));
  std::string key = std::string(kSetupKey) + "\\Passwords\\" + id;
  bool userRecorded = Recorded(SetRegString(HKEY_LOCAL_MACHINE, key, "UserName", account.userName));
  return Recorded(SetRegString(HKEY_LOCAL_MACHINE, key, "Password", account.password)) && userRecorded;
}

bool CommitCoreComponent(const CComponent& component) {
  if (!component.selected || !component.IsCore()) return true;
  bool directoryReady = UninstallDirectoryReady();
  if (!component.setup) return directoryReady;
  std::string file = CoreComponentsFile();
  std::string id = component.ID.Raw();
  std::string version = component.setup->Version.Translated(*component.setup);
  LogLine("Register " + file + ":" + id + "=" + version);
  return WriteIniString(file, kCoreComponentsInstalledSection, id, version) && directoryReady;
}
// A product setup of the master (not the master itself, not a core component's setup).
bool IsProductSetup(const CSetup& master, const CSetup& setup) {
  for (const CSetup& subsetup : master.subsetups)
    if (&subsetup == &setup) return true;
  return false;
}

// Every selected feature of an installed product that needs a core component makes the product
// one of that core component's dependents: its removal must not take the core component away
// while the product is still there.
using Dependent = std::pair<std::string, const CSetup*>;  // core component ID, product

void CollectDependents(const CSetup& master, const CFeature& feature, const std::set<std::string>& notInstalled,
                       std::vector<Dependent>& dependents) {
  const CSetup& setup = *feature.setup;
  if (feature.selected && IsProductSetup(master, setup) && !notInstalled.count(ToUpper(setup.IdText())))
    for (const CComponentRef& reference : feature.components)
      if (reference.component && reference.component->IsCore() && reference.component->setup) {
        Dependent dependent{reference.component->ID.Raw(), &setup};
        if (std::find(dependents.begin(), dependents.end(), dependent) == dependents.end())
          dependents.push_back(dependent);
      }
  for (const CFeature& child : feature.subfeatures) CollectDependents(master, child, notInstalled, dependents);
}

bool CommitDependents(const CSetup& master, const std::set<std::string>& notInstalled) {
  std::vector<Dependent> dependents;
  CollectDependents(master, master.rootFeature, notInstalled, dependents);
  if (dependents.empty()) return true;
  bool complete = UninstallDirectoryReady();
  for (const auto& [coreId, product] : dependents) {
    std::string file = CoreComponentsFile();
    std::string section = DependentsSection(coreId);
    std::string id = product->IdText();
    std::string version = product->Version.Translated(*product);
    LogLine("Register " + file + ":[" + section + "] " + id + "=" + version);
    complete = WriteIniString(file, section, id, version) && complete;
  }
  return complete;
}
}  // namespace

bool RecordConfiguration(CSetup& master) {
  bool complete = true;
  if (!master.programFolder.empty() && SelectionNeedsFolder(master.rootFeature)) {
    LogLine("Register folder = " + master.programFolder);
    complete = Recorded(SetRegString(HKEY_LOCAL_MACHINE, kSetupKey, "Folder", master.programFolder));
  }
  std::string setupType = ToUpper(master.setupType);
  LogLine("Register Setup Type = " + setupType);
  complete = Recorded(SetRegString(HKEY_LOCAL_MACHINE, kSetupKey, "SetupType", setupType)) && complete;
  if (master.serverPagesShown) {
    complete = RecordServerActive(master.serverActive != 0) && complete;
    complete = RecordServerAdvancedSettings(master.serverAdvanced != 0) && complete;
    complete = RecordServerName(master.serverName) && complete;
  }
  return complete;
}

bool RegisterTargets(const CSetup& master) {
  LogLine("Register Targets :");
  ScopedLogIndent indent;
  bool complete = CreateRegKey(HKEY_LOCAL_MACHINE, kSetupKey);
  for (const CTarget& target : master.targets) complete = RegisterTarget(master, target) && complete;
  return complete;
}

bool CommitFeatures(CSetup& master, const std::set<std::string>& notInstalled) {
  bool complete = true;
  LogLine("Commit installed features :");
  {
    ScopedLogIndent indent;
    complete = CommitFeature(master, master.rootFeature, true, notInstalled);
  }
  LogLine("Commit passwords :");
  {
    ScopedLogIndent indent;
    for (CPassword& account : master.passwords) complete = CommitPassword(account) && complete;
  }
  LogLine("Commit core components :");
  {
    ScopedLogIndent indent;
    for (const CComponent& component : master.components) complete = CommitCoreComponent(component) && complete;
    complete = CommitDependents(master, notInstalled) && complete;
  }
  return complete;
}

bool CleanRegistry() {
  if (!DeleteRegKeyTree(HKEY_LOCAL_MACHINE, kSetupKey)) return false;
  if (RegKeyExists(HKEY_LOCAL_MACHINE, kCorvantKey) && GetRegSubKeyName(HKEY_LOCAL_MACHINE, kCorvantKey, 0).empty() &&
      GetRegValueName(HKEY_LOCAL_MACHINE, kCorvantKey, 0).empty())
    return DeleteRegKeyTree(HKEY_LOCAL_MACHINE, kCorvantKey);
  return true;
}
