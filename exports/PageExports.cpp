// The wizard page steps: each runs its step logic inside the step frame.
#include <string>

#include "engine/StepResult.h"
#include "exports/ExportFrame.h"
#include "ui/FolderStep.h"
#include "ui/SetupTypeStep.h"
#include "ui/TargetSteps.h"

namespace {
std::string Arg(const char* text) { return text ? text : ""; }
}  // namespace

TS_EXPORT int TS_SetupTypeDlg(int direction) {
  return GuardedStep("An unknown error occurred during Computer Configuration Type prompt.", kStepStop,
                     [&] { return RunSetupTypeStep(direction); });
}

TS_EXPORT int TS_GetTargetDlg(int direction, int targetIndex, const char* pageTime) {
  return GuardedStep("An unknown error occurred during Target Location prompt.", kStepStop,
                     [&] { return RunTargetStep(direction, targetIndex, Arg(pageTime)); });
}

TS_EXPORT int TS_GetAllTargetsDlgs(int direction, const char* pageTime) {
  return GuardedStep("An unknown error occurred during Target Location prompt.", kStepStop,
                     [&] { return RunAllTargetsStep(direction, Arg(pageTime)); });
}

TS_EXPORT int TS_GetFolderDlg(int direction) {
  return GuardedStep("An unknown error occurred during Program Folder prompt.", kStepStop,
                     [&] { return RunFolderStep(direction); });
}
