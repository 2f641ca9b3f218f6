#include "install/Removal.h"

#include <windows.h>

#include <set>

#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/Paths.h"
#include "engine/ProductLibrary.h"
#include "engine/Text.h"
#include "install/InstallExecution.h"
#include "install/Maintenance.h"
#include "install/SetupLookup.h"
#include "install/SystemIntegration.h"
#include "mif/StatusFiles.h"
#include "model/FeatureTree.h"
#include "model/Model.h"
#include "state/Registration.h"
#include "state/RemovalRecords.h"
#include "state/UninstallEntry.h"
#include "state/UninstallFiles.h"

namespace {
constexpr const char kMain[] = "Main";
// Installation libraries may write into the INF path they are given, as for DoInstall.
constexpr size_t kInfPathRoom = 1024;
// The umbrella root feature that every suite of the maker may share: its record stays while any
// other feature is recorded.
constexpr const char kSharedRootId[] = "CORVANT SOFTWARE";

// Set when a remover of this run asked for a restart: the end of the run keeps the marker.
bool& RestartAskedByRemoval() {
  static bool asked = false;
  return asked;
}

std::string Description(const std::string& propIni, const char* key) { return ReadIniString(propIni, kMain, key); }

std::vector<CFeature*> FeaturesOf(CSetup& master, const CSetup& setup) {
  std::vector<CFeature*> features;
  WalkFeatures(master.rootFeature, [&](CFeature& feature) {
    if (feature.setup == &setup) features.push_back(&feature);
    return true;
  });
  return features;
}

// The features' installed flags as the uninstall files say now: a removal decides from the
// records as they stand, whether or not detection ran and whatever was taken back since.
void RefreshInstalledFlags(CSetup& master) {
  WalkFeatures(master.rootFeature, [](CFeature& feature) {
    feature.installed = FeatureRecorded(feature) ? 1 : 0;
    return true;
  });
}

// A core component still needed by an installed product stays, whatever the plan said.
bool StillNeeded(CSetup& master, const std::string& coreId) {
  const CComponent* component = master.components.Find(coreId);
  if (!component || !component->IsCore()) return false;
  RefreshInstalledFlags(master);
  std::set<std::string> needing = StillNeededBy(master, *component, ReadCoreRecords(), {});
  if (needing.empty()) return false;
  LogLine("*** " + KeptText({ToUpper(coreId), std::vector<std::string>(needing.begin(), needing.end())}));
  return true;
}

enum class LibraryRemoval { Called, Failed, NotLoaded, NoEntry, None };

LibraryRemoval CallDoUninstall(const CSetup& setup, const std::string& propIni, bool core) {
  if (ParseInstallKind(Description(propIni, "InstallType")) != InstallKind::InstallationLibrary ||
      Description(propIni, "InfDLL").empty())
    return LibraryRemoval::None;
  std::string dll = JoinPath(DirectoryOf(propIni), Description(propIni, "InfDLL"));
  std::string inf = JoinPath(DirectoryOf(propIni), Description(propIni, "InfFile"));
  LoadedProductLibrary library(dll);
  if (!library.Loaded()) return LibraryRemoval::NotLoaded;
  auto doUninstall = library.Entry<product_entry::DoUninstall>("DoUninstall");
  if (!doUninstall) return LibraryRemoval::NoEntry;
  LogLine("INF file = " + inf + ", DLL = " + dll);
  if (!PrepareConfigFile(setup, propIni, core)) return LibraryRemoval::Failed;
  {
    ScopedPathsInForce inForce(setup.ParamsFile, propIni);
    DeleteStatusFiles(MifNameOf(propIni));
    std::vector<char> infPath(std::max(kInfPathRoom, inf.size() + 1), '\0');
    inf.copy(infPath.data(), inf.size());
    LogLine("Calling DoUninstall function");
    doUninstall(infPath.data(), 0);
  }
  return LibraryRemoval::Called;
}

int RunUninstallCmdLine(const CSetup& setup, const std::string& propIni, const std::string& arguments, bool core) {
  if (!PrepareConfigFile(setup, propIni, core)) return -1;
  ProductCommand command = ProductCommandOf(setup, propIni, arguments, setup.ParamsFile);
  std::string mifName = MifNameOf(propIni);
  SetupEnd end;
  {
    ScopedPathsInForce inForce(setup.ParamsFile, propIni);
    DeleteStatusFiles(mifName);
    LogLine("Launch process " + command.Line());
    end = RunSetupAndWait(setup.IdText(), mifName, command.Line(), command.program);
  }
  if (end.restartAsked) RestartAskedByRemoval() = true;
  return end.started ? 0 : -1;
}

// A remover of the product's own leaves no status file: the exit code makes one, so that the
// status check answers for it as for every other product.
int RunUninstallCommand(const CSetup& setup, const std::string& propIni, const std::string& rawCommand) {
  std::string commandLine = CKeywordString(rawCommand).Translated(setup);
  std::string mifName = MifNameOf(propIni);
  DeleteStatusFiles(mifName);
  LogLine("Launch process " + commandLine);
  SetupEnd end = RunSetupAndWait(setup.IdText(), mifName, commandLine, commandLine);
  if (!end.started) return -1;
  if (end.restartAsked) RestartAskedByRemoval() = true;
  bool success = end.exitCode && (*end.exitCode == 0 || AsksForRestart(*end.exitCode));
  std::string description = !end.exitCode ? "exit code unknown" : "exit code " + std::to_string(*end.exitCode);
  static_cast<void>(WriteStatusFile(mifName, success, success ? "Success" : description));
  return 0;
}

// The master's own features (its root among them) are recorded while the suite is installed. The
// shared umbrella root stays while any other feature is recorded.
bool TakeBackMasterFeatures(CSetup& master) {
  std::vector<const CFeature*> ownFeatures;
  const CFeature* root = nullptr;
  for (const CFeature* feature : FeaturesOf(master, master)) {
    if (feature == &master.rootFeature)
      root = feature;
    else
      ownFeatures.push_back(feature);
  }
  bool complete = TakeBackFeatures(ownFeatures);
  if (!root) return complete;
  if (EqualsNoCase(root->ID.UpperTranslated(master), kSharedRootId)) {
    std::string rootFile = UninstallFileOf(root->UninstallID.UpperTranslated(master));
    bool othersLeft = false;
    for (const std::string& file : UninstallFilesLeft())
      if (!EqualsNoCase(file, rootFile) && !EqualsNoCase(file, CoreComponentsFile())) othersLeft = true;
    if (othersLeft) {
      LogLine("Keep " + root->ID.UpperTranslated(master) + ": other products are still recorded");
      return complete;
    }
  }
  return TakeBackFeatures({root}) && complete;
}

// The uninstall folder goes when nothing is left in it.
bool RemoveEmptyUninstallDirectory() {
  std::string directory = UninstallDirectory();
  if (!DirectoryExists(directory)) return true;
  if (RemoveDirectoryA(directory.c_str())) {
    LogLine("Delete " + directory);
    return true;
  }
  DWORD error = GetLastError();
  if (error == ERROR_DIR_NOT_EMPTY) return true;
  LogLine("*** Unable to delete " + directory + " (RemoveDirectoryA error " + std::to_string(error) + ")");
  return false;
}
}  // namespace

