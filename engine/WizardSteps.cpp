#include "engine/WizardSteps.h"

#include "engine/Errors.h"
#include "engine/Log.h"
#include "engine/SetupHooks.h"
#include "engine/StepResult.h"
#include "install/DiskSpace.h"
#include "model/Model.h"

int FinalChecksStep(CSetup& master) {
  LogLine("Check disk space :");
  LogIndent();
  try {
    CheckDiskSpace(master, false);
  } catch (CCheckError& error) {
    error.Report();
    if (error.Code() == kStepStop) {
      LogUnindent();
      return kStepStop;
    }
    LogLine("return BACK");
    LogUnindent();
    return kStepBack;
  } catch (...) {
    LogUnindent();
    throw;
  }
  LogUnindent();
  LogLine("Calling Custom dll FinalChecks");
  return RunSetupHooks(master, kStepNext, "FinalChecks");
}
