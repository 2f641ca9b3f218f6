// Disk space needs per drive and per setup, the free-space queries and the shortage question.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/Errors.h"
#include "engine/Log.h"
#include "install/FinalChecks.h"
#include "install/DiskSpace.h"
#include "model/Model.h"
#include "support/ScriptedPages.h"
#include "support/SuiteTree.h"

using namespace testing_support;

namespace {
class DiskSpaceTest : public InProcessModelTest {
 protected:

  // SUITE (ISINSTALL) needs `rootNeed` K in CORVAROOT; core component CORELIB (INFINSTALL) needs
  // 500 K in WINSYSDIR; product ALPHA needs nothing.
  void Load(const std::string& rootNeed = "500", const std::string& paramsLines = "") {
    suite.Describe("master", ProductDescription("SUITE", "LoadSubsetups=YES\r\n",
                                                "Component0=CORELIB;CORE\r\nTargetNeed0=CORVAROOT;" + rootNeed +
                                                    "\r\n"));
    suite.AddMasterLibrary();
    suite.Describe("alpha", ProductDescription("ALPHA", "InstallType=ISINSTALL\r\n"));
    suite.Describe("Core\\CORELIB",
                   "[Main]\r\nName=Core\r\nInstallType=INFINSTALL\r\nInfFile=c.inf\r\nInfDLL=c.dll\r\n"
                   "TargetNeed0=WINSYSDIR;500\r\n");
    WriteTextFile(suite.Dir("Core\\CORELIB\\c.inf"), "");
    WriteTextFile(suite.Dir("Core\\CORELIB\\c.dll"), "");
    suite.LoadInProcess(suite.WriteParams("MessageLevel=NONE\r\n" + paramsLines));
  }
  CComponent& Component(const std::string& id) { return *Master().components.Find(id); }
  void SelectAll() {
    for (CComponent& component : Master().components) component.selected = 1;
  }
  // Puts every target on C: except CORVAROOT, which goes to Z:.
  void RootOnZ() {
    for (CTarget& target : Master().targets) target.path = "C:\\t\\" + target.ID.Raw();
    Master().targets.Find("CORVAROOT")->path = "Z:\\corvant";
  }

  MessageBoxWatcher boxes;
  SuiteTree suite{"space"};
};

// Other programs change the free space between two queries: a free amount is any number.
bool MatchesWithFreeSpace(const std::string& text, const std::string& before, const std::string& after) {
  if (text.size() <= before.size() + after.size()) return false;
  if (text.compare(0, before.size(), before) != 0) return false;
  if (text.compare(text.size() - after.size(), after.size(), after) != 0) return false;
  std::string number = text.substr(before.size(), text.size() - before.size() - after.size());
  return number.find_first_not_of("0123456789") == std::string::npos;
}
bool LogHasFreeSpaceLine(const std::vector<std::string>& log, const std::string& before, const std::string& after) {
  for (const std::string& line : log)
    if (MatchesWithFreeSpace(line, before, after)) return true;
  return false;
}

BOOL WINAPI ExtendedFails(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER) { return FALSE; }
BOOL WINAPI ExtendedFiveTebibytes(LPCSTR, PULARGE_INTEGER available, PULARGE_INTEGER total, PULARGE_INTEGER free) {
  available->QuadPart = 1ULL << 20;
  total->QuadPart = 6ULL << 40;
  free->QuadPart = 5ULL << 40;
  return TRUE;
}
std::string classicAskedFor;
BOOL WINAPI ClassicAnswers(LPCSTR root, LPDWORD sectorsPerCluster, LPDWORD bytesPerSector, LPDWORD freeClusters,
                           LPDWORD clusters) {
  classicAskedFor = root;
  *sectorsPerCluster = 8;
  *bytesPerSector = 512;
  *freeClusters = 1000;
  *clusters = 5000;
  return TRUE;
}
BOOL WINAPI ClassicFails(LPCSTR, LPDWORD, LPDWORD, LPDWORD, LPDWORD) { return FALSE; }
}  // namespace

