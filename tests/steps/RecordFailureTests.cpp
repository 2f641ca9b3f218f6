// Records that cannot be written, called through the exports as a script calls them: the
// machine's registry redirected to a key below which nothing can be made, an uninstall folder
// with a file in its place, and parameters files that cannot be written. Each failure ends in a log line that names the record, the system
// call and its error, and the step answers -1; nothing is reported as recorded that was not.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "engine/Log.h"
#include "engine/Paths.h"
#include "engine/Win32Handles.h"
#include "model/Model.h"
#include "state/Registry.h"
#include "support/SuiteTree.h"
#include "support/UnwritableMachineKey.h"

extern "C" {
int __stdcall TS_Configuration();
int __stdcall TSCommitFeatures();
int __stdcall TS_RegisterTargets();
int __stdcall TSWriteParam(const char*, const char*, const char*);
int __stdcall TSWriteParamYesNo(const char*, const char*, int);
int __stdcall TSWriteParamTarget(const char*, unsigned, const char*);
}

using namespace testing_support;

namespace {
constexpr const char kSecret[] = "Secret-4711";

class RecordFailureTest : public InProcessModelTest {
 protected:
  void Load() {
    suite.Describe("master", ProductDescription("SUITE", "",
                                                "UninstallID=SUITE\r\nVersion=4.0\r\nPassword=SVC;Service account\r\n"
                                                "TargetNeed0=CORVAROOT;64\r\n"));
    suite.AddMasterLibrary();
    suite.LoadInProcess(suite.WriteParams("MessageLevel=NONE\r\n"));
    Master().rootFeature.selected = 1;
    Master().setupType = "STANDARD";
    Master().programFolder = "Corvant Tools";
    CPassword* account = Master().passwords.Find("SVC");
    ASSERT_NE(account, nullptr);
    account->userName = "svc-user";
    account->password = kSecret;
  }
  bool Logged(const std::string& line) const { return ContainsLine(suite.Log(), line); }
  bool LogMentions(const std::string& text) const {
    std::vector<std::string> log = suite.Log();
    return std::any_of(log.begin(), log.end(), [&](const std::string& line) { return line.find(text) != line.npos; });
  }

  MessageBoxWatcher boxes;
  SuiteTree suite{"recfail"};
};
}  // namespace

TEST_F(RecordFailureTest, AMachineKeyThatCannotBeWrittenFailsEveryRegistryRecordStep) {
  Load();
  {
    UnwritableMachineKey unwritable;
    EXPECT_EQ(TS_Configuration(), -1);
    EXPECT_EQ(TS_RegisterTargets(), -1);
    EXPECT_EQ(TSCommitFeatures(), -1);
    EXPECT_TRUE(Logged(unwritable.Refused("Software\\Corvant\\Setup\\Folder")));
    EXPECT_TRUE(Logged(unwritable.Refused("Software\\Corvant\\Setup\\SetupType")));
    EXPECT_TRUE(Logged("   " + unwritable.Refused("Software\\Corvant\\Setup")));
    EXPECT_TRUE(Logged("   " + unwritable.Refused("Software\\Corvant\\Setup\\CORVAROOTdir")));
    EXPECT_TRUE(Logged("   " + unwritable.Refused("Software\\Corvant\\Setup\\Passwords\\SVC\\UserName")));
    EXPECT_TRUE(Logged("   " + unwritable.Refused("Software\\Corvant\\Setup\\Passwords\\SVC\\Password")));
  }
  // The password names its record and nothing more.
  EXPECT_FALSE(LogMentions(kSecret));
  // Nothing went anywhere else, and the uninstall file, which could be written, was.
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup"));
  EXPECT_EQ(ReadLines(suite.UninstallFile("SUITE.ini")),
            (std::vector<std::string>{"[Features Installed]", "SUITE=4.0"}));
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(RecordFailureTest, WrittenRecordsAnswerZero) {
  Load();
  EXPECT_EQ(TS_Configuration(), 0);
  EXPECT_EQ(TS_RegisterTargets(), 0);
  EXPECT_EQ(TSCommitFeatures(), 0);
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup\\Passwords\\SVC", "Password"), kSecret);
  EXPECT_FALSE(LogMentions("*** Unable"));
}

TEST_F(RecordFailureTest, AnUninstallFolderWithAFileInItsPlaceFailsTheFeatureCommit) {
  Load();
  ASSERT_TRUE(CreateDirectoryTree(suite.CorvaRoot()));
  std::string blocker = suite.CorvaRoot() + "\\setup";
  WriteTextFile(blocker, "not a folder");
  std::string directory = blocker + "\\uninstall";
  EXPECT_EQ(TSCommitFeatures(), -1);
  EXPECT_TRUE(Logged("   *** Unable to create the directory " + directory + " (CreateDirectoryA error " +
                     std::to_string(ERROR_ALREADY_EXISTS) + ")"));
  EXPECT_TRUE(Logged("   *** Unable to write " + directory + "\\SUITE.ini [Features Installed] SUITE "
                     "(WritePrivateProfileStringA error " + std::to_string(ERROR_PATH_NOT_FOUND) + ")"));
  EXPECT_EQ(ReadTextFile(blocker), "not a folder");
  // The registry records of the same step were written.
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup\\Passwords\\SVC", "UserName"), "svc-user");
}

// The parameter writers answer 0 whatever happens; a file that cannot take the value is named in
// the log with the key (never the value) and the system's error.
TEST_F(RecordFailureTest, AParametersFileThatCannotBeWrittenIsLogged) {
  Load();
  ScratchDirectory places("badparams");
  WriteTextFile(places / "file", "a file, not a folder");
  ASSERT_TRUE(CreateDirectoryTree(places / "folder.ini"));
  struct Case {
    std::string file;
    DWORD error;
  };
  for (const Case& c : {Case{places / "file\\params.ini", ERROR_PATH_NOT_FOUND},
                        Case{places / "folder.ini", ERROR_ACCESS_DENIED}}) {
    const std::string tail = " (WritePrivateProfileStringA error " + std::to_string(c.error) + ")";
    EXPECT_EQ(TSWriteParam(c.file.c_str(), "Password", kSecret), 0);
    EXPECT_EQ(TSWriteParamYesNo(c.file.c_str(), "Unattended", 1), 0);
    EXPECT_EQ(TSWriteParamTarget(c.file.c_str(), 2, "CORVAROOT;C:\\Corva"), 0);
    EXPECT_TRUE(Logged("*** Unable to write " + c.file + " [Main] Password" + tail)) << c.file;
    EXPECT_TRUE(Logged("*** Unable to write " + c.file + " [Main] Unattended" + tail)) << c.file;
    EXPECT_TRUE(Logged("*** Unable to write " + c.file + " [Targets] Target2" + tail)) << c.file;
  }
  EXPECT_FALSE(LogMentions(kSecret));
  EXPECT_EQ(ReadTextFile(places / "file"), "a file, not a folder");
}
