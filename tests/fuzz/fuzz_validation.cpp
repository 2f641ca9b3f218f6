// CRC pieces and validation codes on any description file: a stamped file carries the code
// of its own bytes, and the text-mode CRC of plain text is the CRC of the text.
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "engine/Text.h"
#include "model/Crc32.h"

namespace {
// Text that text mode reads unchanged (no CR, Ctrl-Z or NUL byte) and in which no piece can
// begin with the skipped key.
bool ReadsAsItIs(const std::string& bytes) {
  return bytes.find_first_of(std::string("\r\x1A\0", 3)) == std::string::npos && !ContainsNoCase(bytes, kValidationKey);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  unsigned long crc = TextModeCrc(bytes, 0, kValidationKey);
  FUZZ_CHECK(crc <= 0xFFFFFFFFUL);
  if (ReadsAsItIs(bytes)) FUZZ_CHECK(crc == Crc32(bytes.c_str(), 0));

  std::string code = DescriptionValidationCode(bytes);
  FUZZ_CHECK(!code.empty() && code.size() <= 8);
  if (auto stamped = StampDescription(bytes)) {
    FUZZ_CHECK(DescriptionValidationCode(stamped->bytes) == stamped->code);
    // Stamping again changes nothing.
    auto again = StampDescription(stamped->bytes);
    FUZZ_CHECK(again && again->bytes == stamped->bytes);
  }
  return 0;
}