TEST(FreeSpaceTest, TheExtendedQueryGivesTheVolumesFreeBytesAndSaturates) {
  FreeSpaceQueries queries;
  queries.extended = &ExtendedFiveTebibytes;
  queries.classic = &ClassicFails;
  EXPECT_EQ(FreeSpaceOnDrive("C:", queries), kMostKilobytes);
  EXPECT_EQ(KilobytesOfBytes(3ULL << 30), 3UL << 20);
}

TEST(FreeSpaceTest, TheClassicQueryStandsInForTheExtendedOne) {
  FreeSpaceQueries queries;
  queries.extended = &ExtendedFails;
  queries.classic = &ClassicAnswers;
  EXPECT_EQ(FreeSpaceOnDrive("D:", queries), 4000UL);
  EXPECT_EQ(classicAskedFor, "D:\\");
  queries.extended = nullptr;
  EXPECT_EQ(FreeSpaceOnDrive("D:", queries), 4000UL);
  queries.classic = &ClassicFails;
  EXPECT_EQ(FreeSpaceOnDrive("D:", queries), 0UL);
}

TEST(FreeSpaceTest, TheSystemsQueriesSeeTheTestDrive) {
  EXPECT_NE(SystemFreeSpaceQueries().extended, nullptr);
  EXPECT_GT(FreeSpaceOnDrive("C:"), 0UL);
  // The same drive asked as "c:\" answers about as much (other programs write meanwhile).
  Kilobytes bare = FreeSpaceOnDrive("C:"), root = FreeSpaceOnDrive("c:\\");
  EXPECT_LT(bare > root ? bare - root : root - bare, 1024UL * 1024UL);
}

TEST(FreeSpaceTest, SumsStopAtTheLargestValue) {
  EXPECT_EQ(AddKilobytes(kMostKilobytes - 1, 5), kMostKilobytes);
  EXPECT_EQ(AddKilobytes(2, 3), 5UL);
  EXPECT_EQ(DriveOf("c:\\x"), "c:");
  EXPECT_EQ(DriveOf("\\\\server\\share"), "");
}

TEST_F(DiskSpaceTest, RequiredOnDriveCountsSelectedComponentsWhoseTargetsLieThere) {
  Load();
  RootOnZ();
  EXPECT_EQ(RequiredOnDrive(Master(), "Z:", false), 0UL);
  SelectAll();
  EXPECT_EQ(RequiredOnDrive(Master(), "Z:", false), 500UL);
  EXPECT_EQ(RequiredOnDrive(Master(), "z:", false), 500UL);
  EXPECT_EQ(RequiredOnDrive(Master(), "Z:\\", false), 0UL);
  EXPECT_EQ(RequiredOnDrive(Master(), "C:", false), 500UL);
  Component("CORELIB").installed = 1;
  EXPECT_EQ(RequiredOnDrive(Master(), "C:", false), 0UL);
  EXPECT_EQ(RequiredOnDrive(Master(), "C:", true), 500UL);
}

TEST_F(DiskSpaceTest, SetupSpaceAddsTheAllowanceOfItsInstallType) {
  Load();
  EXPECT_EQ(SetupSpaceOf(Master(), "SUITE"), 0UL);
  SelectAll();
  EXPECT_EQ(SetupSpaceOf(Master(), "SUITE"), 14500UL);
  EXPECT_EQ(SetupSpaceOf(Master(), "CORELIB"), 3300UL);
  EXPECT_EQ(SetupSpaceOf(Master(), "ALPHA"), 0UL);
  EXPECT_EQ(SetupSpaceOf(Master(), "NOSUCH"), 0UL);
  EXPECT_EQ(TotalSetupSpace(Master()), 17800UL);
}

