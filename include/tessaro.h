/*
 * tessaro.h - the exports of Tessaro.dll for setup hosts and setup scripts written in C or C++.
 *
 * Every export uses the standard Windows calling convention (TESSARO_CALL) and plain types:
 * const char* for input texts (a null pointer reads as the empty text), char* for output buffers
 * that the caller sizes (no size is passed; the engine writes at most the TS_..._BUFFER_SIZE
 * bytes named at each export, terminating zero included), int/long for numbers and yes/no values
 * (1 yes, 0 no). Texts are narrow strings in the ANSI code page.
 *
 * For each export the header declares its prototype, for linking against an import library, and
 * the pointer type PFN_<name>, for GetProcAddress on a Tessaro.dll loaded with LoadLibrary.
 *
 * Valid C89, C99 and C++.
 */
#ifndef TESSARO_H
#define TESSARO_H

#include <windows.h>

/* __stdcall on 32-bit Windows; 64-bit compilers accept it and use the one 64-bit convention. */
#ifndef TESSARO_CALL
#define TESSARO_CALL __stdcall
#endif

/* Step results: the answer of every wizard step. Steps that take a direction take one of these
   too: the result of the step the script ran before (TS_STEP_NEXT forward, TS_STEP_BACK back). */
#define TS_STEP_NEXT 1  /* go on to the next step */
#define TS_STEP_BACK 12 /* go back to the previous step */
#define TS_STEP_STOP 9  /* stop the run: cancelled, or an error was reported */

/* Page end codes: how a wizard page was left. */
#define TS_END_NEXT 1
#define TS_END_CANCEL 2
#define TS_END_BACK 3

/* Answers of TS_UninstallCheck. */
#define TS_UNINSTALL_CHECK_INSTALL 0   /* install, or reinstall, the suite */
#define TS_UNINSTALL_CHECK_UNINSTALL 1 /* remove the installed suite */
#define TS_UNINSTALL_CHECK_CANCEL 2    /* the user cancelled */

/* The installed state TS_IsInstalled answers for a product that is installed already. */
#define TS_ALREADY_INSTALLED 2

/* Output buffer sizes in bytes: the most the engine writes into each kind of buffer, terminating
   zero included. A list (items joined by "," or ";") that would not fit ends at its last whole
   item, and the log says how many items were left out. */
#define TS_PATH_BUFFER_SIZE MAX_PATH /* a file or folder path the engine chose */
#define TS_VALUE_BUFFER_SIZE 512     /* a parameter, description value, ID or query answer */
#define TS_KEYWORD_BUFFER_SIZE 256   /* a translated keyword */
#define TS_ACCOUNT_BUFFER_SIZE 256   /* a user name or password (in and out) */
#define TS_SERVER_BUFFER_SIZE 256    /* the framework server name */
#define TS_DOMAIN_BUFFER_SIZE 256    /* the current domain name */
#define TS_LIST_BUFFER_SIZE 1024     /* a list of IDs or product descriptions joined by "," */

