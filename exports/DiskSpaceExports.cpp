// Disk space the selection needs, per drive, per setup and for the whole run.
#include "engine/Log.h"
#include "engine/Text.h"
#include "exports/ExportFrame.h"
#include "install/DiskSpace.h"
#include "model/Model.h"

TS_EXPORT unsigned long TSGetDiskSpaceRequired(const char* drive) {
  return Quietly(__func__, 0UL, [&] { return RequiredOnDrive(Master(), TextArg(drive), false); });
}

TS_EXPORT unsigned long TSGetTotalDiskSpaceRequired() {
  return Quietly(__func__, 0UL, [] {
    Kilobytes total = TotalSetupSpace(Master());
    LogLine(Format("Total disk space required for the Setup = %lu", total));
    return total;
  });
}

TS_EXPORT unsigned long TSGetSetupDiskSpaceRequired(const char* setupId) {
  return Quietly(__func__, 0UL, [&] {
    std::string id = TextArg(setupId);
    Kilobytes space = SetupSpaceOf(Master(), ToUpper(id));
    LogLine(Format("Disk space required for %s = %lu", id.c_str(), space));
    return space;
  });
}
