#pragma once
// CRC-32 (reflected 0xEDB88320) and the validation code of description files.
#include <string>

constexpr const char kValidationSalt[] = "Hold the tea";
constexpr const char kValidationKey[] = "Validation";

// CRC of a text, continued from `crc`; an empty text leaves it unchanged.
unsigned long Crc32(const char* text, unsigned long crc);
// The file's CRC over the salt and every text-mode piece (at most 254 characters) that does not
// begin with skipKey; 0 after reporting "Unable to open the file".
unsigned long FileCrc(const std::string& file, const std::string& salt, const std::string& skipKey);
// The code text: upper-case hexadecimal, no padding.
std::string ValidationCodeText(unsigned long crc);
// The code a description file should carry.
std::string ComputeValidationCode(const std::string& file);
// 1 when the file's code matches its Validation value.
bool ValidateFile(const std::string& file);
// Writes the correct code into section Main of a description file, keeping every other byte
// as the author wrote it; returns the code. Throws CMyError when the file cannot be read or
// has no Main section.
std::string StampValidationCode(const std::string& file);
