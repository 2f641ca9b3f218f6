#pragma once
// What a later maintenance run needs without the CDs: the maintenance folder below the main
// directory, laid out like CD 1 (master\, the products' folders, Core\<ID>\), and the suite's
// entry in Programs and Features that starts the setup host kept there.
#include <string>

// <CORVAROOT>\setup\maintenance; empty when the main directory is not known.
std::string MaintenanceFolder();
// Copies the description of the master, a product or a core component and the files its removal
// needs into the maintenance folder (for the master: the setup host, the engine, the license and
// every product's and core component's description). 0, or -1 when a needed file is missing or
// could not be copied (each logged).
int KeepForMaintenance(const std::string& propIni);
// The name of the suite's Programs and Features entry: the master's UninstallKey, else
// "Corvant Suite " + the master's root feature ID.
std::string SuiteEntryName();
// Writes the suite's entry with the commands that start `maintenanceHost`; 0, or -1 (logged).
int RegisterUninstallEntry(const std::string& maintenanceHost);
