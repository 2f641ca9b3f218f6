#include "model/SetupHooks.h"

#include <vector>

#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/ProductLibrary.h"
#include "engine/StepWalk.h"
#include "model/Model.h"

namespace {
// The setups in hook order; a component place without a setup of its own stays empty.
std::vector<CSetup*> HookPlaces(CSetup& master) {
  std::vector<CSetup*> places{&master};
  bool coreComponents = GetParamYesNo("InstallCoreComponents", true);
  for (CComponent& component : master.components)
    places.push_back(coreComponents && component.IsCore() ? component.setup : nullptr);
  for (CSetup& subsetup : master.subsetups) places.push_back(&subsetup);
  return places;
}

// Calls the entry point of one setup's library with the paths in force switched to the
// setup's own; a setup without a library, or a library without the entry, keeps the answer.
int CallHook(CSetup& setup, const char* entry, int answer) {
  if (setup.SetupDLL.empty()) return answer;
  LibraryCallResult call = WithProductEntry<product_entry::Hook>(
      setup.SrcDir, setup.SetupDLL, entry, [&](product_entry::Hook hook) {
        LogLine(std::string(entry) + " for " + setup.Name.Translated(setup));
        ScopedPathsInForce paths(setup.ParamsFile, setup.PropIniFile);
        return hook(answer);
      });
  return call.Called() ? call.value : answer;
}
}  // namespace

int RunSetupHooks(CSetup& master, int direction, const char* entry) {
  LogLine(std::string("Custom DLL ") + entry + " :");
  ScopedLogIndent indent;
  std::vector<CSetup*> places = HookPlaces(master);
  return WalkPlaces(static_cast<int>(places.size()), direction, true, [&](int place, int answer) {
    CSetup* setup = places[static_cast<size_t>(place - 1)];
    return setup ? CallHook(*setup, entry, answer) : answer;
  });
}
