#include "filters/VersionCompare.h"

#include "engine/Text.h"

namespace {
// The leading decimal digits of a field; a field without them counts as 0. Saturates instead of
// wrapping, so an absurdly long field still compares as very large.
unsigned long FieldNumber(const std::string& field) {
  unsigned long value = 0;
  for (char c : field) {
    if (c < '0' || c > '9') break;
    unsigned long digit = static_cast<unsigned long>(c - '0');
    if (value > (~0UL - digit) / 10) return ~0UL;
    value = value * 10 + digit;
  }
  return value;
}
}  // namespace

int CompareVersions(const std::string& a, const std::string& b) {
  FieldReader left(a, '.'), right(b, '.');
  bool leftLeft = !a.empty(), rightLeft = !b.empty();
  while (leftLeft && rightLeft) {
    unsigned long x = FieldNumber(left.Next());
    unsigned long y = FieldNumber(right.Next());
    if (x != y) return x < y ? -1 : 1;
    leftLeft = !left.AtEnd() && !left.Rest().empty();
    rightLeft = !right.AtEnd() && !right.Rest().empty();
  }
  return 0;
}

bool IsKnownRelation(const std::string& relation) {
  return relation == "=" || relation == "<" || relation == "<=" || relation == ">" || relation == ">=";
}

bool RelationHolds(const std::string& relation, int comparison) {
  if (comparison < 0) return relation == "<" || relation == "<=";
  if (comparison > 0) return relation == ">" || relation == ">=";
  return relation == "=" || relation == "<=" || relation == ">=";
}
