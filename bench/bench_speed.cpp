// The engine's speed figures from one run on one machine: the load of generated suites against
// the floor of one section read per section, the level-10 dump, the memory the loaded model holds,
// TS_GetCRC32 against zlib's crc32, and the engine's own time in the unattended sample install.
// scripts/bench.sh builds and runs it.
//
//   bench_speed.exe WORKDIR ZLIB1.DLL SAMPLESDIR
//
// WORKDIR is filled with generated suites; SAMPLESDIR holds a copy of the assembled sample CDs
// (CD1, CD2, CD3) with the engine and the setup host, which the run installs.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/Application.h"
#include "engine/Log.h"
#include "engine/Paths.h"
#include "model/Crc32.h"
#include "model/Model.h"
#include "model/SetupDump.h"

extern "C" int __stdcall TS_LoadSetupData(const char* parametersFile);
extern "C" unsigned long __stdcall TS_GetCRC32(const char* text, unsigned long crc);

namespace {
// A benchmark that cannot lay out its files measures nothing: it stops with the reason.
void MakeDirectory(const std::string& path) {
  if (CreateDirectoryTree(path)) return;
  std::fprintf(stderr, "bench_speed: cannot create %s (error %lu)\n", path.c_str(), GetLastError());
  std::exit(2);
}
constexpr int kFeaturesPerProduct = 50;

double Now() {
  using Clock = std::chrono::steady_clock;
  return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

size_t WorkingSet() {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.WorkingSetSize;
}

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
}

void WriteDescription(const std::string& path, const std::string& content) {
  std::optional<StampedDescription> stamped = StampDescription(content);
  WriteFile(path, stamped ? stamped->bytes : content);
}

// One product of the generated suites: a root feature with 50 features, each with an
// InstallShield component that needs space in the product's own target.
std::string ProductDescription(int p) {
  std::string id = "P" + std::to_string(p);
  std::string text = "[Main]\r\nName=Product " + std::to_string(p) + "\r\nRootFeature=" + id +
                     "\r\nVersion=1." + std::to_string(p) +
                     "\r\nCD=CD1;Generated suite CD\r\nInstallType=ISINSTALL\r\nMifName=" + id + "\r\n\r\n";
  text += "[Targets]\r\nTarget0=" + id + "DIR;" + id + " files;%CORVAROOT%\\" + id + ";Setup installs " + id +
          " here.\r\n\r\n[SetupTypes]\r\nSetupType0=STANDARD;Standard\r\nSetupType1=CUSTOM;Custom\r\n\r\n";
  text += "[" + id + "]\r\nName=Product " + std::to_string(p) + "\r\nDescription=The whole product.\r\nSelected=YES\r\n";
  for (int f = 0; f < kFeaturesPerProduct; ++f) text += "Feature" + std::to_string(f) + "=" + id + "_F" + std::to_string(f) + "\r\n";
  for (int f = 0; f < kFeaturesPerProduct; ++f) {
    std::string feature = id + "_F" + std::to_string(f);
    text += "\r\n[" + feature + "]\r\nName=Feature " + std::to_string(f) + " of " + id + "\r\nDescription=Files of " +
            feature + ".\r\nSelected=" + (f % 2 ? "YES" : "NO") + "\r\nComponent0=" +
            id + "\\" + feature + ";IS\r\nTargetNeed0=" + id + "DIR;" + std::to_string(100 + f) + "\r\n";
  }
  return text;
}

struct Suite {
  std::string master, params;
  std::vector<std::string> files;
  int features = 0;
};

Suite GenerateSuite(const std::string& root, int products) {
  Suite suite;
  std::string cd = JoinPath(root, "CD");
  suite.master = JoinPath(cd, "master");
  MakeDirectory(suite.master);
  std::string master = JoinPath(suite.master, "prop.ini");
  WriteDescription(master,
                   "[Main]\r\nName=Generated suite\r\nRootFeature=CORVANT SOFTWARE\r\nInstallType=ISINSTALL\r\n"
                   "CD=CD1;Generated suite CD\r\nLoadSubsetups=YES\r\n\r\n[SetupTypes]\r\nSetupType0=STANDARD;Standard\r\n"
                   "SetupType1=CUSTOM;Custom\r\n\r\n[CORVANT SOFTWARE]\r\nName=Corvant Software\r\nSelected=YES\r\n");
  suite.files.push_back(master);
  for (int p = 0; p < products; ++p) {
    std::string directory = JoinPath(cd, "P" + std::to_string(p));
    MakeDirectory(directory);
    std::string file = JoinPath(directory, "prop.ini");
    WriteDescription(file, ProductDescription(p));
    suite.files.push_back(file);
  }
  suite.features = 1 + products * (1 + kFeaturesPerProduct);
  suite.params = JoinPath(root, "params.ini");
  WriteFile(suite.params, "[Main]\r\nMessageLevel=NONE\r\nAppendToLog=" + JoinPath(root, "load.log") + "\r\n");
  return suite;
}

// The floor of a load: one section read per section of every file of the suite.
double SectionFloor(const Suite& suite) {
  std::vector<char> names(1 << 20), section(1 << 20);
  double start = Now();
  for (const std::string& file : suite.files) {
    DWORD got = GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), file.c_str());
    for (const char* name = names.data(); name < names.data() + got && *name; name += std::strlen(name) + 1)
      GetPrivateProfileSectionA(name, section.data(), static_cast<DWORD>(section.size()), file.c_str());
  }
  return Now() - start;
}

