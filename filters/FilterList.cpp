#include "filters/FilterList.h"

void CFilter::CollectErrors(DependencyErrorList&, int) {}

bool CFilter::MatchesSetupType(const std::string&) const { return false; }

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
