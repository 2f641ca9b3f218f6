#pragma once
// Status files of product setups: the name a product setup writes its status file under, the
// removal of old status files before a setup runs, and the check of the status it reported.
#include <string>

// The MIF name of the product setup described by `descriptionFile`: MifName or MifID of its
// section Main, replaced by the [Mif] Filename or [Startup] Appname of a setup.ini beside it
// (or "status" when that file names neither); double quotes at either end are removed.
std::string MifNameOf(const std::string& descriptionFile);

// Makes every "<mifName>.mif" in the Windows and the temporary directory writable and deletes it,
// and forgets how an earlier setup under that name ended: only what the next one reports counts.
void DeleteStatusFiles(const std::string& mifName);

// Remembers how the setup program of the product with this MIF name ended (its setup ID and exit
// code), so that a check that finds no status file can say it.
void RememberSetupExit(const std::string& mifName, const std::string& setupId, unsigned long exitCode);

// Reads the status file of the product setup and logs the check; true when it reported success.
// Without a status file the check fails, and the log names the setup program's exit code when
// this run started and waited for it.
bool ProductSetupSucceeded(const std::string& descriptionFile);

// Writes the status file of a product whose remover leaves none, into the temporary directory:
// InstallStatus/Status "Success" or "Failed", with `description` beside it. False (logged) when
// the name is no file name or the file could not be written.
[[nodiscard]] bool WriteStatusFile(const std::string& mifName, bool success, const std::string& description);
