#pragma once
// The feature selection step: brings the selection into its starting state, then shows the
// feature page unless it is bypassed.
#include "ui/Verdict.h"

class CSetup;
class CFeature;

// Applies the "Feature<n>" answers of the parameters file; unknown IDs are passed over.
void ApplyFeaturePresets(CSetup& master);
// The top-level page's own check: at least one feature selected.
Verdict FeatureCountVerdict(CFeature& root);
// The page's check on Next of the top-level page: at least one feature, and the dependency
// check; false keeps the page open.
bool FeatureSelectionNextAllowed(CFeature& root);
// The page's reaction to a check mark set (`checked`) or cleared on a feature's line.
void ToggleFeature(CSetup& master, CFeature& feature, bool checked);
// The step: 1, 12 or 9.
int RunSelectionsStep(int direction);
