#pragma once
// The restart that products ask for: marked in the RunOnce key, so that it happens once after
// the whole run.

// Writes the "CorvantReboot" marker (logged); a second call leaves the one value.
void ScheduleReboot();
