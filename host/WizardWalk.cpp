// The wizard steps in the order a setup script calls them.
#include <cstdio>
#include <functional>
#include <iterator>
#include <vector>

#include "host/WizardWalk.h"

int WalkWizard(const EngineExports& e, bool uninstallCheck, const std::function<void()>& uninstall) {
  auto plain = [](auto step) { return [step](int) { return step(); }; };
  auto directed = [](auto step) { return [step](int direction) { return step(direction); }; };
  auto targets = [&e](const char* pageTime) {
    return [&e, pageTime](int direction) { return e.GetAllTargetsDlgs(direction, pageTime); };
  };
  // The uninstall check answers install, uninstall or cancel; uninstall ends the wizard.
  auto askUninstall = [&e, &uninstall](int direction) {
    int answer = e.UninstallCheck(direction);
    if (answer == TS_UNINSTALL_CHECK_INSTALL) return direction == TS_STEP_BACK ? TS_STEP_BACK : TS_STEP_NEXT;
    if (answer == TS_UNINSTALL_CHECK_UNINSTALL) {
      if (uninstall)
        uninstall();
      else
        std::fprintf(stderr, "TessaroSetup: uninstalling is not offered in this mode\n");
    }
    return TS_STEP_STOP;
  };
  std::vector<std::function<int(int)>> steps = {plain(e.Initialization), plain(e.DetectComponents)};
  if (uninstallCheck) steps.push_back(askUninstall);
  const std::function<int(int)> rest[] = {
      directed(e.WelcomeDlg),    directed(e.LicenseDlg),      directed(e.InitialChecks), plain(e.LogSetupData),
      directed(e.SetupTypeDlg),  directed(e.PreSelection),    targets("BEFORE"),         targets("DURING"),
      directed(e.GetSelectionsDlg), directed(e.PostSelection), targets("AFTER"),          directed(e.GetFolderDlg),
      directed(e.GetServerDlg),  directed(e.FinalChecks),     directed(e.ShowSummaryDlg)};
  steps.insert(steps.end(), std::begin(rest), std::end(rest));
  size_t at = 0;
  int direction = TS_STEP_NEXT;
  // A walk that never settles (hooks that keep sending it back and forth) is cut off.
  for (int guard = 0; guard < 10000 && at < steps.size(); ++guard) {
    int result = steps[at](direction);
    if (result == TS_STEP_NEXT) {
      ++at;
      direction = TS_STEP_NEXT;
    } else if (result == TS_STEP_BACK) {
      direction = TS_STEP_BACK;
      if (at == 0) direction = TS_STEP_NEXT;  // nothing lies before the first step: start it again
      else --at;
    } else {
      return TS_STEP_STOP;
    }
  }
  return at >= steps.size() ? TS_STEP_NEXT : TS_STEP_STOP;
}
