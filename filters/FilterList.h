#pragma once
// Feature filters: by setup type, by operating system and by compatibility with other
// features; the filter status of a feature, its state word and its dependency errors.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "filters/OsInfo.h"

class CSetup;
class CFeature;

// Filter status bits.
constexpr unsigned kStatusOsNotNamed = 1;
constexpr unsigned kStatusOsVersion = 2;
constexpr unsigned kStatusSetupType = 4;
constexpr unsigned kStatusCompatibility = 32;

// Feature state word bits.
constexpr unsigned kStateHidden = 1;
constexpr unsigned kStateGreyed = 2;
constexpr unsigned kStateDisabled = 4;
constexpr unsigned kStateNotForNT = 8;
constexpr unsigned kStateNotFor95 = 16;
constexpr unsigned kStateNotFor98 = 32;
constexpr unsigned kStateNotForThisOS = 64;
constexpr unsigned kStateInstalled = 0x400;

// Dependency error groups.
constexpr int kGroupRestricted = 0;
constexpr int kGroupPermitted = 1;

class CDependencyError {
 public:
  int permitted = 0;
  std::string message;
};

// Dependency errors in insertion order.
using DependencyErrorList = std::vector<CDependencyError>;

class CFilter {
 public:
  explicit CFilter(const CSetup* description) : description_(description) {}
  virtual ~CFilter() = default;
  virtual void Dump(int level) const = 0;
  virtual void CollectErrors(DependencyErrorList& errors, int group);
  virtual unsigned Evaluate() = 0;
  virtual std::unique_ptr<CFilter> Clone() const = 0;
  // Takes the value of the filter's key; raises a description error when it is malformed.
  virtual int Parse(const std::string& value) = 0;
  // Tests the filter against the loaded model; raises a description error on a failure.
  virtual int Validate() const = 0;
  virtual const char* TypeName() const = 0;
  virtual bool MatchesSetupType(const std::string& setupTypeId) const;

 protected:
  // A stored text translated with force through the description the filter was read from.
  std::string Translated(const std::string& text) const;
  // The description the filter was read from; its keywords are translated through it.
  const CSetup* description_;
};

// Keys ComputerTypes (or SetupTypes): the setup types the feature is offered for.
class CSetupTypeFilter : public CFilter {
 public:
  using CFilter::CFilter;
  void Dump(int level) const override;
  unsigned Evaluate() override;
  std::unique_ptr<CFilter> Clone() const override;
  int Parse(const std::string& value) override;
  int Validate() const override;
  const char* TypeName() const override { return "SETUPTYPE"; }
  bool MatchesSetupType(const std::string& setupTypeId) const override;
  const std::string& List() const { return setupTypes_; }

 private:
  std::string setupTypes_;
};

// One item of an OS filter: NAME, or NAME RELATION VERSION with an optional service pack
// (WNT>=4.0SP4).
struct OsFilterItem {
  std::string name;
  std::string relation;
  std::string version;
  bool namesServicePack = false;
  std::string servicePack;
};
OsFilterItem ParseOsFilterItem(const std::string& item);
// The status of an OS list (upper case) on the given system: 0, 1 (not named) or 2 (no item holds).
unsigned EvaluateOsList(const std::string& list, const OsIdentity& system);

// Key OS: the operating systems and versions the feature is offered on.
class COSFilter : public CFilter {
 public:
  using CFilter::CFilter;
  void Dump(int level) const override;
  unsigned Evaluate() override;
  std::unique_ptr<CFilter> Clone() const override;
  int Parse(const std::string& value) override;
  int Validate() const override { return 1; }
  const char* TypeName() const override { return "OS"; }
  // The list as it is used: translated and upper-cased.
  std::string List() const;

 private:
  std::string systems_;
};

// Keys Compatibility0, 1, ...: a feature of an application that must or must not be present.
class CCompatibilityFilter : public CFilter {
 public:
  using CFilter::CFilter;
  void Dump(int level) const override;
  void CollectErrors(DependencyErrorList& errors, int group) override;
  unsigned Evaluate() override;
  std::unique_ptr<CFilter> Clone() const override;
  int Parse(const std::string& value) override;
  int Validate() const override { return 1; }
  const char* TypeName() const override { return "FEATURE"; }

  std::string ApplicationID() const;
  std::string FeatureID() const;
  std::string RequiredVersion() const;
  const std::string& Relation() const { return relation_; }
  const std::string& Kind() const { return kind_; }
  bool InstalledVersionCounted() const { return installedVersionCounted_ != 0; }
  int Permitted() const { return permitted_; }
  const std::string& CustomMessage() const { return customMessage_; }

 private:
  std::string applicationId_;
  std::string featureId_;
  std::string version_ = "0.0";
  std::string relation_ = ">=";
  std::string kind_;
  int installedVersionCounted_ = 0;
  int permitted_ = 0;
  std::string customMessage_;
};

class CFilterList {
 public:
  CFilterList() = default;
  CFilterList(const CFilterList& other);
  CFilterList& operator=(const CFilterList& other);
  CFilterList(CFilterList&&) noexcept = default;
  CFilterList& operator=(CFilterList&&) noexcept = default;
  ~CFilterList();

  // Reads the filter keys of a feature's section.
  int Load(const CSetup& description, const std::string& section);
  int Validate() const;
  // The feature's filter status: its own filters and those of its ancestors in the loaded model.
  unsigned Evaluate();
  bool MatchesSetupType(const std::string& setupTypeId) const;
  void CollectErrors(DependencyErrorList& errors, int group);
  void Dump(int level) const;

  int Count() const { return static_cast<int>(filters_.size()); }
  CFilter& At(int index) { return *filters_.at(index); }
  void Append(std::unique_ptr<CFilter> filter);
  const std::string& FeatureID() const { return featureId_; }
  unsigned LastStatus() const { return status_; }

 private:
  unsigned EvaluateOwnFilters();

  std::map<int, std::unique_ptr<CFilter>> filters_;
  std::string featureId_;
  unsigned status_ = 0;
};

// The feature whose errors are being collected (null outside a collection).
CFeature* CurrentDependencyFeature();
// A dependency message: its first "%s" becomes the current feature's name, "\n" a line feed.
std::string DependencyMessage(const std::string& format);

// The state word of a feature from its filter status (evaluated now), Visible and installed flag.
unsigned FeatureStateWord(CFeature& feature);
// The same from given parts, for a system of the given name.
unsigned StateWordOf(const std::string& visible, unsigned filterStatus, bool installed, const std::string& osName);

// Whether the setup type page offers a setup type (by the filters of the root or of the products).
bool IsSetupTypeOffered(const std::string& setupTypeId);
// Sets the selection of a feature tree from the defaults, by each feature's state word.
void ApplyDefaultSelection(CFeature& root);
// The filter status of every selected feature of a tree, ORed.
unsigned CombinedStatus(CFeature& feature);
// Collects the errors of the selected features of a tree, for one group.
void CollectDependencyErrors(CFeature& feature, DependencyErrorList& errors, int group);
// Logs and shows the errors of a group; 1 to go on, 0 to go back.
int ReportDependencyErrors(const DependencyErrorList& errors, int group);
// The check when the feature page is left with Next: restricted errors keep the page open
// whatever the answer, permitted ones when the user goes back. 1 to go on, 0 to stay.
int CheckDependenciesOnLeaving(CFeature& root);
