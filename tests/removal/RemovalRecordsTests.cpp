// The records of an installed suite taken back step by step through the exports, as a removal
// run calls them: the dependents of a core component recorded at commit, the removal plan, each
// setup unregistered, and the end of the run; the suite's Programs and Features entry; and
// records that cannot be written or taken back.
#include <gtest/gtest.h>

#include <windows.h>

#include "RemovalSuite.h"
#include "engine/Paths.h"
#include "include/tessaro.h"
#include "install/SetupLookup.h"
#include "model/Model.h"
#include "state/Registry.h"
#include "support/UnwritableMachineKey.h"

using namespace testing_support;
using namespace removal_tests;

namespace {
const char kEntryKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Corvant Suite SUITE";
const char kRunOnceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

std::vector<std::string> Lines(std::initializer_list<const char*> lines) { return {lines.begin(), lines.end()}; }

class RemovalRecordsTest : public InProcessModelTest {
 protected:
  RemovalRecordsTest() { EXPECT_TRUE(DeleteRegKeyTree(HKEY_LOCAL_MACHINE, kEntryKey)); }
  ~RemovalRecordsTest() override {
    EXPECT_TRUE(DeleteRegKeyTree(HKEY_LOCAL_MACHINE, kEntryKey));
    EXPECT_NE(DeleteRegValue(HKEY_LOCAL_MACHINE, kRunOnceKey, "CorvantReboot"), RegDelete::Failed);
  }

  // Loads the suite and records it as an install run that installed everything does.
  void Install(const std::string& masterExtra = "", const std::string& rootId = "SUITE") {
    suite.Write(masterExtra, "", "", rootId);
    suite.tree.LoadInProcess(suite.tree.WriteParams("MessageLevel=NONE\r\n"));
    for (const std::string& id : {rootId, std::string("TOOLS"), std::string("TOOLS_EXTRA"), std::string("ARCHIVE")})
      FindModelFeature(id)->selected = 1;
    Master().components.Find("SHAREDRT")->selected = 1;
    for (const char* id : {"SHAREDRT", "TOOLS", "ARCHIVE"}) TS_SetInstalled(id);
    ASSERT_EQ(TS_RegisterTargets(), 0);
    ASSERT_EQ(TSCommitFeatures(), 0);
    ASSERT_EQ(TS_DetectComponents(), 1);
  }
  std::vector<std::string> File(const std::string& name) const { return ReadLines(suite.tree.UninstallFile(name)); }
  bool Logged(const std::string& line) const { return ContainsLine(suite.tree.Log(), line); }
  static std::string Plan(int* count = nullptr) {
    char ids[TS_LIST_BUFFER_SIZE] = "junk";
    int planned = TS_PlanRemoval(ids);
    if (count) *count = planned;
    return ids;
  }

  MessageBoxWatcher boxes;
  RemovalSuite suite{"rmrec"};
};
}  // namespace

