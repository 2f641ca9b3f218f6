#include "model/Crc32.h"

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define TESSARO_CRC_FOLDING 1
#endif

#include "engine/Text.h"

namespace {
// Sixteen tables for reading sixteen bytes a step: table 0 is the classic byte-wise table, table k
// gives the CRC of a byte followed by k zero bytes.
using CrcTables = std::array<std::array<uint32_t, 256>, 16>;
const CrcTables& Tables() {
  static const CrcTables tables = [] {
    CrcTables t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320U ^ (c >> 1) : c >> 1;
      t[0][n] = c;
    }
    for (size_t k = 1; k < t.size(); ++k)
      for (uint32_t n = 0; n < 256; ++n) t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFF];
    return t;
  }();
  return tables;
}

uint32_t LittleEndianWord(const unsigned char* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

// The running (inverted) CRC `c` over `length` bytes, sixteen at a time while they last.
uint32_t CrcOfBytes(const unsigned char* p, size_t length, uint32_t c) {
  const CrcTables& t = Tables();
  for (; length >= 16; p += 16, length -= 16) {
    uint32_t a = c ^ LittleEndianWord(p), b = LittleEndianWord(p + 4), d = LittleEndianWord(p + 8),
             e = LittleEndianWord(p + 12);
    c = t[15][a & 0xFF] ^ t[14][(a >> 8) & 0xFF] ^ t[13][(a >> 16) & 0xFF] ^ t[12][a >> 24] ^ t[11][b & 0xFF] ^
        t[10][(b >> 8) & 0xFF] ^ t[9][(b >> 16) & 0xFF] ^ t[8][b >> 24] ^ t[7][d & 0xFF] ^ t[6][(d >> 8) & 0xFF] ^
        t[5][(d >> 16) & 0xFF] ^ t[4][d >> 24] ^ t[3][e & 0xFF] ^ t[2][(e >> 8) & 0xFF] ^ t[1][(e >> 16) & 0xFF] ^
        t[0][e >> 24];
  }
  for (; length > 0; ++p, --length) c = t[0][(c ^ *p) & 0xFF] ^ (c >> 8);
  return c;
}

#ifdef TESSARO_CRC_FOLDING
// Where the processor multiplies without carries, sixty-four bytes a step are folded into four
// 128-bit lanes with constants of the reflected polynomial (x^(512+64) and x^512 mod P and so
// on), then folded into one lane and reduced to 32 bits (Barrett). `length` is a multiple of 16,
// at least 64; `c` is the running (inverted) CRC.
#define TESSARO_FOLDING_TARGET __attribute__((target("pclmul,sse4.1")))
TESSARO_FOLDING_TARGET inline __m128i Load(const unsigned char* at) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}
// One lane carried 128 bits (or 512, with the constants for four lanes) further, plus the next bytes.
TESSARO_FOLDING_TARGET inline __m128i Fold(__m128i lane, __m128i k, __m128i next) {
  return _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(lane, k, 0x11), _mm_clmulepi64_si128(lane, k, 0x00)), next);
}

TESSARO_FOLDING_TARGET uint32_t CrcOfBlocks(const unsigned char* p, size_t length, uint32_t c) {
  const __m128i k1k2 = _mm_set_epi64x(0x01c6e41596LL, 0x0154442bd4LL);
  const __m128i k3k4 = _mm_set_epi64x(0x00ccaa009eLL, 0x01751997d0LL);
  const __m128i k5 = _mm_set_epi64x(0, 0x0163cd6124LL);
  const __m128i poly = _mm_set_epi64x(0x01f7011641LL, 0x01db710641LL);
  __m128i x1 = _mm_xor_si128(Load(p), _mm_cvtsi32_si128(static_cast<int>(c)));
  __m128i x2 = Load(p + 16), x3 = Load(p + 32), x4 = Load(p + 48);
  for (p += 64, length -= 64; length >= 64; p += 64, length -= 64) {
    x1 = Fold(x1, k1k2, Load(p));
    x2 = Fold(x2, k1k2, Load(p + 16));
    x3 = Fold(x3, k1k2, Load(p + 32));
    x4 = Fold(x4, k1k2, Load(p + 48));
  }
  x1 = Fold(Fold(Fold(x1, k3k4, x2), k3k4, x3), k3k4, x4);
  for (; length >= 16; p += 16, length -= 16) x1 = Fold(x1, k3k4, Load(p));
  // 128 bits to 64, then to 32 by Barrett reduction.
  const __m128i low32 = _mm_setr_epi32(~0, 0, ~0, 0);
  x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), _mm_clmulepi64_si128(x1, k3k4, 0x10));
  x1 = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x1, low32), k5, 0x00), _mm_srli_si128(x1, 4));
  __m128i x2b = _mm_clmulepi64_si128(_mm_and_si128(x1, low32), poly, 0x10);
  x2b = _mm_clmulepi64_si128(_mm_and_si128(x2b, low32), poly, 0x00);
  return static_cast<uint32_t>(_mm_extract_epi32(_mm_xor_si128(x1, x2b), 1));
}

// The length of a text, sixteen bytes a step. The loads are aligned to 16 bytes, so none
// reaches into a page that holds no byte of the text; the bytes read past its end are never
// used, which the address sanitizer cannot know, so it is told to leave this function alone.
__attribute__((target("sse2"), no_sanitize_address)) size_t TextLength(const char* text) {
  uintptr_t offset = reinterpret_cast<uintptr_t>(text) & 15;
  const __m128i* block = reinterpret_cast<const __m128i*>(text - offset);
  const __m128i zero = _mm_setzero_si128();
  unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_load_si128(block), zero))) >> offset;
  if (mask) return static_cast<size_t>(__builtin_ctz(mask));
  for (++block;; ++block) {
    mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_load_si128(block), zero)));
    if (mask) return static_cast<size_t>(reinterpret_cast<const char*>(block) - text) + __builtin_ctz(mask);
  }
}

bool CanFold() {
  static const bool can = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
  return can;
}

uint32_t CrcOfText(const char* text, uint32_t c) {
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  if (!CanFold()) return CrcOfBytes(p, std::strlen(text), c);
  size_t length = TextLength(text);
  if (length >= 64) {
    size_t blocks = length & ~size_t{15};
    c = CrcOfBlocks(p, blocks, c);
    p += blocks;
    length -= blocks;
  }
  return CrcOfBytes(p, length, c);
}
#else
uint32_t CrcOfText(const char* text, uint32_t c) {
  return CrcOfBytes(reinterpret_cast<const unsigned char*>(text), std::strlen(text), c);
}
#endif

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
  return CrcOfText(text, static_cast<uint32_t>(crc) ^ 0xFFFFFFFFU) ^ 0xFFFFFFFFU;
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
  // A file that ends in a CR without its LF counts as a CR LF file: completing a [Main] header
  // that stands last with a bare LF would make it one, and stamping again would change the file.
  bool crlf = content.find("\r\n") != std::string::npos || (!content.empty() && content.back() == '\r');
  std::string eol = crlf ? "\r\n" : "\n";
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
