#pragma once
// The walk that hooked steps and the password prompts share: places 1 to count, visited forward
// from the first when the direction is 1, else backward from the last; each visit's answer
// moves the walk (1 next, 12 previous) or ends it (anything else: "Exit setup", 9).
#include "engine/Log.h"
#include "engine/StepResult.h"

// `visit(place, answer)` returns the new running answer. Leaving before the first place
// answers 12 (logged as "return BACK" when asked), leaving after the last answers 1.
template <typename Visit>
int WalkPlaces(int count, int direction, bool logBack, Visit&& visit) {
  int place = direction == kStepNext ? 1 : count;
  int answer = direction;
  for (;;) {
    if (place < 1) {
      if (logBack) LogLine("return BACK");
      return kStepBack;
    }
    if (place > count) return kStepNext;
    answer = visit(place, answer);
    if (answer == kStepNext) {
      ++place;
    } else if (answer == kStepBack) {
      --place;
    } else {
      LogLine("Exit setup");
      return kStepStop;
    }
  }
}
