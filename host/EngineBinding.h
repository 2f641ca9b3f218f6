#pragma once
// The engine's exports as the host calls them, bound by name from Tessaro.dll.
#include <windows.h>

#include <string>

struct EngineExports {
  using Step = int(__stdcall*)();
  using DirectedStep = int(__stdcall*)(int direction);
  using TextOut = int(__stdcall*)(char* out);
  using TextInOut = int(__stdcall*)(const char* in, char* out);
  using TextIn = int(__stdcall*)(const char* text);

  int(__stdcall* FindParamsIniFile)(const char* setupDir, const char* commandLine, char* out);
  TextIn LoadSetupData;
  Step UnloadSetupData;
  Step Initialization;
  Step DetectComponents;
  DirectedStep UninstallCheck;
  DirectedStep WelcomeDlg;
  DirectedStep LicenseDlg;
  DirectedStep InitialChecks;
  Step LogSetupData;
  DirectedStep SetupTypeDlg;
  DirectedStep PreSelection;
  int(__stdcall* GetAllTargetsDlgs)(int direction, const char* pageTime);
  DirectedStep GetSelectionsDlg;
  DirectedStep PostSelection;
  DirectedStep GetFolderDlg;
  DirectedStep GetServerDlg;
  DirectedStep FinalChecks;
  DirectedStep ShowSummaryDlg;
  DirectedStep FinalDlg;
  Step Configuration;
  Step CommitFeatures;
  Step RegisterTargets;

  int(__stdcall* GetCurrentCD)(const char* root, char* cdId);
  Step InitializeInstallControl;
  TextOut GetNextCD;
  TextOut GetNextSetup;
  Step NumberOfSetups;
  Step AllInstalled;
  TextOut GetSetupsNotInstalled;
  TextInOut GetCDDesc;
  TextIn SetInstalled;
  TextIn SetInstallError;
  TextInOut GetSetupPropIniFile;
  TextInOut GetComponentPropIniFile;
  TextIn IsInstalled;
  TextIn DoInstall;
  TextIn MIFError;
  int(__stdcall* MessageBox)(const char* caption, const char* text1, const char* text2, int buttonMask,
                             int reserved);

  int(__stdcall* ProgressDlgStart)(int steps, long totalKb);
  int(__stdcall* ProgressDlgStep)(const char* text, int step, long kbRemaining);
  Step ProgressDlgStop;
  Step TotalDiskSpaceRequired;
  int(__stdcall* SetupDiskSpaceRequired)(const char* setupId);

  TextOut GetConfigIniFile;
  int(__stdcall* GetParamYesNo)(const char* key, int defaultValue);
  TextInOut GetParam;
  TextIn AddToLog;
  int(__stdcall* GetTargetID)(int index, char* out);
  TextInOut GetTargetPath;
  TextOut GetRootSetupID;
  TextInOut GetWindowName;
  TextInOut GetWindowClass;
  int(__stdcall* RecordAnswers)(const char* path, int withPasswords);
};

// Loads the engine from `dllPath` and binds every export; on failure `missing` names what
// could not be had.
HMODULE BindEngine(const std::string& dllPath, EngineExports& exports, std::string& missing);
