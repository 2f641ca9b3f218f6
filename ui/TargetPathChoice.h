#pragma once
// What the target pages decide about a folder the user picked: whether it may hold an
// installation at all, and what a new path of a target changes.
#include <string>

class CTarget;

// The reason a chosen folder cannot take an installation (a removable or CD-ROM drive, or not
// a valid path), or empty when it can.
std::string FolderRefusal(const std::string& path);
// The check of the folder selection: a refused folder is shown and logged, and the user picks
// again (false).
bool AcceptChosenFolder(const std::string& path);
// Browse on the single target page: takes the chosen path unless it is the old one or the
// engine is installed in the old root directory. True when the path changed.
bool ChangeTargetPath(CTarget& target, const std::string& chosen);
