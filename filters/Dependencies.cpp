// What the filters mean for the feature tree: state words, the default selection, and the
// dependency errors of a selection with their report.
#include "engine/Log.h"
#include "engine/Text.h"
#include "engine/UserQuestions.h"
#include "filters/FilterList.h"
#include "model/FeatureTree.h"
#include "model/Model.h"

namespace {
CFeature*& CurrentFeature() {
  static CFeature* feature = nullptr;
  return feature;
}

// Makes a feature the current one for the life of a scope and restores the previous one, so no
// reference outlives the walk that set it.
class ScopedCurrentFeature {
 public:
  ScopedCurrentFeature() : saved_(CurrentFeature()) {}
  ~ScopedCurrentFeature() { CurrentFeature() = saved_; }
  ScopedCurrentFeature(const ScopedCurrentFeature&) = delete;
  ScopedCurrentFeature& operator=(const ScopedCurrentFeature&) = delete;

 private:
  CFeature* saved_;
};

void UnselectTree(CFeature& feature) {
  WalkFeatures(feature, [](CFeature& each) {
    each.selected = 0;
    return true;
  });
}
}  // namespace

CFeature* CurrentDependencyFeature() { return CurrentFeature(); }

std::string DependencyMessage(const std::string& format) {
  std::string message = format;
  size_t at = message.find("%s");
  if (at != std::string::npos) {
    CFeature* feature = CurrentFeature();
    std::string name = feature ? feature->Name.Translated(*feature->setup) : std::string();
    message.replace(at, 2, name);
  }
  return ExpandLineBreaks(message);
}

unsigned StateWordOf(const std::string& visible, unsigned filterStatus, bool installed, const std::string& osName) {
  unsigned word = 0;
  if (ToUpper(visible) != "YES") word = kStateHidden;
  if (filterStatus & kStatusSetupType) word = kStateHidden | kStateDisabled;
  if (filterStatus & kStatusOsNotNamed) {
    word |= kStateGreyed | kStateDisabled;
    word |= osName == "WNT" ? kStateNotForNT : osName == "W95" ? kStateNotFor95 : kStateNotFor98;
  }
  if (filterStatus & kStatusOsVersion) word |= kStateGreyed | kStateDisabled | kStateNotForThisOS;
  if (installed) word |= kStateInstalled;
  return word;
}

unsigned FeatureStateWord(CFeature& feature) {
  unsigned status = feature.filters.Evaluate();
  std::string osName = (status & kStatusOsNotNamed) ? GetOSName() : std::string();
  return StateWordOf(feature.Visible.UpperTranslated(*feature.setup), status, feature.installed != 0, osName);
}

bool IsSetupTypeOffered(const std::string& setupTypeId) {
  CFeature& root = Master().rootFeature;
  if (!EqualsNoCase(root.ID.Raw(), "CORVANT SOFTWARE")) return root.filters.MatchesSetupType(setupTypeId);
  for (CFeature& product : root.subfeatures)
    if (product.filters.MatchesSetupType(setupTypeId)) return true;
  return false;
}

void ApplyDefaultSelection(CFeature& root) {
  ScopedFeatureIndex index(Master().rootFeature);
  std::vector<CFeature*> pending{&root};
  while (!pending.empty()) {
    CFeature& feature = *pending.back();
    pending.pop_back();
    unsigned word = FeatureStateWord(feature);
    bool descend;
    if (word & kStateDisabled) {
      descend = false;
    } else if (word & kStateHidden) {
      descend = feature.defaultSelection != 0;
    } else {
      if (!feature.fixedSelection) feature.selected = feature.defaultSelection;
      descend = true;
    }
    if (!descend) {
      UnselectTree(feature);
      continue;
    }
    if (word & kStateHidden) feature.selected = 1;
    for (int i = feature.subfeatures.Count(); i-- > 0;) pending.push_back(&feature.subfeatures.At(i));
  }
}

unsigned CombinedStatus(CFeature& feature) {
  ScopedFeatureIndex index(Master().rootFeature);
  unsigned status = 0;
  WalkFeatures(feature, [&](CFeature& each) {
    if (each.selected) status |= each.filters.Evaluate();
    return true;
  });
  return status;
}

void CollectDependencyErrors(CFeature& feature, DependencyErrorList& errors, int group) {
  ScopedFeatureIndex index(Master().rootFeature);
  ScopedCurrentFeature restore;
  WalkFeatures(feature, [&](CFeature& each) {
    if (each.selected) {
      CurrentFeature() = &each;
      each.filters.CollectErrors(errors, group);
    }
    return true;
  });
}

int ReportDependencyErrors(const DependencyErrorList& errors, int group) {
  std::string text;
  for (const CDependencyError& error : errors)
    if (error.permitted == group) text += error.message + "\n";
  if (text.empty()) return 1;
  LogLine("Dependency Errors :");
  ScopedLogIndent indent;
  LogLine(text);
  if (Questions().ShowDependencyErrors("Dependency Error", text, group) == PageEnd::Back) {
    LogLine("- go BACK");
    return 0;
  }
  LogLine("- Continue");
  return 1;
}

int CheckDependenciesOnLeaving(CFeature& root) {
  if (!(CombinedStatus(root) & kStatusCompatibility)) return 1;
  DependencyErrorList restricted;
  CollectDependencyErrors(root, restricted, kGroupRestricted);
  if (!restricted.empty()) {
    ReportDependencyErrors(restricted, kGroupRestricted);
    return 0;
  }
  DependencyErrorList permitted;
  CollectDependencyErrors(root, permitted, kGroupPermitted);
  if (!permitted.empty() && !ReportDependencyErrors(permitted, kGroupPermitted)) return 0;
  return 1;
}
