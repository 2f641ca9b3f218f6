#pragma once
// What the target pages decide about a folder the user picked: whether it may hold an
// installation at all, and what a new path of a target changes.
#include <string>

#include "ui/Verdict.h"

class CTarget;

// The check of the folder selection: a folder on a removable or CD-ROM drive, or not a valid
// path, is refused and the user picks again.
Verdict ChosenFolderVerdict(const std::string& path);

// What Browse or Modify did with a chosen path: whether the target took it, and a message for
// the page (the refusal of the root of an earlier installation, or the notice that customised
// directories were reset).
struct TargetPathChange {
  bool changed = false;
  Verdict notice;
};
// Browse on the single target page: takes the chosen path unless it is the old one or the
// engine is installed in the old root directory.
TargetPathChange ChangeTargetPath(CTarget& target, const std::string& chosen);