TEST_F(RemovalRecordsTest, EachSetupIsTakenBackAloneAndTheLastOneTakesTheSuiteRecords) {
  Install();
  std::string common = suite.Common();
  EXPECT_EQ(File("Corvant Common.ini"), Lines({"[Core Components Installed]", "SHAREDRT=1.5", "[SHAREDRT Dependents]",
                                               "ARCHIVE=1.2", "TOOLS=2.0"}));
  EXPECT_TRUE(Logged("   Register " + common + ":[SHAREDRT Dependents] TOOLS=2.0"));
  ASSERT_EQ(TS_RegisterUninstallEntry("C:\\Kept\\host.exe"), 0);

  int count = 0;
  EXPECT_EQ(Plan(&count), "ARCHIVE,TOOLS,SHAREDRT");
  EXPECT_EQ(count, 3);
  EXPECT_TRUE(Logged("Removal plan :"));
  EXPECT_TRUE(Logged("   SHAREDRT (core)"));

  EXPECT_EQ(TS_UnregisterSetup("ARCHIVE"), 0);
  EXPECT_FALSE(FileExists(suite.tree.UninstallFile("ARCHIVE.ini")));
  EXPECT_TRUE(Logged("   Delete " + suite.tree.UninstallFile("ARCHIVE.ini")));
  EXPECT_EQ(File("Corvant Common.ini"),
            Lines({"[Core Components Installed]", "SHAREDRT=1.5", "[SHAREDRT Dependents]", "TOOLS=2.0"}));
  EXPECT_EQ(TS_FinishRemoval(), 1);
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kEntryKey));
  EXPECT_EQ(Plan(), "TOOLS,SHAREDRT");

  EXPECT_EQ(TS_UnregisterSetup("TOOLS"), 0);
  EXPECT_FALSE(FileExists(suite.tree.UninstallFile("TOOLS.ini")));
  EXPECT_FALSE(FileExists(suite.tree.UninstallFile("TOOLSX.ini")));
  EXPECT_EQ(File("Corvant Common.ini"), Lines({"[Core Components Installed]", "SHAREDRT=1.5"}));
  EXPECT_EQ(File("SUITE.ini"), Lines({"[Features Installed]", "SUITE=4.0"}));
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup"));

  EXPECT_EQ(TS_UnregisterSetup("SHAREDRT"), 0);
  EXPECT_FALSE(FileExists(common));
  EXPECT_EQ(Plan(&count), "");
  EXPECT_EQ(count, 0);

  EXPECT_EQ(TS_FinishRemoval(), 0);
  EXPECT_FALSE(FileExists(suite.tree.UninstallFile("SUITE.ini")));
  EXPECT_FALSE(DirectoryExists(JoinPath(suite.tree.CorvaRoot(), "setup\\uninstall")));
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup"));
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kEntryKey));
  EXPECT_TRUE(Logged("   Remove the Programs and Features entry " + std::string(kEntryKey)));
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(RemovalRecordsTest, TheSuiteRecordsStayWhileAnotherSuiteHasUninstallFiles) {
  Install();
  WriteTextFile(suite.tree.UninstallFile("OTHER.ini"), "[Features Installed]\r\nOTHER=1.0\r\n");
  ASSERT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kRunOnceKey, "CorvantReboot", "RunDLL32.exe"), ERROR_SUCCESS);
  for (const char* id : {"ARCHIVE", "TOOLS", "SHAREDRT"}) EXPECT_EQ(TS_UnregisterSetup(id), 0) << id;
  EXPECT_EQ(TS_FinishRemoval(), 0);
  EXPECT_FALSE(FileExists(suite.tree.UninstallFile("SUITE.ini")));
  EXPECT_TRUE(FileExists(suite.tree.UninstallFile("OTHER.ini")));
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup"));
  EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, kRunOnceKey, "CorvantReboot"));

  DeleteFileA(suite.tree.UninstallFile("OTHER.ini").c_str());
  EXPECT_EQ(TS_FinishRemoval(), 0);
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup"));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kRunOnceKey, "CorvantReboot"));
}

// The root every suite of the maker may share stays while another suite's products are recorded.
TEST_F(RemovalRecordsTest, TheSharedRootStaysWhileOtherProductsAreRecorded) {
  Install("", "CORVANT SOFTWARE");
  WriteTextFile(suite.tree.UninstallFile("OTHER.ini"), "[Features Installed]\r\nOTHER=1.0\r\n");
  // What is recorded decides, not flags from an earlier detection.
  for (const char* id : {"TOOLS", "TOOLS_EXTRA", "ARCHIVE"}) FindModelFeature(id)->installed = 0;
  EXPECT_EQ(TS_FinishRemoval(), 1);
  for (const char* id : {"ARCHIVE", "TOOLS", "SHAREDRT"}) EXPECT_EQ(TS_UnregisterSetup(id), 0) << id;
  EXPECT_EQ(TS_FinishRemoval(), 0);
  EXPECT_EQ(File("CORVANT SOFTWARE.ini"), Lines({"[Features Installed]", "CORVANT SOFTWARE=4.0"}));
  EXPECT_TRUE(Logged("   Keep CORVANT SOFTWARE: other products are still recorded"));

  DeleteFileA(suite.tree.UninstallFile("OTHER.ini").c_str());
  EXPECT_EQ(TS_FinishRemoval(), 0);
  EXPECT_FALSE(FileExists(suite.tree.UninstallFile("CORVANT SOFTWARE.ini")));
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup"));
}

