#pragma once
// Facts that follow from the current selection of the model's feature tree.
class CSetup;
class CFeature;

// Whether the feature or any feature below it is selected.
bool SelectedWithin(CFeature& feature);

// Recomputes the needed flag of every password of the master: set for the passwords that a
// selected feature of the master's tree names.
void MarkNeededPasswords(CSetup& master);

// Whether a selected feature of the tree (the given one included) needs a program folder: its
// NeedsFolder as written is not "NO".
bool SelectionNeedsFolder(CFeature& feature);

// Whether a subsetup or core-component setup still needs installing in this run.
bool SetupNeedsInstall(const CSetup& setup);
// The same without its installed and install-error flags: whether the run installs the setup at
// all, given the master's selection and whether core components are installed.
bool SetupWantedByRun(CSetup& master, const CSetup& setup, bool installCoreComponents);
