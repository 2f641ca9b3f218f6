#pragma once
// What the target locations page lists for a feature and what its Modify, OK and Cancel do to
// the model's targets.
#include <string>
#include <vector>

#include "ui/TargetPathChoice.h"

class CFeature;
class CTarget;

// One line of the page: a target that the feature's components need and show.
struct TargetLocationRow {
  CTarget* target = nullptr;
  unsigned long sizeKB = 0;  // the feature's needs of the target, added up
  bool editable = false;     // the first shown need's editability
};

// The shown targets of the components of the feature and of the features below it, once each,
// in the order of first need.
// A need whose target is not in the model is passed over.
std::vector<TargetLocationRow> FeatureTargetRows(CFeature& feature);

// The line's text: description + " Directory\t" + "%lu K".
std::string TargetLocationLine(const TargetLocationRow& row);

// The page's working state: the targets as they were when it opened. Modify changes the model
// at once (so that dependent paths recompute through it); Cancel gives back the opening state.
class TargetLocationsEdit {
 public:
  TargetLocationsEdit();
  // Modify with a folder the user chose: the "CORVAROOT" rule of Browse applies; otherwise the
  // path is set, the target fixed and marked customised, dependent paths recomputed.
  TargetPathChange Modify(CTarget& target, const std::string& chosen);
  // Cancel: every target of the model back to its path and flags at opening.
  void Discard();

 private:
  struct Saved {
    std::string path;
    int fixed, customised;
  };
  std::vector<Saved> saved_;
};
