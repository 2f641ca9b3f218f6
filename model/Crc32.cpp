#include "model/Crc32.h"

#include <array>

#include "engine/Text.h"

namespace {
const std::array<unsigned long, 256>& CrcTable() {
  static const std::array<unsigned long, 256> table = [] {
    std::array<unsigned long, 256> entries{};
    for (unsigned long n = 0; n < 256; ++n) {
      unsigned long c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320UL ^ (c >> 1) : c >> 1;
      entries[n] = c;
    }
    return entries;
  }();
  return table;
}

constexpr char kEndOfTextFile = '\x1A';
constexpr size_t kPieceLength = 254;  // what a 255-byte line buffer holds

// Adds one piece as a C string sees it: up to its first NUL byte.
unsigned long PieceCrc(const std::string& piece, unsigned long crc, const std::string& skipKey) {
  std::string text(piece.c_str());
  if (StartsWithNoCase(text, skipKey)) return crc;
  return Crc32(text.c_str(), crc);
}
}  // namespace

unsigned long Crc32(const char* text, unsigned long crc) {
  if (!text || !*text) return crc;
  const auto& table = CrcTable();
  unsigned long c = (crc ^ 0xFFFFFFFFUL) & 0xFFFFFFFFUL;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p)
    c = table[(c ^ *p) & 0xFF] ^ (c >> 8);
  return (c ^ 0xFFFFFFFFUL) & 0xFFFFFFFFUL;
}

unsigned long TextModeCrc(const std::string& bytes, unsigned long crc, const std::string& skipKey) {
  std::string piece;
  for (size_t at = 0; at < bytes.size(); ++at) {
    char c = bytes[at];
    if (c == kEndOfTextFile) break;
    if (c == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n') continue;
    piece += c;
    if (c == '\n' || piece.size() == kPieceLength) {
      crc = PieceCrc(piece, crc, skipKey);
      piece.clear();
    }
  }
  if (!piece.empty()) crc = PieceCrc(piece, crc, skipKey);
  return crc;
}

std::string ValidationCodeText(unsigned long crc) { return Format("%lX", crc & 0xFFFFFFFFUL); }

std::string DescriptionValidationCode(const std::string& bytes) {
  return ValidationCodeText(TextModeCrc(bytes, Crc32(kValidationSalt, 0), kValidationKey));
}

namespace {
bool IsValidationLine(const std::string& line) {
  size_t equals = line.find('=');
  return equals != std::string::npos && EqualsNoCase(Trim(line.substr(0, equals)), kValidationKey);
}

// Puts "Validation=code" into section Main: right after the first [Main] header, with every
// Validation line of that section dropped. Nothing when there is no [Main] section.
std::optional<std::string> WithValidationLine(const std::string& content, const std::string& code) {
  std::string eol = content.find("\r\n") != std::string::npos ? "\r\n" : "\n";
  std::string result;
  bool inMain = false, foundMain = false;
  size_t at = 0;
  while (at < content.size()) {
    size_t end = content.find('\n', at);
    size_t next = end == std::string::npos ? content.size() : end + 1;
    std::string line = content.substr(at, next - at);
    std::string bare = Trim(line);
    at = next;
    if (!bare.empty() && bare[0] == '[') {
      inMain = EqualsNoCase(bare, "[Main]");
      if (inMain && !foundMain) {
        foundMain = true;
        result += line;
        if (line.empty() || line.back() != '\n') result += eol;
        result += std::string(kValidationKey) + "=" + code + eol;
        continue;
      }
    } else if (inMain && IsValidationLine(line)) {
      continue;  // the fresh line stands right after the header
    }
    result += line;
  }
  if (!foundMain) return std::nullopt;
  return result;
}
}  // namespace

std::optional<StampedDescription> StampDescription(const std::string& bytes) {
  std::string code = DescriptionValidationCode(bytes);
  std::optional<std::string> stamped = WithValidationLine(bytes, code);
  if (!stamped) return std::nullopt;
  // A Validation line that stood indented counted in the code; once it is gone the code moves.
  std::string settled = DescriptionValidationCode(*stamped);
  if (settled != code) stamped = WithValidationLine(*stamped, settled);
  return StampedDescription{*stamped, settled};
}
