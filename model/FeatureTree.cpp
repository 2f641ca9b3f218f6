#include "model/FeatureTree.h"

#include "engine/Text.h"

CFeature* FindFeatureInTree(CFeature& root, const std::string& id) {
  CFeature* found = nullptr;
  WalkFeatures(root, [&](CFeature& feature) {
    if (EqualsNoCase(feature.ID.Raw(), id)) found = &feature;
    return found == nullptr;
  });
  return found;
}
