// Removal and maintenance exports: the removal plan, each setup's removal and the records taken
// back, the maintenance folder and the suite's Programs and Features entry.
#include "exports/ExportFrame.h"
#include "install/Maintenance.h"
#include "install/Removal.h"

TS_EXPORT int TS_PlanRemoval(char* setupIds) {
  return Quietly(__func__, -1, [&] {
    CopyToBuffer("", setupIds, TS_LIST_BUFFER_SIZE);
    RemovalPlan plan = PlanRemoval();
    std::string ids = JoinTexts(plan.SetupIds(), ",");
    // A cut list would leave setups out of the removal unseen.
    if (ids.size() >= TS_LIST_BUFFER_SIZE) {
      LogLine("*** TS_PlanRemoval: the list of " + std::to_string(ids.size()) + " characters does not fit the buffer");
      return -1;
    }
    CopyToBuffer(ids, setupIds, TS_LIST_BUFFER_SIZE);
    return static_cast<int>(plan.setups.size());
  });
}

TS_EXPORT int TS_DoUninstall(const char* propIni) {
  return Quietly(__func__, -1, [&] { return UninstallSetup(TextArg(propIni)); });
}

TS_EXPORT int TS_UnregisterSetup(const char* setupId) {
  return Quietly(__func__, -1, [&] { return UnregisterSetup(TextArg(setupId)); });
}

TS_EXPORT int TS_FinishRemoval() {
  return Quietly(__func__, -1, [&] { return FinishRemoval(); });
}

TS_EXPORT int TS_RegisterUninstallEntry(const char* maintenanceHost) {
  return Quietly(__func__, -1, [&] { return RegisterUninstallEntry(TextArg(maintenanceHost)); });
}

TS_EXPORT int TS_KeepForMaintenance(const char* propIni) {
  return Quietly(__func__, -1, [&] { return KeepForMaintenance(TextArg(propIni)); });
}

TS_EXPORT int TS_GetMaintenanceFolder(char* out) {
  return Quietly(__func__, -1, [&] {
    std::string folder = MaintenanceFolder();
    return WholeTextOut(__func__, folder, out, TS_PATH_BUFFER_SIZE) && !folder.empty() ? 0 : -1;
  });
}
