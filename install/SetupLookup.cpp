#include "install/SetupLookup.h"

#include <vector>

#include "engine/Params.h"
#include "engine/Text.h"

namespace {
bool HasId(const CSetup& setup, const std::string& id) { return EqualsNoCase(setup.IdText(), id); }

// Depth first without recursion, so that no tree shape can exhaust the stack; the visit may stop
// the walk by answering true.
template <typename Feature, typename Visit>
bool WalkFeatures(Feature& root, Visit&& visit) {
  std::vector<Feature*> pending{&root};
  while (!pending.empty()) {
    Feature* feature = pending.back();
    pending.pop_back();
    if (visit(*feature)) return true;
    for (int i = feature->subfeatures.Count() - 1; i >= 0; --i) pending.push_back(&feature->subfeatures.At(i));
  }
  return false;
}
}  // namespace

CSetup* FindSetup(const std::string& id) {
  CSetup& master = Master();
  if (HasId(master, id)) return &master;
  for (CSetup& subsetup : master.subsetups)
    if (HasId(subsetup, id)) return &subsetup;
  for (CComponent& component : master.components)
    if (component.IsCore() && component.setup && EqualsNoCase(component.ID.Raw(), id)) return component.setup;
  return nullptr;
}

void ForEachSetup(const std::function<void(CSetup&)>& visit) {
  CSetup& master = Master();
  visit(master);
  for (CSetup& subsetup : master.subsetups) visit(subsetup);
  for (CComponent& component : master.components)
    if (component.IsCore() && component.setup) visit(*component.setup);
}

CFeature* FindModelFeature(const std::string& id) {
  CFeature* found = nullptr;
  WalkFeatures(Master().rootFeature, [&](CFeature& feature) {
    if (!EqualsNoCase(feature.ID.Raw(), id)) return false;
    found = &feature;
    return true;
  });
  return found;
}

void ForEachModelFeature(const std::function<void(CFeature&)>& visit) {
  WalkFeatures(Master().rootFeature, [&](CFeature& feature) {
    visit(feature);
    return false;
  });
}

bool SelectedOrHasSelectedBelow(const CFeature& feature) {
  return WalkFeatures(feature, [](const CFeature& each) { return each.selected != 0; });
}

bool IsCoreSetup(const CSetup& setup) {
  for (const CComponent& component : Master().components)
    if (component.IsCore() && component.setup == &setup) return true;
  return false;
}

bool LoadsSubsetups() {
  const CSetup& master = Master();
  if (master.PropIniFile.empty()) return false;
  return EqualsNoCase(ReadIniString(master.PropIniFile, "Main", "LoadSubsetups"), "YES");
}

std::string SetupCDId(const CSetup& setup) { return setup.CD.UpperTranslated(setup); }
