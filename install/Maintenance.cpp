#include "install/Maintenance.h"

#include <windows.h>

#include <set>
#include <vector>

#include "engine/Application.h"
#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/Paths.h"
#include "engine/Text.h"
#include "install/DiskSpace.h"
#include "install/InstallExecution.h"
#include "install/SetupLookup.h"
#include "model/FeatureTree.h"
#include "model/Model.h"
#include "state/RemovalRecords.h"
#include "state/UninstallEntry.h"
#include "state/UninstallFiles.h"

namespace {
constexpr const char kMain[] = "Main";

// One file to keep: where it is, and whether the run cannot do without it.
struct KeptFile {
  std::string name;  // beside the description
  bool needed;
};

// Copies one file into `folder` (made when missing); false, logged, when it is missing or
// cannot be copied. A file that already is the kept copy is left alone.
bool KeepFile(const std::string& sourceDirectory, const KeptFile& file, const std::string& folder) {
  if (!IsPlainFileName(file.name)) {
    LogLine("*** " + file.name + " is not a file name beside " + sourceDirectory + "; it is not kept");
    return false;
  }
  std::string source = JoinPath(sourceDirectory, file.name);
  std::string target = JoinPath(folder, file.name);
  if (!FileExists(source)) {
    if (!file.needed) return true;
    LogLine("*** " + source + " is missing: the removal needs it");
    return false;
  }
  if (EqualsNoCase(source, target)) return true;
  if (!CreateDirectoryTree(folder)) {
    LogLine("*** Unable to create the directory " + folder + " (CreateDirectoryA error " +
            std::to_string(GetLastError()) + ")");
    return false;
  }
  LogLine("Keep " + target);
  // A kept copy of an earlier run may be read-only, as files copied from a CD are.
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (CopyFileA(source.c_str(), target.c_str(), FALSE)) return true;
  LogLine("*** Unable to copy " + source + " to " + target + " (CopyFileA error " + std::to_string(GetLastError()) +
          ")");
  return false;
}

bool KeepFiles(const std::string& sourceDirectory, const std::vector<KeptFile>& files, const std::string& folder) {
  bool complete = true;
  for (const KeptFile& file : files) complete = KeepFile(sourceDirectory, file, folder) && complete;
  return complete;
}

// Where a product's or core component's files go in the maintenance folder.
std::string FolderOf(const CSetup& master, const CSetup& setup) {
  for (const CComponent& component : master.components)
    if (component.IsCore() && component.setup == &setup)
      return JoinPath(MaintenanceFolder(), "Core\\" + component.ID.Raw());
  return JoinPath(MaintenanceFolder(), LastPathName(DirectoryOf(setup.PropIniFile)));
}

// The description and what removal starts or loads.
std::vector<KeptFile> RemovalFiles(const std::string& propIni) {
  auto value = [&](const char* key) { return ReadIniString(propIni, kMain, key); };
  std::vector<KeptFile> files{{LastPathName(propIni), true}};
  if (!value("UninstallCmdLine").empty() && !value("SetupExe").empty()) files.push_back({value("SetupExe"), true});
  for (const char* key : {"InfDLL", "InfFile"})
    if (!value(key).empty()) files.push_back({value(key), true});
  files.push_back({value("SetupDLL").empty() ? "Prop.dll" : value("SetupDLL"), false});
  FieldReader extra(value("MaintenanceFiles"), ',');
  while (!extra.AtEnd()) {
    std::string name = Trim(extra.Next());
    if (!name.empty()) files.push_back({name, true});
  }
  return files;
}

int KeepMaster(CSetup& master, const std::string& propIni) {
  std::string folder = JoinPath(MaintenanceFolder(), "master");
  std::string directory = DirectoryOf(propIni);
  std::string host = ReadIniString(propIni, kMain, "SetupExe");
  std::vector<KeptFile> files{{LastPathName(propIni), true}, {"license.txt", false}};
  if (!host.empty()) files.push_back({host, true});
  bool complete = KeepFiles(directory, files, folder);
  // The engine itself, as the host beside it loads it.
  std::string engine = EngineModulePath();
  complete = KeepFile(DirectoryOf(engine), {LastPathName(engine), true}, folder) && complete;
  for (const CSetup& product : master.subsetups)
    complete = KeepFile(DirectoryOf(product.PropIniFile), {LastPathName(product.PropIniFile), true},
                        FolderOf(master, product)) &&
               complete;
  for (const CComponent& component : master.components)
    if (component.IsCore() && component.setup)
      complete = KeepFile(DirectoryOf(component.setup->PropIniFile),
                          {LastPathName(component.setup->PropIniFile), true}, FolderOf(master, *component.setup)) &&
                 complete;
  return complete ? 0 : -1;
}

std::string Today() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return Format("%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
}

// What the engine's own space figures give for what is recorded installed now: every component
// of a recorded feature and every recorded core component of the suite, each once.
Kilobytes InstalledSize(CSetup& master) {
  std::set<const CComponent*> counted;
  WalkFeatures(master.rootFeature, [&](CFeature& feature) {
    if (FeatureRecorded(feature))
      for (const CComponentRef& reference : feature.components)
        if (reference.component && !reference.component->IsCore()) counted.insert(reference.component);
    return true;
  });
  CoreRecords records = ReadCoreRecords();
  for (const CComponent& component : master.components)
    if (component.IsCore() && records.installed.count(ToUpper(component.ID.Raw()))) counted.insert(&component);
  Kilobytes size = 0;
  for (const CComponent* component : counted)
    for (const CTargetNeed& need : component->targetNeeds) size = AddKilobytes(size, need.SizeKB());
  return size;
}
}  // namespace

