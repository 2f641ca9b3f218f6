#pragma once
// The text rules of the directory browser and of the path fields of the target pages, kept
// apart from the windows so that tables can test them.
#include <functional>
#include <string>

#include "include/tessaro.h"

// The longest path the browser writes into the caller's buffer, terminating zero included.
constexpr size_t kBrowserPathSize = TS_PATH_BUFFER_SIZE;

// The browser's "Open": trailing backslashes removed one at a time, stopping when the text is
// "\" or "\\" or ends in ":\" (a drive root keeps its backslash).
std::string TrimFolderText(std::string text);

// The folder the browser opens on: `path` (trimmed) when it exists, else its nearest existing
// parent, else "C:\". `exists` answers whether a folder exists.
std::string StartingFolder(const std::string& path, const std::function<bool(const std::string&)>& exists);

// A path for a fixed-width field, at most `maxChars` characters: middle directory names give
// way to "\...\". The first name (the drive, or \\server\share) stays, and as many of the last
// names as fit; when not even the last name fits, the path's tail is shown after "...".
std::string ShortenPath(const std::string& path, size_t maxChars);
