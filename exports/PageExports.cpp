// The wizard page steps: each runs its step logic inside the step frame.
#include <string>

#include "engine/StepResult.h"
#include "exports/ExportFrame.h"
#include "ui/FeatureSelectionStep.h"
#include "ui/FolderStep.h"
#include "ui/PageHost.h"
#include "ui/ServerStep.h"
#include "ui/SetupTypeStep.h"
#include "ui/TargetSteps.h"
#include "ui/WizardPageSteps.h"

TS_EXPORT int TS_WelcomeDlg(int direction) {
  return GuardedStep("An unknown error occurred during the Welcome dialog.", kStepStop,
                     [&] { return RunWelcomeStep(direction); });
}

TS_EXPORT int TS_UninstallCheck(int direction) {
  return GuardedStep("An unknown error occurred during the Uninstall Check dialog.", static_cast<int>(AddRemoveChoice::Cancel),
                     [&] { return RunUninstallCheckStep(direction); });
}

TS_EXPORT int TS_LicenseDlg(int direction) {
  return GuardedStep("An unknown error occurred during the License Agreement dialog.", kStepStop,
                     [&] { return RunLicenseStep(direction); });
}

TS_EXPORT int TS_SetupTypeDlg(int direction) {
  return GuardedStep("An unknown error occurred during Computer Configuration Type prompt.", kStepStop,
                     [&] { return RunSetupTypeStep(direction); });
}

TS_EXPORT int TS_GetTargetDlg(int direction, int targetIndex, const char* pageTime) {
  return GuardedStep("An unknown error occurred during Target Location prompt.", kStepStop,
                     [&] { return RunTargetStep(direction, targetIndex, TextArg(pageTime)); });
}

TS_EXPORT int TS_GetAllTargetsDlgs(int direction, const char* pageTime) {
  return GuardedStep("An unknown error occurred during Target Location prompt.", kStepStop,
                     [&] { return RunAllTargetsStep(direction, TextArg(pageTime)); });
}

TS_EXPORT int TS_GetSelectionsDlg(int direction) {
  return GuardedStep("An unknown error occurred during Feature Selection.", kStepStop,
                     [&] { return RunSelectionsStep(direction); });
}

TS_EXPORT int TS_GetFolderDlg(int direction) {
  return GuardedStep("An unknown error occurred during Program Folder prompt.", kStepStop,
                     [&] { return RunFolderStep(direction); });
}

TS_EXPORT int TS_GetServerDlg(int direction) {
  return GuardedStep("An unknown error occurred during Corva Framework Server prompt.", kStepStop,
                     [&] { return RunServerStep(direction); });
}

TS_EXPORT int TS_ShowSummaryDlg(int direction) {
  return GuardedStep("An unknown error occurred during Summary dialog.", kStepStop,
                     [&] { return RunSummaryStep(direction); });
}

TS_EXPORT int TS_FinalDlg(int direction) {
  return GuardedStep("An unknown error occurred during the Final dialog.", kStepStop,
                     [&] { return RunFinalStep(direction); });
}
