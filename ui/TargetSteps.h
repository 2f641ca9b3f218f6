#pragma once
// The install directory steps: one page per target that wants one at a given page time.
#include <string>

class CSetup;
class CTarget;

// Whether the target gets a page at `pageTime` ("BEFORE", "DURING", "AFTER" ...).
bool TargetWantsPage(const CSetup& master, const CTarget& target, const std::string& pageTime);
// The step for the target at `targetIndex`: 1, 12 or 9.
int RunTargetStep(int direction, int targetIndex, const std::string& pageTime);
// Every target in turn, backwards when the direction is not 1: 1, 12 or 9.
int RunAllTargetsStep(int direction, const std::string& pageTime);
