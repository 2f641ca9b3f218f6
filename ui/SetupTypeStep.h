#pragma once
// The computer configuration type step: settles the run's setup type, then shows the page
// unless it is bypassed.
#include <string>
#include <vector>

class CSetup;

// Makes the model's current setup type valid: the parameters file, the description, the
// first listed type, "STANDARD"; a type the list does not know gives way to the first listed.
void ChooseCurrentSetupType(CSetup& master);
// The setup types offered on this computer, in list order, at most `limit` of them.
std::vector<std::string> OfferedSetupTypes(const CSetup& master, size_t limit);
// The step: 1, 12 or 9.
int RunSetupTypeStep(int direction);
