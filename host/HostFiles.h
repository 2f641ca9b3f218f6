#pragma once
// The host's own file operations. The host links nothing of the engine, so it keeps the few it
// needs here, each bounded and each telling what went wrong.
#include <string>
#include <vector>

// Copies a folder tree (at most 32 levels deep); `copied` receives the files' paths relative to
// `to`. Returns an empty text, or what went wrong.
std::string CopyTree(const std::string& from, const std::string& to, std::vector<std::string>* copied = nullptr);
// Creates a folder with its missing parents; false when it is not there afterwards.
bool CreatePath(const std::string& path);
// Removes a folder with everything below it (at most 32 levels deep, read-only files included),
// or a file; returns an empty text, or the first thing that stayed and why.
std::string RemoveTree(const std::string& path);
// Removes the folder when it is empty; true when it is gone afterwards.
bool RemoveIfEmpty(const std::string& folder);
// The name after the last backslash.
std::string LastName(const std::string& path);
// "text (error N)" with the calling thread's last Win32 error.
std::string WithLastError(const std::string& text);
