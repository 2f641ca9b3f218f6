#include "ui/Verdict.h"

bool ShowVerdict(const Verdict& verdict) {
  if (verdict.Passed()) return true;
  ShowErrorText(verdict.text, verdict.style);
  return false;
}
