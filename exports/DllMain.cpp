// Library entry: the application object learns the module it was loaded as.
#include <windows.h>

#include "engine/Application.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    SetEngineModule(instance);
  }
  return TRUE;
}
