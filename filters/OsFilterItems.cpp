// The items of an OS filter and how they hold on a system. Pure C++: the native fuzzing build
// compiles it too.
#include "engine/Text.h"
#include "filters/FilterList.h"
#include "filters/ListText.h"
#include "filters/VersionCompare.h"

namespace {
const char kRelationCharacters[] = "=<>";

bool ItemHolds(const OsFilterItem& item, const OsIdentity& system) {
  if (item.relation.empty()) return true;
  int comparison = CompareVersions(system.version, item.version);
  if (comparison != 0 || !item.namesServicePack) return RelationHolds(item.relation, comparison);
  // Same version, and the item asks for a service pack.
  if (system.servicePack.empty()) return RelationHolds(item.relation, -1);
  return RelationHolds(item.relation, CompareVersions(system.servicePack, item.servicePack));
}
}  // namespace

OsFilterItem ParseOsFilterItem(const std::string& item) {
  OsFilterItem parsed;
  size_t first = item.find_first_of(kRelationCharacters);
  if (first == std::string::npos) {
    parsed.name = item;
    return parsed;
  }
  size_t last = item.find_last_of(kRelationCharacters);
  parsed.name = item.substr(0, first);
  parsed.relation = item.substr(first, last + 1 - first);
  std::string version = item.substr(last + 1);
  size_t servicePackAt = version.find_first_of("SP");
  if (servicePackAt == std::string::npos) {
    parsed.version = version;
    return parsed;
  }
  parsed.version = version.substr(0, servicePackAt);
  parsed.namesServicePack = true;
  // The service pack is what follows the two letters "SP".
  if (servicePackAt + 2 <= version.size()) parsed.servicePack = version.substr(servicePackAt + 2);
  return parsed;
}

unsigned EvaluateOsList(const std::string& list, const OsIdentity& system) {
  if (system.name.empty() || !ContainsNoCase(list, system.name)) return kStatusOsNotNamed;
  for (const std::string& item : ListItems(list)) {
    if (!StartsWithNoCase(item, system.name)) continue;
    if (ItemHolds(ParseOsFilterItem(item), system)) return 0;
  }
  return kStatusOsVersion;
}
