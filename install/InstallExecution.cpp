#include "install/InstallExecution.h"

#include <windows.h>

#include <vector>

#include "engine/Errors.h"
#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/Process.h"
#include "engine/Paths.h"
#include "engine/ProductLibrary.h"
#include "engine/Text.h"
#include "engine/UserQuestions.h"
#include "install/ConfigFile.h"
#include "install/PackageDetection.h"
#include "install/SetupLookup.h"
#include "install/SystemIntegration.h"
#include "mif/StatusFiles.h"
#include "model/Model.h"
#include "state/Registry.h"

namespace {
constexpr const char kMain[] = "Main";
// Installation libraries may write into the INF path they are given; they count on this room.
constexpr size_t kInfPathRoom = 1024;

std::string DescriptionValue(const std::string& propIni, const char* key) {
  return ReadIniString(propIni, kMain, key);
}
std::string DescriptionFile(const std::string& propIni, const char* key) {
  return JoinPath(DirectoryOf(propIni), DescriptionValue(propIni, key));
}


}  // namespace

bool IsCoreComponentProduct(const std::string& rootFeature) {
  const CSetup& master = Master();
  if (EqualsNoCase(master.IdText(), rootFeature)) return false;
  for (const CSetup& subsetup : master.subsetups)
    if (EqualsNoCase(subsetup.IdText(), rootFeature)) return false;
  return true;
}

