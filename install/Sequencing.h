#pragma once
// The order of an installation run over setups and CDs: core components before products, the
// CD in the drive before the others, and no setup before the core components it depends on
// when those lie on another CD.
#include <string>
#include <vector>

// Identifies the CD at `root`, makes it the current CD and verifies every setup found on it.
// Returns the current CD's ID; empty when the CD is not valid or not one of the suite's CDs.
// Errors are reported to the user.
std::string IdentifyCurrentCD(const std::string& root);
// The ID of the CD at `root` as its master description names it ("CORVANTCD" when it names
// none); empty when `root` holds no master description. Changes nothing in the run.
std::string CDIdAt(const std::string& root);
// Orders the CD list for the run: the current CD, the other CDs that can run, those that cannot.
void InitializeInstallControl();
// The ID of the first CD of the list that has a setup ready to install; empty when none has.
std::string NextCD();
// The next setup to install from the current CD; empty when there is none, and the CD list is
// then rotated so that the next CD that can run comes first. `core` tells a core component.
std::string NextSetup(bool& core);
int NumberOfSetups();
bool AllInstalled();
// The IDs of the setups that still need installing, core components first.
std::vector<std::string> SetupsNotInstalled();
// The IDs of the setups whose installation this run marked failed.
std::vector<std::string> SetupsWithInstallError();
// The description of the CD with that ID, line breaks expanded; empty when there is none.
std::string CDDescription(const std::string& cdId);
void SetSetupInstalled(const std::string& setupId);
void SetSetupInstallError(const std::string& setupId);