std::string MaintenanceFolder() {
  std::string root = CorvaRootPath();
  return root.empty() ? std::string() : JoinPath(root, "setup\\maintenance");
}

int KeepForMaintenance(const std::string& propIni) {
  LogLine("Keep for maintenance " + propIni + " :");
  ScopedLogIndent indent;
  if (MaintenanceFolder().empty()) {
    LogLine("*** The main directory is not known: nothing can be kept");
    return -1;
  }
  CSetup& master = Master();
  std::string rootFeature = ProductRootFeature(propIni);
  if (EqualsNoCase(propIni, master.PropIniFile) || EqualsNoCase(rootFeature, master.IdText()))
    return KeepMaster(master, propIni);
  CSetup* setup = FindSetup(rootFeature);
  if (!setup) {
    LogLine("*** " + rootFeature + " is no setup of the loaded suite: nothing is kept");
    return -1;
  }
  return KeepFiles(DirectoryOf(propIni), RemovalFiles(propIni), FolderOf(master, *setup)) ? 0 : -1;
}

std::string SuiteEntryName() {
  CSetup& master = Master();
  std::string name = ReadIniString(master.PropIniFile, kMain, "UninstallKey");
  return name.empty() ? "Corvant Suite " + master.IdText() : name;
}

int RegisterUninstallEntry(const std::string& maintenanceHost) {
  CSetup& master = Master();
  std::string name = SuiteEntryName();
  if (!IsPlainFileName(name)) {
    LogLine("*** The Programs and Features entry name " + name + " is no key name; no entry is written");
    return -1;
  }
  if (maintenanceHost.empty()) {
    LogLine("*** No setup host was named for the Programs and Features entry");
    return -1;
  }
  std::string host = "\"" + maintenanceHost + "\"";
  UninstallEntryValues values;
  values.displayName = master.rootFeature.Name.Translated(master);
  values.displayVersion = master.Version.Translated(master);
  values.publisher = master.Name.Translated(master);
  values.installLocation = CorvaRootPath();
  values.installDate = Today();
  values.estimatedSizeKB = InstalledSize(master);
  values.displayIcon = maintenanceHost + ",0";
  values.uninstallString = host + " /uninstall";
  values.quietUninstallString = host + " /uninstall /quiet";
  values.modifyPath = host;
  return WriteUninstallEntry(name, values) ? 0 : -1;
}
