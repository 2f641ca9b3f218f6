#pragma once
// A whole file's bytes in and out, through the C library alone, so that native build tools
// share it with the engine.
#include <optional>
#include <string>

// The file's bytes; nothing when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::string& path);
// Replaces the file with these bytes; false when it cannot be written whole.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
