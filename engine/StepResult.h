#pragma once
// Step result codes answered to the setup script, and the end codes of the pages they follow.
constexpr int kStepNext = 1;
constexpr int kStepBack = 12;
constexpr int kStepStop = 9;

// The end codes of a page's dialog, as its modal loop returns them.
constexpr int kEndNext = 1;
constexpr int kEndCancel = 2;
constexpr int kEndBack = 3;

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
