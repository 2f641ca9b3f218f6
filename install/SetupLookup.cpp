#include "install/SetupLookup.h"

#include "engine/Text.h"
#include "model/FeatureTree.h"

CSetup* FindSetup(const std::string& id) {
  CSetup& master = Master();
  if (EqualsNoCase(master.IdText(), id)) return &master;
  for (CSetup& subsetup : master.subsetups)
    if (EqualsNoCase(subsetup.IdText(), id)) return &subsetup;
  for (CComponent& component : master.components)
    if (component.IsCore() && component.setup && EqualsNoCase(component.ID.Raw(), id)) return component.setup;
  return nullptr;
}

CFeature* FindModelFeature(const std::string& id) { return FindFeatureInTree(Master().rootFeature, id); }

bool IsCoreSetup(const CSetup& master, const CSetup& setup) {
  for (const CComponent& component : master.components)
    if (component.IsCore() && component.setup == &setup) return true;
  return false;
}

std::string SetupCDId(const CSetup& setup) { return setup.CD.UpperTranslated(setup); }
