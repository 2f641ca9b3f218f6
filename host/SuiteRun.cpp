#include <windows.h>

#include <cctype>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "engine/Win32Handles.h"
#include "host/HostRun.h"

namespace {
constexpr size_t kText = 4096;
// How long a setup program that names its window may take to show it, and to close it.
constexpr DWORD kWindowAppearsMs = 5 * 60 * 1000;
constexpr DWORD kWindowStaysMs = 4 * 60 * 60 * 1000;
// How the installation loop ended: every CD done, the user gave up on a CD, or the engine
// handed out the same setup again.
enum class LoopEnd { Done, CdRefused, Stuck };

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

// The CD ID a CD root names: the description the engine identifies a CD by.
std::string CdIdOfRoot(const std::string& root) {
  for (const char* candidate : {"prop.ini", "master\\prop.ini", "disk1\\prop.ini"}) {
    std::string file = JoinDir(root, candidate);
    if (!IsFile(file)) continue;
    char value[512] = {};
    GetPrivateProfileStringA("Main", "CD", "", value, sizeof value, file.c_str());
    std::string id = value;
    id = id.substr(0, id.find(';'));
    return Upper(id.empty() ? "CORVANTCD" : id);
  }
  return std::string();
}

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
  SuiteInstaller(const EngineExports& engine, const HostOptions& options) : e_(engine), options_(options) {}

  // Runs the installation loop over CDs and setups.
  LoopEnd Install(const std::string& firstCdRoot) {
    currentRoot_ = firstCdRoot;
    std::vector<char> cd(kText, '\0');
    e_.GetCurrentCD(currentRoot_.c_str(), cd.data());
    e_.InitializeInstallControl();
    int steps = e_.NumberOfSetups();
    total_ = e_.TotalDiskSpaceRequired();
    e_.ProgressDlgStart(steps, total_);
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
      bool ok;
      if (e_.IsInstalled(propIni.c_str()) == TS_ALREADY_INSTALLED) {
        ok = true;
      } else {
        e_.DoInstall(propIni.c_str());
        WaitForSetupWindow(setup);
        ok = e_.MIFError(propIni.c_str()) == 0;
      }
      remaining_ = remaining_ > size ? remaining_ - size : 0;
      if (ok) {
        e_.SetInstalled(setup.c_str());
        installed_.push_back(setup);
      } else {
        e_.SetInstallError(setup.c_str());
        failed_.push_back(setup);
      }
    }
  }

  // Brings the wanted CD in: unattended from the CD roots given or lying beside the current
  // one; attended by asking the user, then looking at the same places again.
  bool AskForCd(const std::string& wanted) {
    bool attended = !e_.GetParamYesNo("Unattended", 0);
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::vector<std::string> roots = options_.cdRoots;
      for (const std::string& sibling : SiblingDirectories(currentRoot_)) roots.push_back(sibling);
      for (const std::string& root : roots) {
        if (CdIdOfRoot(root) != Upper(wanted)) continue;
        std::vector<char> cd(kText, '\0');
        e_.GetCurrentCD(root.c_str(), cd.data());
        if (Upper(cd.data()) == Upper(wanted)) {
          currentRoot_ = root;
          return true;
        }
      }
      if (!attended) return false;
      std::string text = "Please insert the CD: " + Call(e_.GetCDDesc, wanted);
      if (e_.MessagePage("Corvant Setup", text.c_str(), "Then click Next to continue.", 1, 0) != TS_STEP_NEXT) return false;
    }
    return false;
  }

  void Log(const std::string& text) const { e_.AddToLog(text.c_str()); }

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
  std::set<std::string> handedOut_;
  std::string currentRoot_;
  long total_ = 0;
  long remaining_ = 0;
  int step_ = 0;
  std::vector<std::string> installed_, failed_;
};

std::string Joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ",") + item;
  return text;
}
}  // namespace

int RunSuite(const EngineExports& e, const HostOptions& options) {
  std::vector<char> params(kText, '\0');
  e.FindParamsIniFile(options.ownDirectory.c_str(), options.commandLine.c_str(), params.data());
  if (e.LoadSetupData(params.data()) != 0) {
    std::printf("TessaroSetup: the setup descriptions could not be loaded\n");
    return kExitLoadFailed;
  }
  std::string suite = Call(e.GetRootSetupID);
  if (WalkWizard(e) != TS_STEP_NEXT) {
    e.UnloadSetupData();
    std::printf("TessaroSetup: %s: setup was cancelled\n", suite.c_str());
    return kExitCancelled;
  }
  if (!options.recordFile.empty()) {
    if (e.RecordAnswers(options.recordFile.c_str(), options.recordPasswords ? 1 : 0) != 1) {
      e.UnloadSetupData();
      std::printf("TessaroSetup: %s: the answers could not be recorded in %s\n", suite.c_str(),
                  options.recordFile.c_str());
      return kExitHostError;
    }
    std::printf("TessaroSetup: %s: answers recorded in %s\n", suite.c_str(), options.recordFile.c_str());
  }
  SuiteInstaller installer(e, options);
  LoopEnd loopEnd = installer.Install(ParentDir(options.ownDirectory));
  std::string notInstalled = Call(e.GetSetupsNotInstalled);
  e.Configuration();
  e.CommitFeatures();
  e.RegisterTargets();
  e.FinalDlg(1);
  e.UnloadSetupData();
  if (loopEnd == LoopEnd::CdRefused) {
    std::printf("TessaroSetup: %s: setup was cancelled while asking for a CD; installed: %s; not installed: %s\n",
                suite.c_str(), Joined(installer.Installed()).c_str(), notInstalled.c_str());
    return kExitCancelled;
  }
  if (!installer.Failed().empty() || !notInstalled.empty()) {
    std::printf("TessaroSetup: %s: installed: %s; failed: %s; not installed: %s\n", suite.c_str(),
                Joined(installer.Installed()).c_str(), Joined(installer.Failed()).c_str(), notInstalled.c_str());
    return kExitProductsFailed;
  }
  std::printf("TessaroSetup: %s: installed: %s\n", suite.c_str(), Joined(installer.Installed()).c_str());
  return kExitSuccess;
}
