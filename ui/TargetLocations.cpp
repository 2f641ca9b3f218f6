#include "ui/TargetLocations.h"

#include <cstdio>

#include "model/FeatureTree.h"
#include "model/Model.h"

std::vector<TargetLocationRow> FeatureTargetRows(CFeature& feature) {
  std::vector<TargetLocationRow> rows;
  // A product's files are usually those of its subfeatures: their directories are the product's.
  for (const CComponent* component : ComponentsWithin(feature)) {
    for (const CTargetNeed& need : component->targetNeeds) {
      if (!need.Shown()) continue;
      CTarget* target = Master().targets.Find(need.targetID.UpperTranslated(*need.setup));
      if (!target) continue;
      TargetLocationRow* row = nullptr;
      for (TargetLocationRow& existing : rows)
        if (existing.target == target) row = &existing;
      if (!row) {
        rows.push_back({target, 0, need.Editable()});
        row = &rows.back();
      }
      row->sizeKB += need.SizeKB();
    }
  }
  return rows;
}

std::string TargetLocationLine(const TargetLocationRow& row) {
  char size[32];
  std::snprintf(size, sizeof size, "%lu", row.sizeKB);
  return row.target->Description.Translated(*row.target->setup, true) + " Directory\t" + size + " K";
}

TargetLocationsEdit::TargetLocationsEdit() {
  for (const CTarget& target : Master().targets) saved_.push_back({target.path, target.fixed, target.customised});
}

TargetPathChange TargetLocationsEdit::Modify(CTarget& target, const std::string& chosen) {
  TargetPathChange change = ChangeTargetPath(target, chosen);
  if (change.changed) target.fixed = 1;
  return change;
}

void TargetLocationsEdit::Discard() {
  size_t index = 0;
  for (CTarget& target : Master().targets) {
    if (index >= saved_.size()) break;
    const Saved& saved = saved_[index++];
    target.path = saved.path;
    target.fixed = saved.fixed;
    target.customised = saved.customised;
  }
}
