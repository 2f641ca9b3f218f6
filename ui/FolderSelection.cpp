#include "ui/FolderSelection.h"

#include "engine/Paths.h"
#include "engine/Text.h"
#include "model/Keywords.h"
#include "model/Model.h"
#include "ui/PageHost.h"
#include "ui/TargetLocations.h"
#include "ui/TargetPathChoice.h"

namespace {
constexpr char kSelectFolderTitle[] = "Select Folder";
}  // namespace

bool SelectFolderWithChecks(std::string& path) {
  for (;;) {
    std::string chosen = path;
    if (!Pages().BrowseForFolder(kSelectFolderTitle, chosen)) return false;
    if (ShowVerdict(ChosenFolderVerdict(chosen))) {
      path = chosen;
      return true;
    }
  }
}

void ChangeFeatureFolders(CFeature& feature) {
  std::vector<TargetLocationRow> rows = FeatureTargetRows(feature);
  if (rows.empty()) return;
  if (rows.size() > 1) {
    Pages().TargetLocationsPage(feature);
    return;
  }
  CTarget& target = *rows.front().target;
  std::string path = StripTrailingBackslashes(target.path);
  if (!SelectFolderWithChecks(path) || EqualsNoCase(path, target.path)) return;
  target.path = path;
  RecomputeDependentTargets(target);
  target.fixed = 1;
}
