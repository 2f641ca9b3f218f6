// tessaro-tool: the setup author's command line.
//
//   stamp FILE...                      writes the validation code of description files
//   check CDROOT                       loads the CD's master as a run would and reports faults
//   dump CDROOT [--level N]            the setup data dump of the loaded CD
//   plan CDROOT [--params FILE]        what an unattended run with those answers would do
//
// None of them leaves anything on the machine: the engine runs in a MachineSandbox.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/Application.h"
#include "engine/Errors.h"
#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/Paths.h"
#include "engine/Win32Handles.h"
#include "host/WizardWalk.h"
#include "install/DiskSpace.h"
#include "install/InstallPlan.h"
#include "install/Sequencing.h"
#include "model/Validation.h"
#include "model/Loader.h"
#include "model/Model.h"
#include "model/SetupDump.h"
#include "tools/LinkedEngine.h"
#include "tools/MachineSandbox.h"

namespace {
int Usage() {
  std::fprintf(stderr,
               "usage: tessaro-tool stamp FILE...\n"
               "       tessaro-tool check CDROOT\n"
               "       tessaro-tool dump CDROOT [--level N]\n"
               "       tessaro-tool plan CDROOT [--params FILE]\n"
               "  stamp   writes the validation code into section Main of each description file\n"
               "  check   loads the master description of the CD as a run would and reports faults\n"
               "  dump    writes the setup data dump of the loaded CD (level 10 by default)\n"
               "  plan    shows what an unattended run with the parameters file would install, where,\n"
               "          from which CD and in which order, without installing anything\n");
  return 2;
}

int Stamp(const std::vector<std::string>& files) {
  if (files.empty()) return Usage();
  int failures = 0;
  for (const std::string& file : files) {
    if (!FileExists(file)) {
      std::fprintf(stderr, "tessaro-tool: %s: no such file\n", file.c_str());
      ++failures;
      continue;
    }
    try {
      std::string code = StampValidationCode(file);
      std::printf("%s: Validation=%s\n", file.c_str(), code.c_str());
    } catch (const CMyError& error) {
      std::fprintf(stderr, "tessaro-tool: %s\n", error.Message().c_str());
      ++failures;
    }
  }
  return failures ? 1 : 0;
}

std::string ReadTextOf(const std::string& file) {
  std::string text;
  UniqueStdFile stream(std::fopen(file.c_str(), "r"));
  if (!stream) return text;
  char block[4096];
  size_t got;
  while ((got = std::fread(block, 1, sizeof block, stream.get())) > 0) text.append(block, got);
  return text;
}

// The master directory of a CD, found as CD identification finds the CD's description.
std::string MasterDirectory(const std::string& cdRoot) {
  std::string description = CDMasterDescription(cdRoot);
  return description.empty() ? std::string() : DirectoryOf(description);
}

// A run of the engine on one CD: the master loaded from the CD's master directory with a
// parameters file of the tool's own (messages off, the log in a file of its own).
class ToolRun {
 public:
  explicit ToolRun(const std::string& cdRoot, const std::string& params = std::string(), bool unattended = false)
      : master_(MasterDirectory(cdRoot)) {
    std::string base = JoinPath(TempDirectory(), "tessaro-tool-" + std::to_string(GetCurrentProcessId()));
    params_ = base + ".ini";
    log_ = base + ".log";
    std::string source = params.empty() && !master_.empty() ? FindParamsIniFile(master_, "") : params;
    if (!source.empty() && FileExists(source)) CopyFileA(source.c_str(), params_.c_str(), FALSE);
    SetFileAttributesA(params_.c_str(), FILE_ATTRIBUTE_NORMAL);
    paramsWritten_ = WriteIniString(params_, "Main", "MessageLevel", "NONE") &&
                     WriteIniString(params_, "Main", "AppendToLog", log_) &&
                     (!unattended || WriteIniYesNo(params_, "Main", "Unattended", true));
    DeleteFileA(log_.c_str());
  }
  ~ToolRun() {
    DestroySetupData();
    DeleteFileA(log_.c_str());
    DeleteFileA(params_.c_str());
  }

  // Loads the master; prints a description fault as "FILE [SECTION]: message".
  bool Load() {
    if (master_.empty()) {
      std::fprintf(stderr, "tessaro-tool: no prop.ini in the CD root, its master or its disk1 folder\n");
      return false;
    }
    if (!paramsWritten_) {
      std::fprintf(stderr, "tessaro-tool: unable to write the parameters file %s\n", params_.c_str());
      return false;
    }
    SetEngineDirectory(master_);
    try {
      LoadSetupData(params_);
      return true;
    } catch (const CPropError& error) {
      CloseLogFile();
      std::string place = CPropError::File();
      if (!CPropError::Section().empty()) place += " [" + CPropError::Section() + "]";
      std::printf("%s: %s\n", place.c_str(), error.Message().c_str());
    } catch (const CMyError& error) {
      CloseLogFile();
      std::printf("%s: %s\n", JoinPath(master_, "prop.ini").c_str(), error.Message().c_str());
    }
    return false;
  }

  const std::string& Log() const { return log_; }
  const std::string& Master() const { return master_; }

