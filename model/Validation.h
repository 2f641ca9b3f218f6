#pragma once
// Validation codes of description files on disk, with the engine's error reports.
#include <string>

// The file's CRC over the salt and every text-mode piece that does not begin with skipKey;
// 0 after reporting "Unable to open the file".
unsigned long FileCrc(const std::string& file, const std::string& salt, const std::string& skipKey);
// 1 when the file's code matches its Validation value.
bool ValidateFile(const std::string& file);
// Writes the correct code into section Main of a description file, keeping every other byte
// as the author wrote it; returns the code. Throws CMyError when the file cannot be read or
// written or has no Main section.
std::string StampValidationCode(const std::string& file);