namespace {
void PreserveConfigFile(const std::string& configFile) {
  if (!EqualsNoCase(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant Development", "PreserveConfig"), "YES"))
    return;
  const std::string keepDirectory = "C:\\Corvant Development";
  CreateDirectoryA(keepDirectory.c_str(), nullptr);
  CopyFileA(configFile.c_str(), JoinPath(keepDirectory, LastPathName(configFile)).c_str(), FALSE);
}

unsigned long InfAlreadyInstalled(const std::string& propIni) {
  std::string dll = DescriptionFile(propIni, "InfDLL");
  std::string inf = DescriptionFile(propIni, "InfFile");
  LoadedProductLibrary library(dll);
  if (!library.Loaded()) throw CMyError("Unable to load " + dll);
  LogLine("Component already installed?");
  auto alreadyInstalled = library.Entry<product_entry::InfAlreadyInstalled>("AlreadyInstalled");
  if (!alreadyInstalled) throw CMyError("AlreadyInstalled function not found in " + dll);
  std::vector<char> infPath(std::max(kInfPathRoom, inf.size() + 1), '\0');
  inf.copy(infPath.data(), inf.size());
  return static_cast<unsigned long>(alreadyInstalled(infPath.data()));
}

// False (after logging why) when the setup library cannot answer.
bool SetupLibraryAlreadyInstalled(const std::string& propIni, unsigned long& state) {
  std::string dllName = DescriptionValue(propIni, "SetupDLL");
  if (dllName.empty()) dllName = "Prop.dll";
  std::string dll = JoinPath(DirectoryOf(propIni), dllName);
  if (!FileExists(dll)) {
    LogLine("*** DLL " + dll + " not found");
    return false;
  }
  LibraryCallResult result =
      CallProductEntry<product_entry::SetupAlreadyInstalled>(DirectoryOf(propIni), dllName, "AlreadyInstalled");
  if (result.status == LibraryCall::NotLoaded) {
    LogLine("*** DLL " + dll + " not found");
    return false;
  }
  if (result.status == LibraryCall::EntryMissing) {
    LogLine("*** AlreadyInstalled function not found");
    return false;
  }
  state = static_cast<unsigned long>(result.value);
  return true;
}

}  // namespace

bool ScheduleRebootWhenAsked() {
  const char kCorvantKey[] = "Software\\Corvant";
  if (ReadRegString(HKEY_LOCAL_MACHINE, kCorvantKey, "Reboot") != "1") return false;
  // A request that cannot be removed (logged) would be taken over again by the next product; the
  // restart is scheduled all the same.
  static_cast<void>(DeleteRegValue(HKEY_LOCAL_MACHINE, kCorvantKey, "Reboot"));
  static_cast<void>(ScheduleReboot());
  return true;
}

void TellFailure(const std::string& text) { Questions().TellFailure(text, kStyleStop); }

ProductCommand ProductCommandOf(const CSetup& setup, const std::string& propIni, const std::string& rawArguments,
                                const std::string& configIni) {
  std::string arguments = rawArguments;
  const std::string placeholder = "%CONFIGINIFILE%";
  for (size_t at = arguments.find(placeholder); at != std::string::npos;
       at = arguments.find(placeholder, at + configIni.size()))
    arguments.replace(at, placeholder.size(), configIni);
  // The program keeps the drive of the description: without it the system would look for the
  // program on whatever drive is current.
  std::string program = JoinPath(DirectoryOf(propIni), setup.SetupExe.Translated(setup));
  return {ProgramInCommandLine(program), CKeywordString(arguments).Translated(setup)};
}

std::string ProductRootFeature(const std::string& propIni) {
  std::string rootFeature = DescriptionValue(propIni, "RootFeature");
  return rootFeature.empty() ? LastPathName(DirectoryOf(propIni)) : rootFeature;
}

int IsProductInstalled(const std::string& propIni) {
  try {
    LogLine("Is the Component " + propIni + " already installed?");
    // A package product is asked through its own registration, whatever its install type.
    if (std::optional<int> packageState = PackageInstallState(propIni)) {
      LogLine("   - " + std::to_string(*packageState));
      return *packageState;
    }
    unsigned long state = 0;
    switch (ParseInstallKind(DescriptionValue(propIni, "InstallType"))) {
      case InstallKind::InstallationLibrary:
        state = InfAlreadyInstalled(propIni);
        break;
      case InstallKind::SetupProgram:
        if (!SetupLibraryAlreadyInstalled(propIni, state)) return -1;
        break;
      case InstallKind::PlainProgram:
      case InstallKind::None:
        // Nothing to ask: the product counts as not installed.
        return 0;
    }
    LogLine("   - " + std::to_string(state));
    return static_cast<int>(state);
  } catch (CMyError& error) {
    TellFailure(error.Message());
    return -1;
  } catch (...) {
    LogCaughtError(std::current_exception());
    TellFailure("An unknown error occurred while checking if the product associated with " + propIni +
                " is installed.");
    return -1;
  }
}

int InstallProduct(const std::string& propIni) {
  LogLine("Install " + DescriptionValue(propIni, "Name") + " (" + DescriptionValue(propIni, "InstallType") + ")");
  ScopedLogIndent indent;
  std::string rootFeature = ProductRootFeature(propIni);
  bool core = IsCoreComponentProduct(rootFeature);
  CSetup* setup = FindSetup(rootFeature);
  if (!setup) {
    TellFailure("Unable to launch the install for " + rootFeature);
    return -1;
  }
  const std::string configFile = setup->ParamsFile;
  if (!PrepareConfigFile(*setup, propIni, core)) return -1;

  int result = 0;
  {
    ScopedPathsInForce inForce(configFile, propIni);
    // Only what the installer of this run reports may be read afterwards.
    DeleteStatusFiles(MifNameOf(propIni));
    switch (ParseInstallKind(DescriptionValue(propIni, "InstallType"))) {
      case InstallKind::SetupProgram:
      case InstallKind::PlainProgram:
        result = RunProductSetupProgram(propIni, configFile);
        break;
      case InstallKind::InstallationLibrary:
        result = RunInstallationLibrary(propIni);
        break;
      case InstallKind::None:
        break;
    }
  }
  ScheduleRebootWhenAsked();
  return result;
}

bool PrepareConfigFile(const CSetup& setup, const std::string& propIni, bool core) {
  const std::string& configFile = setup.ParamsFile;
  if (!WriteConfigFile(configFile, propIni, core)) {
    // A product started on a half-written file would show pages nobody answers, or install
    // what nobody chose.
    TellFailure("Unable to write the configuration file " + configFile + " for " + ProductRootFeature(propIni));
    return false;
  }
  LogLine("Config Ini File = " + configFile);
  PreserveConfigFile(configFile);
  return true;
}

std::string ProductSetupCommand(const std::string& propIni, const std::string& configIni) {
  CSetup* setup = FindSetup(ProductRootFeature(propIni));
  return setup ? ProductCommandOf(*setup, propIni, setup->SetupCmdLine.Raw(), configIni).Line() : std::string();
}

int RunProductSetupProgram(const std::string& propIni, const std::string& configIni) {
  CSetup* setup = FindSetup(ProductRootFeature(propIni));
  if (!setup) return 0;
  ProductCommand command = ProductCommandOf(*setup, propIni, setup->SetupCmdLine.Raw(), configIni);
  LogLine("Launch process " + command.Line());
  if (!DescriptionValue(propIni, "WindowName").empty()) {
    StartProcessInBackground(command.Line());
    return 0;
  }
  static_cast<void>(RunSetupAndWait(setup->IdText(), MifNameOf(propIni), command.Line(), command.program));
  return 0;
}

SetupEnd RunSetupAndWait(const std::string& setupId, const std::string& mifName, const std::string& commandLine,
                         const std::string& program) {
  SetupEnd end;
  StartedProcess started = StartProcess(commandLine);
  if (!started.process) {
    LogLine("*** Unable to create process (CreateProcessA error " + std::to_string(started.error) + "): " + program);
    return end;
  }
  end.started = true;
  LogLine("Wait for single object...");
  end.exitCode = WaitForProcessEnd(started.process);
  if (!end.exitCode) {
    LogLine("*** Setup " + setupId + " ended; its exit code cannot be read (GetExitCodeProcess error " +
            std::to_string(GetLastError()) + ")");
    return end;
  }
  LogLine("Setup " + setupId + " ended with exit code " + std::to_string(*end.exitCode));
  // The status file check names this code when the product left no status file.
  RememberSetupExit(mifName, setupId, *end.exitCode);
  if (AsksForRestart(*end.exitCode)) {
    LogLine("Setup " + setupId + " asks for a restart");
    end.restartAsked = true;
    static_cast<void>(ScheduleReboot());
  }
  return end;
}

bool AsksForRestart(unsigned long exitCode) { return exitCode == 3010 || exitCode == 1641; }

int RunInstallationLibrary(const std::string& propIni) {
  std::string dll = DescriptionFile(propIni, "InfDLL");
  std::string inf = DescriptionFile(propIni, "InfFile");
  LogLine("INF file = " + inf + ", DLL = " + dll);
  LoadedProductLibrary library(dll);
  if (!library.Loaded()) {
    TellFailure("Unable to load " + dll);
    return -1;
  }
  LogLine("Do the install");
  auto doInstall = library.Entry<product_entry::DoInstall>("DoInstall");
  if (!doInstall) {
    TellFailure("DoInstall function not found in " + dll);
    return -1;
  }
  LogLine("Calling DoInstall function");
  doInstall(inf.c_str(), 0);
  return 0;
}
