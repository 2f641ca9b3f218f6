// Library entry: the application object learns the module it was loaded as, and the empty
// setup model is created.
#include <windows.h>

#include "engine/Application.h"
#include "model/Model.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    SetEngineModule(instance);
    CreateSetupData();
  }
  return TRUE;
}
