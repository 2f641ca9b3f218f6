// How any value is cut into literal text and keywords.
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "model/KeywordText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  // The pieces give the text back; only an unpaired last "%" gains its partner.
  std::string joined;
  for (const KeywordTextPiece& piece : SplitKeywordText(text)) {
    FUZZ_CHECK(piece.isKeyword || !piece.text.empty());
    FUZZ_CHECK(piece.text.find('%') == std::string::npos);
    joined += piece.isKeyword ? "%" + piece.text + "%" : piece.text;
  }
  FUZZ_CHECK(joined == text || joined == text + "%");
  size_t total = 0;
  for (const std::string& name : NamesBetweenPercentSigns(text)) {
    FUZZ_CHECK(!name.empty() && text.find("%" + name + "%") != std::string::npos);
    total += name.size();
  }
  FUZZ_CHECK(total <= text.size());
  return 0;
}
