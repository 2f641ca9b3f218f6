#include "tools/LinkedEngine.h"

extern "C" {
int __stdcall TS_Initialization();
int __stdcall TS_DetectComponents();
int __stdcall TS_UninstallCheck(int);
int __stdcall TS_WelcomeDlg(int);
int __stdcall TS_LicenseDlg(int);
int __stdcall TS_InitialChecks(int);
int __stdcall TS_LogSetupData();
int __stdcall TS_SetupTypeDlg(int);
int __stdcall TS_PreSelection(int);
int __stdcall TS_GetAllTargetsDlgs(int, const char*);
int __stdcall TS_GetSelectionsDlg(int);
int __stdcall TS_PostSelection(int);
int __stdcall TS_GetFolderDlg(int);
int __stdcall TS_GetServerDlg(int);
int __stdcall TS_FinalChecks(int);
int __stdcall TS_ShowSummaryDlg(int);
}

EngineExports LinkedEngineSteps() {
  EngineExports e{};
  e.Initialization = TS_Initialization;
  e.DetectComponents = TS_DetectComponents;
  e.UninstallCheck = TS_UninstallCheck;
  e.WelcomeDlg = TS_WelcomeDlg;
  e.LicenseDlg = TS_LicenseDlg;
  e.InitialChecks = TS_InitialChecks;
  e.LogSetupData = TS_LogSetupData;
  e.SetupTypeDlg = TS_SetupTypeDlg;
  e.PreSelection = TS_PreSelection;
  e.GetAllTargetsDlgs = TS_GetAllTargetsDlgs;
  e.GetSelectionsDlg = TS_GetSelectionsDlg;
  e.PostSelection = TS_PostSelection;
  e.GetFolderDlg = TS_GetFolderDlg;
  e.GetServerDlg = TS_GetServerDlg;
  e.FinalChecks = TS_FinalChecks;
  e.ShowSummaryDlg = TS_ShowSummaryDlg;
  return e;
}
