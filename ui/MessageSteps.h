#pragma once
// Step logic of the generic message page, shared by the exported message steps and by errors
// that ask the user.
#include <string>

// Logs text1 (and text2, indented), runs the message page, maps its end: Cancel 9, Back 12,
// otherwise 1.
int RunMessageBoxStep(const std::string& caption, const std::string& text1, const std::string& text2,
                      int buttonMask);
