#pragma once
// Dotted version comparison: field by field as unsigned numbers; a side that runs out of fields
// ends the comparison as equal (4.0 equals 4.0.1381; an empty version equals every version).
#include <string>

// -1 when a is the lower version, +1 when it is the higher one, 0 when they count as equal.
int CompareVersions(const std::string& a, const std::string& b);

// The relations of filters: "=", "<", "<=", ">", ">=".
bool IsKnownRelation(const std::string& relation);
// Whether a relation holds for a comparison result (-1 lower, 0 equal, +1 higher).
bool RelationHolds(const std::string& relation, int comparison);
