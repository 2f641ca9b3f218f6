#pragma once
// Status files of product setups: the name a product setup writes its status file under, the
// removal of old status files before a setup runs, and the check of the status it reported.
#include <string>

// The MIF name of the product setup described by `descriptionFile`: MifName or MifID of its
// section Main, replaced by the [Mif] Filename or [Startup] Appname of a setup.ini beside it
// (or "status" when that file names neither); double quotes at either end are removed.
std::string MifNameOf(const std::string& descriptionFile);

// Makes every "<mifName>.mif" in the Windows and the temporary directory writable and deletes it.
void DeleteStatusFiles(const std::string& mifName);

// Reads the status file of the product setup and logs the check; true when it reported success.
bool ProductSetupSucceeded(const std::string& descriptionFile);