struct LoadFigures {
  int features = 0;
  double load = 0, floor = 0, dump = 0;
  double memory = 0;  // bytes
  bool loaded = false;
};

LoadFigures MeasureLoad(const Suite& suite) {
  LoadFigures figures;
  figures.features = suite.features;
  CreateSetupData();
  SetEngineDirectory(suite.master);
  size_t before = WorkingSet();
  double start = Now();
  figures.loaded = TS_LoadSetupData(suite.params.c_str()) == 0;
  figures.load = Now() - start;
  figures.memory = static_cast<double>(WorkingSet()) - static_cast<double>(before);
  OpenLogFile();
  start = Now();
  DumpSetup(Master(), 10);
  figures.dump = Now() - start;
  CloseLogFile();
  figures.floor = SectionFloor(suite);
  DestroySetupData();
  return figures;
}

struct CrcFigures {
  double engine = 0, zlib = 0;  // MB/s
  bool same = false;
};

CrcFigures MeasureCrc(const std::string& zlibPath) {
  CrcFigures figures;
  const size_t size = 64u << 20;
  std::vector<char> bytes(size + 1);
  unsigned seed = 12345;
  for (size_t i = 0; i < size; ++i) {
    seed = seed * 1103515245u + 12345u;
    bytes[i] = static_cast<char>(1 + (seed >> 16) % 255);
  }
  bytes[size] = '\0';
  using ZlibCrc = unsigned long (*)(unsigned long, const unsigned char*, unsigned);
  HMODULE zlib = LoadLibraryA(zlibPath.c_str());
  auto zlibCrc = zlib ? reinterpret_cast<ZlibCrc>(reinterpret_cast<void*>(GetProcAddress(zlib, "crc32"))) : nullptr;
  unsigned long ours = 0, theirs = 0;
  double best = 1e9, bestZlib = 1e9;
  for (int round = 0; round < 3; ++round) {
    double start = Now();
    ours = TS_GetCRC32(bytes.data(), 0);
    best = std::min(best, Now() - start);
    if (!zlibCrc) continue;
    start = Now();
    theirs = zlibCrc(0, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned>(size));
    bestZlib = std::min(bestZlib, Now() - start);
  }
  figures.engine = size / 1e6 / best;
  figures.zlib = zlibCrc ? size / 1e6 / bestZlib : 0;
  figures.same = zlibCrc && ours == theirs;
  return figures;
}

// Runs a program in a job of its own and waits for it; `others` receives the time during which
// at least one process it started was alive, `started` how many it started. Returns the
// program's whole time.
double RunInJob(const std::string& commandLine, double& others, int& started) {
  others = 0;
  started = 0;
  HANDLE job = CreateJobObjectA(nullptr, nullptr);
  HANDLE port = CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1);
  JOBOBJECT_ASSOCIATE_COMPLETION_PORT association = {job, port};
  SetInformationJobObject(job, JobObjectAssociateCompletionPortInformation, &association, sizeof association);
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  double start = Now();
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                      &process)) {
    std::printf("cannot start %s (error %lu)\n", commandLine.c_str(), GetLastError());
    return 0;
  }
  AssignProcessToJobObject(job, process.hProcess);
  ResumeThread(process.hThread);
  int alive = 0;
  double since = 0;
  for (;;) {
    DWORD message = 0;
    ULONG_PTR key = 0;
    LPOVERLAPPED detail = nullptr;
    if (!GetQueuedCompletionStatus(port, &message, &key, &detail, 600000)) break;
    DWORD pid = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(detail));
    if (message == JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO) break;
    if (pid == process.dwProcessId) continue;
    if (message == JOB_OBJECT_MSG_NEW_PROCESS) ++started;
    if (message == JOB_OBJECT_MSG_NEW_PROCESS && alive++ == 0) since = Now();
    if ((message == JOB_OBJECT_MSG_EXIT_PROCESS || message == JOB_OBJECT_MSG_ABNORMAL_EXIT_PROCESS) && --alive == 0)
      others += Now() - since;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  double whole = Now() - start;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(port);
  CloseHandle(job);
  return whole;
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }


