#pragma once
// What a page's check says of what the user entered: go on, or a message for the page to show.
// Checks only judge; the page shows the verdict, so the box is owned by the page that is up.
#include <string>

#include "engine/Errors.h"

struct Verdict {
  std::string text;  // empty: the check passed
  unsigned style = kStyleExclamation;

  bool Passed() const { return text.empty(); }
  static Verdict Pass() { return {}; }
  static Verdict Refuse(std::string text, unsigned style = kStyleExclamation) { return {std::move(text), style}; }
};

// Shows a verdict that did not pass through the common message routine ("***** " in the log,
// a box unless messages are off); answers whether it passed.
bool ShowVerdict(const Verdict& verdict);
