#pragma once
// Step result codes answered to the setup script, and the end codes of the pages they follow.
// The values are the published ones of the exports' header.
#include "include/tessaro.h"

constexpr int kStepNext = TS_STEP_NEXT;
constexpr int kStepBack = TS_STEP_BACK;
constexpr int kStepStop = TS_STEP_STOP;

// The end codes of a page's dialog, as its modal loop returns them.
constexpr int kEndNext = TS_END_NEXT;
constexpr int kEndCancel = TS_END_CANCEL;
constexpr int kEndBack = TS_END_BACK;

// How a page ended.
enum class PageEnd { Next = kEndNext, Cancel = kEndCancel, Back = kEndBack };
// A dialog's end code as a page end: whatever is neither Next nor Back left the page (Cancel).
PageEnd PageEndOf(int endCode);
// Next or Back: the page ended with what the user entered in it.
inline bool KeepsEntries(PageEnd end) { return end == PageEnd::Next || end == PageEnd::Back; }

// How the question page ended and, after Next or Back, which answer was chosen.
struct QuestionEnd {
  PageEnd end = PageEnd::Cancel;
  bool answered = false;  // Next or Back carried an answer
  bool yes = false;
};

// A page's end as a step result: Back 12 ("return BACK"), Next 1, else 9 ("User cancelled").
int StepResultOf(PageEnd end);
// A bypassed page passes the direction through: 1 forward, 12 otherwise.
inline int BypassResult(int direction) { return direction == kStepNext ? kStepNext : kStepBack; }
