// Removing a suite: each installed setup by its own remover, in the planned order, then the
// suite's records and its maintenance folder. Started with /uninstall (from the Programs and
// Features entry) or by "Uninstall" on the add/remove page of an install run.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host/HostHandles.h"
#include "host/HostFiles.h"
#include "host/HostRun.h"

namespace {
constexpr size_t kText = 4096;
// The log of a removal whose parameters name none, in %TEMP%.
constexpr char kRemovalLog[] = "Corvant Setup Removal.log";

std::string OwnProgram() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

// The parameters of a removal run, in a file of its own in %TEMP%: those of config= when given,
// and for /quiet an unattended run without messages. Empty when the file cannot be written.
std::string RemovalParameters(const HostOptions& options, std::string& failure) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string file = JoinDir(temp, "TessaroRemoval" + std::to_string(GetCurrentProcessId()) + ".ini");
  if (!options.configFile.empty()) {
    if (!CopyFileA(options.configFile.c_str(), file.c_str(), FALSE)) {
      failure = WithLastError("cannot copy " + options.configFile + " to " + file);
      return std::string();
    }
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  } else {
    UniqueStdFile created(std::fopen(file.c_str(), "w"));
    if (!created || std::fputs("[Main]\n", created.get()) < 0 || std::fflush(created.get()) != 0) {
      failure = "cannot write " + file;
      return std::string();
    }
  }
  // A removal always leaves a log: in %TEMP% unless the parameters name one.
  char log[MAX_PATH] = {};
  GetPrivateProfileStringA("Main", "AppendToLog", "", log, sizeof log, file.c_str());
  if (!log[0] && !WritePrivateProfileStringA("Main", "AppendToLog", JoinDir(temp, kRemovalLog).c_str(), file.c_str())) {
    failure = WithLastError("cannot write AppendToLog into " + file);
    return std::string();
  }
  if (options.quiet) {
    for (const auto& [key, value] : {std::pair<const char*, const char*>{"Unattended", "YES"}, {"MessageLevel", "NONE"}})
      if (!WritePrivateProfileStringA("Main", key, value, file.c_str())) {
        failure = WithLastError("cannot write " + std::string(key) + " into " + file);
        return std::string();
      }
  }
  return file;
}

// Deletes every file of the maintenance folder but `keep` (the running program of a relaunch,
// which deletes itself), then the folders left empty. An empty text, or what stayed and why.
std::string RemoveMaintenanceFolder(const std::string& folder, const std::string& keep) {
  if (keep.empty()) return RemoveTree(folder);
  std::string failure;
  std::vector<std::string> below;
  WIN32_FIND_DATAA entry;
  {
    UniqueFindHandle find(FindFirstFileA(JoinDir(folder, "*").c_str(), &entry));
    if (!find) return std::string();
    do {
      std::string name = entry.cFileName;
      if (name != "." && name != "..") below.push_back(JoinDir(folder, name));
    } while (FindNextFileA(find.get(), &entry));
  }
  std::string keepFolder = ParentDir(keep);
  for (const std::string& path : below) {
    if (_stricmp(path.c_str(), keepFolder.c_str()) != 0) {
      std::string stayed = RemoveTree(path);
      if (failure.empty()) failure = stayed;
      continue;
    }
    // The running program's own folder: everything but the program.
    std::vector<std::string> files;
    {
      UniqueFindHandle find(FindFirstFileA(JoinDir(path, "*").c_str(), &entry));
      if (!find) continue;
      do {
        std::string name = entry.cFileName;
        if (name != "." && name != "..") files.push_back(JoinDir(path, name));
      } while (FindNextFileA(find.get(), &entry));
    }
    for (const std::string& file : files) {
      if (_stricmp(file.c_str(), keep.c_str()) == 0) continue;
      std::string stayed = RemoveTree(file);
      if (failure.empty()) failure = stayed;
    }
  }
  return failure;
}

// The name users know the suite by: its root feature's, as Programs and Features shows it, from
// the master description beside the host.
std::string SuiteName(const std::string& rootId) {
  char name[512] = {};
  GetPrivateProfileStringA(rootId.c_str(), "Name", "", name, sizeof name,
                           JoinDir(ParentDir(OwnProgram()), "prop.ini").c_str());
  return name[0] ? name : rootId;
}

class SuiteRemover {
 public:
  // `fromMaintenance`: the suite was loaded from (a copy of) the maintenance folder.
  SuiteRemover(const EngineExports& engine, bool attended, bool console, bool fromMaintenance)
      : e_(engine), attended_(attended), console_(console), fromMaintenance_(fromMaintenance) {}

