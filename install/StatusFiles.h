#pragma once
// The status files that product installers leave behind them.
#include <string>

// The base name of a product's status file, from its description and the setup.ini beside it.
std::string ProductMifName(const std::string& propIni);
// Deletes the product's status files of an earlier run (read-only ones included) from the
// Windows directory and the temporary directory, so that only this run's outcome is read.
void DeleteOldStatusFiles(const std::string& propIni);