TEST_F(DiskSpaceTest, CheckListsTheDrivesAndGoesOnWhenThereIsRoom) {
  Load();
  RootOnZ();
  SelectAll();
  ScopedScriptedPages pages;
  CheckDiskSpace(Master(), false);
  EXPECT_TRUE(pages.host.shown.empty());
  std::vector<std::string> log = suite.Log();
  auto at = std::find(log.begin(), log.end(), "Total number of drives :2.");
  ASSERT_NE(at, log.end());
  ASSERT_GT(log.end() - at, 5);
  EXPECT_EQ(at[1], "The drives are:-");
  EXPECT_EQ(at[2], "Z:");
  EXPECT_EQ(at[3], "C:");
  EXPECT_TRUE(MatchesWithFreeSpace(at[4], "Total disk space required on drive Z: = 500 K (", " K available)"))
      << at[4];
  EXPECT_TRUE(MatchesWithFreeSpace(at[5], "Total disk space required on drive C: = 500 K (", " K available)"))
      << at[5];
}

TEST_F(DiskSpaceTest, AShortageAsksAndTheAnswerDecides) {
  Load("2000000000");
  RootOnZ();
  SelectAll();
  ScopedScriptedPages pages;
  pages.host.questionCodes = {25, 29, 27, 2};
  CheckDiskSpace(Master(), false);
  ASSERT_EQ(pages.host.shown.size(), 1u);
  const ScriptedPageHost::Shown& question = pages.host.shown[0];
  EXPECT_EQ(question.caption, "Corvant Setup");
  EXPECT_TRUE(MatchesWithFreeSpace(question.text1,
                                   "This setup requires 2000000000 K of disk space on drive Z:, and you have only ",
                                   " K.  Do you want to proceed, or to change your selections?"))
      << question.text1;
  EXPECT_EQ(question.text2,
            "(If you are reinstalling any of the files, the actual space required may be considerably less.)");
  EXPECT_EQ(question.yesText, "Yes, proceed with the installation.");
  EXPECT_EQ(question.noText, "No, I will change my selections.");
  EXPECT_EQ(question.initialAnswer, 1);
  EXPECT_EQ(question.buttonMask, 0);
  for (int expected : {12, 12, 9}) {
    try {
      CheckDiskSpace(Master(), false);
      ADD_FAILURE() << "no check error";
    } catch (CCheckError& error) {
      EXPECT_EQ(error.Code(), expected);
      EXPECT_EQ(error.Message(), "");
    }
  }
}

TEST_F(DiskSpaceTest, AnUnattendedRunOnlyLogsAShortage) {
  Load("2000000000", "Unattended=YES\r\n");
  RootOnZ();
  SelectAll();
  ScopedScriptedPages pages;
  CheckDiskSpace(Master(), false);
  EXPECT_TRUE(pages.host.shown.empty());
  EXPECT_TRUE(LogHasFreeSpaceLine(suite.Log(), "Total disk space required on drive Z: = 2000000000 K (",
                                  " K available)"));
}

TEST_F(DiskSpaceTest, FinalChecksGoBackOrStopOnTheQuestionsAnswer) {
  Load("2000000000");
  RootOnZ();
  SelectAll();
  ScopedScriptedPages pages;
  pages.host.questionCodes = {31, 2, 25};
  EXPECT_EQ(FinalChecksStep(Master()), 12);
  EXPECT_EQ(LogIndentLevel(), 0);
  std::vector<std::string> log = suite.Log();
  EXPECT_EQ(log.back(), "   return BACK");
  EXPECT_EQ(FinalChecksStep(Master()), 9);
  EXPECT_EQ(LogIndentLevel(), 0);
  EXPECT_EQ(FinalChecksStep(Master()), 1);
  log = suite.Log();
  EXPECT_TRUE(ContainsLine(log, "Calling Custom dll FinalChecks"));
  EXPECT_TRUE(ContainsLine(log, "Custom DLL FinalChecks :"));
}
