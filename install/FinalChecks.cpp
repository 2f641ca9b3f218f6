#include "install/FinalChecks.h"

#include "engine/Errors.h"
#include "engine/Log.h"
#include "engine/StepResult.h"
#include "install/DiskSpace.h"
#include "model/Model.h"
#include "model/SetupHooks.h"

int FinalChecksStep(CSetup& master) {
  LogLine("Check disk space :");
  {
    ScopedLogIndent indent;
    try {
      CheckDiskSpace(master, false);
    } catch (CCheckError& error) {
      error.Report();
      if (error.Code() == kStepStop) return kStepStop;
      LogLine("return BACK");
      return kStepBack;
    }
  }
  LogLine("Calling Custom dll FinalChecks");
  return RunSetupHooks(master, kStepNext, "FinalChecks");
}
