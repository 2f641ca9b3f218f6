#pragma once
// The selection rules the feature page relies on: what follows from the features the user or
// a preset chose.
class CSetup;
class CFeature;

// Selects or deselects a feature with all its subfeatures.
void SetSelectionTree(CFeature& feature, bool selected);
// Parents follow their children (on a reinstallation an installed parent keeps its
// selection), then components and passwords follow the features.
void NormaliseSelection(CSetup& master);
// A component is selected when a selected feature lists it.
void RecomputeComponentSelection(CSetup& master);
