#pragma once
// The record of an installation run: registry values under Software\Corvant\Setup and the
// uninstall files below the main installation directory.
class CSetup;

// Program folder, setup type and, when the server pages were shown, the server choice.
void RecordConfiguration(CSetup& master);
// The install directories, "<ID>dir" each; a single target keeps its first registration.
void RegisterTargets(const CSetup& master);
// The installed features, the service accounts and the installed core components. An account
// this run did not ask for is recorded with the answers it already had.
void CommitFeatures(CSetup& master);
// Removes Software\Corvant\Setup, and Software\Corvant when nothing else is left in it.
void CleanRegistry();
