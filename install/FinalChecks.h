#pragma once
// The final checks before the summary: the disk space check, then the hooks.
class CSetup;

// The disk space check, then the "FinalChecks" hooks; a check answered No or Back gives 12,
// Cancel 9.
int FinalChecksStep(CSetup& master);
