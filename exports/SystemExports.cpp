// System integration exports: COM registration, the machine-wide PATH and the restart marker.
#include "engine/Text.h"
#include "exports/ExportFrame.h"
#include "install/FileRegistration.h"
#include "install/SystemIntegration.h"
#include "ui/ExitConfirmation.h"

namespace {
constexpr int kRegistrationDone = 0;
constexpr int kRegistrationFailed = -2;
}  // namespace

TS_EXPORT int TS_RegisterFile(const char* path) {
  return Quietly(__func__, kRegistrationFailed,
                 [&] { return path && RegisterFile(path) ? kRegistrationDone : kRegistrationFailed; });
}

TS_EXPORT int TS_UnregisterFile(const char* path) {
  return Quietly(__func__, kRegistrationFailed,
                 [&] { return path && UnregisterFile(path) ? kRegistrationDone : kRegistrationFailed; });
}

TS_EXPORT int TS_AddToNTPath(const char* directory, int) {
  return Quietly(__func__, 0, [&] {
    AddToSystemPath(directory ? directory : "");
    return 0;
  });
}

TS_EXPORT int TS_ScheduleReboot() {
  return Quietly(__func__, 0, [] {
    // The answer is 0 either way; a marker that could not be written is in the log, and
    // TS_IsRebootScheduled tells the truth.
    static_cast<void>(ScheduleReboot());
    return 0;
  });
}

TS_EXPORT int TS_CancelReboot() {
  return Quietly(__func__, 0, [] {
    // The answer is 0 either way; TS_IsRebootScheduled tells the truth.
    static_cast<void>(CancelReboot());
    return 0;
  });
}

TS_EXPORT int TS_IsRebootScheduled() {
  return Quietly(__func__, 0, [] { return IsRebootScheduled() ? 1 : 0; });
}

TS_EXPORT int TS_GetCurrentDomainName(char* out) {
  return Quietly(__func__, 0, [&] {
    // An unknown domain leaves the caller's buffer as it was.
    if (std::optional<std::string> domain = CurrentDomainName()) CopyToBuffer(*domain, out, TS_DOMAIN_BUFFER_SIZE);
    return 0;
  });
}

TS_EXPORT int TS_ExitIfDesired() {
  return Quietly(__func__, 0, [] { return ConfirmExit() ? 1 : 0; });
}
