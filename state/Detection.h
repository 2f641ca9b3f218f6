#pragma once
// Detection of what earlier runs installed: features from the uninstall files, core components
// by asking their own setup library.
#include <string>

class CSetup;
class CFeature;

// The feature or any of its sub-features, at any depth, is installed.
bool AnyInstalled(CFeature& feature);
// Sets the installed flags of the features and core components and the model's none-installed
// flag, and logs the verdict.
void DetectInstalled(CSetup& master);
// Deselects every selected core component that is already installed.
void UnselectInstalledCoreComponents(CSetup& master);
