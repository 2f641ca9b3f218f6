#include <windows.h>

#include <cctype>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "host/HostHandles.h"
#include "host/HostFiles.h"
#include "host/HostRun.h"

namespace {
constexpr size_t kText = 4096;
// How long a setup program that names its window may take to show it, and to close it.
constexpr DWORD kWindowAppearsMs = 5 * 60 * 1000;
constexpr DWORD kWindowStaysMs = 4 * 60 * 60 * 1000;
// How the installation loop ended: every CD done, the user gave up on a CD, or the engine
// handed out the same setup again.
enum class LoopEnd { Done, CdRefused, Stuck };

std::vector<std::string> SiblingDirectories(const std::string& root) {
  std::vector<std::string> found;
  std::string parent = ParentDir(root);
  WIN32_FIND_DATAA entry;
  UniqueFindHandle find(FindFirstFileA(JoinDir(parent, "*").c_str(), &entry));
  if (!find) return found;
  do {
    std::string name = entry.cFileName;
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name[0] != '.') found.push_back(JoinDir(parent, name));
  } while (FindNextFileA(find.get(), &entry));
  return found;
}

class SuiteInstaller {
 public:
  SuiteInstaller(const EngineExports& engine, const HostOptions& options, bool unattended)
      : e_(engine), options_(options), unattended_(unattended) {}

  // Runs the installation loop over CDs and setups.
  LoopEnd Install(const std::string& firstCdRoot) {
    currentRoot_ = firstCdRoot;
    currentCd_ = Call(e_.GetCurrentCD, currentRoot_);
    e_.InitializeInstallControl();
    steps_ = e_.NumberOfSetups();
    total_ = static_cast<long>(e_.TotalDiskSpaceRequired());
    e_.ProgressDlgStart(steps_, total_);
    remaining_ = total_;
    LoopEnd result = LoopEnd::Done;
    for (int guard = 0; guard < 1000; ++guard) {
      if (!InstallSetupsOfCurrentCd()) {
        result = LoopEnd::Stuck;
        break;
      }
      if (e_.AllInstalled()) break;
      std::string next = Call(e_.GetNextCD);
      if (next.empty()) break;
      if (!AskForCd(next)) {
        result = LoopEnd::CdRefused;
        break;
      }
    }
    e_.ProgressDlgStop();
    return result;
  }

  const std::vector<std::string>& Installed() const { return installed_; }
  const std::vector<std::string>& Failed() const { return failed_; }
  // True when what a setup's removal needs could not be kept in the maintenance folder.
  bool NotKept() const { return notKept_; }

 private:
  // Installs what the engine hands out for the current CD; false when it handed out a setup a
  // second time, which means that marking it installed or failed did not take.
  bool InstallSetupsOfCurrentCd() {
    for (;;) {
      std::vector<char> id(kText, '\0');
      int core = e_.GetNextSetup(id.data());
      std::string setup = id.data();
      if (setup.empty()) return true;
      if (!handedOut_.insert(Upper(setup)).second) {
        Log("*** Error - setup " + setup + " was handed out again without progress; the installation loop ends");
        return false;
      }
      std::string propIni = core ? Call(e_.GetComponentPropIniFile, setup) : Call(e_.GetSetupPropIniFile, setup);
      if (propIni.empty()) propIni = Call(e_.GetSetupPropIniFile, setup);
      long size = e_.SetupDiskSpaceRequired(setup.c_str());
      e_.ProgressDlgStep(("Installing " + setup).c_str(), step_++, remaining_);
      std::string position = "[" + std::to_string(step_) + " of " + std::to_string(steps_) + "] " + setup;
      std::string name = core ? Call(e_.GetComponentName, setup) : Call(e_.GetSetupName, setup);
      Progress(position + " (" + name + ", CD " + currentCd_ + "): started");
      DWORD started = GetTickCount();
      const char* outcome;
      bool ok;
      if (e_.IsInstalled(propIni.c_str()) == TS_ALREADY_INSTALLED) {
        ok = true;
        outcome = "already installed";
      } else if (e_.DoInstall(propIni.c_str()) != 0) {
        ok = false;
        outcome = "failed (TS_DoInstall reported a failure)";
      } else {
        WaitForSetupWindow(setup);
        ok = e_.MIFError(propIni.c_str()) == 0;
        outcome = ok ? "installed" : "failed";
      }
      remaining_ = remaining_ > size ? remaining_ - size : 0;
      if (ok) {
        e_.SetInstalled(setup.c_str());
        installed_.push_back(setup);
        // Its CD is in now: what its removal will need is copied while it can be.
        if (e_.KeepForMaintenance(propIni.c_str()) != 0) notKept_ = true;
      } else {
        e_.SetInstallError(setup.c_str());
        failed_.push_back(setup);
      }
      Progress(position + ": " + outcome + " in " + std::to_string((GetTickCount() - started + 500) / 1000) + " s");
    }
  }