  int Remove(const std::string& runningStub) {
    std::string suite = Call(e_.GetRootSetupID);
    std::string suiteName = SuiteName(suite);
    std::vector<char> folder(kText, '\0');
    std::string maintenance = e_.GetMaintenanceFolder(folder.data()) == 0 ? folder.data() : "";
    std::vector<char> planned(kText, '\0');
    int count = e_.PlanRemoval(planned.data());
    if (count < 0) {
      Say(suite + ": the removal could not be planned (see the log)");
      return kExitFailed;
    }
    std::vector<std::string> ids = SplitList(planned.data(), ',');
    if (attended_ && !Confirmed(suiteName, ids)) {
      Say(suite + ": the removal was declined");
      return kExitCancelled;
    }
    RemoveEach(ids, maintenance);
    // A remover that asked for a restart scheduled it; read before the records are taken back.
    bool restartNeeded = e_.IsRebootScheduled() == 1;
    int finished = e_.FinishRemoval();
    std::vector<std::string> problems;
    if (finished < 0) problems.push_back("records incomplete: TS_FinishRemoval failed");
    // The suite's own maintenance folder goes with the suite; the folders above it go when no
    // other suite below the main directory keeps anything there.
    if (finished == 0 && !maintenance.empty()) {
      std::string stayed = RemoveMaintenanceFolder(maintenance, runningStub);
      if (!stayed.empty()) {
        Log("*** The maintenance folder " + maintenance + " could not be removed: " + stayed);
        problems.push_back("the maintenance folder stayed");
      } else if (RemoveIfEmpty(ParentDir(maintenance))) {
        RemoveIfEmpty(ParentDir(ParentDir(maintenance)));
      }
    }
    std::string summary = suite + ": removed: " + Joined(removed_);
    if (!failed_.empty()) summary += "; failed: " + Joined(failed_);
    std::vector<std::string> kept = KeptCoreComponents();
    if (!kept.empty()) summary += "; kept: " + Joined(kept);
    for (const std::string& problem : problems) summary += "; " + problem;
    ConsoleLine(summary);
    Log("TessaroSetup " + summary);
    int code = failed_.empty() && problems.empty() ? kExitSuccess : kExitFailed;
    if (code == kExitSuccess && restartNeeded) code = kExitRestartNeeded;
    if (attended_) ShowCompletion(suiteName, code);
    return code;
  }

 private:
  bool Confirmed(const std::string& suiteName, const std::vector<std::string>& ids) {
    std::string names;
    for (const std::string& id : ids) names += (names.empty() ? "" : ", ") + NameOf(id);
    std::string question = "Do you want to remove " + suiteName + " and all of its products from this computer?";
    std::string detail = ids.empty() ? "Nothing of it is installed." : "These will be removed: " + names + ".";
    int answer = 0;  // No is the starting choice: removing takes a decision
    int step = e_.AskYesNo(("Remove " + suiteName).c_str(), question.c_str(), detail.c_str(),
                           "&Yes, remove it", "&No, keep it", &answer, 1);
    return step == TS_STEP_NEXT && answer == 1;
  }

  void RemoveEach(const std::vector<std::string>& ids, const std::string& maintenance) {
    int steps = static_cast<int>(ids.size());
    if (attended_) e_.ProgressDlgStart(steps, 0);
    for (int at = 0; at < steps; ++at) {
      const std::string& id = ids[at];
      std::string name = NameOf(id);
      std::string position = "[" + std::to_string(at + 1) + " of " + std::to_string(steps) + "] " + id + " (" + name + ")";
      if (attended_) e_.ProgressDlgStep(("Removing " + name).c_str(), at, 0);
      Progress(position + ": started");
      DWORD started = GetTickCount();
      std::string propIni = RemoverDescription(id, maintenance);
      std::string outcome;
      if (e_.DoUninstall(propIni.c_str()) != 0) {
        outcome = "failed (TS_DoUninstall reported a failure)";
      } else if (e_.MIFError(propIni.c_str()) != 0) {
        outcome = "failed (its remover reported a failure)";
      } else if (e_.UnregisterSetup(id.c_str()) != 0) {
        outcome = "failed (removed, but TS_UnregisterSetup could not take back its records)";
      } else {
        outcome = "removed";
      }
      (outcome == "removed" ? removed_ : failed_).push_back(id);
      Progress(position + ": " + outcome + " in " + std::to_string((GetTickCount() - started + 500) / 1000) + " s");
    }
    if (attended_) e_.ProgressDlgStop();
  }

  // The description whose folder the setup's remover runs from. A suite loaded from the CDs
  // removes from the maintenance folder, which holds what each remover needs (a product's
  // description on CD 1 may have its setup program on another CD, or the CD may be gone).
  std::string RemoverDescription(const std::string& id, const std::string& maintenance) const {
    std::string loaded = Call(e_.GetSetupPropIniFile, id);
    bool core = loaded.empty();
    if (core) loaded = Call(e_.GetComponentPropIniFile, id);
    if (fromMaintenance_ || maintenance.empty()) return loaded;
    std::string folder = core ? JoinDir(JoinDir(maintenance, "Core"), id) : JoinDir(maintenance, LastName(ParentDir(loaded)));
    std::string kept = JoinDir(folder, "prop.ini");
    return IsFile(kept) ? kept : loaded;
  }

