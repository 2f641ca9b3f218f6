// The wizard steps in the order a setup script calls them.
#include <cstdio>
#include <functional>
#include <vector>

#include "host/WizardWalk.h"

int WalkWizard(const EngineExports& e) {
  auto plain = [](EngineExports::Step step) { return [step](int) { return step(); }; };
  auto directed = [](EngineExports::DirectedStep step) { return [step](int direction) { return step(direction); }; };
  auto targets = [&e](const char* pageTime) {
    return [&e, pageTime](int direction) { return e.GetAllTargetsDlgs(direction, pageTime); };
  };
  // The uninstall check answers 0 to install, 1 to uninstall, 2 when cancelled; this host
  // installs only.
  auto uninstallCheck = [&e](int direction) {
    int answer = e.UninstallCheck(direction);
    if (answer == 0) return direction == 12 ? 12 : 1;
    if (answer == 1) std::fprintf(stderr, "TessaroSetup: uninstalling is not offered by this host\n");
    return 9;
  };
  std::vector<std::function<int(int)>> steps = {
      plain(e.Initialization),        plain(e.DetectComponents),      uninstallCheck,
      directed(e.WelcomeDlg),         directed(e.LicenseDlg),         directed(e.InitialChecks),
      plain(e.LogSetupData),          directed(e.SetupTypeDlg),       directed(e.PreSelection),
      targets("BEFORE"),              targets("DURING"),              directed(e.GetSelectionsDlg),
      directed(e.PostSelection),      targets("AFTER"),               directed(e.GetFolderDlg),
      directed(e.GetServerDlg),       directed(e.FinalChecks),        directed(e.ShowSummaryDlg)};
  size_t at = 0;
  int direction = 1;
  // A walk that never settles (hooks that keep sending it back and forth) is cut off.
  for (int guard = 0; guard < 10000 && at < steps.size(); ++guard) {
    int result = steps[at](direction);
    if (result == 1) {
      ++at;
      direction = 1;
    } else if (result == 12) {
      direction = 12;
      if (at == 0) direction = 1;  // nothing lies before the first step: start it again
      else --at;
    } else {
      return 9;
    }
  }
  return at >= steps.size() ? 1 : 9;
}
