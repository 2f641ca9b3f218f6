#pragma once
// What the current selection of the feature tree asks for beyond its features.
class CSetup;
class CFeature;

// Clears every password's needed flag, then sets it for each password that a selected feature
// of the master's tree names.
void MarkNeededPasswords(CSetup& master);
// A selected feature of the tree (the given one included) whose NeedsFolder as written is not
// "NO".
bool SelectionNeedsFolder(const CFeature& feature);
