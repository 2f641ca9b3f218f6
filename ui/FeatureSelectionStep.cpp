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
#include "ui/TargetLocations.h"
#include "ui/resources/PageResource.h"

namespace {
bool SelectionPageBypassed() { return PageBypassed({"EnableGetSelectionsDlg", false, !GetParam("Feature0").empty()}); }
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
  // The root stays selected once anything was (parents follow their children, never the other
  // way), so only the features below it count.
  for (CFeature& feature : root.subfeatures)
    if (SelectedWithin(feature)) return Verdict::Pass();
  return Verdict::Refuse("You must select at least one feature.");
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

  // The page's own defaults apply only when the page is to be asked (no preset answers it).
  const bool bypass = SelectionPageBypassed();
  if (direction == kStepNext || !master.selectionsDone) {
    ApplyFeaturePresets(master);
    if (!bypass) {
      if (AnyInstalled(root))
        // The user adds to what is there.
        SetSelectionTree(root, false);
      else
        ApplyDefaultSelection(root);
    }
    NormaliseSelection(master);
  } else if (!AnyInstalled(root) && !bypass && master.setupTypeChanged) {
    ApplyDefaultSelection(root);
    NormaliseSelection(master);
  }
  master.selectionsDone = 1;
  master.setupTypeChanged = 0;
  RecomputeComponentSelection(master);

  if (!HasVisibleSubfeatures(root)) {
    LogLine("No visible features");
    return BypassResult(direction);
  }

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

bool HasVisibleSubfeatures(CFeature& feature) {
  for (CFeature& sub : feature.subfeatures)
    if (!(FeatureStateWord(sub) & kStateHidden)) return true;
  return false;
}

std::vector<CFeature*> ListedFeatures(CFeature& parent) {
  std::vector<CFeature*> listed;
  for (CFeature& sub : parent.subfeatures)
    if (!(FeatureStateWord(sub) & kStateHidden)) listed.push_back(&sub);
  return listed;
}

FeatureListChoice ChooseFeatureList(const CSetup& master, bool nested) {
  if (nested) return {"Select Subcomponents", false};
  // A suite lists its products; so does a single setup whose own top-level features stand in
  // for it.
  if (master.subsetups.Count() > 0 || master.SkipRoot.UpperTranslated(master) == "YES")
    return {"Select Products", true};
  return {"Select Components", false};
}

std::string FeatureInstruction(CFeature& parent) {
  std::string text = "In the Options list, select the items you want to install to your computer.";
  for (CFeature* listed : ListedFeatures(parent))
    if (HasVisibleSubfeatures(*listed))
      return text + "  Use the \"Select Subcomponents...\" button to change the selection of subcomponents.";
  return text;
}

namespace {
Kilobytes SizeOf(CFeature& feature) {
  Kilobytes size = 0;
  for (const CComponent* component : ComponentsWithin(feature))
    for (const CTargetNeed& need : component->targetNeeds) size = AddKilobytes(size, need.SizeKB());
  return size;
}
}  // namespace

bool FeatureLine::Greyed() const { return (state & kStateGreyed) != 0; }
bool FeatureLine::CheckDisabled() const { return (state & kStateDisabled) != 0; }
bool FeatureLine::Installed() const { return (state & kStateInstalled) != 0; }

namespace {
struct SystemRow {
  unsigned bit;
  int icon;
  const char* text;
};
// The operating-system rows in their order of priority: one is shown.
constexpr SystemRow kSystemRows[] = {{kStateNotForThisOS, IDB_NOT_FOR_THIS_OS, "N/A for this OS version"},
                                     {kStateNotForNT, IDB_NOT_FOR_NT, "N/A for Window NT"},
                                     {kStateNotFor95, IDB_NOT_FOR_95, "N/A for Windows 95"},
                                     {kStateNotFor98, IDB_NOT_FOR_98, "N/A for Windows 98"}};

const SystemRow* SystemRowOf(unsigned state) {
  for (const SystemRow& row : kSystemRows)
    if (state & row.bit) return &row;
  return nullptr;
}
}  // namespace

int FeatureLine::SystemIcon() const {
  const SystemRow* row = SystemRowOf(state);
  return row ? row->icon : 0;
}

FeatureLine LineOf(CFeature& feature) {
  FeatureLine line;
  line.feature = &feature;
  line.text = feature.Name.Translated(*feature.setup);
  line.size = SizeOf(feature);
  RefreshLine(line);
  return line;
}

void RefreshLine(FeatureLine& line) {
  line.checked = SelectedWithin(*line.feature);
  line.state = FeatureStateWord(*line.feature);
}

std::vector<LegendRow> FeatureLegend(unsigned state) {
  std::vector<LegendRow> rows;
  if (state & kStateInstalled) rows.push_back({IDB_INSTALLED, "Installed"});
  if (const SystemRow* row = SystemRowOf(state)) rows.push_back({row->icon, row->text});
  while (rows.size() < kLegendRows) rows.push_back({IDB_BLANK_ICON, ""});
  return rows;
}

FeatureFolder FeatureFolderOf(CFeature& feature) {
  // The same targets that Change Folder(s) works on.
  std::vector<TargetLocationRow> rows = FeatureTargetRows(feature);
  FeatureFolder folder;
  if (rows.empty()) return folder;
  const CTarget& first = *rows.front().target;
  folder.group = "Folder for " + first.Description.Translated(*first.setup) + ":";
  folder.path = first.path;
  bool selected = SelectedWithin(feature);
  if (rows.size() == 1) {
    folder.button = "Change &Folder...";
    folder.buttonEnabled = selected && rows.front().editable;
  } else {
    folder.button = "Change &Folders...";
    folder.buttonEnabled = selected;
  }
  return folder;
}

namespace {
SpaceFigures FiguresOn(const CSetup& master, const std::string& drive, const std::string& requiredLabel) {
  return {requiredLabel + drive, Format("%lu", RequiredOnDrive(master, drive, false)) + " K",
          "Space available on " + drive, Format("%lu", FreeSpaceOnDrive(drive)) + " K"};
}
}  // namespace

FeatureSpace FeatureSpaceOn(const CSetup& master, const std::string& path, const std::string& systemDrive) {
  FeatureSpace space;
  std::string drive = DriveOf(path);
  if (!drive.empty()) space.drive = FiguresOn(master, drive, "Space required on ");
  if (!EqualsNoCase(drive, systemDrive))
    space.systemDrive = FiguresOn(master, systemDrive, "Space required on system drive ");
  return space;
}