  // Brings the wanted CD in: unattended from the CD roots given or lying beside the current
  // one; attended by asking the user, then looking at the same places again.
  bool AskForCd(const std::string& wanted) {
    bool attended = !unattended_;
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::vector<std::string> roots = options_.cdRoots;
      for (const std::string& sibling : SiblingDirectories(currentRoot_)) roots.push_back(sibling);
      for (const std::string& root : roots) {
        // Only the wanted CD is made current: making another one current would tell the user
        // that it is the wrong CD.
        if (Upper(Call(e_.IdentifyCD, root)) != Upper(wanted)) continue;
        std::string cd = Call(e_.GetCurrentCD, root);
        if (Upper(cd) == Upper(wanted)) {
          currentRoot_ = root;
          currentCd_ = cd;
          return true;
        }
      }
      if (!attended) {
        Log("*** The CD " + wanted + " (" + Call(e_.GetCDDesc, wanted) + ") was not found beside " + currentRoot_ +
            " or among the CD roots given with cds=");
        return false;
      }
      std::string text = "Please insert the CD: " + Call(e_.GetCDDesc, wanted);
      if (e_.MessagePage("Corvant Setup", text.c_str(), "Then click Next to continue.", 1, 0) != TS_STEP_NEXT) return false;
    }
    return false;
  }

  void Log(const std::string& text) const { e_.AddToLog(text.c_str()); }
  // Unattended runs tell a watching administrator where they are, one line per setup event.
  void Progress(const std::string& text) const {
    if (unattended_) ConsoleLine(text);
  }

  // A setup program that names its window is started without waiting (TS_DoInstall returns at
  // once): its status file is there only once that window has come and gone.
  void WaitForSetupWindow(const std::string& setup) {
    std::string name = Call(e_.GetWindowName, setup), windowClass = Call(e_.GetWindowClass, setup);
    if (name.empty()) return;
    auto shown = [&] {
      return FindWindowA(windowClass.empty() ? nullptr : windowClass.c_str(), name.c_str()) != nullptr;
    };
    Log("Wait for the window \"" + name + "\" of " + setup);
    if (!WaitFor(shown, true, kWindowAppearsMs)) {
      Log("*** The window \"" + name + "\" of " + setup + " did not appear within " +
          std::to_string(kWindowAppearsMs / 1000) + " seconds");
      return;
    }
    if (!WaitFor(shown, false, kWindowStaysMs))
      Log("*** The window \"" + name + "\" of " + setup + " is still open after " +
          std::to_string(kWindowStaysMs / 1000) + " seconds; its status is read now");
  }

  // Polls until `condition` answers `wanted`, pumping this thread's messages meanwhile.
  template <typename Condition>
  static bool WaitFor(Condition&& condition, bool wanted, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (condition() != wanted) {
      if (GetTickCount() - start >= timeoutMs) return false;
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
      Sleep(200);
    }
    return true;
  }

  const EngineExports& e_;
  const HostOptions& options_;
  const bool unattended_;
  std::set<std::string> handedOut_;
  std::string currentRoot_, currentCd_;
  int steps_ = 0;
  long total_ = 0;
  long remaining_ = 0;
  int step_ = 0;
  std::vector<std::string> installed_, failed_;
  bool notKept_ = false;
};

}  // namespace

