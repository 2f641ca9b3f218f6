#pragma once
// The engine's exports as the host calls them, bound by name from Tessaro.dll. Every prototype
// comes from include/tessaro.h; the list below names each export the host uses once, and both the
// table of pointers and the binding are generated from it.
#include <windows.h>

#include <string>

#include "include/tessaro.h"

// X(member, export): the host's name for an export and the export's own name.
#define TESSARO_HOST_EXPORTS(X)                               \
  X(FindParamsIniFile, TS_FindParamsIniFile)                  \
  X(LoadSetupData, TS_LoadSetupData)                          \
  X(UnloadSetupData, TS_UnloadSetupData)                      \
  X(Initialization, TS_Initialization)                        \
  X(DetectComponents, TS_DetectComponents)                    \
  X(UninstallCheck, TS_UninstallCheck)                        \
  X(WelcomeDlg, TS_WelcomeDlg)                                \
  X(LicenseDlg, TS_LicenseDlg)                                \
  X(InitialChecks, TS_InitialChecks)                          \
  X(LogSetupData, TS_LogSetupData)                            \
  X(SetupTypeDlg, TS_SetupTypeDlg)                            \
  X(PreSelection, TS_PreSelection)                            \
  X(GetAllTargetsDlgs, TS_GetAllTargetsDlgs)                  \
  X(GetSelectionsDlg, TS_GetSelectionsDlg)                    \
  X(PostSelection, TS_PostSelection)                          \
  X(GetFolderDlg, TS_GetFolderDlg)                            \
  X(GetServerDlg, TS_GetServerDlg)                            \
  X(FinalChecks, TS_FinalChecks)                              \
  X(ShowSummaryDlg, TS_ShowSummaryDlg)                        \
  X(FinalDlg, TS_FinalDlg)                                    \
  X(Configuration, TS_Configuration)                          \
  X(CommitFeatures, TSCommitFeatures)                         \
  X(RegisterTargets, TS_RegisterTargets)                      \
  X(GetCurrentCD, TS_GetCurrentCD)                            \
  X(IdentifyCD, TS_IdentifyCD)                                \
  X(InitializeInstallControl, TS_InitializeInstallControl)    \
  X(GetNextCD, TS_GetNextCD)                                  \
  X(GetNextSetup, TS_GetNextSetup)                            \
  X(NumberOfSetups, TS_NumberOfSetups)                        \
  X(AllInstalled, TS_AllInstalled)                            \
  X(GetSetupsNotInstalled, TS_GetSetupsNotInstalled)          \
  X(GetCDDesc, TS_GetCDDesc)                                  \
  X(SetInstalled, TS_SetInstalled)                            \
  X(SetInstallError, TS_SetInstallError)                      \
  X(GetSetupPropIniFile, TSGetSetupPropIniFile)               \
  X(GetComponentPropIniFile, TSGetComponentPropIniFile)       \
  X(GetSetupName, TSGetSetupName)                             \
  X(GetComponentName, TSGetComponentName)                     \
  X(IsInstalled, TS_IsInstalled)                              \
  X(DoInstall, TS_DoInstall)                                  \
  X(GetPackage, TS_GetPackage)                                \
  X(GetPackageIdentity, TS_GetPackageIdentity)                \
  X(IsPackageInstalled, TS_IsPackageInstalled)                \
  X(GetPackageUninstallCommand, TS_GetPackageUninstallCommand) \
  X(MIFError, TS_MIFError)                                    \
  X(MessagePage, TS_MessageBox)                               \
  X(ProgressDlgStart, TS_ProgressDlgStart)                    \
  X(ProgressDlgStep, TS_ProgressDlgStep)                      \
  X(ProgressDlgStop, TS_ProgressDlgStop)                      \
  X(TotalDiskSpaceRequired, TSGetTotalDiskSpaceRequired)      \
  X(SetupDiskSpaceRequired, TSGetSetupDiskSpaceRequired)      \
  X(GetConfigIniFile, TSGetConfigIniFile)                     \
  X(GetParamYesNo, TSGetParamYesNo)                           \
  X(GetParam, TSGetParam)                                     \
  X(Unattended, TSUnattended)                                 \
  X(AllMessages, TSAllMessages)                               \
  X(AddToLog, TSAddToLog)                                     \
  X(GetTargetID, TSGetTargetID)                               \
  X(GetTargetPath, TSGetTargetPath)                           \
  X(TranslateKeyword, TSTranslateKeyword)                     \
  X(GetRootSetupID, TSGetRootSetupID)                         \
  X(GetWindowName, TSGetWindowName)                           \
  X(GetWindowClass, TSGetWindowClass)                         \
  X(IsRebootScheduled, TS_IsRebootScheduled)                  \
  X(RecordAnswers, TS_RecordAnswers)                          \
  X(AskYesNo, _SdAskYesNo)                                    \
  X(PlanRemoval, TS_PlanRemoval)                              \
  X(DoUninstall, TS_DoUninstall)                              \
  X(UnregisterSetup, TS_UnregisterSetup)                      \
  X(FinishRemoval, TS_FinishRemoval)                          \
  X(RegisterUninstallEntry, TS_RegisterUninstallEntry)        \
  X(KeepForMaintenance, TS_KeepForMaintenance)                \
  X(GetMaintenanceFolder, TS_GetMaintenanceFolder)

struct EngineExports {
#define TESSARO_HOST_EXPORT_SLOT(member, name) PFN_##name member = nullptr;
  TESSARO_HOST_EXPORTS(TESSARO_HOST_EXPORT_SLOT)
#undef TESSARO_HOST_EXPORT_SLOT
};

// Loads the engine from `dllPath` and binds every export; on failure `missing` names what
// could not be had.
HMODULE BindEngine(const std::string& dllPath, EngineExports& exports, std::string& missing);
