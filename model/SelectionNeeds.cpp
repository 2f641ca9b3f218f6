#include "model/SelectionNeeds.h"

#include "engine/Text.h"
#include "model/Model.h"

bool SelectionNeedsFolder(const CFeature& feature) {
  if (feature.selected && !EqualsNoCase(feature.NeedsFolder.Raw(), "NO")) return true;
  for (const CFeature& child : feature.subfeatures)
    if (SelectionNeedsFolder(child)) return true;
  return false;
}
