#pragma once
// The folder selection with checks that the target pages and the feature page use, and the
// feature page's Change Folder(s) rule. Both reach the folder browser and
// the target locations page through the page host, so scripted hosts can answer them.
#include <string>

class CFeature;

// Runs the folder browser titled "Select Folder" from `path` until the chosen folder passes
// ChosenFolderVerdict; a refused folder is shown (and logged "***** " + text) and the browser
// comes again. True with the new folder in `path`; false when the user gave up (cancelled, or
// chose the folder it started from).
bool SelectFolderWithChecks(std::string& path);

// Change Folder(s) of the feature selection page: with one shown target the folder selection
// runs directly, and a new folder becomes the target's path (dependent paths recomputed, the
// target fixed); with several the target locations page opens for the feature; with none
// nothing happens.
void ChangeFeatureFolders(CFeature& feature);
