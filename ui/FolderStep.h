#pragma once
// The program folder step: settles the Start-menu folder of the products' icons.
#include <string>
#include <vector>

#include "ui/Verdict.h"

class CSetup;

// Fills the model's folder while it is empty: the earlier installation's registry value, the
// parameters file, the description in force, %CORVAFOLDER%, "Corvant".
void ChooseProgramFolder(CSetup& master);
// The folders of the Start menu's programs directory, with the current one added when absent;
// every name is logged.
std::vector<std::string> ExistingProgramFolders(const std::string& currentFolder);
// The page's check on Next: an empty name is refused.
Verdict ProgramFolderVerdict(const std::string& folder);
// The step: 1, 12 or 9.
int RunFolderStep(int direction);
