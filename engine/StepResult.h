#pragma once
// Step result codes answered to the setup script, and the end codes of the pages they follow.
constexpr int kStepNext = 1;
constexpr int kStepBack = 12;
constexpr int kStepStop = 9;

constexpr int kEndNext = 1;
constexpr int kEndCancel = 2;
constexpr int kEndBack = 3;

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
