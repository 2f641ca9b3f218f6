// OS filter items, OS lists and version comparison on any text: lines of the input are a
// filter list, the system's name, version and service pack, and two versions to compare.
#include <cstdint>
#include <sstream>
#include <string>

#include "FuzzCheck.h"
#include "filters/FilterList.h"
#include "filters/ListText.h"
#include "filters/VersionCompare.h"

namespace {
int Sign(int value) { return (value > 0) - (value < 0); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream lines(std::string(reinterpret_cast<const char*>(data), size));
  std::string list, name, version, servicePack, a, b;
  std::getline(lines, list);
  std::getline(lines, name);
  std::getline(lines, version);
  std::getline(lines, servicePack);
  std::getline(lines, a);
  std::getline(lines, b);

  for (const std::string& item : ListItems(list)) {
    OsFilterItem parsed = ParseOsFilterItem(item);
    FUZZ_CHECK(parsed.name.size() + parsed.relation.size() + parsed.version.size() <= item.size());
    // The relation runs from the first relation sign to the last; what lies between is for the
    // filter's own check (IsKnownRelation) to refuse.
    FUZZ_CHECK(parsed.relation.empty() || (std::string("=<>").find(parsed.relation.front()) != std::string::npos &&
                                           std::string("=<>").find(parsed.relation.back()) != std::string::npos));
  }
  unsigned status = EvaluateOsList(list, OsIdentity{name, version, servicePack});
  FUZZ_CHECK(status == 0 || status == kStatusOsNotNamed || status == kStatusOsVersion);

  int forward = CompareVersions(a, b);
  FUZZ_CHECK(Sign(forward) == -Sign(CompareVersions(b, a)));
  FUZZ_CHECK(CompareVersions(a, a) == 0);
  if (IsKnownRelation(list)) {
    bool holds = RelationHolds(list, forward);
    (void)holds;
  }
  return 0;
}
