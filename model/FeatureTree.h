#pragma once
// Walks of a feature tree without recursion, so that a deep description cannot exhaust the stack.
#include <string>
#include <unordered_map>
#include <vector>

#include "model/Model.h"

// Calls visit(feature) for the root and every feature below it, in pre-order (a feature, then
// its subfeatures in index order). A visit that returns false ends the walk.
template <typename Visit>
void WalkFeatures(CFeature& root, Visit&& visit) {
  std::vector<CFeature*> pending{&root};
  while (!pending.empty()) {
    CFeature* feature = pending.back();
    pending.pop_back();
    if (!visit(*feature)) return;
    for (int i = feature->subfeatures.Count(); i-- > 0;) pending.push_back(&feature->subfeatures.At(i));
  }
}

// Whether `holds(feature)` is true for the root or any feature below it.
template <typename Predicate>
bool AnyFeatureWithin(CFeature& root, Predicate&& holds) {
  bool found = false;
  WalkFeatures(root, [&](CFeature& feature) {
    found = holds(feature);
    return !found;
  });
  return found;
}

// The components of the feature and of every feature below it, each once, in walk order.
std::vector<const CComponent*> ComponentsWithin(CFeature& feature);

// The first feature of the tree (root included, pre-order) whose ID equals `id` ignoring case.
// A walk of the tree, unless a ScopedFeatureIndex of that tree is open.
CFeature* FindFeatureInTree(CFeature& root, const std::string& id);

// For the life of the scope, FindFeatureInTree answers lookups in root's tree from an index
// built once here, so that a pass that looks up features for every feature of the tree stays
// linear. The tree must keep its features and their IDs while the scope is open.
class ScopedFeatureIndex {
 public:
  explicit ScopedFeatureIndex(CFeature& root);
  ~ScopedFeatureIndex();
  ScopedFeatureIndex(const ScopedFeatureIndex&) = delete;
  ScopedFeatureIndex& operator=(const ScopedFeatureIndex&) = delete;

 private:
  friend CFeature* FindFeatureInTree(CFeature& root, const std::string& id);
  CFeature* root_;
  std::unordered_map<std::string, CFeature*> first_;  // upper-cased ID to its first feature
  ScopedFeatureIndex* outer_;
};
