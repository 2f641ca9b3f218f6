#pragma once
// Finding the records an installation run talks about: setups by ID (a setup's ID is also its
// root feature's ID) and features of the master's tree.
#include <functional>
#include <string>

#include "model/Model.h"

// The master when the ID is the master's, else the first subsetup with that ID, else the setup
// of the first core component with that ID; nullptr when none has it.
CSetup* FindSetup(const std::string& id);
// Visits the master, every subsetup and every core component's setup.
void ForEachSetup(const std::function<void(CSetup&)>& visit);
// The first feature of the master's tree (depth first, the root included) with that ID.
CFeature* FindModelFeature(const std::string& id);
// Visits every feature of the master's tree depth first: a feature, then its children in order.
void ForEachModelFeature(const std::function<void(CFeature&)>& visit);
// The feature is selected, or some feature below it is.
bool SelectedOrHasSelectedBelow(const CFeature& feature);
// The setup belongs to a core component (it has no feature tree of its own).
bool IsCoreSetup(const CSetup& setup);
// The master description asks for its product setups to be loaded and installed.
bool LoadsSubsetups();
// The translated CD ID of a setup, upper-cased.
std::string SetupCDId(const CSetup& setup);