namespace {
// Set by tests: the host does everything a restart needs except asking the system for it, and
// says so, so that a test machine observes the request without being restarted.
constexpr char kNoRestartVariable[] = "TESSARO_TEST_NO_RESTART";

// Asks the system to restart the machine; false (with the reason logged) when it cannot.
bool RequestRestart(const EngineExports& e) {
  auto fail = [&e](const std::string& call) {
    std::string line = "*** Unable to restart the computer (" + call + " error " + std::to_string(GetLastError()) + ")";
    e.AddToLog(line.c_str());
    ConsoleLine(line);
    return false;
  };
  HANDLE rawToken = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &rawToken))
    return fail("OpenProcessToken");
  UniqueHandle token(rawToken);
  TOKEN_PRIVILEGES shutdown{};
  shutdown.PrivilegeCount = 1;
  shutdown.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &shutdown.Privileges[0].Luid))
    return fail("LookupPrivilegeValueA");
  // AdjustTokenPrivileges succeeds without granting a privilege the account lacks.
  if (!AdjustTokenPrivileges(token.get(), FALSE, &shutdown, 0, nullptr, nullptr) || GetLastError() != ERROR_SUCCESS)
    return fail("AdjustTokenPrivileges");
  char seam[8] = {};
  if (GetEnvironmentVariableA(kNoRestartVariable, seam, sizeof seam) > 0) {
    std::string line = std::string("Restart requested; not done because ") + kNoRestartVariable + " is set";
    e.AddToLog(line.c_str());
    ConsoleLine(line);
    return true;
  }
  if (!ExitWindowsEx(EWX_REBOOT, SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_MINOR_INSTALLATION |
                                     SHTDN_REASON_FLAG_PLANNED))
    return fail("ExitWindowsEx");
  e.AddToLog("Restart requested");
  ConsoleLine("Restart requested");
  return true;
}

}  // namespace

int EndRun(const EngineExports& e, int code) {
  std::string line = "exit code " + std::to_string(code) + ": " + ExitMeaning(code);
  e.AddToLog(("TessaroSetup " + line).c_str());
  ConsoleLine(line);
  e.UnloadSetupData();
  return code;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string Call(int(TESSARO_CALL* query)(char*)) {
  std::vector<char> out(kText, '\0');
  query(out.data());
  return out.data();
}

std::string Call(int(TESSARO_CALL* query)(const char*, char*), const std::string& in) {
  std::vector<char> out(kText, '\0');
  query(in.c_str(), out.data());
  return out.data();
}

namespace {
// The suite's Programs and Features entry, whose commands start the host in the maintenance folder.
bool RegisterUninstallEntry(const EngineExports& e) {
  std::vector<char> folder(kText, '\0');
  if (e.GetMaintenanceFolder(folder.data()) != 0 || !folder[0]) return false;
  char own[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, own, MAX_PATH);
  std::string host = JoinDir(JoinDir(folder.data(), "master"), LastName(own));
  return e.RegisterUninstallEntry(host.c_str()) == 0;
}
}  // namespace

std::vector<std::string> RecordRun(const EngineExports& e) {
  std::vector<std::string> failed;
  if (e.Configuration() != 0) failed.push_back("TS_Configuration");
  if (e.CommitFeatures() != 0) failed.push_back("TSCommitFeatures");
  if (e.RegisterTargets() != 0) failed.push_back("TS_RegisterTargets");
  return failed;
}

std::string Joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ",") + item;
  return text;
}

