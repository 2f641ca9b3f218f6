#include "filters/FilterList.h"

#include <algorithm>

#include "engine/Log.h"
#include "engine/Params.h"
#include "model/FeatureTree.h"
#include "model/Model.h"

void CFilter::CollectErrors(DependencyErrorList&, int) {}

bool CFilter::MatchesSetupType(const std::string&) const { return false; }

std::string CFilter::Translated(const std::string& text) const {
  return description_ ? CKeywordString(text).Translated(*description_) : text;
}

CFilterList::CFilterList(const CFilterList& other) : featureId_(other.featureId_), status_(other.status_) {
  for (const auto& entry : other.filters_) filters_[entry.first] = entry.second->Clone();
}

CFilterList& CFilterList::operator=(const CFilterList& other) {
  if (this != &other) *this = CFilterList(other);
  return *this;
}

CFilterList::~CFilterList() = default;

void CFilterList::Append(std::unique_ptr<CFilter> filter) {
  int index = static_cast<int>(filters_.size());
  filters_[index] = std::move(filter);
}

namespace {
void AddParsed(CFilterList& list, std::unique_ptr<CFilter> filter, const std::string& value) {
  if (filter->Parse(value)) list.Append(std::move(filter));
}
}  // namespace

int CFilterList::Load(const CSetup& description, const std::string& section) {
  featureId_ = section;
  const std::string& file = description.PropIniFile;
  std::string setupTypes = ReadIniString(file, section, "ComputerTypes");
  if (setupTypes.empty()) setupTypes = ReadIniString(file, section, "SetupTypes");
  if (!setupTypes.empty()) AddParsed(*this, std::make_unique<CSetupTypeFilter>(&description), setupTypes);
  std::string systems = ReadIniString(file, section, "OS");
  if (!systems.empty()) AddParsed(*this, std::make_unique<COSFilter>(&description), systems);
  for (int number = 0;; ++number) {
    std::string value = ReadIniString(file, section, "Compatibility" + std::to_string(number));
    if (value.empty()) break;
    AddParsed(*this, std::make_unique<CCompatibilityFilter>(&description), value);
  }
  return 1;
}

int CFilterList::Validate() const {
  for (const auto& entry : filters_)
    if (!entry.second->Validate()) return 0;
  return 1;
}

unsigned CFilterList::EvaluateOwnFilters() {
  unsigned status = 0;
  for (auto& entry : filters_) status |= entry.second->Evaluate();
  return status;
}

unsigned CFilterList::Evaluate() {
  // This list, then the list of the parent of the model's feature with this list's ID, and so
  // on up to the root. A list met twice (a tree whose IDs do not match their lists) ends it.
  std::vector<CFilterList*> chain{this};
  CFeature& root = Master().rootFeature;
  for (CFeature* feature = FindFeatureInTree(root, featureId_); feature && feature->parent;
       feature = FindFeatureInTree(root, chain.back()->featureId_)) {
    CFilterList* parentList = &feature->parent->filters;
    if (std::find(chain.begin(), chain.end(), parentList) != chain.end()) break;
    chain.push_back(parentList);
  }
  unsigned above = 0;
  for (size_t i = chain.size(); i-- > 0;) {
    chain[i]->status_ = chain[i]->EvaluateOwnFilters() | above;
    above = chain[i]->status_;
  }
  return status_;
}

bool CFilterList::MatchesSetupType(const std::string& setupTypeId) const {
  bool hasSetupTypeFilter = false;
  for (const auto& entry : filters_) {
    if (std::string(entry.second->TypeName()) != "SETUPTYPE") continue;
    hasSetupTypeFilter = true;
    if (entry.second->MatchesSetupType(setupTypeId)) return true;
  }
  return !hasSetupTypeFilter;
}

void CFilterList::CollectErrors(DependencyErrorList& errors, int group) {
  for (auto& entry : filters_) entry.second->CollectErrors(errors, group);
}

void CFilterList::Dump(int level) const {
  if (level < 4 || filters_.empty()) return;
  LogLine("Filters :");
  ScopedLogIndent indent;
  for (const auto& entry : filters_) entry.second->Dump(level);
}
