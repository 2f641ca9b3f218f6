// Setup data dump export.
#include "engine/StepResult.h"
#include "exports/ExportFrame.h"
#include "model/Model.h"
#include "model/SetupDump.h"

TS_EXPORT int TS_LogSetupData() {
  return GuardedStep("An unknown error occurred during Logging of Setup Data.", kStepStop, [] {
    DumpSetup(Master(), 4);
    return kStepNext;
  });
}