TEST_F(RemovalRecordsTest, TheEntryShowsTheSuiteAndStartsTheKeptHost) {
  Install();
  ASSERT_EQ(TS_RegisterUninstallEntry("C:\\Corvant\\setup\\maintenance\\master\\host.exe"), 0);
  auto text = [](const char* name) { return ReadRegString(HKEY_LOCAL_MACHINE, kEntryKey, name); };
  auto number = [](const char* name) {
    DWORD value = 0, size = sizeof value, type = 0;
    UniqueRegKey key = OpenRegKey(HKEY_LOCAL_MACHINE, kEntryKey, KEY_QUERY_VALUE);
    EXPECT_EQ(RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD)) << name;
    return value;
  };
  const std::string host = "\"C:\\Corvant\\setup\\maintenance\\master\\host.exe\"";
  EXPECT_EQ(text("DisplayName"), "Test Suite");
  EXPECT_EQ(text("DisplayVersion"), "4.0");
  EXPECT_EQ(text("Publisher"), "Corvant");
  EXPECT_EQ(text("InstallLocation"), suite.tree.CorvaRoot());
  EXPECT_EQ(text("InstallDate").size(), 8u);
  EXPECT_EQ(text("DisplayIcon"), "C:\\Corvant\\setup\\maintenance\\master\\host.exe,0");
  EXPECT_EQ(text("UninstallString"), host + " /uninstall");
  EXPECT_EQ(text("QuietUninstallString"), host + " /uninstall /quiet");
  EXPECT_EQ(text("ModifyPath"), host);
  // The suite's own 8 K, the tools' 100 + 20, the archive's 700 and the shared runtime's 300.
  EXPECT_EQ(number("EstimatedSize"), 1128u);
  EXPECT_EQ(number("NoRepair"), 1u);

  // A later run that removed the archive shows the smaller suite.
  EXPECT_EQ(TS_UnregisterSetup("ARCHIVE"), 0);
  ASSERT_EQ(TS_RegisterUninstallEntry("C:\\Corvant\\setup\\maintenance\\master\\host.exe"), 0);
  EXPECT_EQ(number("EstimatedSize"), 428u);
}

TEST_F(RemovalRecordsTest, TheMasterNamesItsOwnEntry) {
  Install("UninstallKey=Corvant Tools Suite\r\n");
  const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Corvant Tools Suite";
  ASSERT_EQ(TS_RegisterUninstallEntry("C:\\host.exe"), 0);
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, key, "DisplayName"), "Test Suite");
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kEntryKey));
  for (const char* id : {"ARCHIVE", "TOOLS", "SHAREDRT"}) EXPECT_EQ(TS_UnregisterSetup(id), 0) << id;
  EXPECT_EQ(TS_FinishRemoval(), 0);
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, key));
}

TEST_F(RemovalRecordsTest, AnUninstallFileThatCannotBeChangedKeepsItsRecordAndFails) {
  Install();
  std::string file = suite.tree.UninstallFile("TOOLS.ini");
  {
    UniqueHandle held(CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_EQ(TS_UnregisterSetup("TOOLS"), -1);
  }
  EXPECT_TRUE(Logged("   *** Unable to delete " + file + " [Features Installed] TOOLS (WritePrivateProfileStringA error " +
                     std::to_string(ERROR_SHARING_VIOLATION) + ")"));
  EXPECT_EQ(File("TOOLS.ini"), Lines({"[Features Installed]", "TOOLS=2.0"}));
  EXPECT_EQ(Plan(), "ARCHIVE,TOOLS,SHAREDRT");
}

TEST_F(RemovalRecordsTest, AnEntryThatCannotBeWrittenFails) {
  Install();
  {
    UnwritableMachineKey unwritable;
    EXPECT_EQ(TS_RegisterUninstallEntry("C:\\host.exe"), -1);
    EXPECT_TRUE(Logged("   " + unwritable.Refused(std::string(kEntryKey) + "\\DisplayName")));
    EXPECT_TRUE(Logged("   " + unwritable.Refused(std::string(kEntryKey) + "\\NoRepair")));
  }
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kEntryKey));
}

TEST_F(RemovalRecordsTest, AnUnknownSetupIsRefused) {
  Install();
  EXPECT_EQ(TS_UnregisterSetup("NOSUCH"), -1);
  EXPECT_EQ(TS_UnregisterSetup("SUITE"), -1);
  EXPECT_TRUE(Logged("*** Unable to unregister NOSUCH: it is no product or core component of the loaded suite"));
  EXPECT_EQ(File("SUITE.ini"), Lines({"[Features Installed]", "SUITE=4.0"}));
}
