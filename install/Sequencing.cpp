#include "install/Sequencing.h"

#include <windows.h>

#include <utility>

#include "engine/Errors.h"
#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/Paths.h"
#include "engine/Text.h"
#include "engine/UserQuestions.h"
#include "engine/Win32Handles.h"
#include "install/SetupLookup.h"
#include "model/Loader.h"
#include "model/Selection.h"

namespace {
constexpr const char kDefaultCD[] = "CORVANTCD";
// Deeper directories are not searched for setups: a CD is never laid out deeper, and a looped
// file system link could otherwise lead the walk on without end.
constexpr int kMaxCDDirectoryDepth = 16;

bool InstallsCoreComponents() { return GetParamYesNo("InstallCoreComponents", true); }

// The setups of the run in the order they are handed out: the selected core components, then
// the product setups.
std::vector<CSetup*> PendingSetups() {
  std::vector<CSetup*> pending;
  CSetup& master = Master();
  if (InstallsCoreComponents())
    for (CComponent& component : master.components)
      if (component.IsCore() && component.selected && component.setup) pending.push_back(component.setup);
  if (LoadsSubsetups(master))
    for (CSetup& subsetup : master.subsetups) pending.push_back(&subsetup);
  return pending;
}

// The features of the master's tree that stand for a product setup.
std::vector<const CFeature*> ProductFeatures(const CSetup& setup) {
  std::vector<const CFeature*> features;
  if (EqualsNoCase(setup.SkipRoot.UpperTranslated(setup), "YES")) {
    for (const CFeature& top : setup.rootFeature.subfeatures)
      if (const CFeature* feature = FindModelFeature(top.ID.Raw())) features.push_back(feature);
  } else if (const CFeature* feature = FindModelFeature(setup.IdText())) {
    features.push_back(feature);
  }
  return features;
}

// Only an install-time dependency on a selected core component that is still to be installed
// from another CD holds a reference back.
bool ReferenceReadyOn(const CComponentRef& reference, const std::string& cd) {
  const CComponent* component = reference.component;
  if (!component || !component->IsCore() || !component->setup) return true;
  const CSetup& coreSetup = *component->setup;
  return coreSetup.installed || !component->selected || EqualsNoCase(SetupCDId(coreSetup), cd) ||
         !reference.installDependency;
}

bool ReferencesReadyOn(const std::vector<CComponentRef>& references, const std::string& cd) {
  for (const CComponentRef& reference : references)
    if (!ReferenceReadyOn(reference, cd)) return false;
  return true;
}

bool FeaturePassesOn(const CFeature& root, const std::string& cd) {
  std::vector<const CFeature*> pending{&root};
  while (!pending.empty()) {
    const CFeature* feature = pending.back();
    pending.pop_back();
    if (feature->selected && !ReferencesReadyOn(feature->components, cd)) return false;
    for (const CFeature& subfeature : feature->subfeatures) pending.push_back(&subfeature);
  }
  return true;
}

bool SetupReadyOn(const CSetup& setup, const std::string& cd) {
  if (!EqualsNoCase(SetupCDId(setup), cd)) return false;
  if (IsCoreSetup(setup)) return ReferencesReadyOn(setup.coreComponentList, cd);
  for (const CFeature* feature : ProductFeatures(setup))
    if (!FeaturePassesOn(*feature, cd)) return false;
  return true;
}

std::string CDId(const CSetupCD& cd) { return cd.ID.UpperTranslated(Master()); }

bool CDHasPendingWork(const std::string& cd, const std::vector<CSetup*>& pending) {
  for (const CSetup* setup : pending)
    if (EqualsNoCase(SetupCDId(*setup), cd) && SetupNeedsInstall(*setup)) return true;
  return false;
}

bool CDCanRun(const std::string& cd, const std::vector<CSetup*>& pending) {
  for (const CSetup* setup : pending)
    if (EqualsNoCase(SetupCDId(*setup), cd) && SetupNeedsInstall(*setup) && !SetupReadyOn(*setup, cd))
      return false;
  return true;
}

CSetup* NextSetupOn(const std::string& cd, const std::vector<CSetup*>& pending) {
  for (CSetup* setup : pending)
    if (SetupNeedsInstall(*setup) && SetupReadyOn(*setup, cd)) return setup;
  return nullptr;
}

int IndexOfCD(const CSetupCD* cd) {
  Collection<CSetupCD>& cds = Master().cds;
  for (int i = 0; i < cds.Count(); ++i)
    if (&cds.At(i) == cd) return i;
  return -1;
}

std::string CDDescriptionFile(const std::string& root) {
  for (const char* candidate : {"prop.ini", "master\\prop.ini", "disk1\\prop.ini"}) {
    std::string path = JoinPath(root, candidate);
    if (FileExists(path)) return path;
  }
  throw CMyError("The CD is not a valid Corvant Setup CD");
}

// A directory of the CD that holds a description takes over as its setup's directory.
void AdoptSetupDirectory(const std::string& directory) {
  std::string description = JoinPath(directory, "prop.ini");
  if (!FileExists(description)) return;
  std::string id = ReadIniString(description, "Main", "RootFeature");
  if (id.empty()) id = LastPathName(directory);
  CSetup* setup = FindSetup(ToUpper(id));
  if (!setup) return;
  setup->SrcDir = StripTrailingBackslashes(directory);
  setup->PropIniFile = description;
  VerifySetupOnCD(*setup, setup->SrcDir);
}

void AdoptSetupsBelow(const std::string& root) {
  std::vector<std::pair<std::string, int>> pending{{StripTrailingBackslashes(root), 0}};
  while (!pending.empty()) {
    auto [directory, depth] = pending.back();
    pending.pop_back();
    AdoptSetupDirectory(directory);
    if (depth >= kMaxCDDirectoryDepth) continue;
    std::vector<std::string> children;
    WIN32_FIND_DATAA entry;
    UniqueFindHandle find(FindFirstFileA(JoinPath(directory, "*.*").c_str(), &entry));
    if (!find) continue;
    do {
      bool isDirectory = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      bool isLink = (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
      if (isDirectory && !isLink && entry.cFileName[0] != '.')
        children.push_back(JoinPath(directory, entry.cFileName));
    } while (FindNextFileA(find.get(), &entry));
    // Visited in the order the file system lists them.
    for (auto child = children.rbegin(); child != children.rend(); ++child) pending.emplace_back(*child, depth + 1);
  }
}
// The CD state and every setup's paths as they were before a CD switch, put back when the
// switch does not complete.
class CDSwitch {
 public:
  explicit CDSwitch(CSetup& master)
      : master_(master), currentCD_(master.currentCD), currentCDRoot_(master.currentCDRoot) {
    // Every setup that FindSetup can hand to the adoption of a directory.
    Save(master);
    for (CSetup& subsetup : master.subsetups) Save(subsetup);
    for (CComponent& component : master.components)
      if (component.IsCore() && component.setup) Save(*component.setup);
  }
  ~CDSwitch() {
    if (committed_) return;
    master_.currentCD = currentCD_;
    master_.currentCDRoot = currentCDRoot_;
    for (const SetupPaths& saved : paths_) {
      saved.setup->SrcDir = saved.srcDir;
      saved.setup->PropIniFile = saved.propIniFile;
    }
  }
  CDSwitch(const CDSwitch&) = delete;
  CDSwitch& operator=(const CDSwitch&) = delete;
  void Commit() { committed_ = true; }

 private:
  struct SetupPaths {
    CSetup* setup;
    std::string srcDir, propIniFile;
  };
  void Save(CSetup& setup) { paths_.push_back({&setup, setup.SrcDir, setup.PropIniFile}); }
  CSetup& master_;
  CSetupCD* currentCD_;
  std::string currentCDRoot_;
  std::vector<SetupPaths> paths_;
  bool committed_ = false;
};
}  // namespace

std::string IdentifyCurrentCD(const std::string& root) {
  LogLine("Check " + root + " for valid Corvant CD :");
  ScopedLogIndent indent;
  try {
    std::string description = CDDescriptionFile(root);
    std::string id = FieldReader(ReadIniString(description, "Main", "CD"), ';').Next();
    if (id.empty()) id = kDefaultCD;
    LogLine("CD identified as " + id);
    CSetup& master = Master();
    // The switch to the new CD holds only once every setup on it has been verified; a CD that
    // fails leaves the current CD and every setup's paths as they were.
    CDSwitch change(master);
    master.currentCD = master.cds.Find(id);
    master.currentCDRoot = root;
    AdoptSetupsBelow(root);
    change.Commit();
    return master.currentCD ? CDId(*master.currentCD) : std::string();
  } catch (CMyError& error) {
    Questions().TellFailure(error.Message(), kStyleStop);
    return std::string();
  }
}

void InitializeInstallControl() {
  CSetup& master = Master();
  if (!master.currentCD) {
    LogLine("ERROR ***** No current CD()");
    return;
  }
  LogLine("Current CD = " + CDId(*master.currentCD));
  std::vector<CSetup*> pending = PendingSetups();
  Collection<CSetupCD>& cds = master.cds;
  // Each CD that cannot run goes to the end; those moved there are not looked at again.
  int examined = 0;
  for (int remaining = cds.Count(); remaining > 0; --remaining) {
    const CSetupCD& cd = cds.At(examined);
    if (&cd != master.currentCD && !CDCanRun(CDId(cd), pending))
      cds.MoveToEnd(examined);
    else
      ++examined;
  }
  cds.MoveToFront(IndexOfCD(master.currentCD));
}

std::string NextCD() {
  std::vector<CSetup*> pending = PendingSetups();
  for (const CSetupCD& cd : Master().cds) {
    std::string id = CDId(cd);
    if (NextSetupOn(id, pending)) {
      LogLine("Next CD = " + id);
      return id;
    }
  }
  LogLine("No more CDs to install");
  return std::string();
}

std::string NextSetup(bool& core) {
  core = false;
  CSetup& master = Master();
  std::vector<CSetup*> pending = PendingSetups();
  if (master.currentCD) {
    if (CSetup* setup = NextSetupOn(CDId(*master.currentCD), pending)) {
      core = IsCoreSetup(*setup);
      std::string id = setup->IdText();
      LogLine("Next Setup = " + id + (core ? " (core)" : ""));
      return id;
    }
    master.cds.MoveToEnd(IndexOfCD(master.currentCD));
  }
  for (int i = 0; i < master.cds.Count(); ++i) {
    std::string id = CDId(master.cds.At(i));
    if (CDHasPendingWork(id, pending) && CDCanRun(id, pending)) {
      master.cds.MoveToFront(i);
      break;
    }
  }
  return std::string();
}

int NumberOfSetups() {
  int count = 0;
  if (InstallsCoreComponents())
    for (const CComponent& component : Master().components)
      if (component.IsCore() && component.selected && component.setup) ++count;
  if (LoadsSubsetups(Master()))
    for (const CSetup& subsetup : Master().subsetups)
      if (SetupNeedsInstall(subsetup)) ++count;
  return count;
}

bool AllInstalled() {
  std::vector<CSetup*> pending = PendingSetups();
  for (const CSetupCD& cd : Master().cds)
    if (CDHasPendingWork(CDId(cd), pending)) return false;
  return true;
}

std::vector<std::string> SetupsNotInstalled() {
  std::vector<std::string> ids;
  for (const CSetup* setup : PendingSetups())
    if (SetupNeedsInstall(*setup)) ids.push_back(setup->IdText());
  return ids;
}

std::vector<std::string> SetupsWithInstallError() {
  std::vector<std::string> ids;
  for (const CSetup* setup : PendingSetups())
    if (setup->installError) ids.push_back(setup->IdText());
  return ids;
}

std::string CDDescription(const std::string& cdId) {
  const CSetupCD* cd = Master().cds.Find(cdId);
  return cd ? ExpandLineBreaks(cd->Description.Translated(Master())) : std::string();
}

void SetSetupInstalled(const std::string& setupId) {
  if (CSetup* setup = FindSetup(setupId)) setup->installed = 1;
}

void SetSetupInstallError(const std::string& setupId) {
  if (CSetup* setup = FindSetup(setupId)) setup->installError = 1;
}
