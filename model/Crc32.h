#pragma once
// CRC-32 (reflected 0xEDB88320) and the validation code of description files, computed on a
// file's bytes. Pure C++: the native stamp command builds from this file too, so the build stamps
// exactly what the engine checks.
#include <optional>
#include <string>

constexpr const char kValidationSalt[] = "Hold the tea";
constexpr const char kValidationKey[] = "Validation";

// CRC of a text, continued from `crc`; an empty text leaves it unchanged.
unsigned long Crc32(const char* text, unsigned long crc);
// CRC of a file's bytes read as the platform's text mode reads them (CR LF becomes LF, a Ctrl-Z
// ends the file) in pieces of at most 254 characters, each ending after a line feed; pieces that
// begin with skipKey (any case) are left out. Continued from `crc`.
unsigned long TextModeCrc(const std::string& bytes, unsigned long crc, const std::string& skipKey);
// The code text: upper-case hexadecimal, no padding.
std::string ValidationCodeText(unsigned long crc);
// The code a description file with these bytes should carry.
std::string DescriptionValidationCode(const std::string& bytes);

struct StampedDescription {
  std::string bytes;  // the file with "Validation=code" right after the [Main] header
  std::string code;
};
// The description with its correct code written into section Main, every other byte kept as the
// author wrote it; nothing when it has no [Main] section.
std::optional<StampedDescription> StampDescription(const std::string& bytes);
