#include "filters/ListText.h"

#include "engine/Text.h"

char ListSeparator(const std::string& list) { return list.find(',') != std::string::npos ? ',' : ';'; }

std::vector<std::string> ListItems(const std::string& list) {
  std::vector<std::string> items;
  if (list.empty()) return items;
  FieldReader reader(list, ListSeparator(list));
  do {
    items.push_back(reader.Next());
  } while (!reader.AtEnd() && !reader.Rest().empty());
  return items;
}
