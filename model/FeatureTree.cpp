#include "model/FeatureTree.h"

#include <unordered_set>

#include "engine/Text.h"

namespace {
// The innermost open index; each links to the one opened before it.
ScopedFeatureIndex*& InnermostIndex() {
  static ScopedFeatureIndex* innermost = nullptr;
  return innermost;
}
}  // namespace

ScopedFeatureIndex::ScopedFeatureIndex(CFeature& root) : root_(&root), outer_(InnermostIndex()) {
  WalkFeatures(root, [&](CFeature& feature) {
    first_.emplace(ToUpper(feature.ID.Raw()), &feature);
    return true;
  });
  InnermostIndex() = this;
}

ScopedFeatureIndex::~ScopedFeatureIndex() { InnermostIndex() = outer_; }

CFeature* FindFeatureInTree(CFeature& root, const std::string& id) {
  for (ScopedFeatureIndex* index = InnermostIndex(); index; index = index->outer_) {
    if (index->root_ != &root) continue;
    auto found = index->first_.find(ToUpper(id));
    return found == index->first_.end() ? nullptr : found->second;
  }
  CFeature* found = nullptr;
  WalkFeatures(root, [&](CFeature& feature) {
    if (EqualsNoCase(feature.ID.Raw(), id)) found = &feature;
    return found == nullptr;
  });
  return found;
}

std::vector<const CComponent*> ComponentsWithin(CFeature& feature) {
  std::vector<const CComponent*> components;
  std::unordered_set<const CComponent*> seen;
  WalkFeatures(feature, [&](CFeature& each) {
    for (const CComponentRef& ref : each.components)
      if (ref.component && seen.insert(ref.component).second) components.push_back(ref.component);
    return true;
  });
  return components;
}
