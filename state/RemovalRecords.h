#pragma once
// Taking back the records of a removed setup, and reading what the records say about core
// components: which are installed and which products need each. Core component dependents live
// in "Corvant Common.ini", one section "<core ID> Dependents" per core component, one key per
// product that needs it (the product's ID, its version as value).
#include <map>
#include <set>
#include <string>
#include <vector>

class CFeature;

// The section of a core component's dependents.
std::string DependentsSection(const std::string& coreId);

struct CoreRecords {
  // The core components recorded installed, upper-cased.
  std::set<std::string> installed;
  // The recorded dependents of each core component that has a dependents section (upper-cased
  // IDs both); a core component installed by an engine that did not record them has no entry.
  std::map<std::string, std::set<std::string>> dependents;
};
CoreRecords ReadCoreRecords();

// The feature's uninstall file lists it as installed.
bool FeatureRecorded(const CFeature& feature);

// Each step below takes back what it can and answers false when something could not be taken
// back (the log names the file, the call and its error). An uninstall file left without a key
// is deleted.

// Deletes the features' keys from the section "Features Installed" of their uninstall files; a
// file whose section is left empty is deleted.
[[nodiscard]] bool TakeBackFeatures(const std::vector<const CFeature*>& features);
// Deletes the product's key from every dependents section; an emptied section goes with it.
[[nodiscard]] bool TakeBackDependent(const std::string& productId);
// Deletes the core component's key in "Core Components Installed" and its dependents section.
[[nodiscard]] bool TakeBackCoreComponent(const std::string& coreId);
// The uninstall files ("*.ini") left in the uninstall folder, as paths.
std::vector<std::string> UninstallFilesLeft();
