#include "host/EngineBinding.h"

namespace {
template <typename Fn>
bool Bind(HMODULE engine, const char* name, Fn& slot, std::string& missing) {
  slot = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(engine, name)));
  if (!slot && missing.empty()) missing = name;
  return slot != nullptr;
}
}  // namespace

HMODULE BindEngine(const std::string& dllPath, EngineExports& e, std::string& missing) {
  HMODULE engine = LoadLibraryA(dllPath.c_str());
  if (!engine) {
    missing = dllPath;
    return nullptr;
  }
  Bind(engine, "TS_FindParamsIniFile", e.FindParamsIniFile, missing);
  Bind(engine, "TS_LoadSetupData", e.LoadSetupData, missing);
  Bind(engine, "TS_UnloadSetupData", e.UnloadSetupData, missing);
  Bind(engine, "TS_Initialization", e.Initialization, missing);
  Bind(engine, "TS_DetectComponents", e.DetectComponents, missing);
  Bind(engine, "TS_UninstallCheck", e.UninstallCheck, missing);
  Bind(engine, "TS_WelcomeDlg", e.WelcomeDlg, missing);
  Bind(engine, "TS_LicenseDlg", e.LicenseDlg, missing);
  Bind(engine, "TS_InitialChecks", e.InitialChecks, missing);
  Bind(engine, "TS_LogSetupData", e.LogSetupData, missing);
  Bind(engine, "TS_SetupTypeDlg", e.SetupTypeDlg, missing);
  Bind(engine, "TS_PreSelection", e.PreSelection, missing);
  Bind(engine, "TS_GetAllTargetsDlgs", e.GetAllTargetsDlgs, missing);
  Bind(engine, "TS_GetSelectionsDlg", e.GetSelectionsDlg, missing);
  Bind(engine, "TS_PostSelection", e.PostSelection, missing);
  Bind(engine, "TS_GetFolderDlg", e.GetFolderDlg, missing);
  Bind(engine, "TS_GetServerDlg", e.GetServerDlg, missing);
  Bind(engine, "TS_FinalChecks", e.FinalChecks, missing);
  Bind(engine, "TS_ShowSummaryDlg", e.ShowSummaryDlg, missing);
  Bind(engine, "TS_FinalDlg", e.FinalDlg, missing);
  Bind(engine, "TS_Configuration", e.Configuration, missing);
  Bind(engine, "TSCommitFeatures", e.CommitFeatures, missing);
  Bind(engine, "TS_RegisterTargets", e.RegisterTargets, missing);
  Bind(engine, "TS_GetCurrentCD", e.GetCurrentCD, missing);
  Bind(engine, "TS_InitializeInstallControl", e.InitializeInstallControl, missing);
  Bind(engine, "TS_GetNextCD", e.GetNextCD, missing);
  Bind(engine, "TS_GetNextSetup", e.GetNextSetup, missing);
  Bind(engine, "TS_NumberOfSetups", e.NumberOfSetups, missing);
  Bind(engine, "TS_AllInstalled", e.AllInstalled, missing);
  Bind(engine, "TS_GetSetupsNotInstalled", e.GetSetupsNotInstalled, missing);
  Bind(engine, "TS_GetCDDesc", e.GetCDDesc, missing);
  Bind(engine, "TS_SetInstalled", e.SetInstalled, missing);
  Bind(engine, "TS_SetInstallError", e.SetInstallError, missing);
  Bind(engine, "TSGetSetupPropIniFile", e.GetSetupPropIniFile, missing);
  Bind(engine, "TSGetComponentPropIniFile", e.GetComponentPropIniFile, missing);
  Bind(engine, "TS_IsInstalled", e.IsInstalled, missing);
  Bind(engine, "TS_DoInstall", e.DoInstall, missing);
  Bind(engine, "TS_MIFError", e.MIFError, missing);
  Bind(engine, "TS_MessageBox", e.MessageBox, missing);
  Bind(engine, "TS_ProgressDlgStart", e.ProgressDlgStart, missing);
  Bind(engine, "TS_ProgressDlgStep", e.ProgressDlgStep, missing);
  Bind(engine, "TS_ProgressDlgStop", e.ProgressDlgStop, missing);
  Bind(engine, "TSGetTotalDiskSpaceRequired", e.TotalDiskSpaceRequired, missing);
  Bind(engine, "TSGetSetupDiskSpaceRequired", e.SetupDiskSpaceRequired, missing);
  Bind(engine, "TSGetConfigIniFile", e.GetConfigIniFile, missing);
  Bind(engine, "TSGetParamYesNo", e.GetParamYesNo, missing);
  Bind(engine, "TSGetParam", e.GetParam, missing);
  Bind(engine, "TSAddToLog", e.AddToLog, missing);
  Bind(engine, "TSGetTargetID", e.GetTargetID, missing);
  Bind(engine, "TSGetTargetPath", e.GetTargetPath, missing);
  Bind(engine, "TSGetRootSetupID", e.GetRootSetupID, missing);
  Bind(engine, "TSGetWindowName", e.GetWindowName, missing);
  Bind(engine, "TSGetWindowClass", e.GetWindowClass, missing);
  Bind(engine, "TS_RecordAnswers", e.RecordAnswers, missing);
  return engine;
}