/* Declares an export's prototype and its pointer type PFN_<name>. */
#define TESSARO_FUNCTION(result, name, parameters) \
  result TESSARO_CALL name parameters;             \
  typedef result(TESSARO_CALL* PFN_##name) parameters

#ifdef __cplusplus
extern "C" {
#endif

/* ---- log ---- */
/* Sets the log's indent level (three spaces per level); 0. */
TESSARO_FUNCTION(int, TSSetLogLevel, (int level));
/* Indents the log one level more; 0. */
TESSARO_FUNCTION(int, TSIndentLog, (void));
/* Indents the log one level less; 0. */
TESSARO_FUNCTION(int, TSUnindentLog, (void));
/* Writes one line to the run's log; 0. */
TESSARO_FUNCTION(int, TSAddToLog, (const char* text));
/* Logs the title and class of every top-level window; the enumeration's result. */
TESSARO_FUNCTION(int, LogWindows, (void));

/* ---- parameters file and run switches ---- */
/* Finds the parameters file of the setup in setupDir (or the command line's config=), stages it in the temporary folder and writes its path to out (TS_PATH_BUFFER_SIZE); 0. */
TESSARO_FUNCTION(int, TS_FindParamsIniFile, (const char* setupDir, const char* commandLine, char* out));
/* Writes the value of key in section Main of the parameters file in force to out (TS_VALUE_BUFFER_SIZE); 0. */
TESSARO_FUNCTION(int, TSGetParam, (const char* key, char* out));
/* 1 when key of the parameters file in force is yes, 0 when no, defaultValue when it is missing. */
TESSARO_FUNCTION(int, TSGetParamYesNo, (const char* key, int defaultValue));
/* Writes Target<index> of section Targets of the parameters file in force to out (TS_VALUE_BUFFER_SIZE); 0. */
TESSARO_FUNCTION(int, TSGetParamTarget, (int index, char* out));
/* Writes key=value into section Main of iniFile; 0. */
TESSARO_FUNCTION(int, TSWriteParam, (const char* iniFile, const char* key, const char* value));
/* Writes key=YES or key=NO into section Main of iniFile; 0. */
TESSARO_FUNCTION(int, TSWriteParamYesNo, (const char* iniFile, const char* key, int yes));
/* Writes Target<index>=value into section Targets of iniFile; 0. */
TESSARO_FUNCTION(int, TSWriteParamTarget, (const char* iniFile, unsigned index, const char* value));
/* TSWriteParam on the parameters file in force; 0. */
TESSARO_FUNCTION(int, TSWriteParam2, (const char* key, const char* value));
/* TSWriteParamYesNo on the parameters file in force; 0. */
TESSARO_FUNCTION(int, TSWriteParamYesNo2, (const char* key, int yes));
/* TSWriteParamTarget on the parameters file in force; 0. */
TESSARO_FUNCTION(int, TSWriteParamTarget2, (unsigned index, const char* value));
/* Writes the value of key in section Main of the setup description in force to out (TS_VALUE_BUFFER_SIZE); 0. */
TESSARO_FUNCTION(int, TSGetProp, (const char* key, char* out));
/* 1 when the run shows all messages, else 0. */
TESSARO_FUNCTION(int, TSAllMessages, (void));
/* 1 when the run shows only some messages, else 0. */
TESSARO_FUNCTION(int, TSSomeMessages, (void));
/* 1 when the run shows no messages, else 0. */
TESSARO_FUNCTION(int, TSNoMessages, (void));
/* 1 when the run is unattended, else 0. */
TESSARO_FUNCTION(int, TSUnattended, (void));
/* Writes the path of the parameters file in force to out (TS_PATH_BUFFER_SIZE); 0. */
TESSARO_FUNCTION(int, TSGetConfigIniFile, (char* out));
/* Writes the engine's temporary folder to out (TS_PATH_BUFFER_SIZE); 0. */
TESSARO_FUNCTION(int, TSGetTempDir, (char* out));

/* ---- CRC-32 and validation code ---- */
/* The CRC-32 of text continued from crc (0 to start). */
TESSARO_FUNCTION(unsigned long, TS_GetCRC32, (const char* text, unsigned long crc));
/* The CRC of file over salt and its lines, the line of key skipKey left out; 0 when it cannot be read. */
TESSARO_FUNCTION(unsigned long, TSGetFileCRC, (const char* file, const char* salt, const char* skipKey));
/* 1 when the description file carries the right validation code, else 0. */
TESSARO_FUNCTION(int, TSValidateFile, (const char* file));

/* ---- framework server records ---- */
/* 1 when the framework server is recorded as active, else 0. */
TESSARO_FUNCTION(int, TSGetNEXOServerActive, (void));
/* Records the framework server as active (1) or inactive (0); 0. */
TESSARO_FUNCTION(int, TSSetNEXOServerActive, (int active));
/* Writes the recorded framework server name to out (TS_SERVER_BUFFER_SIZE); 0. */
TESSARO_FUNCTION(int, TSGetNEXOServer, (char* out));
/* Records the framework server name; 0. */
TESSARO_FUNCTION(int, TSSetNEXOServer, (const char* name));
/* 1 when no framework server choice was ever recorded, else 0. */
TESSARO_FUNCTION(int, TSNEXOFirstTime, (void));
/* Records a framework server task name=value; 0. */
TESSARO_FUNCTION(int, TSRegisterNEXOTask, (const char* name, const char* value));
/* Writes the descriptions of the installed products, joined by ",", to out (TS_LIST_BUFFER_SIZE); 0. */
TESSARO_FUNCTION(int, TSGetNEXOTasks, (char* out));

/* ---- generic prompts ---- */
/* Shows a message page (buttonMask: 1 disables Back, 2 Next, 4 Cancel); a step result. */
TESSARO_FUNCTION(int, TS_MessageBox, (const char* caption, const char* text1, const char* text2, int buttonMask, int reserved));
/* TS_MessageBox with every button enabled; a step result. */
TESSARO_FUNCTION(int, _SdMessageBox, (const char* caption, const char* text1, const char* text2, int reserved));
/* Shows a yes/no question page; *answer is the starting choice and receives the chosen one (1 yes, 0 no); a step result. */
TESSARO_FUNCTION(int, _SdAskYesNo, (const char* caption, const char* text1, const char* text2, const char* yesText, const char* noText, int* answer, int buttonMask));
/* Shows the user name and password page; user and password (TS_ACCOUNT_BUFFER_SIZE each) are the starting values and receive the edited ones; a step result. */
TESSARO_FUNCTION(int, TS_UserPassDlg, (const char* caption, const char* prompt, const char* userLabel, const char* passwordLabel, char* user, char* password));

/* ---- setup model ---- */
/* Loads the setup descriptions with parametersFile as the parameters file in force; 0, or -1 on failure. */
TESSARO_FUNCTION(int, TS_LoadSetupData, (const char* parametersFile));
/* Frees the loaded setup model; 0. */
TESSARO_FUNCTION(int, TS_UnloadSetupData, (void));
/* Translates one keyword ("%NAME%") into buffer (TS_KEYWORD_BUFFER_SIZE); *final receives 0 for a target path that may still change, else 1; 0, or -1 for an unknown keyword. */
TESSARO_FUNCTION(int, TSTranslateKeyword, (const char* keyword, char* buffer, int* final));
/* 1 when key of the root setup's description is yes, 0 when no, defaultValue when it is missing. */
TESSARO_FUNCTION(int, TSGetPropYesNo, (const char* key, int defaultValue));

/* ---- wizard page steps: each takes the direction and answers a step result ---- */
/* Asks whether to install or remove an installed suite; a TS_UNINSTALL_CHECK_ answer. */
TESSARO_FUNCTION(int, TS_UninstallCheck, (int direction));
/* The welcome page. */
TESSARO_FUNCTION(int, TS_WelcomeDlg, (int direction));
/* The license agreement page. */
TESSARO_FUNCTION(int, TS_LicenseDlg, (int direction));
/* The computer configuration type page. */
TESSARO_FUNCTION(int, TS_SetupTypeDlg, (int direction));
/* The page of the target with that index, when it is prompted at pageTime ("BEFORE", "DURING" or "AFTER"). */
TESSARO_FUNCTION(int, TS_GetTargetDlg, (int direction, int targetIndex, const char* pageTime));
/* The target locations page for the targets prompted at pageTime. */
TESSARO_FUNCTION(int, TS_GetAllTargetsDlgs, (int direction, const char* pageTime));
/* The feature selection page. */
TESSARO_FUNCTION(int, TS_GetSelectionsDlg, (int direction));
/* The program folder page. */
TESSARO_FUNCTION(int, TS_GetFolderDlg, (int direction));
/* The framework server pages. */
TESSARO_FUNCTION(int, TS_GetServerDlg, (int direction));
/* The summary page. */
TESSARO_FUNCTION(int, TS_ShowSummaryDlg, (int direction));
/* The final page. */
TESSARO_FUNCTION(int, TS_FinalDlg, (int direction));

/* ---- steps without a page, detection and registration ---- */
/* Runs the setups' Initialization hooks; a step result. */
TESSARO_FUNCTION(int, TS_Initialization, (void));
/* Finds the features and core components installed earlier; a step result. */
TESSARO_FUNCTION(int, TS_DetectComponents, (void));
/* Runs the setups' InitialChecks hooks; a step result. */
TESSARO_FUNCTION(int, TS_InitialChecks, (int direction));
/* Runs the setups' PreSelection hooks; a step result. */
TESSARO_FUNCTION(int, TS_PreSelection, (int direction));
/* Asks for service account passwords, then runs the PostSelection hooks; a step result. */
TESSARO_FUNCTION(int, TS_PostSelection, (int direction));
/* Checks the disk space, then runs the FinalChecks hooks; a step result. */
TESSARO_FUNCTION(int, TS_FinalChecks, (int reserved));
/* Records the program folder, setup type and server choice; 0, or -1 when a record could not be written (logged). */
TESSARO_FUNCTION(int, TS_Configuration, (void));
/* Records the installed features, passwords and core components; 0, or -1 when a record could not be written (logged). */
TESSARO_FUNCTION(int, TSCommitFeatures, (void));
/* Records the install directories; 0, or -1 when a record could not be written (logged). */
TESSARO_FUNCTION(int, TS_RegisterTargets, (void));
/* Removes the engine's registry records; 0. */
TESSARO_FUNCTION(int, TS_CleanRegistry, (void));
/* 1 when none of the suite's products was found installed, else 0. */
TESSARO_FUNCTION(int, TS_FirstTimeInstall, (void));

/* ---- disk space, in kilobytes ---- */
/* The space the selection needs on drive, given as "C:" (with a backslash it matches nothing). */
TESSARO_FUNCTION(unsigned long, TSGetDiskSpaceRequired, (const char* drive));
/* The space the whole selection needs. */
TESSARO_FUNCTION(unsigned long, TSGetTotalDiskSpaceRequired, (void));
/* The space the setup with that ID needs. */
TESSARO_FUNCTION(unsigned long, TSGetSetupDiskSpaceRequired, (const char* setupId));

/* ---- setup data dump ---- */
/* Writes the setup model to the log; a step result. */
TESSARO_FUNCTION(int, TS_LogSetupData, (void));

/* ---- install execution: propIni is a product's description file ---- */
/* The product installer's own installed state; -1 on failure. */
TESSARO_FUNCTION(int, TS_IsInstalled, (const char* propIni));
/* Writes the product's configuration file and runs its installer; 0, or -1 on failure. */
TESSARO_FUNCTION(int, TS_DoInstall, (const char* propIni));
/* Starts the product's setup program with configIni and waits for it unless it names its window; 0.
   The exit code is logged and kept for TS_MIFError; 3010 and 1641 schedule a restart. */
TESSARO_FUNCTION(int, TS_DoZOVInstall, (const char* propIni, const char* configIni));
/* Calls the product's installation library; 0, or -1 when it or its entry point is missing. */
TESSARO_FUNCTION(int, TS_DoINFInstall, (const char* propIni, int reserved));

/* ---- package products: a description whose Package key names a Windows Installer package or a
   setup program, which the setup host runs itself ---- */
#define TS_PACKAGE_NONE 0 /* the description names no package */
#define TS_PACKAGE_MSI 1  /* a Windows Installer package */
#define TS_PACKAGE_EXE 2  /* a setup program with a Programs and Features entry */
#define TS_COMMAND_BUFFER_SIZE 2048 /* a command line the machine registered */
/* The kind of package the description names (TS_PACKAGE_*); writes its full path to file (TS_PATH_BUFFER_SIZE;
   left empty, and logged, when the path does not fit). */
TESSARO_FUNCTION(int, TS_GetPackage, (const char* propIni, char* file));
/* Writes what identifies the package on the machine to out (TS_VALUE_BUFFER_SIZE): the MSI's ProductCode, or
   the setup program's Programs and Features key name; 0. -1 when it cannot be had, out then says why. */
TESSARO_FUNCTION(int, TS_GetPackageIdentity, (const char* propIni, char* out));
/* 1 when the package product is installed, 0 when not, -1 when that cannot be told (logged). */
TESSARO_FUNCTION(int, TS_IsPackageInstalled, (const char* propIni));
/* Writes the command a setup program's Programs and Features entry registers to remove it (its
   QuietUninstallString, else its UninstallString, environment variables expanded) to out
   (TS_COMMAND_BUFFER_SIZE); 0. -1 when there is none, out then says why. */
TESSARO_FUNCTION(int, TS_GetPackageUninstallCommand, (const char* propIni, char* out));

/* ---- removal and maintenance: what a suite needs to come off the machine again ----
   A removal run loads the descriptions (from the maintenance folder or the CDs), runs
   TS_DetectComponents, asks TS_PlanRemoval for the setups to remove, and for each one, in that
   order: TS_DoUninstall, TS_MIFError, then TS_UnregisterSetup when it was removed; it ends with
   TS_FinishRemoval. An install run keeps the maintenance folder current with TS_KeepForMaintenance
   and writes the suite's Programs and Features entry with TS_RegisterUninstallEntry after its
   records. */
/* Computes the removal: every installed setup of the loaded suite, products first in the reverse of
   their install order, then the core components that no product recorded as installed on the
   machine still needs (a kept core component is logged with the products that need it). Writes the
   setup IDs joined by "," to setupIds (TS_LIST_BUFFER_SIZE); the number of setups, or -1 when the
   list does not fit or the plan cannot be made (logged). */
TESSARO_FUNCTION(int, TS_PlanRemoval, (char* setupIds));
/* Removes one setup by its own installer and waits for it: the installation library's DoUninstall,
   else the setup program started with the description's UninstallCmdLine, else the description's
   UninstallCommand. 0 when the remover ran (TS_MIFError then reads its status file), -1 when it
   could not be started, the description names no way to remove the setup, or the setup is a core
   component that a product recorded as installed still needs (logged). */
TESSARO_FUNCTION(int, TS_DoUninstall, (const char* propIni));
/* Takes back the records of a removed setup and only those: its features' entries in the
   uninstall files (a file left without entries is deleted), a core component's entry, and the
   setup's place among the dependents of the core components it needs. 0, or -1 when a record could
   not be taken back (logged). */
TESSARO_FUNCTION(int, TS_UnregisterSetup, (const char* setupId));
/* Ends a removal run. When nothing of the suite is installed any more: its Programs and Features
   entry. When no uninstall file of any suite is left: TS_CleanRegistry's records, the restart
   marker the engine set, and the empty uninstall folder. 0 when the suite is gone, 1 when some of
   it is still installed (its entry stays), -1 when a record could not be removed (logged). */
TESSARO_FUNCTION(int, TS_FinishRemoval, (void));
/* Writes the suite's Programs and Features entry, or updates it, with the commands that start
   maintenanceHost (the setup host in the maintenance folder); 0, or -1 when a value could not be
   written (logged). */
TESSARO_FUNCTION(int, TS_RegisterUninstallEntry, (const char* maintenanceHost));
/* Copies what a later maintenance run needs of the setup described by propIni into the maintenance
   folder: the description, and the files its removal starts or loads; for the master also the
   engine, the setup host, the license and every product's description. 0, or -1 when a file could
   not be copied (logged). */
TESSARO_FUNCTION(int, TS_KeepForMaintenance, (const char* propIni));
/* Writes the maintenance folder of the suite (below the main directory) to out
   (TS_PATH_BUFFER_SIZE); 0, or -1 when the main directory is not known. */
TESSARO_FUNCTION(int, TS_GetMaintenanceFolder, (char* out));

/* ---- directory browser ---- */
/* Shows the directory browser starting at path (TS_PATH_BUFFER_SIZE, in and out); 1 when the chosen folder differs
   from the starting one, else 0. */
TESSARO_FUNCTION(int, REBrowseForFolder, (HWND parent, const char* title, char* path));

/* ---- answer recording ---- */
/* Writes the answers in force to path as a parameters file that replays the run unattended, whole
   or not at all; passwords only when withPasswords is nonzero. 1 when written, 0 when not. */
TESSARO_FUNCTION(int, TS_RecordAnswers, (const char* path, int withPasswords));

/* ---- CD and setup sequencing ---- */
/* Identifies the CD at root, makes it current and writes its ID to cdId (TS_VALUE_BUFFER_SIZE; empty when unknown); 0. */
TESSARO_FUNCTION(int, TS_GetCurrentCD, (const char* root, char* cdId));
/* Writes the ID of the CD at root to cdId (TS_VALUE_BUFFER_SIZE; empty when root holds no master
   description), without making it current: for a host that looks for the CD it was asked for; 0. */
TESSARO_FUNCTION(int, TS_IdentifyCD, (const char* root, char* cdId));
/* Orders the CDs for the installation loop; 0. */
TESSARO_FUNCTION(int, TS_InitializeInstallControl, (void));
/* Writes the ID of the next CD with a setup to install to cdId (TS_VALUE_BUFFER_SIZE; empty when none); 0. */
TESSARO_FUNCTION(int, TS_GetNextCD, (char* cdId));
/* Writes the description of the CD with that ID to description (TS_VALUE_BUFFER_SIZE); 0. */
TESSARO_FUNCTION(int, TS_GetCDDesc, (const char* cdId, char* description));
/* Writes the ID of the next setup to install from the current CD to setupId (TS_VALUE_BUFFER_SIZE; empty when none); 1 for a core component's setup, else 0. */
TESSARO_FUNCTION(int, TS_GetNextSetup, (char* setupId));
/* The number of setups of this run. */
TESSARO_FUNCTION(int, TS_NumberOfSetups, (void));
/* 1 when no setup still needs installing, else 0. */
TESSARO_FUNCTION(int, TS_AllInstalled, (void));
/* Writes the IDs of the setups that still need installing, joined by ",", to list (TS_LIST_BUFFER_SIZE); 0. */
TESSARO_FUNCTION(int, TS_GetSetupsNotInstalled, (char* list));
/* Marks the setup with that ID installed; 0. */
TESSARO_FUNCTION(int, TS_SetInstalled, (const char* setupId));
/* Marks the setup with that ID as failed; 0. */
TESSARO_FUNCTION(int, TS_SetInstallError, (const char* setupId));

/* ---- queries: each writes its answer to out (TS_VALUE_BUFFER_SIZE; empty when not found) and returns 0 ---- */
/* The chosen computer configuration type. */
TESSARO_FUNCTION(int, TSGetSetupType, (char* out));
/* The chosen program folder. */
TESSARO_FUNCTION(int, TSGetFolder, (char* out));
/* The chosen framework server name. */
TESSARO_FUNCTION(int, TSGetServer, (char* out));
/* The ID of the master setup. */
TESSARO_FUNCTION(int, TSGetRootSetupID, (char* out));
/* The current path of the main install directory CORVAROOT. */
TESSARO_FUNCTION(int, TSGetRootTargetPath, (char* out));
/* 1 when the model has sub-setups, else 0 (no buffer). */
TESSARO_FUNCTION(int, TS_IsMasterInstaller, (void));
/* Always 1: accounts are not checked (no buffer). */
TESSARO_FUNCTION(int, TS_ValidateAccount, (const char* user, const char* password));
/* Always 1: account rights are not checked (no buffer). */
TESSARO_FUNCTION(int, TS_ValidateAccountAccess, (const char* user, const char* password, const char* right));
/* The ID of the sub-setup with that index. */
TESSARO_FUNCTION(int, TSGetSetupID, (int index, char* out));
/* The ID of the install directory with that index. */
TESSARO_FUNCTION(int, TSGetTargetID, (int index, char* out));
/* The ID of the component with that index. */
TESSARO_FUNCTION(int, TSGetComponentID, (int index, char* out));
/* The name of the setup with that ID. */
TESSARO_FUNCTION(int, TSGetSetupName, (const char* setupId, char* out));
/* The description file of the setup with that ID. */
TESSARO_FUNCTION(int, TSGetSetupPropIniFile, (const char* id, char* out));
/* "YES" when a selected feature belongs to the setup with that ID, else "NO". */
TESSARO_FUNCTION(int, TSGetSetupSelected, (const char* id, char* out));
/* The window class of the setup's own setup program. */
TESSARO_FUNCTION(int, TSGetWindowClass, (const char* id, char* out));
/* The window name of the setup's own setup program. */
TESSARO_FUNCTION(int, TSGetWindowName, (const char* id, char* out));
/* "YES" when the feature with that ID is selected, else "NO". */
TESSARO_FUNCTION(int, TSGetFeatureSelected, (const char* id, char* out));
/* The type text of the component with that ID (for example "CORE"). */
TESSARO_FUNCTION(int, TSGetComponentType, (const char* id, char* out));
/* "YES" when the component with that ID is selected, else "NO". */
TESSARO_FUNCTION(int, TSGetComponentSelected, (const char* id, char* out));
/* The description file of a core component's own setup. */
TESSARO_FUNCTION(int, TSGetComponentPropIniFile, (const char* id, char* out));
/* The name of a core component's own setup. */
TESSARO_FUNCTION(int, TSGetComponentName, (const char* id, char* out));
/* The target's prompt time, SHOW/HIDE, RECALC/NORECALC and EDITABLE/READONLY joined by ";". */
TESSARO_FUNCTION(int, TSGetTargetAttributes, (const char* id, char* out));
/* The registered path of the target with that ID. */
TESSARO_FUNCTION(int, TSGetTargetPath, (const char* id, char* out));
/* The user name of the service account with that ID. */
TESSARO_FUNCTION(int, TSGetPWUserName, (const char* id, char* out));
/* The password of the service account with that ID. */
TESSARO_FUNCTION(int, TSGetPWPassword, (const char* id, char* out));

/* ---- status files of product setups ---- */
/* 0 when the product setup of that description reported success in its status file, else 1. */
TESSARO_FUNCTION(int, TS_MIFError, (const char* descriptionFile));

/* ---- progress window ---- */
/* Opens the progress window for steps steps and totalKb kilobytes; 0. */
TESSARO_FUNCTION(int, TS_ProgressDlgStart, (int steps, long totalKb));
/* Shows text and step step with kbRemaining kilobytes left; 0. */
TESSARO_FUNCTION(int, TS_ProgressDlgStep, (const char* text, int step, long kbRemaining));
/* Closes the progress window; 0. */
TESSARO_FUNCTION(int, TS_ProgressDlgStop, (void));
/* Stops the progress window's running-time clock; 0. */
TESSARO_FUNCTION(int, TS_ProgressDlgPause, (void));
/* Restarts the progress window's running-time clock; 0. */
TESSARO_FUNCTION(int, TS_ProgressDlgResume, (void));

/* ---- system integration ---- */
/* Registers a COM server file; 0, or -2 on failure. */
TESSARO_FUNCTION(int, TS_RegisterFile, (const char* path));
/* Unregisters a COM server file; 0, or -2 on failure. */
TESSARO_FUNCTION(int, TS_UnregisterFile, (const char* path));
/* Adds directory to the machine's PATH unless it is there already; 0. */
TESSARO_FUNCTION(int, TS_AddToNTPath, (const char* directory, int reserved));
/* Marks that the machine must restart; 0. */
TESSARO_FUNCTION(int, TS_ScheduleReboot, (void));
/* Removes the restart mark; 0. */
TESSARO_FUNCTION(int, TS_CancelReboot, (void));
/* 1 when a restart is marked (and not ignored by the parameters file), else 0. A product whose setup program
   ended with 3010 or 1641, or that set the Reboot value, marks it: a host asks this after the installations. */
TESSARO_FUNCTION(int, TS_IsRebootScheduled, (void));
/* Writes the current user's logon domain to out (TS_DOMAIN_BUFFER_SIZE; left as it was when unknown); 0. */
TESSARO_FUNCTION(int, TS_GetCurrentDomainName, (char* out));
/* Asks whether to leave the unfinished setup; 1 when the user says yes. */
TESSARO_FUNCTION(int, TS_ExitIfDesired, (void));

#ifdef __cplusplus
}
#endif

#endif /* TESSARO_H */
