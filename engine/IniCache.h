#pragma once
// Reading INI files section by section. A load asks a description file for thousands of values,
// and every single-value profile call costs a round trip through the system; here each section
// is fetched once through the profile functions and every value is answered from memory exactly
// as a read of that one value into a 512-byte buffer answers it. Keys and sections the profile
// functions would treat in ways a section read cannot show (names with blanks at their ends,
// non-ASCII or control characters, comment keys) are left to the profile functions.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// The sections of one INI file read so far.
class CachedIniFile {
 public:
  explicit CachedIniFile(std::string file) : file_(std::move(file)) {}
  CachedIniFile(const CachedIniFile&) = delete;
  CachedIniFile& operator=(const CachedIniFile&) = delete;

  // The value a 512-byte read of the key gives (empty when missing), or nothing when the
  // profile functions must answer this key themselves.
  std::optional<std::string> Value(const std::string& section, const std::string& key);

 private:
  struct Entry {
    uint32_t key, keyLength, value, valueLength;
  };
  struct Section {
    std::string text;            // the section as one section read returned it
    std::vector<Entry> entries;  // ordered by key without regard to case, the first of equal keys first
    bool answerable = true;
  };
  const Section& SectionNamed(const std::string& name);
  void Fetch(const std::string& name, Section& section);

  std::string file_;
  std::unordered_map<std::string, Section> sections_;  // by upper-cased name
};

// While at least one scope is open, ReadIniString answers from CachedIniFile records kept per
// file; when the last scope closes, everything read is dropped. Scopes nest.
class ScopedIniCache {
 public:
  ScopedIniCache();
  ~ScopedIniCache();
  ScopedIniCache(const ScopedIniCache&) = delete;
  ScopedIniCache& operator=(const ScopedIniCache&) = delete;
};

// The cached answer for a key while a scope is open; nothing otherwise, or when the profile
// functions must answer this key themselves.
std::optional<std::string> CachedIniString(const std::string& file, const std::string& section,
                                           const std::string& key);
// Drops what was read of a file: called whenever the engine writes or replaces an INI file.
void ForgetIniFile(const std::string& file);
