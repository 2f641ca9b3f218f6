#pragma once
// Removing a suite: the plan, each setup's own remover, the records taken back, and the end of
// the removal run.
#include <string>
#include <vector>

#include "install/InstallPlan.h"

// The removal of the loaded suite as the records stand: the features' installed flags are
// refreshed from the uninstall files first.
RemovalPlan CurrentRemovalPlan();
// Logs the plan ("Removal plan :", a line per setup and per kept core component) and answers it.
RemovalPlan PlanRemoval();
// Removes one setup by its own remover and waits for it: DoUninstall of its installation library,
// else its setup program with UninstallCmdLine, else its UninstallCommand (whose exit code becomes
// the status file). 0 when the remover ran; -1 when none could be started, the description names
// none, or a core component is still needed by an installed product (each logged).
int UninstallSetup(const std::string& propIni);
// Takes back the records of a removed product or core component; 0, or -1 (logged).
int UnregisterSetup(const std::string& setupId);
// Ends the removal run: 1 while some of the suite is installed; 0 when it is gone and its records
// with it; -1 when a record could not be removed (logged).
int FinishRemoval();
