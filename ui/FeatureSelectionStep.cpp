#include "ui/FeatureSelectionStep.h"

#include "engine/Errors.h"
#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/StepResult.h"
#include "engine/Text.h"
#include "filters/FilterList.h"
#include "model/FeatureTree.h"
#include "model/Model.h"
#include "model/Selection.h"
#include "model/SelectionRules.h"
#include "model/SetupDump.h"
#include "state/Detection.h"
#include "ui/PageHost.h"

namespace {
bool HasVisibleChildren(CFeature& feature) {
  for (CFeature& sub : feature.subfeatures)
    if (!(FeatureStateWord(sub) & kStateHidden)) return true;
  return false;
}

// The page's own defaults apply only when the page is to be asked and no preset answers it.
bool DefaultsApply() {
  return GetParamYesNo("EnableGetSelectionsDlg", true) && GetParam("Feature0").empty() && !Unattended();
}
}  // namespace

void ApplyFeaturePresets(CSetup& master) {
  for (int index = 0;; ++index) {
    std::string entry = GetParam("Feature" + std::to_string(index));
    if (entry.empty()) return;
    FieldReader fields(entry);
    std::string id = fields.Next();
    CFeature* feature = FindFeatureInTree(master.rootFeature, id);
    if (!feature) continue;
    feature->selected = EqualsNoCase(fields.Rest(), "YES") ? 1 : 0;
    feature->selectionSet = 1;
    feature->fixedSelection = 1;
  }
}

Verdict FeatureCountVerdict(CFeature& root) {
  return SelectedWithin(root) ? Verdict::Pass() : Verdict::Refuse("You must select at least one feature.");
}

bool FeatureSelectionNextAllowed(CFeature& root) {
  if (!ShowVerdict(FeatureCountVerdict(root))) return false;
  NormaliseSelection(Master());
  return CheckDependenciesOnLeaving(root) != 0;
}

void ToggleFeature(CSetup& master, CFeature& feature, bool checked) {
  if (checked == SelectedWithin(feature)) return;
  feature.selectionSet = 1;
  if (checked) {
    feature.selected = 1;
    ApplyDefaultSelection(feature);
    feature.selected = 1;
  } else {
    SetSelectionTree(feature, false);
  }
  NormaliseSelection(master);
}

int RunSelectionsStep(int direction) {
  CSetup& master = Master();
  CFeature& root = master.rootFeature;
  if (root.ID.Empty()) {
    LogLine("Core component setup - no feature selection");
    return BypassResult(direction);
  }

  if (direction == kStepNext || !master.selectionsDone) {
    ApplyFeaturePresets(master);
    if (DefaultsApply()) {
      if (AnyInstalled(root))
        // The user adds to what is there.
        SetSelectionTree(root, false);
      else
        ApplyDefaultSelection(root);
    }
    NormaliseSelection(master);
  } else if (!AnyInstalled(root) && DefaultsApply() && master.setupTypeChanged) {
    ApplyDefaultSelection(root);
    NormaliseSelection(master);
  }
  master.selectionsDone = 1;
  master.setupTypeChanged = 0;
  RecomputeComponentSelection(master);

  if (!HasVisibleChildren(root)) {
    LogLine("No visible features");
    return BypassResult(direction);
  }

  bool bypass = !GetParamYesNo("EnableGetSelectionsDlg", true) || !GetParam("Feature0").empty() || Unattended();
  PageEnd end = PageEnd::Cancel;
  if (bypass)
    LogLine("Bypass dialog");
  else
    end = Pages().FeatureSelectionPage(root);
  LogLine("***** Feature Selection *****");
  {
    ScopedLogIndent indent;
    DumpSetup(master, 0);
  }
  return bypass ? BypassResult(direction) : StepResultOf(end);
}
