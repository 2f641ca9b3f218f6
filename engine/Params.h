#pragma once
// The parameters file in force, the setup description in force, the profile-file access that
// every INI read and write goes through, and the three yes/no reading rules.
#include <string>
#include <vector>

// Reads a value through the profile functions into a 512-byte buffer (longer values are cut);
// a missing key reads as empty. While a ScopedIniCache is open (engine/IniCache.h) the value is
// answered from the file's sections, each read once.
std::string ReadIniString(const std::string& file, const std::string& section, const std::string& key);
// Writes a value and flushes the profile cache of that file so that other processes see it.
// False when the value could not be written; the log then says so, in one form: "*** Unable to
// write <file> [<section>] <key> (WritePrivateProfileStringA error N)". The value itself is never
// logged (it may be a password).
[[nodiscard]] bool WriteIniString(const std::string& file, const std::string& section, const std::string& key,
                                  const std::string& value);
// The key names of a section, read in one piece into a buffer of `bufferSize` bytes.
std::vector<std::string> ReadIniKeyNames(const std::string& file, const std::string& section, size_t bufferSize);
// The section names of a file, read in one piece into a buffer of `bufferSize` bytes.
std::vector<std::string> ReadIniSectionNames(const std::string& file, size_t bufferSize);
// Deletes a key, or with an empty key the whole section, and flushes the file. A file that is not
// there holds nothing to delete (true). False when the file could not be changed; the log then
// says so: "*** Unable to delete <file> [<section>] <key> (WritePrivateProfileStringA error N)".
[[nodiscard]] bool DeleteIniEntry(const std::string& file, const std::string& section, const std::string& key);
[[nodiscard]] bool WriteIniYesNo(const std::string& file, const std::string& section, const std::string& key,
                                 bool yes);

// Parameter switches: empty gives the default; yes exactly when the first letter is Y/y/T/t.
bool YesByFirstLetter(const std::string& value, bool defaultValue);
// Description and uninstall files: empty gives the default; Y/y/T/t yes, F/f/N/n no, else default.
bool YesByThreeWayRule(const std::string& value, bool defaultValue);
// "Core" and "NotifyCoreInstall": yes when any of Y/y/T/t occurs anywhere.
bool YesByAnyLetter(const std::string& value);

const std::string& ParamsFileInForce();
void SetParamsFileInForce(const std::string& path);
const std::string& DescriptionInForce();
void SetDescriptionInForce(const std::string& path);

// Switches both paths in force for the life of a scope (a setup's hook call) and restores them.
class ScopedPathsInForce {
 public:
  ScopedPathsInForce(const std::string& paramsFile, const std::string& descriptionFile);
  ~ScopedPathsInForce();
  ScopedPathsInForce(const ScopedPathsInForce&) = delete;
  ScopedPathsInForce& operator=(const ScopedPathsInForce&) = delete;

 private:
  std::string savedParams_, savedDescription_;
};

// Section "Main" of the parameters file in force.
std::string GetParam(const std::string& key);
bool GetParamYesNo(const std::string& key, bool defaultValue);
std::string GetParamTarget(int index);

bool AllMessages();
bool SomeMessages();
bool NoMessages();
bool Unattended();

// What decides whether a wizard page is shown.
struct PageRule {
  const char* pageSwitch;            // the page's own switch ("EnableWelcomeDlg"...), default yes
  bool followsMessageLevel = false;  // the page is shown only when all messages are
  bool answeredInAdvance = false;    // a preset answer of the parameters file answers the page
  bool unattendedBypasses = true;    // an unattended run passes the page over
};
// The bypass rule every page follows: the page is passed over when its switch is no, when it
// follows the message level and not all messages are shown, when a preset answers it, or
// when the run is unattended.
bool PageBypassed(const PageRule& page);

// Finds a setup's parameters file and stages it as %TEMP%\<name>.ini; returns the staged path.
std::string FindParamsIniFile(const std::string& setupDir, const std::string& commandLine);
