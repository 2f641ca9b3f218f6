// The sample suite installed end to end by the setup host under Wine, as an administrator runs it.
#include <gtest/gtest.h>

#include "engine/Paths.h"
#include "state/Registry.h"
#include "support/TestSupport.h"

using namespace testing_support;

namespace {
class SampleSuiteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CleanCorvantRegistry();
    CopyTree(JoinPath(BuildDirectory(), "samples"), cds.Path());
    root = cds / "installed";
    common = JoinPath(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion",
                                    "CommonFilesDir"),
                      "Corvant Shared");
    RemoveTree(common);
  }
  void TearDown() override {
    CleanCorvantRegistry();
    RemoveTree(common);
  }

  // The sample's unattended parameters with a log and a root directory of the test's own.
  std::string Parameters(const std::string& name) {
    std::string params = cds / name;
    std::string text = ReadTextFile(JoinPath(cds / "CD1\\master", "unattended.ini"));
    text += "AppendToLog=" + log() + "\r\n[Targets]\r\nTarget0=CORVAROOT;" + root + "\r\n";
    WriteTextFile(params, text);
    return params;
  }

  int RunHost(const std::string& params, std::string* console = nullptr) {
    std::string output = cds / ("host" + std::to_string(++runs) + ".out");
    int code = RunProgram("\"" + JoinPath(cds / "CD1\\master", "TessaroSetup.exe") + "\" config=\"" + params + "\"",
                          output, 600000);
    if (console) *console = ReadTextFile(output);
    return code;
  }

  std::string log() const { return cds / "run.log"; }

  ScratchDirectory cds{"suite"};
  std::string root, common;
  int runs = 0;
};

std::string Installed(const std::string& uninstallFile, const std::string& feature) {
  char value[256] = {};
  GetPrivateProfileStringA("Features Installed", feature.c_str(), "", value, sizeof value, uninstallFile.c_str());
  return value;
}
}  // namespace

TEST_F(SampleSuiteTest, InstallsTheThreeCdSuiteUnattended) {
  std::string console;
  ASSERT_EQ(RunHost(Parameters("first.ini"), &console), 0) << console;
  EXPECT_NE(console.find("installed: "), std::string::npos) << console;

  // Every product's payload is in its install directory.
  EXPECT_TRUE(FileExists(root + "\\Reports\\viewer.txt"));
  EXPECT_TRUE(FileExists(root + "\\Reports\\designer.txt"));
  EXPECT_TRUE(FileExists(root + "\\Data\\engine.txt"));
  EXPECT_TRUE(FileExists(root + "\\Data\\service.txt"));
  EXPECT_TRUE(FileExists(root + "\\Archive\\archive.txt"));
  EXPECT_TRUE(FileExists(common + "\\runtime.txt"));

  // The records the next run reads.
  const char* setupKey = "Software\\Corvant\\Setup";
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, setupKey, "CORVAROOTdir"), root);
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, setupKey, "REPORTSDIRdir"), root + "\\Reports");
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, setupKey, "DATADIRdir"), root + "\\Data");
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, setupKey, "DATASTOREdir"), root + "\\Data\\Store");
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, setupKey, "SetupType"), "SERVER");
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, setupKey, "Folder"), "Corvant Sample Suite");
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup\\Passwords\\DATASVC", "UserName"), "svc_data");

  std::string uninstall = root + "\\setup\\uninstall\\";
  EXPECT_EQ(Installed(uninstall + "REPORTS.ini", "REPORTS_VIEWER"), "2.1");
  EXPECT_EQ(Installed(uninstall + "DATA.ini", "DATA_SERVICE"), "3.0");
  EXPECT_EQ(Installed(uninstall + "ARCHIVE.ini", "ARCHIVE"), "1.2");
  char core[64] = {};
  GetPrivateProfileStringA("Core Components Installed", "SHAREDRT", "", core, sizeof core,
                           (uninstall + "Corvant Common.ini").c_str());
  EXPECT_STREQ(core, "1.5");

  // The core component of CD 1 came before the product of CD 2 that needs it.
  auto lines = ReadLines(log());
  int sharedAt = -1, dataAt = -1;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (sharedAt < 0 && lines[i].find("Next Setup = SHAREDRT (core)") != std::string::npos) sharedAt = int(i);
    if (dataAt < 0 && lines[i].find("Next Setup = DATA") != std::string::npos) dataAt = int(i);
  }
  EXPECT_GE(sharedAt, 0);
  EXPECT_GT(dataAt, sharedAt);
  EXPECT_TRUE(ContainsLine(lines, "--- First-Time Install of Corvant Products ---"));
  // No password in clear anywhere in the log.
  EXPECT_EQ(ReadTextFile(log()).find("Sample-Secret-1"), std::string::npos);

  // A second run finds what the first installed.
  ASSERT_EQ(RunHost(Parameters("second.ini"), &console), 0) << console;
  bool reinstall = false;
  for (const std::string& line : ReadLines(log()))
    if (line.find("--- Reinstall ---") != std::string::npos) reinstall = true;
  EXPECT_TRUE(reinstall);
}

TEST_F(SampleSuiteTest, AFailedProductIsMarkedAndTheRestStillInstalls) {
  RemoveTree(cds / "CD2\\Data\\payload");
  std::string console;
  EXPECT_EQ(RunHost(Parameters("broken.ini"), &console), 1) << console;
  EXPECT_NE(console.find("failed: DATA"), std::string::npos) << console;
  EXPECT_TRUE(FileExists(root + "\\Reports\\viewer.txt"));
  EXPECT_TRUE(FileExists(root + "\\Archive\\archive.txt"));
  EXPECT_FALSE(FileExists(root + "\\Data\\engine.txt"));
  bool errorLine = false;
  for (const std::string& line : ReadLines(log()))
    if (line.find("*** Error") != std::string::npos) errorLine = true;
  EXPECT_TRUE(errorLine);
}
