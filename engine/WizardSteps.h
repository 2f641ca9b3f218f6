#pragma once
// The steps without a page of their own that do more than walk the hooks.
class CSetup;

// Asks for the user name and password of every service account the selection needs, forward
// from the first with direction 1, else backward from the last. Returns 1, 12 or 9.
int PromptForPasswords(CSetup& master, int direction);
// The password prompts, then the "PostSelection" hooks; going back, the hooks come first.
int PostSelectionStep(CSetup& master, int direction);
// The disk space check, then the "FinalChecks" hooks; a check answered No or Back gives 12,
// Cancel 9.
int FinalChecksStep(CSetup& master);
