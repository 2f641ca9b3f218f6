#pragma once
// Path operations: one place for joining, trimming and asking the file system.
#include <string>

// Joins a directory and a name with exactly one backslash. When either is empty the other is
// the result; a name that already begins with a backslash is appended unchanged.
std::string JoinPath(const std::string& directory, const std::string& name);
std::string StripTrailingBackslashes(std::string path);
// The text before the last backslash (empty when there is none).
std::string DirectoryOf(const std::string& filePath);
// The path without its last character, cut at its last backslash.
std::string ParentDirectory(const std::string& directory);
// The last name of a path, trailing backslashes ignored.
std::string LastPathName(const std::string& path);
// A name from a description, parameters or status file that the engine turns into a file name
// inside a directory of its own choosing: it must not lead elsewhere, so path separators, a
// drive or stream colon and ".." are refused, and so is an empty name.
bool IsPlainFileName(const std::string& name);
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
bool PathExists(const std::string& path);
// Creates a directory with every missing parent. False when it is not there afterwards (a file
// in its place counts as missing); GetLastError() then holds the error of the first directory
// that could not be made.
[[nodiscard]] bool CreateDirectoryTree(const std::string& path);
// Removes a directory with everything below it, read-only files included; links to other
// directories are removed, not followed, and nothing deeper than 64 levels is visited. False
// when anything stays.
[[nodiscard]] bool RemoveDirectoryTree(const std::string& directory);
// Replaces the file with these bytes whole or leaves it as it was: the bytes go into a file
// beside it first, which then takes its place. A failure is logged with its Win32 error.
bool ReplaceFileWhole(const std::string& path, const std::string& bytes);

std::string WindowsDirectory();
std::string SystemDirectory();
// The system's temporary directory with every trailing backslash removed.
std::string TempDirectory();
