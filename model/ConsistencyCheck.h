#pragma once
// The consistency check of a loaded model: every reference between the descriptions must hold.
class CSetup;

// Checks `setup` (a subsetup when `subsetup` is set, a core component's setup when `core` is);
// returns 1, or raises a description error at the first reference that does not hold. Does
// nothing when the parameter SyntaxCheck is no.
int CheckSetup(CSetup& setup, bool subsetup, bool core);