 private:
  std::string master_, params_, log_;
  bool paramsWritten_ = false;
};

void PrintFeatures(const CFeature& feature, int depth, bool selectedOnly) {
  if (!feature.ID.Empty() && (!selectedOnly || feature.selected)) {
    std::printf("%*s%s (%s)%s\n", depth * 2 + 2, "", feature.ID.Raw().c_str(),
                feature.Name.Translated(*feature.setup).c_str(),
                selectedOnly ? "" : (feature.installed ? " - installed" : ""));
  }
  for (const CFeature& child : feature.subfeatures) PrintFeatures(child, depth + 1, selectedOnly);
}

int Check(const std::string& cdRoot) {
  ToolRun run(cdRoot);
  if (!run.Load()) return 1;
  CSetup& master = ::Master();
  std::printf("%s: the descriptions are consistent\n", JoinPath(run.Master(), "prop.ini").c_str());
  std::printf("Setups:\n  %s (%s) on %s - master\n", master.IdText().c_str(), master.Name.Translated(master).c_str(),
              master.CD.Translated(master).c_str());
  for (const CSetup& setup : master.subsetups)
    std::printf("  %s (%s) on %s\n", setup.IdText().c_str(), setup.Name.Translated(setup).c_str(),
                setup.CD.Translated(setup).c_str());
  for (const CComponent& component : master.components)
    if (component.IsCore())
      std::printf("  %s (core component%s)\n", component.ID.Raw().c_str(), component.setup ? "" : ", no setup");
  std::printf("Features:\n");
  PrintFeatures(master.rootFeature, 0, false);
  std::printf("CDs:\n");
  for (const CSetupCD& cd : master.cds)
    std::printf("  %s \"%s\"\n", cd.ID.Raw().c_str(), cd.Description.Translated(master).c_str());
  return 0;
}

int Dump(const std::string& cdRoot, int level) {
  ToolRun run(cdRoot);
  if (!run.Load()) return 1;
  DeleteFileA(run.Log().c_str());
  int indent = LogIndentLevel();
  SetLogIndentLevel(0);
  OpenLogFile();
  DumpSetup(::Master(), level);
  CloseLogFile();
  SetLogIndentLevel(indent);
  std::fputs(ReadTextOf(run.Log()).c_str(), stdout);
  return 0;
}

// The CD order of the run: the CD of CDROOT first, then whichever CD the sequencing names
// next, each with the setups it would hand out, as if every setup succeeded.
void PrintCdOrder(CSetup& master, const std::string& cdRoot) {
  std::printf("CD order:\n");
  if (IdentifyCurrentCD(cdRoot).empty()) {
    std::printf("  (%s is not one of the suite's CDs)\n", cdRoot.c_str());
    return;
  }
  InstallPlan plan = PlanInstallOrder(master, SequencingStateOf(master), PlanStart::InitializeInstallControl);
  for (const PlannedCD& cd : plan.cds) {
    const CSetupCD* record = master.cds.Find(cd.id);
    std::string line = "  " + cd.id + " \"" + (record ? record->Description.Translated(master) : std::string()) + "\":";
    for (const PlannedSetup& setup : cd.setups) line += " " + setup.id + (setup.core ? " (core)" : "");
    std::printf("%s\n", line.c_str());
  }
  if (!plan.neverHandedOut.empty()) {
    std::string text;
    for (const std::string& id : plan.neverHandedOut) text += " " + id;
    std::printf("  never handed out:%s\n", text.c_str());
  }
}

int Plan(const std::string& cdRoot, const std::string& params) {
  ToolRun run(cdRoot, params, true);
  if (!run.Load()) return 1;
  CSetup& master = ::Master();
  if (WalkWizard(LinkedEngineSteps()) != 1) {
    CloseLogFile();
    std::printf("The run stops before installing. Its log:\n%s", ReadTextOf(run.Log()).c_str());
    return 1;
  }
  std::printf("Setup type: %s\n", master.setupType.c_str());
  std::printf("Program folder: %s\n", master.programFolder.c_str());
  std::printf("Selected features:\n");
  PrintFeatures(master.rootFeature, 0, true);
  std::printf("Target paths:\n");
  std::vector<std::string> drives;
  for (const CTarget& target : master.targets) {
    std::printf("  %s = %s\n", target.ID.Raw().c_str(), target.path.c_str());
    std::string drive = DriveOf(target.path);
    bool known = false;
    for (const std::string& seen : drives) known = known || EqualsNoCase(seen, drive);
    if (!drive.empty() && !known) drives.push_back(drive);
  }
  std::printf("Disk space per drive:\n");
  for (const std::string& drive : drives)
    std::printf("  %s %lu K\n", drive.c_str(), RequiredOnDrive(master, drive, false));
  std::printf("Disk space per setup:\n");
  std::printf("  %s %lu K\n", master.IdText().c_str(), SetupSpace(master, master));
  for (const CComponent& component : master.components)
    if (component.IsCore() && component.setup && component.selected)
      std::printf("  %s %lu K\n", component.ID.Raw().c_str(), SetupSpace(*component.setup, master));
  for (const CSetup& setup : master.subsetups)
    std::printf("  %s %lu K\n", setup.IdText().c_str(), SetupSpace(setup, master));
  PrintCdOrder(master, cdRoot);
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  SetMessageBoxesShown(false);
  if (argc < 2) return Usage();
  std::string command = argv[1];
  std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "stamp") return Stamp(args);
  if (args.empty()) return Usage();
  std::string cdRoot = args[0];
  std::string params;
  int level = 10;
  for (size_t i = 1; i + 1 < args.size(); i += 2) {
    if (args[i] == "--level") level = std::atoi(args[i + 1].c_str());
    else if (args[i] == "--params") params = args[i + 1];
    else return Usage();
  }
  if (command != "check" && command != "dump" && command != "plan") {
    std::fprintf(stderr, "tessaro-tool: unknown command %s\n", command.c_str());
    return Usage();
  }
  MachineSandbox sandbox;
  if (!sandbox.Ready()) {
    std::fprintf(stderr, "tessaro-tool: %s; nothing was run\n", sandbox.Failure().c_str());
    return 1;
  }
  if (command == "check") return Check(cdRoot);
  if (command == "dump") return Dump(cdRoot, level);
  return Plan(cdRoot, params);
}
