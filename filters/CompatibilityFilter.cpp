#include "engine/Errors.h"
#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/Paths.h"
#include "engine/Text.h"
#include "filters/FilterList.h"
#include "filters/VersionCompare.h"
#include "model/FeatureTree.h"
#include "model/Model.h"
#include "state/UninstallFiles.h"

namespace {
const char kInstalledSection[] = "Features Installed";

// The version an earlier run recorded for a feature of an application; empty when none.
std::string InstalledVersion(const std::string& applicationId, const std::string& featureId) {
  std::string file = UninstallFileOf(applicationId);
  if (!FileExists(file)) return std::string();
  return ReadIniString(file, kInstalledSection, featureId);
}

// The version of the model's feature when it is selected in this run; empty otherwise.
std::string SelectedVersion(const std::string& featureId) {
  CFeature* feature = FindFeatureInTree(Master().rootFeature, featureId);
  if (!feature || !feature->selected) return std::string();
  return feature->Version.Translated(*feature->setup);
}
}  // namespace

std::string CCompatibilityFilter::ApplicationID() const { return ToUpper(Translated(applicationId_)); }
std::string CCompatibilityFilter::FeatureID() const { return ToUpper(Translated(featureId_)); }
std::string CCompatibilityFilter::RequiredVersion() const { return Translated(version_); }

int CCompatibilityFilter::Parse(const std::string& value) {
  FieldReader fields(value, ';');
  kind_ = ToUpper(Translated(fields.Next()));
  if (kind_ != "CANTHAVE" && kind_ != "MUSTHAVE")
    throw CPropError("Unrecognized type in Feature Compatibility filter " + value);
  applicationId_ = fields.Next();
  if (ApplicationID().empty()) throw CPropError("Missing App ID in Feature Compatibility filter " + value);
  featureId_ = fields.Next();
  if (FeatureID().empty()) throw CPropError("Missing Feature ID in Feature Compatibility filter " + value);
  relation_ = ">=";
  version_ = "0.0";
  permitted_ = 0;
  while (!fields.AtEnd()) {
    std::string field = fields.Next();
    if (field.empty()) continue;
    if (field.find_first_of("=<>") == 0) {
      size_t last = field.find_last_of("=<>");
      std::string relation = field.substr(0, last + 1);
      std::string version = field.substr(last + 1);
      if (version.empty() || !IsKnownRelation(relation))
        throw CPropError("Incorrect syntax in Feature Compatibility filter " + value);
      relation_ = relation;
      version_ = version;
    } else if (EqualsNoCase(field, "PERMITTED")) {
      permitted_ = 1;
    } else if (EqualsNoCase(field, "RESTRICTED")) {
      permitted_ = 0;
    } else {
      customMessage_ = field;
    }
  }
  return 1;
}

unsigned CCompatibilityFilter::Evaluate() {
  installedVersionCounted_ = 0;
  std::string featureId = FeatureID();
  std::string installed = InstalledVersion(ApplicationID(), featureId);
  std::string selected = SelectedVersion(featureId);
  bool mustHave = kind_ == "MUSTHAVE";
  if (installed.empty() && selected.empty()) return mustHave ? kStatusCompatibility : 0;
  // Only a recorded version can count as installed: an empty one would compare equal to any
  // selected version and hide it.
  std::string counted = selected;
  if (!installed.empty() && (selected.empty() || CompareVersions(installed, selected) >= 0)) {
    counted = installed;
    installedVersionCounted_ = 1;
  }
  bool holds = RelationHolds(relation_, CompareVersions(counted, RequiredVersion()));
  return (mustHave ? !holds : holds) ? kStatusCompatibility : 0;
}

void CCompatibilityFilter::CollectErrors(DependencyErrorList& errors, int group) {
  if (permitted_ != group || Evaluate() == 0) return;
  std::string message = customMessage_;
  if (message.empty()) {
    std::string featureId = FeatureID();
    std::string version = RequiredVersion();
    if (kind_ == "CANTHAVE")
      message = installedVersionCounted_
                    ? "%s is incompatible with " + featureId + ", which is already installed on your computer."
                    : "%s cannot be installed to the same machine as " + featureId + ".";
    else if (relation_ == ">=" && version == "0.0")
      message = "%s requires " + featureId + ".";
    else
      message = "%s requires version " + relation_ + " " + version + " of " + featureId + ".";
  }
  errors.push_back({permitted_, DependencyMessage(message)});
}

std::unique_ptr<CFilter> CCompatibilityFilter::Clone() const { return std::make_unique<CCompatibilityFilter>(*this); }

void CCompatibilityFilter::Dump(int) const {
  LogLine("Feature - " + kind_ + " " + ApplicationID() + ":" + FeatureID() + " " + relation_ + RequiredVersion() +
          (permitted_ ? " (permitted)" : " (restricted)"));
}
