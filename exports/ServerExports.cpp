// The machine-wide framework server settings, read and written by the setup script and by the
// server pages.
#include <string>

#include "engine/Text.h"
#include "exports/ExportFrame.h"
#include "state/ServerRecords.h"
#include "state/UninstallFiles.h"

TS_EXPORT int TSGetNEXOServerActive() {
  return Quietly(__func__, 0, [] { return NexoServerActive() ? 1 : 0; });
}

TS_EXPORT int TSSetNEXOServerActive(int active) {
  return Quietly(__func__, 0, [&] {
    // The answer is fixed; a value that could not be written is in the log.
    static_cast<void>(RecordServerActive(active != 0));
    return 0;
  });
}

TS_EXPORT int TSGetNEXOServer(char* out) {
  return Quietly(__func__, 0, [&] {
    if (out) *out = '\0';
    CopyToBuffer(NexoServerName(), out, TS_SERVER_BUFFER_SIZE);
    return 0;
  });
}

TS_EXPORT int TSSetNEXOServer(const char* name) {
  return Quietly(__func__, 0, [&] {
    // The answer is fixed; a value that could not be written is in the log.
    static_cast<void>(RecordServerName(TextArg(name)));
    return 0;
  });
}

TS_EXPORT int TSNEXOFirstTime() {
  return Quietly(__func__, 0, [] { return ServerChoiceMissing() ? 1 : 0; });
}

TS_EXPORT int TSRegisterNEXOTask(const char* name, const char* value) {
  return Quietly(__func__, 0, [&] {
    // The answer is fixed; a value that could not be written is in the log.
    static_cast<void>(RegisterNexoTask(TextArg(name), TextArg(value)));
    return 0;
  });
}

TS_EXPORT int TSGetNEXOTasks(char* out) {
  return Quietly(__func__, 0, [&] {
    if (out) *out = '\0';
    CopyListOut("TSGetNEXOTasks", InstalledApplications(), ",", out, TS_LIST_BUFFER_SIZE);
    return 0;
  });
}
