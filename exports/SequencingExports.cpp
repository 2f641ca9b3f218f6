// CD and setup sequencing exports of the installation loop.
#include <string>
#include <vector>

#include "engine/Text.h"
#include "exports/ExportFrame.h"
#include "install/Sequencing.h"

namespace {
void Clear(char* buffer) {
  if (buffer) *buffer = '\0';
}
}  // namespace

TS_EXPORT int TS_GetCurrentCD(const char* root, char* cdId) {
  return Quietly(__func__, 0, [&] {
    Clear(cdId);
    ValueOut(cdId, IdentifyCurrentCD(TextArg(root)));
    return 0;
  });
}

TS_EXPORT int TS_IdentifyCD(const char* root, char* cdId) {
  return Quietly(__func__, 0, [&] {
    Clear(cdId);
    ValueOut(cdId, CDIdAt(TextArg(root)));
    return 0;
  });
}

TS_EXPORT int TS_InitializeInstallControl() {
  return Quietly(__func__, 0, [] {
    InitializeInstallControl();
    return 0;
  });
}

TS_EXPORT int TS_GetNextCD(char* cdId) {
  return Quietly(__func__, 0, [&] {
    Clear(cdId);
    ValueOut(cdId, NextCD());
    return 0;
  });
}

TS_EXPORT int TS_GetCDDesc(const char* cdId, char* description) {
  return Quietly(__func__, 0, [&] {
    Clear(description);
    ValueOut(description, CDDescription(TextArg(cdId)));
    return 0;
  });
}

TS_EXPORT int TS_GetNextSetup(char* setupId) {
  return Quietly(__func__, 0, [&] {
    Clear(setupId);
    bool core = false;
    ValueOut(setupId, NextSetup(core));
    return core ? 1 : 0;
  });
}

TS_EXPORT int TS_NumberOfSetups() {
  return Quietly(__func__, 0, [] { return NumberOfSetups(); });
}

TS_EXPORT int TS_AllInstalled() {
  return Quietly(__func__, 0, [] { return AllInstalled() ? 1 : 0; });
}

TS_EXPORT int TS_GetSetupsNotInstalled(char* list) {
  return Quietly(__func__, 0, [&] {
    Clear(list);
    CopyListOut("TS_GetSetupsNotInstalled", SetupsNotInstalled(), ",", list, TS_LIST_BUFFER_SIZE);
    return 0;
  });
}

TS_EXPORT int TS_SetInstalled(const char* setupId) {
  return Quietly(__func__, 0, [&] {
    SetSetupInstalled(ToUpper(TextArg(setupId)));
    return 0;
  });
}

TS_EXPORT int TS_SetInstallError(const char* setupId) {
  return Quietly(__func__, 0, [&] {
    SetSetupInstallError(ToUpper(TextArg(setupId)));
    return 0;
  });
}
