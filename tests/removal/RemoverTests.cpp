// Each setup removed by its own remover through TS_DoUninstall of a loaded engine, and the status
// the removal leaves for TS_MIFError: an installation library's DoUninstall, a setup program
// started with UninstallCmdLine, and an UninstallCommand whose exit code becomes the status file.
#include <gtest/gtest.h>

#include <memory>

#include "RemovalSuite.h"
#include "engine/Params.h"
#include "engine/Paths.h"
#include "state/Registry.h"

using namespace testing_support;
using namespace removal_tests;

namespace {
using PathIn = int(__stdcall*)(const char*);
using NoArgs = int(__stdcall*)();
constexpr const char kRunOnceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

class RemoverTest : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override {
    if (engine) engine->Get<NoArgs>("TS_UnloadSetupData")();
    engine.reset();
    Clean();
  }
  static void Clean() {
    CleanCorvantRegistry();
    EXPECT_NE(DeleteRegValue(HKEY_LOCAL_MACHINE, kRunOnceKey, "CorvantReboot"), RegDelete::Failed);
    for (const char* name : {"TOOLS", "ARCHIVE", "SHAREDRT"})
      DeleteFileA(JoinPath(TempDirectory(), std::string(name) + ".mif").c_str());
  }
  void Load(const std::string& coreExtra = "UninstallCommand=%CORE%\\fixture_product.exe /uninstall\r\n") {
    suite = std::make_unique<RemovalSuite>("remover");
    suite->Write("", "", coreExtra);
    engine = std::make_unique<EngineInstance>(suite->tree.MasterDir());
    ASSERT_EQ(engine->Get<PathIn>("TS_LoadSetupData")(suite->tree.WriteParams("MessageLevel=NONE\r\n").c_str()), 0);
  }
  int DoUninstall(const std::string& directory) {
    return engine->Get<PathIn>("TS_DoUninstall")(suite->PropIni(directory).c_str());
  }
  int MifError(const std::string& directory) {
    return engine->Get<PathIn>("TS_MIFError")(suite->PropIni(directory).c_str());
  }
  bool Logged(const std::string& line) const { return ContainsLine(suite->tree.Log(), line); }
  std::vector<std::string> ProgramCalls(const std::string& directory) const {
    return ReadLines(suite->tree.Dir(directory) + "\\product_calls.log");
  }

  MessageBoxWatcher boxes;
  std::unique_ptr<RemovalSuite> suite;
  std::unique_ptr<EngineInstance> engine;
};
}  // namespace

TEST_F(RemoverTest, AnInstallationLibraryRemovesItsProductWithDoUninstall) {
  Load();
  ASSERT_EQ(DoUninstall("Archive"), 0);
  std::string inf = suite->tree.Dir("Archive") + "\\archive.inf";
  std::string config = JoinPath(TempDirectory(), "ARCHIVE.ini");
  std::vector<std::string> calls = ReadLines(suite->tree.Dir("Archive") + "\\inf_calls.log");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0], "DoUninstall " + inf + " reserved=0 params=" + config + " product=Archive product");
  EXPECT_EQ(MifError("Archive"), 0);
  EXPECT_TRUE(Logged("Remove Archive product (INFINSTALL)"));
  EXPECT_TRUE(Logged("   INF file = " + inf + ", DLL = " + suite->tree.Dir("Archive") + "\\fixture_inf.dll"));
  EXPECT_TRUE(Logged("   Calling DoUninstall function"));
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(RemoverTest, ASetupProgramIsStartedWithItsRemovalCommandLineAndAConfigurationFile) {
  Load();
  WriteTextFile(suite->tree.Dir("Tools") + "\\fixture.ini", "[Product]\r\nMifName=TOOLS\r\nMifStatus=Success\r\nMifDirectory=temp\r\n");
  ASSERT_EQ(DoUninstall("Tools"), 0);
  std::string config = JoinPath(TempDirectory(), "TOOLS.ini");
  std::string command = suite->tree.Dir("Tools") + "\\fixture_product.exe /remove config=" + config;
  EXPECT_EQ(ProgramCalls("Tools"), std::vector<std::string>{command});
  EXPECT_EQ(ReadTextFile(suite->tree.Dir("Tools") + "\\received_config.ini"), ReadTextFile(config));
  EXPECT_EQ(ReadIniString(config, "Main", "Unattended"), "YES");
  EXPECT_EQ(MifError("Tools"), 0);
  EXPECT_TRUE(Logged("Remove Tools product (ISINSTALL)"));
  EXPECT_TRUE(Logged("   Launch process " + command));
  EXPECT_TRUE(Logged("   Setup TOOLS ended with exit code 0"));
}

