#pragma once
// What the current selection of the feature tree asks for beyond its features.
class CSetup;
class CFeature;

// A selected feature of the tree (the given one included) whose NeedsFolder as written is not
// "NO".
bool SelectionNeedsFolder(const CFeature& feature);
