#include "engine/StepResult.h"

#include "engine/Log.h"

int StepResultOfEndCode(int endCode) {
  if (endCode == kEndBack) {
    LogLine("return BACK");
    return kStepBack;
  }
  if (endCode == kEndNext) return kStepNext;
  LogLine("User cancelled");
  return kStepStop;
}
