#include "model/Crc32.h"

#include <array>
#include <cstdio>

#include "engine/Errors.h"
#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/Text.h"
#include "engine/Win32Handles.h"

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

unsigned long FileCrcOrThrow(const std::string& file, unsigned long crc, const std::string& skipKey) {
  UniqueStdFile stream(std::fopen(file.c_str(), "rt"));
  if (!stream) throw CPropError("Unable to open the file");
  char piece[255];
  while (std::fgets(piece, sizeof piece, stream.get())) {
    if (StartsWithNoCase(piece, skipKey)) continue;
    crc = Crc32(piece, crc);
  }
  return crc;
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

unsigned long FileCrc(const std::string& file, const std::string& salt, const std::string& skipKey) {
  CPropError::SetFile(file);
  CPropError::SetSection("Main");
  CPropError::SetItem(skipKey);
  unsigned long crc = Crc32(salt.c_str(), 0);
  try {
    return FileCrcOrThrow(file, crc, skipKey);
  } catch (CPropError& error) {
    error.Report();
    return 0;
  }
}

std::string ValidationCodeText(unsigned long crc) { return Format("%lX", crc); }

std::string ComputeValidationCode(const std::string& file) {
  return ValidationCodeText(FileCrc(file, kValidationSalt, kValidationKey));
}

bool ValidateFile(const std::string& file) {
  ScopedLogIndent indent;
  std::string code = ComputeValidationCode(file);
  return EqualsNoCase(code, ReadIniString(file, "Main", kValidationKey));
}

namespace {
std::string ReadWholeFile(const std::string& file) {
  UniqueStdFile stream(std::fopen(file.c_str(), "rb"));
  if (!stream) throw CMyError("Unable to open " + file);
  std::string content;
  char block[4096];
  size_t got;
  while ((got = std::fread(block, 1, sizeof block, stream.get())) > 0) content.append(block, got);
  return content;
}

void WriteWholeFile(const std::string& file, const std::string& content) {
  UniqueStdFile stream(std::fopen(file.c_str(), "wb"));
  if (!stream || std::fwrite(content.data(), 1, content.size(), stream.get()) != content.size())
    throw CMyError("Unable to write " + file);
}

bool IsValidationLine(const std::string& line) {
  std::string key = Trim(line.substr(0, line.find('=')));
  return line.find('=') != std::string::npos && EqualsNoCase(key, kValidationKey);
}

// Puts "Validation=code" into section Main: over the first Validation line there, or right
// after the section header.
std::string WithValidationLine(const std::string& content, const std::string& code, const std::string& file) {
  std::string eol = content.find("\r\n") != std::string::npos ? "\r\n" : "\n";
  std::string result;
  bool inMain = false, foundMain = false, written = false;
  size_t at = 0;
  while (at < content.size()) {
    size_t end = content.find('\n', at);
    size_t next = end == std::string::npos ? content.size() : end + 1;
    std::string line = content.substr(at, next - at);
    std::string bare = Trim(line);
    if (!bare.empty() && bare[0] == '[') {
      if (inMain && !written) {
        result += std::string(kValidationKey) + "=" + code + eol;
        written = true;
      }
      inMain = EqualsNoCase(bare, "[Main]");
      if (inMain && !foundMain) {
        foundMain = true;
        result += line;
        if (line.empty() || line.back() != '\n') result += eol;
        result += std::string(kValidationKey) + "=" + code + eol;
        written = true;
        at = next;
        continue;
      }
    } else if (inMain && IsValidationLine(line)) {
      at = next;  // the fresh line stands right after the header
      continue;
    }
    result += line;
    at = next;
  }
  if (!foundMain) throw CMyError(file + " has no [Main] section");
  return result;
}
}  // namespace

std::string StampValidationCode(const std::string& file) {
  std::string content = ReadWholeFile(file);
  std::string code = ComputeValidationCode(file);
  WriteWholeFile(file, WithValidationLine(content, code, file));
  // A Validation line that stood indented counted in the code; once it is gone the code moves.
  std::string settled = ComputeValidationCode(file);
  if (settled != code) WriteWholeFile(file, WithValidationLine(ReadWholeFile(file), settled, file));
  return settled;
}
