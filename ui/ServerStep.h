#pragma once
// The framework server step: asks once per computer whether and which framework server is
// used, as a walk over pages A to D.
#include <string>

#include "ui/PageHost.h"
#include "ui/Verdict.h"

// The first page's own check: a named server needs a name.
Verdict ServerNameVerdict(const ServerPageAAnswer& answer);
// The page A check on Next: the name check, then a change of how the installed products run
// is confirmed. False keeps the page open.
bool ServerPageANextAllowed(const ServerPageAAnswer& answer, const std::string& products);
// The step: 1, 12 or 9.
int RunServerStep(int direction);
