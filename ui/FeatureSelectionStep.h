#pragma once
// The feature selection step: brings the selection into its starting state, then shows the
// feature page unless it is bypassed.
#include <string>
#include <vector>

#include "install/DiskSpace.h"
#include "ui/Verdict.h"

class CSetup;
class CFeature;

// Applies the "Feature<n>" answers of the parameters file; unknown IDs are passed over.
void ApplyFeaturePresets(CSetup& master);
// The top-level page's own check: at least one feature below the root selected.
Verdict FeatureCountVerdict(CFeature& root);
// The page's check on Next of the top-level page: at least one feature, and the dependency
// check; false keeps the page open.
bool FeatureSelectionNextAllowed(CFeature& root);
// The page's reaction to a check mark set (`checked`) or cleared on a feature's line.
void ToggleFeature(CSetup& master, CFeature& feature, bool checked);
// The step: 1, 12 or 9.
int RunSelectionsStep(int direction);

// What the feature page shows. The page lists the visible children of one feature: the root
// on the top-level page, the highlighted feature on a nested page.

// Whether any subfeature of the feature is listed (not hidden).
bool HasVisibleSubfeatures(CFeature& feature);
// The features the page lists for `parent`, in order.
std::vector<CFeature*> ListedFeatures(CFeature& parent);

// The page's caption and which of its two lists it uses.
struct FeatureListChoice {
  std::string caption;
  bool sorted = false;  // the sorted list of products
};
FeatureListChoice ChooseFeatureList(const CSetup& master, bool nested);
std::string FeatureInstruction(CFeature& parent);

// One line of the list as it is drawn: the check mark follows the feature's selection (a
// feature with subfeatures counts as selected while any of them is).
struct FeatureLine {
  CFeature* feature = nullptr;
  std::string text;
  unsigned state = 0;  // the feature's state word
  bool checked = false;
  Kilobytes size = 0;  // what its components need, on every drive

  bool Greyed() const;
  bool CheckDisabled() const;
  bool Installed() const;
  // The not-available icon's bitmap, or 0.
  int SystemIcon() const;
};
FeatureLine LineOf(CFeature& feature);
// Sets the line's check mark again from the feature's selection.
void RefreshLine(FeatureLine& line);

// The three legend rows for a state word: the installed row first, then one operating-system
// row; rows left over show the blank icon without text.
constexpr int kLegendRows = 3;
struct LegendRow {
  int icon = 0;
  std::string text;
};
std::vector<LegendRow> FeatureLegend(unsigned state);

// The folder group: the first of the feature's shown targets, those Change Folder(s) works on.
// Without a target the texts are empty and the button disabled.
struct FeatureFolder {
  std::string group, path, button;
  bool buttonEnabled = false;
};
FeatureFolder FeatureFolderOf(CFeature& feature);

// The two pairs of space figures: the folder's drive, and the system drive when that differs.
struct SpaceFigures {
  std::string requiredLabel, required, availableLabel, available;
};
struct FeatureSpace {
  SpaceFigures drive, systemDrive;
};
FeatureSpace FeatureSpaceOn(const CSetup& master, const std::string& path, const std::string& systemDrive);
