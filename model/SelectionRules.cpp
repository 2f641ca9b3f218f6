#include "model/SelectionRules.h"

#include <vector>

#include "model/FeatureTree.h"
#include "model/Model.h"
#include "model/Selection.h"

void SetSelectionTree(CFeature& feature, bool selected) {
  WalkFeatures(feature, [&](CFeature& each) {
    each.selected = selected ? 1 : 0;
    return true;
  });
}

void NormaliseSelection(CSetup& master) {
  bool reinstallation = master.firstInstallOfTheseProducts == 0;
  std::vector<CFeature*> preOrder;
  WalkFeatures(master.rootFeature, [&](CFeature& each) {
    preOrder.push_back(&each);
    return true;
  });
  // Backwards through the pre-order every feature comes after its subfeatures, so a selection
  // deep in the tree reaches the root.
  for (auto at = preOrder.rbegin(); at != preOrder.rend(); ++at) {
    CFeature& feature = **at;
    if (feature.selected || (reinstallation && feature.installed)) continue;
    for (const CFeature& sub : feature.subfeatures)
      if (sub.selected) {
        feature.selected = 1;
        break;
      }
  }
  RecomputeComponentSelection(master);
  MarkNeededPasswords(master);
}

void RecomputeComponentSelection(CSetup& master) {
  for (CComponent& component : master.components) component.selected = 0;
  WalkFeatures(master.rootFeature, [&](CFeature& feature) {
    if (!feature.selected) return true;
    for (const CComponentRef& ref : feature.components) {
      CComponent* component = ref.component ? ref.component : master.components.Find(ref.ID.Raw());
      if (component) component->selected = 1;
    }
    return true;
  });
}
