#pragma once
// Running one product's installation: the already-installed check, the configuration file,
// and the product's own installer (a setup program, or the installation library's DoInstall).
#include <optional>
#include <string>

class CSetup;

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

// The pieces of a product's run that removal shares with installation.

// A core component is a product that is neither the master nor one of its product setups.
bool IsCoreComponentProduct(const std::string& rootFeature);
// Writes the product's configuration file at its parameters file path (logged, and kept in
// "C:\Corvant Development" when asked); false, after telling the user, when it could not be written.
bool PrepareConfigFile(const CSetup& setup, const std::string& propIni, bool core);
// A command line that starts a product's setup program.
struct ProductCommand {
  std::string program;    // the program path as it starts the command line
  std::string arguments;  // translated
  std::string Line() const { return program + " " + arguments; }
};
// The setup program of `setup` beside `propIni`, with `rawArguments` (a description's command
// line): every "%CONFIGINIFILE%" replaced by `configIni`, then keywords translated.
ProductCommand ProductCommandOf(const CSetup& setup, const std::string& propIni, const std::string& rawArguments,
                                const std::string& configIni);
// How a setup program that was waited for ended.
struct SetupEnd {
  bool started = false;
  std::optional<unsigned long> exitCode;  // none when the system cannot tell it
  bool restartAsked = false;              // 3010 or 1641: the restart is scheduled
};
// Starts the command line and waits for it (a program that cannot start is logged by `program`), logging as an install does ("Wait for single object...",
// "Setup <ID> ended with exit code N"); remembers the exit code for the status file check of
// `mifName`, and schedules the restart that the exit code asks for.
SetupEnd RunSetupAndWait(const std::string& setupId, const std::string& mifName, const std::string& commandLine,
                         const std::string& program);
// 3010 (restart required) and 1641 (restart started): done, and the computer must restart.
bool AsksForRestart(unsigned long exitCode);
// A product that set HKLM\Software\Corvant "Reboot" to "1" asked for a restart: the value is
// deleted and the restart scheduled. True when it had asked.
bool ScheduleRebootWhenAsked();
// Tells the user of a failure through the pages' question interface: a box when someone is
// there to read it, the log alone in an unattended run.
void TellFailure(const std::string& text);
