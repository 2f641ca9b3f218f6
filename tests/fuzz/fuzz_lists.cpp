// Field and list splitting on any value a description or parameters file may hold.
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "engine/Text.h"
#include "filters/ListText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  char separator = static_cast<char>(data[0]);
  std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

  // The fields joined by the separator give the text back, and there is one more field than
  // there are separators.
  FieldReader fields(text, separator);
  std::string joined;
  size_t count = 0;
  while (!fields.AtEnd()) {
    if (count++) joined += separator;
    joined += fields.Next();
    FUZZ_CHECK(count <= text.size() + 1);
  }
  FUZZ_CHECK(joined == text);
  size_t separators = 0;
  for (char c : text) separators += c == separator;
  FUZZ_CHECK(count == separators + 1);

  for (const std::string& item : ListItems(text)) FUZZ_CHECK(item.size() <= text.size());
  char listSeparator = ListSeparator(text);
  FUZZ_CHECK(listSeparator == ',' || listSeparator == ';');
  FUZZ_CHECK(Trim(text).size() <= text.size());
  FUZZ_CHECK(ExpandLineBreaks(text).size() <= text.size());
  return 0;
}
