#include "install/Queries.h"

#include "engine/Log.h"
#include "engine/Text.h"
#include "install/SetupLookup.h"
#include "model/FeatureTree.h"
#include "model/Model.h"
#include "state/Registry.h"

namespace {
const char* YesNo(bool yes) { return yes ? "YES" : "NO"; }

// A core component whose setup did not load belongs to no setup: the master translates for it.
template <typename Record>
const CSetup& TranslatingSetup(const Record& record) {
  return record.setup ? *record.setup : Master();
}

template <typename Record>
std::string IdAt(const Collection<Record>& collection, int index) {
  if (index < 0 || index >= collection.Count()) return std::string();
  const Record& record = collection.At(index);
  return record.ID.Translated(TranslatingSetup(record));
}

// The setup of a component of type "CORE"; nullptr for other components.
const CSetup* CoreSetupOf(const std::string& componentId) {
  const CComponent* component = Master().components.Find(componentId);
  return component && component->IsCore() ? component->setup : nullptr;
}

template <typename Answer>
std::string OfSetup(const std::string& setupId, Answer&& answer) {
  const CSetup* setup = FindSetup(setupId);
  return setup ? answer(*setup) : std::string();
}
}  // namespace

std::string ChosenSetupType() { return Master().setupType; }
std::string ChosenFolder() { return Master().programFolder; }
std::string ChosenServer() { return Master().serverName; }
std::string RootSetupId() { return Master().IdText(); }

std::string RootTargetPath() {
  const CTarget* root = Master().targets.Find("CORVAROOT");
  return root ? root->path : std::string();
}

bool IsMasterInstaller() { return !Master().subsetups.Empty(); }

std::string SubsetupIdAt(int index) {
  const Collection<CSetup>& subsetups = Master().subsetups;
  if (index < 0 || index >= subsetups.Count()) return std::string();
  return subsetups.At(index).IdText();
}
std::string TargetIdAt(int index) { return IdAt(Master().targets, index); }
std::string ComponentIdAt(int index) { return IdAt(Master().components, index); }

std::string SetupName(const std::string& setupId) {
  const CSetup* setup = FindSetup(setupId);
  if (!setup) {
    LogLine("*** Warning - Setup " + setupId + " not found");
    return std::string();
  }
  return setup->Name.Translated(*setup);
}

std::string SetupPropIniFile(const std::string& setupId) {
  return OfSetup(setupId, [](const CSetup& setup) { return setup.PropIniFile; });
}

std::string SetupSelected(const std::string& setupId) {
  const CSetup* setup = FindSetup(setupId);
  bool selected = false;
  if (setup)
    WalkFeatures(Master().rootFeature, [&](CFeature& feature) {
      selected = feature.selected && feature.setup == setup;
      return !selected;
    });
  return YesNo(selected);
}

std::string SetupWindowClass(const std::string& setupId) {
  return OfSetup(setupId, [](const CSetup& setup) { return setup.WindowClass.Translated(setup); });
}

std::string SetupWindowName(const std::string& setupId) {
  return OfSetup(setupId, [](const CSetup& setup) { return setup.WindowName.Translated(setup); });
}

std::string FeatureSelected(const std::string& featureId) {
  const CFeature* feature = FindModelFeature(featureId);
  return feature ? YesNo(feature->selected != 0) : std::string();
}

std::string ComponentType(const std::string& componentId) {
  const CComponent* component = Master().components.Find(componentId);
  return component ? component->type.Translated(TranslatingSetup(*component)) : std::string();
}

std::string ComponentSelected(const std::string& componentId) {
  const CComponent* component = Master().components.Find(componentId);
  return component ? YesNo(component->selected != 0) : std::string();
}

std::string CoreComponentPropIniFile(const std::string& componentId) {
  const CSetup* setup = CoreSetupOf(componentId);
  return setup ? setup->PropIniFile : std::string();
}

std::string CoreComponentName(const std::string& componentId) {
  const CSetup* setup = CoreSetupOf(componentId);
  return setup ? setup->Name.Translated(*setup) : std::string();
}

std::string TargetAttributes(const std::string& targetId) {
  const CTarget* target = Master().targets.Find(targetId);
  if (!target) return std::string();
  return target->PromptPosition() + ";" + (target->Shown() ? "SHOW" : "HIDE") + ";" +
         (target->Recalculated() ? "RECALC" : "NORECALC") + ";" + (target->Editable() ? "EDITABLE" : "READONLY");
}

std::string RegisteredTargetPath(const std::string& targetId) {
  std::string id = ToUpper(targetId);
  std::string path = ReadRegString(HKEY_LOCAL_MACHINE, std::string(kSetupKey) + "\\CurrentTargets", id);
  if (path.empty()) path = ReadRegString(HKEY_LOCAL_MACHINE, kSetupKey, id + "dir");
  return path;
}

std::string PasswordUserName(const std::string& passwordId) {
  const CPassword* password = Master().passwords.Find(passwordId);
  return password ? password->userName : std::string();
}

std::string PasswordText(const std::string& passwordId) {
  const CPassword* password = Master().passwords.Find(passwordId);
  return password ? password->password : std::string();
}
