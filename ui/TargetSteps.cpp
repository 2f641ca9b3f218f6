#include "ui/TargetSteps.h"

#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/StepResult.h"
#include "engine/Text.h"
#include "model/Keywords.h"
#include "model/Model.h"
#include "state/Registry.h"
#include "ui/PageHost.h"

namespace {
const std::string kCurrentTargetsKey = std::string(kSetupKey) + "\\CurrentTargets";

bool UsedBySelectedComponent(const CSetup& master, const std::string& targetId) {
  for (const CComponent& component : master.components) {
    if (!component.selected) continue;
    for (const CTargetNeed& need : component.targetNeeds)
      if (EqualsNoCase(need.targetID.Raw(), targetId)) return true;
  }
  return false;
}

// The path of the first "Targets" entry of the parameters file that names the target; false
// when none does.
bool PresetTargetPath(const std::string& targetId, std::string& path) {
  for (int index = 0;; ++index) {
    std::string entry = GetParamTarget(index);
    if (entry.empty()) return false;
    FieldReader fields(entry);
    if (EqualsNoCase(fields.Next(), targetId)) {
      path = fields.Rest();
      return true;
    }
  }
}

void FixTargetPath(CTarget& target, const std::string& path) {
  target.path = path;
  RecomputeDependentTargets(target);
  target.fixed = 1;
}

enum class Decision { ShowPage, KeepPath };

// Where the path comes from when the page is not simply shown on a first installation.
Decision DecideTarget(CSetup& master, CTarget& target, const std::string& id) {
  if (master.firstInstall && !Unattended()) return Decision::ShowPage;
  std::string valueName = id + "Dir";
  if (RegValueExists(HKEY_LOCAL_MACHINE, kSetupKey, valueName)) {
    FixTargetPath(target, ReadRegString(HKEY_LOCAL_MACHINE, kSetupKey, valueName));
    if (target.Multiple()) {
      LogLine("Previous instance of multiple target = " + target.path);
      return Unattended() ? Decision::KeepPath : Decision::ShowPage;
    }
    LogLine("Reinstalling target to " + target.path);
    return Decision::KeepPath;
  }
  std::string preset;
  if (PresetTargetPath(id, preset) && !preset.empty()) {
    FixTargetPath(target, preset);
    LogLine("Bypass dialog");
    return Decision::KeepPath;
  }
  // An unattended run has nobody to ask: the target keeps the path it has.
  if (Unattended()) {
    LogLine("Bypass dialog");
    return Decision::KeepPath;
  }
  return Decision::ShowPage;
}

// A target that is never shown still takes its preset when no earlier installation registered it:
// a product's own run then installs where the suite's run decided (its configuration file
// presets every target), and an administrator's preset of a hidden target is not ignored.
void TakePresetOfTargetWithoutPage(CTarget& target, const std::string& id) {
  if (target.Shown() || target.fixed || RegValueExists(HKEY_LOCAL_MACHINE, kSetupKey, id + "Dir")) return;
  std::string preset;
  if (!PresetTargetPath(id, preset) || preset.empty() || EqualsNoCase(preset, target.path)) return;
  FixTargetPath(target, preset);
  LogLine("Target " + id + " preset to " + target.path);
}
}  // namespace

bool TargetWantsPage(const CSetup& master, const CTarget& target, const std::string& pageTime) {
  if (!target.Shown()) return false;
  if (!EqualsNoCase(target.PromptPosition(), pageTime)) return false;
  if (EqualsNoCase(pageTime, "AFTER")) {
    if (!UsedBySelectedComponent(master, target.ID.Raw())) return false;
    if (target.fixed && !target.Multiple()) return false;
  }
  return true;
}

int RunTargetStep(int direction, int targetIndex, const std::string& pageTime) {
  CSetup& master = Master();
  CTarget& target = master.targets.At(targetIndex);
  std::string id = target.ID.Raw();
  int result = BypassResult(direction);
  if (TargetWantsPage(master, target, pageTime)) {
    LogLine("Target " + id + " :");
    ScopedLogIndent indent;
    if (DecideTarget(master, target, id) == Decision::ShowPage) {
      result = StepResultOf(Pages().TargetPage(target));
    }
    LogLine("Target path = " + target.path);
  } else {
    TakePresetOfTargetWithoutPage(target, id);
  }
  // The page's answer stands either way; a path that could not be recorded is in the log, and the
  // script then reads the registered path instead.
  static_cast<void>(SetRegString(HKEY_LOCAL_MACHINE, kCurrentTargetsKey, id, target.path));
  return result;
}

int RunAllTargetsStep(int direction, const std::string& pageTime) {
  int count = Master().targets.Count();
  if (count == 0) {
    LogLine("Target count = 0");
    return direction;
  }
  int index = direction == kStepNext ? 0 : count - 1;
  int result = direction;
  while (index >= 0 && index < count) {
    result = RunTargetStep(result, index, pageTime);
    if (result == kStepNext)
      ++index;
    else if (result == kStepBack)
      --index;
    else
      return kStepStop;
  }
  return index < 0 ? kStepBack : kStepNext;
}
