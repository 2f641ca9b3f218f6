#include "engine/StepResult.h"

#include "engine/Log.h"

PageEnd PageEndOf(int endCode) {
  if (endCode == kEndNext) return PageEnd::Next;
  if (endCode == kEndBack) return PageEnd::Back;
  return PageEnd::Cancel;
}

int StepResultOf(PageEnd end) {
  if (end == PageEnd::Back) {
    LogLine("return BACK");
    return kStepBack;
  }
  if (end == PageEnd::Next) return kStepNext;
  LogLine("User cancelled");
  return kStepStop;
}
