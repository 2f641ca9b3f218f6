#pragma once
// The question that guards Cancel on every page.
#include <string>

// "Setup has not completed installing <suite>. ..." for the suite named `suiteName`.
std::string ExitConfirmationText(const std::string& suiteName);
// Asks it for the loaded suite (Yes/No, exclamation); true when the user chose to leave.
bool ConfirmExit();
