#pragma once
// Step result codes answered to the setup script, and the end codes of the pages they follow.
// The values are the published ones of the exports' header.
#include "include/tessaro.h"

constexpr int kStepNext = TS_STEP_NEXT;
constexpr int kStepBack = TS_STEP_BACK;
constexpr int kStepStop = TS_STEP_STOP;

constexpr int kEndNext = TS_END_NEXT;
constexpr int kEndCancel = TS_END_CANCEL;
constexpr int kEndBack = TS_END_BACK;

// How the question page ended and, after Next or Back, which answer was chosen.
struct QuestionEnd {
  int endCode = kEndCancel;  // 1 Next, 3 Back, 2 Cancel
  bool answered = false;     // Next or Back carried an answer
  bool yes = false;
};

// A page's end code as a step result: Back 12 ("return BACK"), Next 1, else 9 ("User cancelled").
int StepResultOfEndCode(int endCode);
// A bypassed page passes the direction through: 1 forward, 12 otherwise.
inline int BypassResult(int direction) { return direction == kStepNext ? kStepNext : kStepBack; }
