#include "model/ConsistencyCheck.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "engine/Errors.h"
#include "engine/Params.h"
#include "engine/Text.h"
#include "model/FeatureTree.h"
#include "model/Model.h"

namespace {
// How often each ID occurs, counted once over the whole collection or tree, so that a check of
// every record stays linear in the size of the model.
using IdCounts = std::unordered_map<std::string, int>;

[[noreturn]] void Fail(const std::string& message) { throw CPropError(message); }

void EnterPlace(const std::string& file, const std::string& section) {
  CPropError::SetFile(file);
  CPropError::SetSection(section);
}

void CheckTargets(const CSetup& setup) {
  for (const CTarget& target : setup.targets) {
    CPropError::SetFile(target.setup->PropIniFile);
    if (target.path.find('%') != std::string::npos) Fail("Target path for " + target.ID.Raw() + " is not resolved");
  }
}

void CheckComponents(const CSetup& master) {
  IdCounts counts;
  for (const CComponent& component : master.components) ++counts[ToUpper(component.ID.Raw())];
  std::unordered_set<std::string> targetIds;
  for (const CTarget& target : master.targets) targetIds.insert(ToUpper(target.ID.Raw()));
  for (const CComponent& component : master.components) {
    // A core component whose setup did not load has nothing to check.
    if (!component.setup) continue;
    CPropError::SetFile(component.setup->PropIniFile);
    if (counts[ToUpper(component.ID.Raw())] != 1) Fail("Component ID " + component.ID.Raw() + " is not unique");
    for (const CTargetNeed& need : component.targetNeeds) {
      CPropError::SetFile(need.setup->PropIniFile);
      std::string targetId = need.targetID.UpperTranslated(*need.setup);
      if (!targetIds.count(targetId)) Fail("Unrecognized TARGETNEED target ID " + targetId);
    }
  }
}

void CheckFeatures(CSetup& setup, CSetup& master) {
  IdCounts counts;
  WalkFeatures(master.rootFeature, [&](CFeature& feature) {
    ++counts[ToUpper(feature.ID.Raw())];
    return true;
  });
  WalkFeatures(setup.rootFeature, [&](CFeature& feature) {
    EnterPlace(feature.setup->PropIniFile, feature.ID.Raw());
    if (counts[ToUpper(feature.ID.Raw())] != 1) Fail("Feature ID " + feature.ID.Raw() + " is not unique");
    feature.filters.Validate();
    return true;
  });
}

void CheckPasswords(const CSetup& setup) {
  for (const CPassword& password : setup.passwords) {
    // A password is declared in a feature section; its report names the file it came from,
    // not the last feature checked.
    EnterPlace(password.setup ? password.setup->PropIniFile : setup.PropIniFile, "");
    if (password.Description.Empty()) Fail("Missing description for password " + password.ID.Raw());
  }
}

void CheckCDs(const CSetup& setup) {
  for (const CSetupCD& cd : setup.cds) {
    EnterPlace(setup.PropIniFile, "");
    if (cd.Description.Empty()) Fail("CD " + cd.ID.Raw() + " is missing a description");
  }
}
}  // namespace

int CheckSetup(CSetup& setup, bool subsetup, bool core) {
  if (!GetParamYesNo("SyntaxCheck", true)) return 1;
  EnterPlace("", "");
  CPropError::SetItem("");
  CSetup& master = Master();
  if (setup.CD.Empty() && master.currentCD) setup.CD.Set(master.currentCD->ID.Raw());
  if (!subsetup && !core) {
    CheckTargets(setup);
    CheckComponents(master);
    CheckFeatures(setup, master);
    CheckPasswords(setup);
    for (CSetup& child : setup.subsetups) CheckSetup(child, true, false);
  }
  CheckCDs(setup);
  return 1;
}
