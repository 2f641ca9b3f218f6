#include "engine/IniCache.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "engine/Text.h"

namespace {
// Every value is read into a buffer of this many bytes, its terminating zero included.
constexpr size_t kValueBuffer = 512;
// A first section read gets this much room; a larger section is read again into four times as
// much, up to the last size. A section larger still is left to single-value reads.
constexpr DWORD kFirstSectionBuffer = 16 * 1024;
constexpr DWORD kLargestSectionBuffer = 16 * 1024 * 1024;

unsigned char FoldedByte(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

int CompareFolded(const char* a, size_t aLength, const char* b, size_t bLength) {
  for (size_t i = 0; i < aLength && i < bLength; ++i) {
    unsigned char x = FoldedByte(a[i]), y = FoldedByte(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return aLength < bLength ? -1 : aLength > bLength ? 1 : 0;
}

bool HasNonAsciiByte(const char* text, size_t length) {
  for (size_t i = 0; i < length; ++i)
    if (static_cast<unsigned char>(text[i]) >= 0x80) return true;
  return false;
}

// A name the profile functions look up exactly as written: printable ASCII without blanks at
// its ends. They trim a name before looking it up and compare non-ASCII letters by rules of
// their own; such names are left to them.
bool IsPlainName(const std::string& name) {
  if (name.empty() || name.front() == ' ' || name.back() == ' ') return false;
  for (char c : name)
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) return false;
  return true;
}

bool AnsiCodePageIsSingleByte() {
  static const bool singleByte = [] {
    CPINFO info = {};
    return GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 1;
  }();
  return singleByte;
}

// A value as a read into the 512-byte buffer hands it over: one pair of equal quotes (double or
// single) around it removed, cut where the buffer ends. When the text after the opening quote
// is exactly as long as the buffer, the read cuts the closing quote and then removes one more
// character in its place; that is kept too.
std::string AsReadIntoBuffer(const char* value, size_t length) {
  bool quoted = length >= 2 && (value[0] == '"' || value[0] == '\'') && value[length - 1] == value[0];
  const char* text = quoted ? value + 1 : value;
  size_t textLength = quoted ? length - 1 : length;
  size_t kept = std::min(textLength, kValueBuffer - 1);
  if (quoted && textLength <= kValueBuffer && kept > 0) --kept;
  return std::string(text, kept);
}

struct OpenCache {
  int scopes = 0;
  std::unordered_map<std::string, std::unique_ptr<CachedIniFile>> files;  // by upper-cased path
};
OpenCache& Cache() {
  static OpenCache cache;
  return cache;
}
}  // namespace

void CachedIniFile::Fetch(const std::string& name, Section& section) {
  bool fitted = false;
  for (DWORD size = kFirstSectionBuffer; !fitted && size <= kLargestSectionBuffer; size *= 4) {
    std::vector<char> buffer(size, '\0');
    DWORD got = GetPrivateProfileSectionA(name.c_str(), buffer.data(), size, file_.c_str());
    fitted = got + 2 < size;
    if (fitted) section.text.assign(buffer.data(), got);
  }
  if (!fitted) {
    section.answerable = false;
    return;
  }
  // One "key=value" text (or a bare key) after the other, each ending in a zero.
  const char* text = section.text.c_str();
  for (size_t at = 0; at < section.text.size();) {
    size_t length = std::strlen(text + at);
    if (length == 0) break;
    const char* line = text + at;
    const char* equals = static_cast<const char*>(std::memchr(line, '=', length));
    size_t keyLength = equals ? static_cast<size_t>(equals - line) : length;
    if (HasNonAsciiByte(line, keyLength)) section.answerable = false;
    if (line[0] != ';') {
      size_t value = equals ? at + keyLength + 1 : at + length;
      section.entries.push_back(Entry{static_cast<uint32_t>(at), static_cast<uint32_t>(keyLength),
                                      static_cast<uint32_t>(value), static_cast<uint32_t>(at + length - value)});
    }
    at += length + 1;
  }
  std::stable_sort(section.entries.begin(), section.entries.end(), [&](const Entry& a, const Entry& b) {
    return CompareFolded(text + a.key, a.keyLength, text + b.key, b.keyLength) < 0;
  });
}

const CachedIniFile::Section& CachedIniFile::SectionNamed(const std::string& name) {
  auto found = sections_.find(ToUpper(name));
  if (found != sections_.end()) return found->second;
  Section& section = sections_[ToUpper(name)];
  Fetch(name, section);
  return section;
}

std::optional<std::string> CachedIniFile::Value(const std::string& sectionName, const std::string& key) {
  if (!IsPlainName(sectionName) || !IsPlainName(key) || key[0] == ';') return std::nullopt;
  const Section& section = SectionNamed(sectionName);
  if (!section.answerable) return std::nullopt;
  const char* text = section.text.c_str();
  auto at = std::lower_bound(section.entries.begin(), section.entries.end(), key, [&](const Entry& entry,
                                                                                       const std::string& wanted) {
    return CompareFolded(text + entry.key, entry.keyLength, wanted.data(), wanted.size()) < 0;
  });
  if (at == section.entries.end() || CompareFolded(text + at->key, at->keyLength, key.data(), key.size()) != 0)
    return std::string();
  const char* value = text + at->value;
  // Where the code page has characters of more than one byte, the buffer cuts characters, not
  // bytes: a long value with such characters is left to the profile functions.
  if (at->valueLength >= kValueBuffer - 1 && !AnsiCodePageIsSingleByte() && HasNonAsciiByte(value, at->valueLength))
    return std::nullopt;
  return AsReadIntoBuffer(value, at->valueLength);
}

ScopedIniCache::ScopedIniCache() { ++Cache().scopes; }

ScopedIniCache::~ScopedIniCache() {
  if (--Cache().scopes == 0) Cache().files.clear();
}

std::optional<std::string> CachedIniString(const std::string& file, const std::string& section,
                                           const std::string& key) {
  OpenCache& cache = Cache();
  if (cache.scopes == 0) return std::nullopt;
  std::unique_ptr<CachedIniFile>& cached = cache.files[ToUpper(file)];
  if (!cached) cached = std::make_unique<CachedIniFile>(file);
  return cached->Value(section, key);
}

void ForgetIniFile(const std::string& file) { Cache().files.erase(ToUpper(file)); }
