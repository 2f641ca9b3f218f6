#include "state/Detection.h"

#include <algorithm>
#include <vector>

#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/Paths.h"
#include "engine/ProductLibrary.h"
#include "engine/Text.h"
#include "model/FeatureTree.h"
#include "model/Model.h"
#include "state/UninstallFiles.h"

namespace {
constexpr int kReportedInstalled = 2;
// The INF path is handed in a buffer the library may write to.
constexpr size_t kInfPathBufferSize = 256;

void DetectFeature(CFeature& feature) {
  feature.installed = 0;
  const CSetup& setup = *feature.setup;
  std::string file = UninstallFileOf(feature.UninstallID.UpperTranslated(setup));
  if (FileExists(file)) {
    std::string id = feature.ID.UpperTranslated(setup);
    if (!ReadIniString(file, kFeaturesInstalledSection, id).empty()) {
      feature.installed = 1;
      LogLine(id + " is already installed");
    }
  }
  for (CFeature& child : feature.subfeatures) DetectFeature(child);
}

std::string NotCalledText(LibraryCall status, const std::string& library, const std::string& call) {
  if (status == LibraryCall::NotLoaded) return " not installed (unable to load " + library + ")";
  return " not installed (error in " + library + ":AlreadyInstalled(" + call + "))";
}

void DetectCoreComponent(CComponent& component) {
  component.installed = 0;
  if (!component.IsCore() || !component.setup) return;
  CSetup& setup = *component.setup;
  std::string id = component.ID.UpperTranslated(setup);
  std::string directory = DirectoryOf(setup.PropIniFile);
  // A plain program has no already-installed check.
  bool inf = setup.installKind == InstallKind::InstallationLibrary;
  if (!inf && setup.installKind != InstallKind::SetupProgram) return;
  std::string library = JoinPath(directory, inf ? setup.InfDLL.Translated(setup) : setup.SetupDLL);
  std::string infPath = inf ? JoinPath(directory, setup.InfFile.Translated(setup)) : std::string();
  if (!FileExists(library)) {
    LogLine(id + " not installed (" + library + " not found)");
    return;
  }
  LibraryCallResult call;
  if (inf) {
    std::vector<char> buffer(std::max(kInfPathBufferSize, infPath.size() + 1), '\0');
    CopyToBuffer(infPath, buffer.data(), buffer.size());
    call = CallProductEntry<product_entry::InfAlreadyInstalled>("", library, "AlreadyInstalled", buffer.data());
  } else {
    call = CallProductEntry<product_entry::SetupAlreadyInstalled>("", library, "AlreadyInstalled");
  }
  if (!call.Called()) {
    LogLine(id + NotCalledText(call.status, library, infPath));
    return;
  }
  bool installed = call.value == kReportedInstalled;
  component.installed = installed ? 1 : 0;
  if (inf)
    LogLine(id + (installed ? " is already installed" : " not installed"));
  else
    LogLine(id + (installed ? " is installed" : " is not installed"));
}
}  // namespace

bool AnyInstalled(CFeature& feature) {
  return AnyFeatureWithin(feature, [](const CFeature& each) { return each.installed != 0; });
}

void DetectInstalled(CSetup& master) {
  CFeature& root = master.rootFeature;
  LogLine("Detect Installed Features :");
  {
    ScopedLogIndent indent;
    if (!root.ID.UpperTranslated(master).empty()) DetectFeature(root);
  }
  LogLine("Detect Installed Core Components :");
  {
    ScopedLogIndent indent;
    for (CComponent& component : master.components) DetectCoreComponent(component);
  }
  bool anyInstalled = false;
  if (!EqualsNoCase(root.ID.UpperTranslated(master), "CORVANT SOFTWARE")) {
    anyInstalled = AnyInstalled(root);
  } else {
    for (CFeature& product : root.subfeatures) anyInstalled = anyInstalled || AnyInstalled(product);
  }
  master.firstInstallOfTheseProducts = anyInstalled ? 0 : 1;
  if (master.firstInstall)
    LogLine("--- First-Time Install of Corvant Products ---");
  else if (!master.firstInstallOfTheseProducts)
    LogLine("--- Reinstall ---");
  else
    LogLine("--- First-Time Install of these Products ---");
}

void UnselectInstalledCoreComponents(CSetup& master) {
  LogLine("Unselect the Core Components that are already installed :");
  ScopedLogIndent indent;
  for (CComponent& component : master.components) {
    if (!component.IsCore() || !component.selected || !component.installed) continue;
    component.selected = 0;
    LogLine("Unselect " + component.ID.Raw());
  }
}
