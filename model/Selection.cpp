#include "model/Selection.h"

#include "model/Model.h"
#include "model/SelectionNeeds.h"

namespace {
// Children first, so that a selection deep in the tree reaches the root.
void SelectParentsOfSelected(CFeature& feature, bool reinstallation) {
  bool childSelected = false;
  for (CFeature& sub : feature.subfeatures) {
    SelectParentsOfSelected(sub, reinstallation);
    childSelected = childSelected || sub.selected;
  }
  if (childSelected && !feature.selected && !(reinstallation && feature.installed)) feature.selected = 1;
}

template <typename Visit>
void ForEachSelected(const CFeature& feature, Visit&& visit) {
  if (feature.selected) visit(feature);
  for (const CFeature& sub : feature.subfeatures) ForEachSelected(sub, visit);
}
}  // namespace

void SetSelectionTree(CFeature& feature, bool selected) {
  feature.selected = selected ? 1 : 0;
  for (CFeature& sub : feature.subfeatures) SetSelectionTree(sub, selected);
}

bool AnySelected(const CFeature& feature) {
  if (feature.selected) return true;
  for (const CFeature& sub : feature.subfeatures)
    if (AnySelected(sub)) return true;
  return false;
}

void NormaliseSelection(CSetup& master) {
  SelectParentsOfSelected(master.rootFeature, master.firstInstallOfTheseProducts == 0);
  RecomputeComponentSelection(master);
  MarkNeededPasswords(master);
}

void RecomputeComponentSelection(CSetup& master) {
  for (CComponent& component : master.components) component.selected = 0;
  ForEachSelected(master.rootFeature, [&](const CFeature& feature) {
    for (const CComponentRef& ref : feature.components) {
      CComponent* component = ref.component ? ref.component : master.components.Find(ref.ID.Raw());
      if (component) component->selected = 1;
    }
  });
}
