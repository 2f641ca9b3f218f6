#include "engine/Params.h"

#include <windows.h>

#include <cstring>

#include "engine/IniCache.h"
#include "engine/Log.h"
#include "engine/Paths.h"
#include "engine/Text.h"

namespace {
struct PathsInForce {
  std::string params;
  std::string description;
};
PathsInForce& InForce() {
  static PathsInForce paths;
  return paths;
}

bool IsYesLetter(char c) { return c == 'Y' || c == 'y' || c == 'T' || c == 't'; }
bool IsNoLetter(char c) { return c == 'F' || c == 'f' || c == 'N' || c == 'n'; }

std::string MessageLevel() { return GetParam("MessageLevel"); }

// The staged file's name: the description's MIFName, else its RootFeature, else the folder.
std::string ParamsFileBaseName(const std::string& setupDir) {
  std::string description = JoinPath(setupDir, "prop.ini");
  std::string name;
  if (FileExists(description)) {
    // A name that would put the staged file outside the temporary directory is passed over.
    for (const char* key : {"MIFName", "RootFeature"}) {
      name = WithoutEndQuotes(ReadIniString(description, "Main", key));
      if (name.empty()) continue;
      if (IsPlainFileName(name)) break;
      LogLine("***** " + std::string(key) + " " + name + " in " + description + " is not a file name; it is not used");
      name.clear();
    }
  }
  if (name.empty()) {
    std::string folder = StripTrailingBackslashes(setupDir);
    if (folder.find('.', 1) != std::string::npos && folder.size() > 1) folder = DirectoryOf(folder);
    name = LastPathName(folder);
  }
  return WithoutEndQuotes(name);
}

std::string ConfigFromCommandLine(const std::string& commandLine) {
  size_t at = commandLine.find("config=");
  if (at == std::string::npos) return std::string();
  std::string rest = commandLine.substr(at + 7);
  size_t begin = rest.find_first_not_of(" \t");
  if (begin == std::string::npos) return std::string();
  rest.erase(0, begin);
  if (rest[0] == '"') {
    size_t close = rest.find('"', 1);
    return rest.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  }
  return rest.substr(0, rest.find(' '));
}
}  // namespace

std::string ReadIniString(const std::string& file, const std::string& section, const std::string& key) {
  if (std::optional<std::string> cached = CachedIniString(file, section, key)) return *cached;
  char buffer[512] = {};
  GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer, file.c_str());
  return buffer;
}

bool WriteIniString(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& value) {
  bool written = WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
  DWORD error = written ? ERROR_SUCCESS : GetLastError();
  // The flush answers FALSE whatever happens: only the write itself can say whether it was done.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
  ForgetIniFile(file);
  if (!written)
    LogLine("*** Unable to write " + file + " [" + section + "] " + key + " (WritePrivateProfileStringA error " +
            std::to_string(error) + ")");
  return written;
}

std::vector<std::string> ReadIniKeyNames(const std::string& file, const std::string& section, size_t bufferSize) {
  std::vector<char> buffer(bufferSize + 2, '\0');
  GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(), static_cast<DWORD>(bufferSize),
                           file.c_str());
  std::vector<std::string> names;
  for (const char* name = buffer.data(); *name; name += std::strlen(name) + 1) names.emplace_back(name);
  return names;
}

std::vector<std::string> ReadIniSectionNames(const std::string& file, size_t bufferSize) {
  std::vector<char> buffer(bufferSize + 2, '\0');
  GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(bufferSize), file.c_str());
  std::vector<std::string> names;
  for (const char* name = buffer.data(); *name; name += std::strlen(name) + 1) names.emplace_back(name);
  return names;
}

