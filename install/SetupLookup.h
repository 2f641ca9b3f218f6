#pragma once
// Finding the setups an installation run talks about; a setup's ID is also its root feature's.
#include <string>

#include "model/Model.h"

// The master when the ID is the master's, else the first subsetup with that ID, else the setup
// of the first core component with that ID; nullptr when none has it.
CSetup* FindSetup(const std::string& id);
// The first feature of the master's tree (depth first, the root included) with that ID.
CFeature* FindModelFeature(const std::string& id);
// The setup belongs to a core component of `master` (it has no feature tree of its own).
bool IsCoreSetup(const CSetup& master, const CSetup& setup);
// The translated CD ID of a setup, upper-cased.
std::string SetupCDId(const CSetup& setup);
