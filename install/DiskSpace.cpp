#include "install/DiskSpace.h"

#include <vector>

#include "engine/Errors.h"
#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/StepResult.h"
#include "engine/Text.h"
#include "engine/UserQuestions.h"
#include "model/Model.h"

namespace {
constexpr Kilobytes kIsInstallAllowance = 14000;
constexpr Kilobytes kInfInstallAllowance = 2800;

Kilobytes NeedsOf(const CComponent& component, const CSetup& master, const std::string* drive) {
  Kilobytes sum = 0;
  for (const CTargetNeed& need : component.targetNeeds) {
    if (drive) {
      const CTarget* target = master.targets.Find(need.targetID.UpperTranslated(*need.setup));
      if (!target || !EqualsNoCase(DriveOf(target->path), *drive)) continue;
    }
    sum = AddKilobytes(sum, need.SizeKB());
  }
  return sum;
}

const CSetup* FindSetup(const CSetup& master, const std::string& setupId) {
  if (EqualsNoCase(master.IdText(), setupId)) return &master;
  for (const CSetup& subsetup : master.subsetups)
    if (EqualsNoCase(subsetup.IdText(), setupId)) return &subsetup;
  for (const CComponent& component : master.components)
    if (component.IsCore() && component.setup && EqualsNoCase(component.setup->IdText(), setupId))
      return component.setup;
  return nullptr;
}

std::vector<std::string> TargetDrives(const CSetup& master) {
  std::vector<std::string> drives;
  for (const CTarget& target : master.targets) {
    std::string drive = DriveOf(target.path);
    bool known = false;
    for (const std::string& listed : drives) known = known || EqualsNoCase(listed, drive);
    if (!known) drives.push_back(drive);
  }
  return drives;
}

// Asks whether to go on with too little space; returns normally on Yes and Next.
void AskAboutShortage(const std::string& drive, Kilobytes required, Kilobytes free) {
  QuestionEnd end = Questions().AskQuestion(
      "Corvant Setup",
      Format("This setup requires %lu K of disk space on drive %s, and you have only %lu K.  Do you want to "
             "proceed, or to change your selections?",
             required, drive.c_str(), free),
      "(If you are reinstalling any of the files, the actual space required may be considerably less.)",
      "Yes, proceed with the installation.", "No, I will change my selections.");
  if (end.end == PageEnd::Cancel) throw CCheckError("", "", kStepStop);
  if (end.end == PageEnd::Back || !end.yes) throw CCheckError("", "", kStepBack);
}
}  // namespace

Kilobytes AddKilobytes(Kilobytes a, Kilobytes b) { return a > kMostKilobytes - b ? kMostKilobytes : a + b; }

Kilobytes KilobytesOfBytes(unsigned long long bytes) {
  unsigned long long kilobytes = bytes >> 10;
  return kilobytes > kMostKilobytes ? kMostKilobytes : static_cast<Kilobytes>(kilobytes);
}

std::string DriveOf(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
  return std::string();
}

Kilobytes RequiredOnDrive(const CSetup& master, const std::string& drive, bool countInstalledCore) {
  Kilobytes sum = 0;
  for (const CComponent& component : master.components) {
    if (!component.selected) continue;
    if (component.IsCore() && component.installed && !countInstalledCore) continue;
    sum = AddKilobytes(sum, NeedsOf(component, master, &drive));
  }
  return sum;
}

Kilobytes SetupSpace(const CSetup& setup, const CSetup& master) {
  Kilobytes sum = 0;
  for (const CComponent& component : master.components)
    if (component.selected && component.setup == &setup) sum = AddKilobytes(sum, NeedsOf(component, master, nullptr));
  if (sum == 0) return 0;
  if (setup.installKind == InstallKind::SetupProgram) return AddKilobytes(sum, kIsInstallAllowance);
  if (setup.installKind == InstallKind::InstallationLibrary) return AddKilobytes(sum, kInfInstallAllowance);
  return sum;
}

Kilobytes SetupSpaceOf(const CSetup& master, const std::string& setupId) {
  const CSetup* setup = FindSetup(master, setupId);
  return setup ? SetupSpace(*setup, master) : 0;
}

Kilobytes TotalSetupSpace(const CSetup& master) {
  Kilobytes total = SetupSpace(master, master);
  for (const CComponent& component : master.components)
    if (component.IsCore() && component.setup) total = AddKilobytes(total, SetupSpace(*component.setup, master));
  for (const CSetup& subsetup : master.subsetups) total = AddKilobytes(total, SetupSpace(subsetup, master));
  return total;
}

FreeSpaceQueries SystemFreeSpaceQueries() {
  FreeSpaceQueries queries;
  HMODULE kernel = GetModuleHandleA("Kernel32.dll");
  if (kernel)
    queries.extended = reinterpret_cast<FreeSpaceQueries::Extended>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "GetDiskFreeSpaceExA")));
  queries.classic = &GetDiskFreeSpaceA;
  return queries;
}

Kilobytes FreeSpaceOnDrive(const std::string& driveOrDirectory, const FreeSpaceQueries& queries) {
  // A bare drive ("C:") names its root for both queries.
  std::string root = driveOrDirectory.size() == 2 && driveOrDirectory[1] == ':' ? driveOrDirectory + "\\"
                                                                                  : driveOrDirectory;
  if (queries.extended) {
    ULARGE_INTEGER available, total, free;
    if (queries.extended(root.c_str(), &available, &total, &free)) return KilobytesOfBytes(free.QuadPart);
  }
  if (queries.classic) {
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (queries.classic(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
      return KilobytesOfBytes(static_cast<unsigned long long>(sectorsPerCluster) * bytesPerSector * freeClusters);
  }
  return 0;
}

Kilobytes FreeSpaceOnDrive(const std::string& driveOrDirectory) {
  return FreeSpaceOnDrive(driveOrDirectory, SystemFreeSpaceQueries());
}

void CheckDiskSpace(const CSetup& master, bool countInstalledCore) {
  std::vector<std::string> drives = TargetDrives(master);
  LogLine("Total number of drives :" + std::to_string(drives.size()) + ".");
  LogLine("The drives are:-");
  for (const std::string& drive : drives) LogLine(drive);
  for (const std::string& drive : drives) {
    Kilobytes required = RequiredOnDrive(master, drive, countInstalledCore);
    Kilobytes free = FreeSpaceOnDrive(drive);
    LogLine(Format("Total disk space required on drive %s = %lu K (%lu K available)", drive.c_str(), required, free));
    if (required >= free && !Unattended()) AskAboutShortage(drive, required, free);
  }
}
