// The wizard steps without a page of their own: hooks, detection, the password prompts, the
// final checks and the three registration steps that close a run.
#include <set>
#include <string>

#include "model/SetupHooks.h"
#include "engine/StepResult.h"
#include "engine/Text.h"
#include "install/FinalChecks.h"
#include "exports/ExportFrame.h"
#include "install/Sequencing.h"
#include "model/Model.h"
#include "state/Detection.h"
#include "state/Registration.h"
#include "ui/AccountSteps.h"

namespace {
// A record step answers this when an exception stopped it or when a record it had to write could
// not be written (the log names each one).
constexpr int kRecordFailed = -1;
}  // namespace

TS_EXPORT int TS_Initialization() {
  return GuardedStep("An unknown error occurred during Initialization.", kStepStop,
                     [] { return RunSetupHooks(Master(), kStepNext, "Initialization"); });
}

TS_EXPORT int TS_DetectComponents() {
  return GuardedStep("An unknown error occurred while searching for previous installations.", kStepStop, [] {
    DetectInstalled(Master());
    return kStepNext;
  });
}

TS_EXPORT int TS_InitialChecks(int direction) {
  return GuardedStep("An unknown error occurred during Initial System Checks.", kStepStop,
                     [&] { return RunSetupHooks(Master(), direction, "InitialChecks"); });
}

TS_EXPORT int TS_PreSelection(int direction) {
  return GuardedStep("An unknown error occurred during Pre-Selection processing.", kStepStop,
                     [&] { return RunSetupHooks(Master(), direction, "PreSelection"); });
}

TS_EXPORT int TS_PostSelection(int direction) {
  return GuardedStep("An unknown error occurred during Post-Selection processing.", kStepStop,
                     [&] { return PostSelectionStep(Master(), direction); });
}

TS_EXPORT int TS_FinalChecks(int) {
  return GuardedStep("An unknown error occurred during Final Checks.", kStepStop,
                     [] { return FinalChecksStep(Master()); });
}

TS_EXPORT int TS_Configuration() {
  return GuardedStep("An unknown error occurred during Configuration.", kRecordFailed, [] {
    return RecordConfiguration(Master()) ? 0 : kRecordFailed;
  });
}

TS_EXPORT int TSCommitFeatures() {
  return GuardedStep("An unknown error occurrred during Feature registration.", kRecordFailed, [] {
    std::set<std::string> notInstalled;
    for (const std::string& id : SetupsNotInstalled()) notInstalled.insert(ToUpper(id));
    for (const std::string& id : SetupsWithInstallError()) notInstalled.insert(ToUpper(id));
    return CommitFeatures(Master(), notInstalled) ? 0 : kRecordFailed;
  });
}

TS_EXPORT int TS_RegisterTargets() {
  return GuardedStep("An unknown error occurred during Target Registration.", kRecordFailed, [] {
    return RegisterTargets(Master()) ? 0 : kRecordFailed;
  });
}

TS_EXPORT int TS_CleanRegistry() {
  return Quietly(__func__, 0, [] {
    // The answer is fixed; a key that could not be removed is in the log.
    static_cast<void>(CleanRegistry());
    return 0;
  });
}

TS_EXPORT int TS_FirstTimeInstall() {
  return Quietly(__func__, 0, [] { return Master().firstInstallOfTheseProducts; });
}
