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
#include "install/InstallPlan.h"
#include "install/SetupLookup.h"
#include "model/Loader.h"
#include "model/Selection.h"

namespace {
constexpr const char kDefaultCD[] = "CORVANTCD";
// Deeper directories are not searched for setups: a CD is never laid out deeper, and a looped
// file system link could otherwise lead the walk on without end.
constexpr int kMaxCDDirectoryDepth = 16;

std::string CDId(const CSetupCD& cd) { return cd.ID.UpperTranslated(Master()); }

// Puts the live CD list into `order` (IDs of the same CDs).
void ApplyCDOrder(CSetup& master, const std::vector<std::string>& order) {
  Collection<CSetupCD>& cds = master.cds;
  // Each CD, in the new order, goes to the end; those not yet moved stay in front.
  int unmoved = cds.Count();
  for (const std::string& id : order) {
    for (int i = 0; i < unmoved; ++i) {
      if (EqualsNoCase(CDId(cds.At(i)), id)) {
        cds.MoveToEnd(i);
        --unmoved;
        break;
      }
    }
  }
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

std::string CDIdAt(const std::string& root) {
  std::string description = CDMasterDescription(root);
  if (description.empty()) return std::string();
  std::string id = FieldReader(ReadIniString(description, "Main", "CD"), ';').Next();
  return id.empty() ? kDefaultCD : id;
}

std::string IdentifyCurrentCD(const std::string& root) {
  LogLine("Check " + root + " for valid Corvant CD :");
  ScopedLogIndent indent;
  try {
    std::string id = CDIdAt(root);
    if (id.empty()) throw CMyError("The CD is not a valid Corvant Setup CD");
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
  ApplyCDOrder(master, sequencing::InitialCDOrder(master, SequencingStateOf(master)));
}

std::string NextCD() {
  CSetup& master = Master();
  // The first CD of the run's plan that has a setup to hand out.
  std::string id;
  for (const PlannedCD& cd : PlanInstallOrder(master, SequencingStateOf(master), PlanStart::AsItStands).cds)
    if (!cd.setups.empty()) {
      id = cd.id;
      break;
    }
  LogLine(id.empty() ? std::string("No more CDs to install") : "Next CD = " + id);
  return id;
}

std::string NextSetup(bool& core) {
  core = false;
  CSetup& master = Master();
  SequencingState state = SequencingStateOf(master);
  // With a CD in the drive, the plan's first CD is that CD; its first setup is the one to hand
  // out now. Without one, nothing is handed out.
  InstallPlan plan = PlanInstallOrder(master, state, PlanStart::AsItStands);
  if (!state.currentCD.empty() && !plan.cds.empty() && !plan.cds.front().setups.empty()) {
    const PlannedSetup& next = plan.cds.front().setups.front();
    core = next.core;
    LogLine("Next Setup = " + next.id + (core ? " (core)" : ""));
    return next.id;
  }
  ApplyCDOrder(master, sequencing::OrderAfterCurrentCD(master, state));
  return std::string();
}

int NumberOfSetups() {
  int count = 0;
  if (GetParamYesNo("InstallCoreComponents", true))
    for (const CComponent& component : Master().components)
      if (component.IsCore() && component.selected && component.setup) ++count;
  if (LoadsSubsetups(Master()))
    for (const CSetup& subsetup : Master().subsetups)
      if (SetupNeedsInstall(subsetup)) ++count;
  return count;
}

bool AllInstalled() {
  CSetup& master = Master();
  return !sequencing::AnyPendingWork(master, SequencingStateOf(master));
}

std::vector<std::string> SetupsNotInstalled() {
  CSetup& master = Master();
  std::vector<std::string> ids;
  for (const CSetup* setup : sequencing::SetupsStillNeeded(master, SequencingStateOf(master)))
    ids.push_back(setup->IdText());
  return ids;
}

std::vector<std::string> SetupsWithInstallError() {
  CSetup& master = Master();
  SequencingState state = SequencingStateOf(master);
  std::vector<std::string> ids;
  for (const CSetup* setup : sequencing::PendingSetups(master, state))
    if (state.failed.count(setup)) ids.push_back(setup->IdText());
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
