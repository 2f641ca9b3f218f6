#pragma once
// The hook walk: each setup's own library joins a step through a named entry point.
class CSetup;

// Walks the places root setup, core components, subsetups (forward from the first with
// direction 1, else backward from the last), calling `entry` of each setup library that has
// it with the running answer. Returns 1 past the last place, 12 before the first, 9 when a
// hook answers anything else.
int RunSetupHooks(CSetup& master, int direction, const char* entry);
