#include "engine/Errors.h"
#include "engine/Log.h"
#include "engine/Text.h"
#include "filters/FilterList.h"
#include "filters/ListText.h"
#include "model/Model.h"

int CSetupTypeFilter::Parse(const std::string& value) {
  setupTypes_ = ToUpper(Translated(value));
  if (setupTypes_.empty()) throw CPropError("Missing ID in setup type filter");
  return 1;
}

int CSetupTypeFilter::Validate() const {
  const CSetup& master = Master();
  for (const std::string& item : ListItems(setupTypes_))
    if (master.setupTypes.IndexOf(item) < 0) throw CPropError("Unrecognized ID " + item + " in Computer Type filter");
  return 1;
}

unsigned CSetupTypeFilter::Evaluate() {
  std::string chosen = ToUpper(Master().setupType);
  for (const std::string& item : ListItems(setupTypes_))
    if (EqualsNoCase(item, chosen)) return 0;
  return kStatusSetupType;
}

bool CSetupTypeFilter::MatchesSetupType(const std::string& setupTypeId) const {
  // A search in the whole list text, not an item comparison.
  return ContainsNoCase(setupTypes_, setupTypeId);
}

std::unique_ptr<CFilter> CSetupTypeFilter::Clone() const { return std::make_unique<CSetupTypeFilter>(*this); }

void CSetupTypeFilter::Dump(int) const { LogLine("SetupType - " + setupTypes_); }