bool DeleteIniEntry(const std::string& file, const std::string& section, const std::string& key) {
  // Deleting from a file that is not there would create it.
  if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
  bool deleted =
      WritePrivateProfileStringA(section.c_str(), key.empty() ? nullptr : key.c_str(), nullptr, file.c_str()) != FALSE;
  DWORD error = deleted ? ERROR_SUCCESS : GetLastError();
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
  ForgetIniFile(file);
  if (!deleted)
    LogLine("*** Unable to delete " + file + " [" + section + "]" + (key.empty() ? "" : " " + key) +
            " (WritePrivateProfileStringA error " + std::to_string(error) + ")");
  return deleted;
}

bool WriteIniYesNo(const std::string& file, const std::string& section, const std::string& key, bool yes) {
  return WriteIniString(file, section, key, yes ? "YES" : "NO");
}

bool YesByFirstLetter(const std::string& value, bool defaultValue) {
  if (value.empty()) return defaultValue;
  return IsYesLetter(value[0]);
}

bool YesByThreeWayRule(const std::string& value, bool defaultValue) {
  if (value.empty()) return defaultValue;
  if (IsYesLetter(value[0])) return true;
  if (IsNoLetter(value[0])) return false;
  return defaultValue;
}

bool YesByAnyLetter(const std::string& value) {
  for (char c : value)
    if (IsYesLetter(c)) return true;
  return false;
}

const std::string& ParamsFileInForce() { return InForce().params; }
void SetParamsFileInForce(const std::string& path) { InForce().params = path; }
const std::string& DescriptionInForce() { return InForce().description; }
void SetDescriptionInForce(const std::string& path) { InForce().description = path; }

ScopedPathsInForce::ScopedPathsInForce(const std::string& paramsFile, const std::string& descriptionFile)
    : savedParams_(InForce().params), savedDescription_(InForce().description) {
  InForce().params = paramsFile;
  InForce().description = descriptionFile;
}

ScopedPathsInForce::~ScopedPathsInForce() {
  InForce().params = savedParams_;
  InForce().description = savedDescription_;
}

std::string GetParam(const std::string& key) { return ReadIniString(ParamsFileInForce(), "Main", key); }

bool GetParamYesNo(const std::string& key, bool defaultValue) {
  return YesByFirstLetter(GetParam(key), defaultValue);
}

std::string GetParamTarget(int index) {
  return ReadIniString(ParamsFileInForce(), "Targets", "Target" + std::to_string(index));
}

bool AllMessages() {
  std::string level = MessageLevel();
  return level.empty() || EqualsNoCase(level, "ALL");
}
bool SomeMessages() { return EqualsNoCase(MessageLevel(), "SOME"); }
bool NoMessages() { return EqualsNoCase(MessageLevel(), "NONE"); }
bool Unattended() { return GetParamYesNo("Unattended", false); }

bool PageBypassed(const PageRule& page) {
  return !GetParamYesNo(page.pageSwitch, true) || (page.followsMessageLevel && !AllMessages()) ||
         page.answeredInAdvance || (page.unattendedBypasses && Unattended());
}

std::string FindParamsIniFile(const std::string& setupDir, const std::string& commandLine) {
  std::string staged = JoinPath(TempDirectory(), ParamsFileBaseName(setupDir) + ".ini");
  std::string source = ConfigFromCommandLine(commandLine);
  if (source.empty()) {
    std::string named = JoinPath(setupDir, ParamsFileBaseName(setupDir) + ".ini");
    std::string config = JoinPath(setupDir, "config.ini");
    if (FileExists(named))
      source = named;
    else if (FileExists(config))
      source = config;
  }
  if (!source.empty() && !EqualsNoCase(source, staged)) {
    SetFileAttributesA(staged.c_str(), FILE_ATTRIBUTE_NORMAL);
    // The staged file is what the run reads: a copy that failed leaves an older one, or none.
    if (!CopyFileA(source.c_str(), staged.c_str(), FALSE))
      LogLine("*** Unable to copy " + source + " to " + staged + " (CopyFileA error " + std::to_string(GetLastError()) +
              ")");
    SetFileAttributesA(staged.c_str(), FILE_ATTRIBUTE_NORMAL);
    ForgetIniFile(staged);
  }
  return staged;
}