// The unattended sample install: the host's whole time, less the time its product setups ran,
// less the time of a host that starts and ends without an engine (the system's own start of a
// process).
double MeasureSampleInstall(const std::string& work, const std::string& samples, double& products, int& processes,
                            double& empty, int& progressStops) {
  std::string master = JoinPath(samples, "CD1\\master");
  std::string params = JoinPath(samples, "unattended-run.ini");
  CopyFileA(JoinPath(master, "unattended.ini").c_str(), params.c_str(), FALSE);
  std::string log = JoinPath(samples, "install.log");
  WritePrivateProfileStringA("Main", "AppendToLog", log.c_str(), params.c_str());
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, params.c_str());
  std::string emptyHost = JoinPath(work, "emptyhost");
  MakeDirectory(emptyHost);
  CopyFileA(JoinPath(master, "TessaroSetup.exe").c_str(), JoinPath(emptyHost, "TessaroSetup.exe").c_str(), FALSE);
  double none = 0;
  int noProcesses = 0;
  empty = RunInJob(Quoted(JoinPath(emptyHost, "TessaroSetup.exe")), none, noProcesses);
  double whole =
      RunInJob(Quoted(JoinPath(master, "TessaroSetup.exe")) + " config=" + Quoted(params), products, processes);
  // Each stop of the progress window waits for the window's thread, which lingers a second
  // after its window closed.
  progressStops = 0;
  std::ifstream lines(log);
  for (std::string line; std::getline(lines, line);)
    if (line.find("Progress Bar : Stop") != std::string::npos) ++progressStops;
  return whole - products - empty;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: bench_speed WORKDIR ZLIB1.DLL SAMPLESDIR\n");
    return 2;
  }
  std::string work = argv[1], zlib = argv[2], samples = argv[3];
  MakeDirectory(work);

  Suite one = GenerateSuite(JoinPath(work, "p1"), 1), s10 = GenerateSuite(JoinPath(work, "p10"), 10),
        s40 = GenerateSuite(JoinPath(work, "p40"), 40), s160 = GenerateSuite(JoinPath(work, "p160"), 160);
  // A first small load brings in what any first call needs; then each suite is loaded twice
  // and the faster of the two counts. The memory is that of the first 40-product load.
  LoadFigures warm = MeasureLoad(one);
  LoadFigures p10 = MeasureLoad(s10), p40 = MeasureLoad(s40), p160 = MeasureLoad(s160);
  double memory = p40.memory;
  for (auto [suite, figures] : {std::pair{&s10, &p10}, std::pair{&s40, &p40}, std::pair{&s160, &p160}}) {
    LoadFigures again = MeasureLoad(*suite);
    figures->load = std::min(figures->load, again.load);
    figures->floor = std::min(figures->floor, again.floor);
    figures->dump = std::min(figures->dump, again.dump);
    figures->loaded = figures->loaded && again.loaded;
  }
  if (!warm.loaded || !p10.loaded || !p40.loaded || !p160.loaded)
    std::printf("warning: a generated suite did not load\n");
  std::printf("%-62s %10s\n", "figure", "value");
  auto row = [](const char* name, const std::string& value) { std::printf("%-62s %10s\n", name, value.c_str()); };
  auto fixed = [](double value, int digits) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", digits, value);
    return std::string(text);
  };
  row("load, 10 products (511 features), s", fixed(p10.load, 3));
  row("P1 load (TS_LoadSetupData), 40 products (2,041 features), s", fixed(p40.load, 3));
  row("P1 floor, one section read per section, 40 products, s", fixed(p40.floor, 3));
  row("P1 load / floor (target <= 1.25)", fixed(p40.load / p40.floor, 2));
  row("load, 160 products (8,161 features), s", fixed(p160.load, 3));
  row("floor, 160 products, s", fixed(p160.floor, 3));
  row("P1 load 160 / load 40 (target <= 4.5)", fixed(p160.load / p40.load, 2));
  row("dump level 10, 2,041 features, s", fixed(p40.dump, 3));
  row("dump level 10, 8,161 features, s", fixed(p160.dump, 3));
  row("dump 8,161 / dump 2,041 (target <= 4.5)", fixed(p160.dump / p40.dump, 2));
  row("P4 working set of the loaded 40-product model, MiB (<= 4)", fixed(memory / 1048576.0, 2));

  CrcFigures crc = MeasureCrc(zlib);
  row("P2 TS_GetCRC32 over 64 MiB, MB/s", fixed(crc.engine, 0));
  row("P2 zlib crc32 over the same bytes, MB/s", crc.zlib > 0 ? fixed(crc.zlib, 0) : "no zlib");
  row("P2 TS_GetCRC32 / zlib (target >= 1)", crc.zlib > 0 ? fixed(crc.engine / crc.zlib, 2) : "-");
  row("P2 both give the same CRC", crc.same ? "yes" : "NO");

  double products = 0, empty = 0;
  int processes = 0, stops = 0;
  double own = MeasureSampleInstall(work, samples, products, processes, empty, stops);
  row("P3 unattended sample install, engine's own time, s (< 1)", fixed(own, 3));
  row(("   of it, " + std::to_string(stops) + " progress window stops of about 1 s each, s").c_str(), fixed(stops * 1.0, 3));
  row(("   " + std::to_string(processes) + " processes of product setups, s (left out)").c_str(), fixed(products, 3));
  row("   start and end of an empty host process, s (left out)", fixed(empty, 3));
  return 0;
}
