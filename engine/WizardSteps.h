#pragma once
// The steps without a page of their own that do more than walk the hooks.
class CSetup;

// The disk space check, then the "FinalChecks" hooks; a check answered No or Back gives 12,
// Cancel 9.
int FinalChecksStep(CSetup& master);
