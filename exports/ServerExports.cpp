// The machine-wide framework server settings, read and written by the setup script and by the
// server pages.
#include <string>

#include "engine/Text.h"
#include "exports/ExportFrame.h"
#include "state/ServerRecords.h"
#include "state/UninstallFiles.h"
#include "ui/NexoLibrary.h"

namespace {
// The installed products, each description at most one profile value.
constexpr size_t kProductListSize = 1024;
}  // namespace

TS_EXPORT int TSGetNEXOServerActive() {
  return Quietly(0, [] { return NexoServerActive() ? 1 : 0; });
}

TS_EXPORT int TSSetNEXOServerActive(int active) {
  return Quietly(0, [&] {
    RecordServerActive(active != 0);
    return 0;
  });
}

TS_EXPORT int TSGetNEXOServer(char* out) {
  return Quietly(0, [&] {
    if (out) *out = '\0';
    // A server name is at most what the NEXO Library hands back.
    CopyToBuffer(NexoServerName(), out, kServerNameBufferSize);
    return 0;
  });
}

TS_EXPORT int TSSetNEXOServer(const char* name) {
  return Quietly(0, [&] {
    RecordServerName(TextArg(name));
    return 0;
  });
}

TS_EXPORT int TSNEXOFirstTime() {
  return Quietly(0, [] { return ServerChoiceMissing() ? 1 : 0; });
}

TS_EXPORT int TSRegisterNEXOTask(const char* name, const char* value) {
  return Quietly(0, [&] {
    RegisterNexoTask(TextArg(name), TextArg(value));
    return 0;
  });
}

TS_EXPORT int TSGetNEXOTasks(char* out) {
  return Quietly(0, [&] {
    if (out) *out = '\0';
    CopyToBuffer(GetInstalledApplications(), out, kProductListSize);
    return 0;
  });
}