  // The suite's core components still recorded as installed after the removal: those kept for
  // products of the machine that need them, and those whose removal failed.
  std::vector<std::string> KeptCoreComponents() {
    std::vector<std::string> kept;
    std::string common = JoinDir(Call(e_.GetTargetPath, "CORVAROOT"), "setup\\uninstall\\Corvant Common.ini");
    std::vector<char> keys(kText * 4, '\0');
    GetPrivateProfileStringA("Core Components Installed", nullptr, "", keys.data(), static_cast<DWORD>(keys.size()),
                             common.c_str());
    for (const char* key = keys.data(); *key; key += std::strlen(key) + 1) {
      bool ours = !Call(e_.GetComponentPropIniFile, key).empty();
      bool failed = false;
      for (const std::string& id : failed_) failed = failed || _stricmp(id.c_str(), key) == 0;
      if (ours && !failed) kept.push_back(key);
    }
    return kept;
  }

  void ShowCompletion(const std::string& suiteName, int code) {
    std::vector<std::string> removedNames, failedNames;
    for (const std::string& id : removed_) removedNames.push_back(NameOf(id));
    for (const std::string& id : failed_) failedNames.push_back(NameOf(id));
    std::string text1 = code == kExitFailed ? "Some of " + suiteName + " could not be removed."
                                            : suiteName + " was removed from your computer.";
    std::string text2 = "Removed: " + (removedNames.empty() ? std::string("nothing") : JoinedNames(removedNames)) + ".";
    if (!failedNames.empty()) text2 += "\nNot removed: " + JoinedNames(failedNames) + ". The log says why.";
    if (code == kExitRestartNeeded) text2 += "\nRestart your computer to complete the removal.";
    // Nothing is left to go back to: Next (or Cancel) closes the page.
    // Nothing is left to go back to or to cancel: Next closes the page.
    e_.MessagePage("Removal Complete", text1.c_str(), text2.c_str(), 1 | 4, 0);
  }

  static std::string JoinedNames(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
  }

  std::string NameOf(const std::string& id) const {
    std::string name = Call(e_.GetSetupName, id);
    if (name.empty()) name = Call(e_.GetComponentName, id);
    return name.empty() ? id : name;
  }

  void Log(const std::string& text) const { e_.AddToLog(text.c_str()); }
  void Say(const std::string& text) const {
    ConsoleLine(text);
    Log("TessaroSetup " + text);
  }
  void Progress(const std::string& text) const {
    if (console_) ConsoleLine(text);
  }

  const EngineExports& e_;
  const bool attended_;
  const bool console_;
  const bool fromMaintenance_;
  std::vector<std::string> removed_, failed_;
};

// The running program of a relaunch from the maintenance folder, which stays for it to remove.
std::string RunningStub(const HostOptions& options) {
  if (options.maintenanceOrigin.empty()) return std::string();
  return JoinDir(JoinDir(options.maintenanceOrigin, "master"), LastName(OwnProgram()));
}
}  // namespace

// Started from an install run's add/remove page: the host is not in the maintenance folder.
int RemoveLoadedSuite(const EngineExports& e, bool attended) {
  return SuiteRemover(e, attended, !attended, false).Remove(std::string());
}

int RunRemoval(const EngineExports& e, const HostOptions& options) {
  std::string failure;
  std::string params = RemovalParameters(options, failure);
  if (params.empty()) {
    ConsoleLine("the removal's parameters could not be written: " + failure);
    ConsoleLine("exit code " + std::to_string(kExitFailed) + ": " + ExitMeaning(kExitFailed));
    return kExitFailed;
  }
  int loaded = e.LoadSetupData(params.c_str());
  if (loaded != 0 || e.Initialization() != TS_STEP_NEXT || e.DetectComponents() != TS_STEP_NEXT) {
    ConsoleLine(loaded != 0 ? "the setup descriptions could not be loaded" : "the installed setups could not be detected");
    if (loaded == 0) e.UnloadSetupData();
    DeleteFileA(params.c_str());
    ConsoleLine("exit code " + std::to_string(kExitFailed) + ": " + ExitMeaning(kExitFailed));
    return kExitFailed;
  }
  bool attended = !options.quiet && e.Unattended() != 1;
  bool fromMaintenance = !options.maintenanceOrigin.empty() || InsideMaintenanceFolder(options.ownDirectory);
  int code = EndRun(e, SuiteRemover(e, attended, !attended, fromMaintenance).Remove(RunningStub(options)));
  DeleteFileA(params.c_str());
  return code;
}
