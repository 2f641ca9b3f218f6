#pragma once
// Running one product's installation: the already-installed check, the configuration file,
// and the product's own installer (a setup program, or the installation library's DoInstall).
#include <string>

// The product's installation state as its library reports it; -1 on any failure. A product
// whose description names a package (Package=) is asked through the package's own registration
// instead (PackageInstallState). A product
// started as a plain program ("EXEInstall") has no library to ask: the answer is then 0, "not
// installed", so that a script installs it; any other install type answers 0 likewise.
int IsProductInstalled(const std::string& propIni);
// Writes the product's configuration file and runs its installer; -1 when the product is not
// in the model, else the installer's result.
int InstallProduct(const std::string& propIni);
// Starts the product's setup program with `configIni`; waits for it unless the description
// names its window (the script then waits for that window). Returns 0.
int RunProductSetupProgram(const std::string& propIni, const std::string& configIni);
// Calls DoInstall of the product's installation library; 0 when it was called, -1 otherwise.
int RunInstallationLibrary(const std::string& propIni);

// The product's root feature: "RootFeature" of its description, else its directory's name.
std::string ProductRootFeature(const std::string& propIni);
// The command line that starts the product's setup program with `configIni`.
std::string ProductSetupCommand(const std::string& propIni, const std::string& configIni);