// A remover of the product's own leaves no status file: its exit code makes one.
TEST_F(RemoverTest, AnUninstallCommandsExitCodeBecomesTheStatus) {
  struct Case {
    unsigned long exitCode;
    int mifError;
    const char* status;
    bool restart;
  };
  for (const Case& c : {Case{0, 0, "\"Success\"", false}, Case{3, 1, "\"exit code 3\"", false},
                        Case{3010, 0, "\"Success\"", true}}) {
    SCOPED_TRACE(c.exitCode);
    Load();
    std::string code = std::to_string(c.exitCode);
    WriteTextFile(suite->tree.Dir("Core\\SHAREDRT") + "\\fixture.ini", "[Product]\r\nExitCode=" + code + "\r\n");
    ASSERT_EQ(DoUninstall("Core\\SHAREDRT"), 0);
    EXPECT_EQ(ProgramCalls("Core\\SHAREDRT"),
              std::vector<std::string>{suite->tree.Dir("Core\\SHAREDRT") + "\\fixture_product.exe /uninstall"});
    EXPECT_EQ(MifError("Core\\SHAREDRT"), c.mifError);
    EXPECT_NE(ReadTextFile(JoinPath(TempDirectory(), "SHAREDRT.mif")).find(c.status), std::string::npos);
    EXPECT_EQ(engine->Get<NoArgs>("TS_IsRebootScheduled")(), c.restart ? 1 : 0);
    EXPECT_TRUE(Logged("   Setup SHAREDRT ended with exit code " + code));
    TearDown();
  }
}

TEST_F(RemoverTest, ASetupWithoutARemoverIsRefused) {
  Load("");
  const std::string records = "[Core Components Installed]\r\nSHAREDRT=1.5\r\n";
  ASSERT_TRUE(CreateDirectoryTree(DirectoryOf(suite->Common())));
  WriteTextFile(suite->Common(), records);
  EXPECT_EQ(DoUninstall("Core\\SHAREDRT"), -1);
  EXPECT_EQ(ReadTextFile(suite->Common()), records);
  EXPECT_TRUE(Logged("   *** SHAREDRT cannot be removed: its description names no remover (UninstallCmdLine, "
                     "UninstallCommand or DoUninstall)"));
  EXPECT_EQ(MifError("Core\\SHAREDRT"), 1);
}

TEST_F(RemoverTest, ACoreComponentStillNeededIsNotRemoved) {
  Load();
  ASSERT_TRUE(CreateDirectoryTree(DirectoryOf(suite->Common())));
  WriteTextFile(suite->Common(), "[Core Components Installed]\r\nSHAREDRT=1.5\r\n[SHAREDRT Dependents]\r\nTOOLS=2.0\r\n");
  EXPECT_EQ(DoUninstall("Core\\SHAREDRT"), -1);
  EXPECT_TRUE(Logged("   *** Keep SHAREDRT: still needed by TOOLS"));
  EXPECT_TRUE(ProgramCalls("Core\\SHAREDRT").empty());
}

TEST_F(RemoverTest, ARemoverThatCannotStartFails) {
  Load();
  std::string program = suite->tree.Dir("Tools") + "\\fixture_product.exe";
  ASSERT_TRUE(DeleteFileA(program.c_str()));
  EXPECT_EQ(DoUninstall("Tools"), -1);
  EXPECT_TRUE(Logged("   *** Unable to create process (CreateProcessA error " + std::to_string(ERROR_FILE_NOT_FOUND) +
                     "): " + program));
}
