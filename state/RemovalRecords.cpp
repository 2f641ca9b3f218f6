#include "state/RemovalRecords.h"

#include <windows.h>

#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/Paths.h"
#include "engine/Text.h"
#include "engine/Win32Handles.h"
#include "model/Model.h"
#include "state/UninstallFiles.h"

namespace {
// Room for every key or section name of one uninstall file.
constexpr size_t kNamesBufferSize = 32768;
constexpr const char kDependentsSuffix[] = " Dependents";

bool EndsWithNoCase(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && EqualsNoCase(text.substr(text.size() - end.size()), end);
}

bool SectionEmpty(const std::string& file, const std::string& section) {
  return ReadIniKeyNames(file, section, kNamesBufferSize).empty();
}

bool FileHoldsNoKey(const std::string& file) {
  for (const std::string& section : ReadIniSectionNames(file, kNamesBufferSize))
    if (!SectionEmpty(file, section)) return false;
  return true;
}

// Deletes the file (logged); false when it stays.
bool DeleteRecordFile(const std::string& file) {
  LogLine("Delete " + file);
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (DeleteFileA(file.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND) return true;
  LogLine("*** Unable to delete " + file + " (DeleteFileA error " + std::to_string(GetLastError()) + ")");
  return false;
}

bool TakeBackKey(const std::string& file, const std::string& section, const std::string& key) {
  if (!FileExists(file) || ReadIniString(file, section, key).empty()) return true;
  LogLine("Unregister " + file + ":[" + section + "] " + key);
  return DeleteIniEntry(file, section, key);
}

// The common file goes when no key is left in any of its sections.
bool DeleteCommonFileWhenEmpty() {
  std::string file = CoreComponentsFile();
  if (!FileExists(file) || !FileHoldsNoKey(file)) return true;
  return DeleteRecordFile(file);
}

std::vector<std::string> DependentsSections(const std::string& file) {
  std::vector<std::string> sections;
  for (const std::string& section : ReadIniSectionNames(file, kNamesBufferSize))
    if (EndsWithNoCase(section, kDependentsSuffix)) sections.push_back(section);
  return sections;
}
}  // namespace

std::string DependentsSection(const std::string& coreId) { return coreId + kDependentsSuffix; }

CoreRecords ReadCoreRecords() {
  CoreRecords records;
  std::string file = CoreComponentsFile();
  if (CorvaRootPath().empty() || !FileExists(file)) return records;
  for (const std::string& id : ReadIniKeyNames(file, kCoreComponentsInstalledSection, kNamesBufferSize))
    if (!ReadIniString(file, kCoreComponentsInstalledSection, id).empty()) records.installed.insert(ToUpper(id));
  for (const std::string& section : DependentsSections(file)) {
    std::set<std::string>& dependents =
        records.dependents[ToUpper(section.substr(0, section.size() - (sizeof kDependentsSuffix - 1)))];
    for (const std::string& product : ReadIniKeyNames(file, section, kNamesBufferSize))
      dependents.insert(ToUpper(product));
  }
  return records;
}

bool FeatureRecorded(const CFeature& feature) {
  const CSetup& setup = *feature.setup;
  std::string uninstallId = feature.UninstallID.UpperTranslated(setup);
  if (uninstallId.empty() || CorvaRootPath().empty()) return false;
  std::string file = UninstallFileOf(uninstallId);
  return FileExists(file) && !ReadIniString(file, kFeaturesInstalledSection, feature.ID.UpperTranslated(setup)).empty();
}

bool TakeBackFeatures(const std::vector<const CFeature*>& features) {
  bool complete = true;
  std::set<std::string> touched;
  for (const CFeature* feature : features) {
    const CSetup& setup = *feature->setup;
    std::string uninstallId = feature->UninstallID.UpperTranslated(setup);
    if (uninstallId.empty()) continue;
    std::string file = UninstallFileOf(uninstallId);
    complete = TakeBackKey(file, kFeaturesInstalledSection, feature->ID.UpperTranslated(setup)) && complete;
    touched.insert(file);
  }
  // A file that lists no feature any more describes nothing that is installed.
  for (const std::string& file : touched)
    if (FileExists(file) && SectionEmpty(file, kFeaturesInstalledSection)) complete = DeleteRecordFile(file) && complete;
  return complete;
}

bool TakeBackDependent(const std::string& productId) {
  std::string file = CoreComponentsFile();
  if (!FileExists(file)) return true;
  bool complete = true;
  for (const std::string& section : DependentsSections(file)) {
    for (const std::string& key : ReadIniKeyNames(file, section, kNamesBufferSize)) {
      if (!EqualsNoCase(key, productId)) continue;
      LogLine("Unregister " + file + ":[" + section + "] " + key);
      complete = DeleteIniEntry(file, section, key) && complete;
    }
    if (complete && SectionEmpty(file, section)) complete = DeleteIniEntry(file, section, "") && complete;
  }
  return DeleteCommonFileWhenEmpty() && complete;
}

bool TakeBackCoreComponent(const std::string& coreId) {
  std::string file = CoreComponentsFile();
  if (!FileExists(file)) return true;
  bool complete = TakeBackKey(file, kCoreComponentsInstalledSection, coreId);
  for (const std::string& section : DependentsSections(file)) {
    if (!EqualsNoCase(section, DependentsSection(coreId))) continue;
    LogLine("Unregister " + file + ":[" + section + "]");
    complete = DeleteIniEntry(file, section, "") && complete;
  }
  if (complete && SectionEmpty(file, kCoreComponentsInstalledSection))
    complete = DeleteIniEntry(file, kCoreComponentsInstalledSection, "");
  return DeleteCommonFileWhenEmpty() && complete;
}

std::vector<std::string> UninstallFilesLeft() {
  std::vector<std::string> files;
  if (CorvaRootPath().empty()) return files;
  std::string directory = UninstallDirectory();
  WIN32_FIND_DATAA entry;
  UniqueFindHandle find(FindFirstFileA(JoinPath(directory, "*.ini").c_str(), &entry));
  if (!find) return files;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(JoinPath(directory, entry.cFileName));
  } while (FindNextFileA(find.get(), &entry));
  return files;
}
