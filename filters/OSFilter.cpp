#include "engine/Errors.h"
#include "engine/Log.h"
#include "engine/Text.h"
#include "filters/FilterList.h"
#include "filters/ListText.h"
#include "filters/VersionCompare.h"

namespace {
bool IsKnownSystem(const std::string& name) { return name == "WNT" || name == "W98" || name == "W95"; }
}  // namespace

std::string COSFilter::List() const { return ToUpper(Translated(systems_)); }

int COSFilter::Parse(const std::string& value) {
  systems_ = value;
  std::string list = List();
  if (list.empty()) throw CPropError("Missing OS specifiers in OS filter");
  for (const std::string& item : ListItems(list)) {
    OsFilterItem parsed = ParseOsFilterItem(item);
    if (!IsKnownSystem(parsed.name)) throw CPropError("Unrecognized OS in filter expression " + item);
    if (!parsed.relation.empty() && !IsKnownRelation(parsed.relation))
      throw CPropError("Unrecognized relation in OS filter expression " + item);
  }
  return 1;
}

unsigned COSFilter::Evaluate() { return EvaluateOsList(List(), RunningOsIdentity()); }

std::unique_ptr<CFilter> COSFilter::Clone() const { return std::make_unique<COSFilter>(*this); }

void COSFilter::Dump(int) const { LogLine("OS - " + systems_); }
