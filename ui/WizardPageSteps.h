#pragma once
// The welcome, add/remove, agreement, summary and completion steps.
#include <string>
#include <vector>

class CSetup;

// "Welcome to the <suite> Setup program. ..." (the word products only after "Corvant").
std::string WelcomeText(const std::string& suiteName);
// "Setup has finished installing <suite> on your computer."
std::string FinishedText(const std::string& suiteName);
// The summary list of the current answers; every line is logged as well.
std::vector<std::string> SummaryLines(CSetup& master);
// The agreement file, one entry per line of at most 255 characters.
std::vector<std::string> ReadAgreementLines(const std::string& path);

// 1, or 9 when cancelled.
int RunWelcomeStep(int direction);
// 0 install/reinstall, 1 uninstall, 2 cancelled.
int RunUninstallCheckStep(int direction);
// 1, 12 or 9.
int RunLicenseStep(int direction);
int RunSummaryStep(int direction);
// 1 when bypassed or when a restart now was chosen, else 9.
int RunFinalStep(int direction);
