#pragma once
// The post-selection step: the user name and password of every service account the selection
// needs, then the "PostSelection" hooks.
class CSetup;

// Asks for the user name and password of every service account the selection needs, forward
// from the first with direction 1, else backward from the last. Returns 1, 12 or 9.
int PromptForPasswords(CSetup& master, int direction);
// The password prompts, then the "PostSelection" hooks; going back, the hooks come first.
int PostSelectionStep(CSetup& master, int direction);
