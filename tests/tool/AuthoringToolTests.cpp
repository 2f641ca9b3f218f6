// The authoring tool's commands on the sample suite, as a setup author runs them.
#include <gtest/gtest.h>

#include "engine/Paths.h"
#include "state/Registry.h"
#include "support/TestSupport.h"

using namespace testing_support;

namespace {
class AuthoringToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CleanCorvantRegistry();
    CopyTree(JoinPath(BuildDirectory(), "samples"), cds.Path());
  }
  void TearDown() override { CleanCorvantRegistry(); }

  int Tool(const std::string& arguments, std::string& output) {
    std::string file = cds / ("tool" + std::to_string(++runs) + ".out");
    int code = RunProgram("\"" + JoinPath(BuildDirectory(), "tessaro-tool.exe") + "\" " + arguments, file, 120000);
    output = ReadTextFile(file);
    return code;
  }

  ScratchDirectory cds{"tool"};
  int runs = 0;
};

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
}  // namespace

TEST_F(AuthoringToolTest, CheckListsTheSetupsFeaturesAndCdsOfAConsistentSuite) {
  std::string out;
  ASSERT_EQ(Tool("check \"" + (cds / "CD1") + "\"", out), 0) << out;
  EXPECT_TRUE(Has(out, "the descriptions are consistent")) << out;
  EXPECT_TRUE(Has(out, "  DATA (Corvant Data Server) on CD3")) << out;
  EXPECT_TRUE(Has(out, "  SHAREDRT (core component)")) << out;
  EXPECT_TRUE(Has(out, "      REPORTS_DESIGNER (Report Designer)")) << out;
  EXPECT_TRUE(Has(out, "  CD3 \"Corvant Sample Suite CD 3\"")) << out;
}

TEST_F(AuthoringToolTest, CheckNamesTheFileAndSectionOfABrokenDescription) {
  std::string reports = JoinPath(cds / "CD1", "Reports\\prop.ini");
  std::string text = ReadTextFile(reports);
  size_t at = text.find("Name=Report Viewer");
  ASSERT_NE(at, std::string::npos);
  text.replace(at, 18, "Name=");
  WriteTextFile(reports, text);
  std::string out;
  ASSERT_EQ(Tool("stamp \"" + reports + "\"", out), 0) << out;
  EXPECT_EQ(Tool("check \"" + (cds / "CD1") + "\"", out), 1) << out;
  EXPECT_TRUE(Has(out, reports + " [REPORTS_VIEWER]: Name field is empty")) << out;

  // A description edited without stamping is refused as such.
  WriteTextFile(reports, text + "; edited\r\n");
  EXPECT_EQ(Tool("check \"" + (cds / "CD1") + "\"", out), 1) << out;
  EXPECT_TRUE(Has(out, "Validation Code failure")) << out;
}

TEST_F(AuthoringToolTest, PlanShowsTheCdOrderSelectionSpaceAndTargets) {
  std::string out;
  std::string params = JoinPath(cds / "CD1", "master\\unattended.ini");
  ASSERT_EQ(Tool("plan \"" + (cds / "CD1") + "\" --params \"" + params + "\"", out), 0) << out;
  EXPECT_TRUE(Has(out, "Setup type: SERVER")) << out;
  EXPECT_TRUE(Has(out, "      DATA_SERVICE (Data Service)")) << out;
  EXPECT_TRUE(Has(out, "  CD1 \"Corvant Sample Suite CD 1\": SHAREDRT (core) REPORTS")) << out;
  EXPECT_TRUE(Has(out, "\": DATA VIEWER\n") || Has(out, "\": DATA VIEWER\r\n")) << out;
  EXPECT_TRUE(Has(out, "\": ARCHIVE NOTES")) << out;
  EXPECT_TRUE(Has(out, "Disk space per drive:")) << out;
  EXPECT_TRUE(Has(out, "  DATASTORE = ")) << out;
  EXPECT_FALSE(Has(out, "never handed out")) << out;
}

TEST_F(AuthoringToolTest, DumpWritesTheSetupDataAtTheLevelAsked) {
  std::string out;
  ASSERT_EQ(Tool("dump \"" + (cds / "CD1") + "\" --level 2", out), 0) << out;
  EXPECT_TRUE(Has(out, "SETUP CORVANT SOFTWARE :")) << out;
  EXPECT_TRUE(Has(out, "DATASTORE (%DATADIR%\\Store) = ")) << out;
  EXPECT_FALSE(Has(out, "Launching paramaters -")) << out;
  ASSERT_EQ(Tool("dump \"" + (cds / "CD1") + "\"", out), 0) << out;
  EXPECT_TRUE(Has(out, "Launching paramaters -")) << out;
}

namespace {
// What the machine holds where a run could write: every text value below HKLM\Software and
// HKLM\System, and every file in the temporary folder except the test's own scratch folder.
std::map<std::string, std::string> MachineState(const std::string& ownScratch) {
  std::map<std::string, std::string> state;
  for (const char* root : {"Software", "System"})
    for (const auto& [name, value] : RegistryValuesBelow(HKEY_LOCAL_MACHINE, root))
      state[std::string("HKLM\\") + root + "\\" + name] = value;
  std::string scratchName = LastPathName(ownScratch) + "\\";
  for (const auto& [name, content] : FilesBelow(TempDirectory()))
    if (name.compare(0, scratchName.size(), scratchName) != 0) state["TEMP\\" + name] = content;
  return state;
}

std::vector<std::string> Differences(const std::map<std::string, std::string>& before,
                                     const std::map<std::string, std::string>& after) {
  std::vector<std::string> differences;
  for (const auto& [name, value] : before) {
    auto now = after.find(name);
    if (now == after.end()) differences.push_back("removed " + name);
    else if (now->second != value) differences.push_back("changed " + name);
  }
  for (const auto& [name, value] : after)
    if (!before.count(name)) differences.push_back("added " + name);
  return differences;
}
}  // namespace

// An author may run the tool on a machine with an installed suite: the tool reads that
// machine's records but leaves it exactly as it was.
TEST_F(AuthoringToolTest, PlanCheckAndDumpLeaveTheRegistryAndTheTemporaryFolderAsFound) {
  const std::string earlierStore = "C:\\Earlier\\Store";
  ASSERT_EQ(SetRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup", "DATASTOREdir", earlierStore), ERROR_SUCCESS);
  std::string params = JoinPath(cds / "CD1", "master\\unattended.ini");
  std::map<std::string, std::string> before = MachineState(cds.Path());
  ASSERT_TRUE(before.count("HKLM\\Software\\Corvant\\Setup\\DATASTOREdir"));

  std::string out;
  ASSERT_EQ(Tool("plan \"" + (cds / "CD1") + "\" --params \"" + params + "\"", out), 0) << out;
  // The plan read the earlier installation's records.
  EXPECT_TRUE(Has(out, "  DATASTORE = " + earlierStore)) << out;
  ASSERT_EQ(Tool("check \"" + (cds / "CD1") + "\"", out), 0) << out;
  ASSERT_EQ(Tool("dump \"" + (cds / "CD1") + "\"", out), 0) << out;

  std::vector<std::string> differences = Differences(before, MachineState(cds.Path()));
  EXPECT_TRUE(differences.empty()) << ::testing::PrintToString(differences);
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, "Software\\Tessaro"));
}
