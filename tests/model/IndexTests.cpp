// Lookups by ID through indexes answer as a scan would: the first match in order, any case.
#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <vector>

#include "model/FeatureTree.h"
#include "model/Model.h"

namespace {
std::unique_ptr<CSetupType> Type(const char* id, const char* description) {
  auto type = std::make_unique<CSetupType>();
  type->ID.Set(id);
  type->Description.Set(description);
  return type;
}

CFeature& Child(CFeature& parent, const char* id) {
  auto feature = std::make_unique<CFeature>();
  feature->ID.Set(id);
  feature->parent = &parent;
  return parent.subfeatures.Append(std::move(feature));
}
}  // namespace

TEST(CollectionIndex, FirstMatchInAnyCaseAlsoAfterGrowingAndReordering) {
  Collection<CSetupType> types;
  types.Append(Type("STANDARD", "first"));
  types.Append(Type("standard", "second"));
  EXPECT_EQ(types.Find("Standard")->Description.Raw(), "first");
  EXPECT_EQ(types.Find("SERVER"), nullptr);
  types.Append(Type("SERVER", "third"));  // appended after the first lookup
  EXPECT_EQ(types.IndexOf("server"), 2);
  types.MoveToFront(1);
  EXPECT_EQ(types.Find("STANDARD")->Description.Raw(), "second");
  types.MoveToEnd(0);
  EXPECT_EQ(types.Find("STANDARD")->Description.Raw(), "first");
  Collection<CSetupType> copy(types);
  EXPECT_EQ(copy.IndexOf("SERVER"), 1);
}

TEST(FeatureIndex, AnswersAsTheWalkOfTheTree) {
  CFeature root;
  root.ID.Set("ROOT");
  CFeature& a = Child(root, "A");
  CFeature& deep = Child(a, "DUP");
  CFeature& b = Child(root, "B");
  Child(b, "dup");
  const char* ids[] = {"ROOT", "a", "Dup", "DUP", "b", "missing", ""};
  std::vector<CFeature*> walked;
  for (const char* id : ids) walked.push_back(FindFeatureInTree(root, id));
  EXPECT_EQ(walked[2], &deep);  // pre-order: the one under A comes first
  ScopedFeatureIndex index(root);
  for (size_t i = 0; i < std::size(ids); ++i) EXPECT_EQ(FindFeatureInTree(root, ids[i]), walked[i]) << ids[i];
  // Another tree is still walked.
  CFeature other;
  other.ID.Set("OTHER");
  EXPECT_EQ(FindFeatureInTree(other, "OTHER"), &other);
}
