#pragma once
#include <set>
#include <string>
// The record of an installation run: registry values under Software\Corvant\Setup and the
// uninstall files below the main installation directory.
class CSetup;

// Each step writes every record it can and answers false when any of them could not be written
// (the log names each one that failed), so that a run never reports a record it does not have.

// Program folder, setup type and, when the server pages were shown, the server choice.
[[nodiscard]] bool RecordConfiguration(CSetup& master);
// The install directories, "<ID>dir" each; a single target keeps its first registration.
[[nodiscard]] bool RegisterTargets(const CSetup& master);
// The installed features, the service accounts and the installed core components. An account
// this run did not ask for is recorded with the answers it already had. The features of the
// setups in `notInstalled` (IDs, upper case: their CD never came, or their installer failed)
// are left out, so that the next run does not take them for installed.
[[nodiscard]] bool CommitFeatures(CSetup& master, const std::set<std::string>& notInstalled = {});
// Removes Software\Corvant\Setup, and Software\Corvant when nothing else is left in it; false
// when a key could not be removed.
[[nodiscard]] bool CleanRegistry();
