#pragma once
// List texts of filters: the separator is "," when the text holds a comma, else ";". Items are
// split off at the first separator; nothing is trimmed, so " WNT" never matches "WNT".
#include <string>
#include <vector>

char ListSeparator(const std::string& list);
// The items in order; a separator at the very end adds no empty item.
std::vector<std::string> ListItems(const std::string& list);