RemovalPlan CurrentRemovalPlan() {
  RefreshInstalledFlags(Master());
  return PlanRemovalOrder(Master(), ReadCoreRecords());
}

RemovalPlan PlanRemoval() {
  RemovalPlan plan = CurrentRemovalPlan();
  LogLine("Removal plan :");
  std::string text = RemovalPlanText(plan, "   ");
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find('\n', at);
    LogLine(text.substr(at, end - at));
    at = end + 1;
  }
  return plan;
}

int UninstallSetup(const std::string& propIni) {
  LogLine("Remove " + Description(propIni, "Name") + " (" + Description(propIni, "InstallType") + ")");
  ScopedLogIndent indent;
  std::string rootFeature = ProductRootFeature(propIni);
  CSetup* setup = FindSetup(rootFeature);
  if (!setup || setup == &Master()) {
    LogLine("*** Unable to launch the removal for " + rootFeature + ": it is no product of the loaded suite");
    return -1;
  }
  bool core = IsCoreComponentProduct(rootFeature);
  if (core && StillNeeded(Master(), rootFeature)) return -1;

  LibraryRemoval library = CallDoUninstall(*setup, propIni, core);
  int result = -1;
  if (library == LibraryRemoval::Called) {
    result = 0;
  } else if (library == LibraryRemoval::Failed) {
    return -1;
  } else if (std::string arguments = Description(propIni, "UninstallCmdLine");
             !arguments.empty() && !setup->SetupExe.Empty()) {
    result = RunUninstallCmdLine(*setup, propIni, arguments, core);
  } else if (std::string command = Description(propIni, "UninstallCommand"); !command.empty()) {
    result = RunUninstallCommand(*setup, propIni, command);
  } else {
    if (library == LibraryRemoval::NotLoaded)
      LogLine("*** Unable to load " + JoinPath(DirectoryOf(propIni), Description(propIni, "InfDLL")));
    LogLine("*** " + setup->IdText() +
            " cannot be removed: its description names no remover (UninstallCmdLine, UninstallCommand or DoUninstall)");
    return -1;
  }
  if (ScheduleRebootWhenAsked()) RestartAskedByRemoval() = true;
  return result;
}

int UnregisterSetup(const std::string& setupId) {
  CSetup& master = Master();
  CSetup* setup = FindSetup(setupId);
  if (!setup || setup == &master) {
    LogLine("*** Unable to unregister " + setupId + ": it is no product or core component of the loaded suite");
    return -1;
  }
  LogLine("Unregister " + setup->IdText() + " :");
  ScopedLogIndent indent;
  bool complete = true;
  if (IsCoreSetup(master, *setup)) {
    CComponent* component = master.components.Find(setupId);
    complete = TakeBackCoreComponent(component->ID.Raw());
    if (complete) component->installed = 0;
  } else {
    std::vector<CFeature*> features = FeaturesOf(master, *setup);
    complete = TakeBackFeatures(std::vector<const CFeature*>(features.begin(), features.end()));
    // A product whose records stay still needs its core components.
    if (complete) complete = TakeBackDependent(setup->IdText());
  }
  return complete ? 0 : -1;
}

int FinishRemoval() {
  CSetup& master = Master();
  LogLine("Finish the removal :");
  ScopedLogIndent indent;
  RemovalPlan left = CurrentRemovalPlan();
  if (!left.setups.empty()) {
    LogLine("Still installed: " + JoinTexts(left.SetupIds(), ","));
    return 1;
  }
  bool complete = TakeBackMasterFeatures(master);
  complete = DeleteUninstallEntry(SuiteEntryName()) && complete;
  if (UninstallFilesLeft().empty()) {
    LogLine("No uninstall file is left: the setup records go");
    complete = CleanRegistry() && complete;
    if (!RestartAskedByRemoval() && RebootMarkerSet()) complete = CancelReboot() && complete;
    complete = RemoveEmptyUninstallDirectory() && complete;
  }
  return complete ? 0 : -1;
}