int RunSuite(const EngineExports& e, const HostOptions& options) {
  std::vector<char> params(kText, '\0');
  e.FindParamsIniFile(options.ownDirectory.c_str(), options.commandLine.c_str(), params.data());
  if (e.LoadSetupData(params.data()) != 0) {
    ConsoleLine("the setup descriptions could not be loaded");
    ConsoleLine("exit code " + std::to_string(kExitFailed) + ": " + ExitMeaning(kExitFailed));
    return kExitFailed;
  }
  std::string suite = Call(e.GetRootSetupID);
  bool unattended = e.Unattended() == 1;
  // "Uninstall" on the add/remove page ends the wizard with the removal's own status.
  int removalCode = -1;
  auto uninstall = [&e, &removalCode, unattended] { removalCode = RemoveLoadedSuite(e, !unattended); };
  // An unattended run has no user who could cancel: a step that stops it failed.
  if (WalkWizard(e, e.GetParamYesNo("EnableUninstallCheck", 1) == 1, uninstall) != TS_STEP_NEXT) {
    if (removalCode >= 0) return EndRun(e, removalCode);
    ConsoleLine(suite + (unattended ? ": the wizard stopped" : ": setup was cancelled"));
    return EndRun(e, unattended ? kExitFailed : kExitCancelled);
  }
  if (!options.recordFile.empty()) {
    if (e.RecordAnswers(options.recordFile.c_str(), options.recordPasswords ? 1 : 0) != 1) {
      ConsoleLine(suite + ": the answers could not be recorded in " + options.recordFile);
      return EndRun(e, kExitFailed);
    }
    ConsoleLine(suite + ": answers recorded in " + options.recordFile);
  }
  // CD 1 is in: the master's part of the maintenance folder is copied before anything installs.
  bool masterKept = e.KeepForMaintenance(JoinDir(options.ownDirectory, "prop.ini").c_str()) == 0;
  SuiteInstaller installer(e, options, unattended);
  LoopEnd loopEnd = installer.Install(ParentDir(options.ownDirectory));
  std::string notInstalled = Call(e.GetSetupsNotInstalled);
  std::vector<std::string> unrecorded = RecordRun(e);
  if (!masterKept || installer.NotKept()) unrecorded.push_back("TS_KeepForMaintenance");
  // The Programs and Features entry follows complete records, and only what is installed has one.
  if (unrecorded.empty() && !installer.Installed().empty() && !RegisterUninstallEntry(e))
    unrecorded.push_back("TS_RegisterUninstallEntry");
  bool restartNeeded = e.IsRebootScheduled() == 1;
  // The completion page asks about the restart only when it shows; a run whose page does not
  // show (unattended, switched off, or messages limited) restarts only with EnableReboot=YES.
  bool finalPageShows = !unattended && e.GetParamYesNo("EnableFinalDlg", 1) == 1 && e.AllMessages() == 1;
  bool restartNow = e.FinalDlg(TS_STEP_NEXT) == TS_STEP_NEXT;
  if (!finalPageShows) restartNow = e.GetParamYesNo("EnableReboot", 0) == 1;

  std::string summary = suite + ": ";
  int code = kExitSuccess;
  if (loopEnd == LoopEnd::CdRefused && !unattended) {
    summary += "setup was cancelled while asking for a CD; installed: " + Joined(installer.Installed()) +
               "; not installed: " + notInstalled;
    code = kExitCancelled;
  } else if (!installer.Failed().empty() || !notInstalled.empty()) {
    summary += "installed: " + Joined(installer.Installed()) + "; failed: " + Joined(installer.Failed()) +
               "; not installed: " + notInstalled;
    code = kExitFailed;
  } else {
    summary += "installed: " + Joined(installer.Installed());
  }
  if (!unrecorded.empty()) {
    summary += "; records incomplete: " + Joined(unrecorded) + " failed";
    code = kExitFailed;
  }
  ConsoleLine(summary);
  e.AddToLog(("TessaroSetup " + summary).c_str());
  if (code == kExitSuccess && restartNeeded) {
    code = kExitRestartNeeded;
    if (restartNow && RequestRestart(e)) code = kExitRestartStarted;
  }
  return EndRun(e, code);
}
