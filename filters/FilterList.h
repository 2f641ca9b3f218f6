#pragma once
// Feature filters: by setup type, by operating system and by compatibility with other
// features; the filter status of a feature and its dependency errors.
#include <map>
#include <memory>
#include <string>
#include <vector>

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
  virtual int Parse(const std::string& value) = 0;
  virtual int Validate() const = 0;
  virtual const char* TypeName() const = 0;
  virtual bool MatchesSetupType(const std::string& setupTypeId) const;

 protected:
  // The description the filter was read from; its keywords are translated through it.
  const CSetup* description_;
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
  std::map<int, std::unique_ptr<CFilter>> filters_;
  std::string featureId_;
  unsigned status_ = 0;
};
