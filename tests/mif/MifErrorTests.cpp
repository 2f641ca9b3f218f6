// TS_MIFError as a setup script calls it after a product setup ran: the MIF name from the
// product's description and setup.ini, the status file in the Windows or the temporary
// directory, and the log lines of the check.
#include <gtest/gtest.h>

#include "engine/Log.h"
#include "engine/Paths.h"
#include "include/tessaro.h"
#include "mif/StatusFiles.h"
#include "support/TestSupport.h"

using namespace testing_support;

namespace {
std::string StatusFile(const std::string& status) {
  return "START COMPONENT\r\nNAME = \"WORKSTATION\"\r\n"
         "START GROUP\r\n   NAME = \"InstallStatus\"\r\n   ID = 2\r\n   CLASS = \"MICROSOFT|JOBSTATUS|1.0\"\r\n"
         "   START ATTRIBUTE\r\n      NAME = \"Status\"\r\n      ID = 1\r\n      ACCESS = READ-ONLY\r\n"
         "      STORAGE = SPECIFIC\r\n      TYPE = STRING(32)\r\n      VALUE = \"" + status + "\"\r\n"
         "   END ATTRIBUTE\r\nEND GROUP\r\nEND COMPONENT\r\n";
}

class MifErrorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static int counter = 0;
    mifName = "TsFixture" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
    SetLogPath(dir / "run.log");
    SetLogIndentLevel(0);
  }
  void TearDown() override {
    DeleteStatusFiles(mifName);
    SetLogPath("");
  }
  std::string WindowsStatusFile() const { return JoinPath(WindowsDirectory(), mifName + ".mif"); }
  std::string TempStatusFile() const { return JoinPath(TempDirectory(), mifName + ".mif"); }
  // A product setup directory whose description names the status file.
  std::string Description(const std::string& mainSection) {
    WriteTextFile(dir / "Product\\prop.ini", "[Main]\r\n" + mainSection);
    return dir / "Product\\prop.ini";
  }
  std::vector<std::string> Log() { return ReadLines(dir / "run.log"); }

  ScratchDirectory dir{"miferr"};
  std::string mifName;
};
}  // namespace

TEST_F(MifErrorTest, SuccessInTheWindowsDirectoryAnswersZero) {
  WriteTextFile(WindowsStatusFile(), StatusFile("Success"));
  EXPECT_EQ(TS_MIFError(Description("MifName=" + mifName + "\r\n").c_str()), 0);
  std::vector<std::string> expected = {"Check MIF File " + mifName + " :", "   - Success"};
  EXPECT_EQ(Log(), expected);
}

TEST_F(MifErrorTest, UpperCaseSuccessCounts) {
  WriteTextFile(WindowsStatusFile(), StatusFile("SUCCESS"));
  EXPECT_EQ(TS_MIFError(Description("MifName=" + mifName + "\r\n").c_str()), 0);
}

TEST_F(MifErrorTest, AFailedStatusAnswersOneAndLogsAnError) {
  WriteTextFile(WindowsStatusFile(), StatusFile("Failed"));
  EXPECT_EQ(TS_MIFError(Description("MifName=" + mifName + "\r\n").c_str()), 1);
  std::vector<std::string> expected = {"Check MIF File " + mifName + " :", "   *** Error"};
  EXPECT_EQ(Log(), expected);
}

TEST_F(MifErrorTest, NoStatusFileAnywhereAnswersOneAndSaysSo) {
  EXPECT_EQ(TS_MIFError(Description("MifName=" + mifName + "\r\n").c_str()), 1);
  std::vector<std::string> expected = {"Check MIF File " + mifName + " :", "   *** Error",
                                       "   *** No status file " + mifName + ".mif"};
  EXPECT_EQ(Log(), expected);
}

TEST_F(MifErrorTest, AWindowsFileWithoutInstallStatusIsPassedOverForTheTemporaryDirectory) {
  WriteTextFile(WindowsStatusFile(),
                "START COMPONENT NAME = \"WORKSTATION\"\r\nSTART GROUP\r\nNAME = \"ComponentID\"\r\nEND GROUP\r\n"
                "END COMPONENT\r\n");
  WriteTextFile(TempStatusFile(), StatusFile("Success"));
  EXPECT_EQ(TS_MIFError(Description("MifName=" + mifName + "\r\n").c_str()), 0);
}

TEST_F(MifErrorTest, TheWindowsDirectoryComesFirst) {
  WriteTextFile(WindowsStatusFile(), StatusFile("Failed"));
  WriteTextFile(TempStatusFile(), StatusFile("Success"));
  EXPECT_EQ(TS_MIFError(Description("MifName=" + mifName + "\r\n").c_str()), 1);
}

TEST_F(MifErrorTest, MifIdStandsInForAnEmptyMifName) {
  WriteTextFile(TempStatusFile(), StatusFile("Success"));
  EXPECT_EQ(TS_MIFError(Description("MifName=\r\nMifID=" + mifName + "\r\n").c_str()), 0);
  EXPECT_TRUE(ContainsLine(Log(), "Check MIF File " + mifName + " :"));
}

TEST_F(MifErrorTest, TheProductsSetupIniNamesTheFile) {
  std::string description = Description("MifName=NotThisOne\r\n");
  WriteTextFile(dir / "Product\\setup.ini", "[Mif]\r\nFilename=" + mifName + "\r\n[Startup]\r\nAppname=NorThis\r\n");
  WriteTextFile(WindowsStatusFile(), StatusFile("Success"));
  EXPECT_EQ(TS_MIFError(description.c_str()), 0);
  EXPECT_EQ(MifNameOf(description), mifName);
}

TEST_F(MifErrorTest, TheApplicationNameOfSetupIniStandsInForAnEmptyFilename) {
  std::string description = Description("MifName=NotThisOne\r\n");
  WriteTextFile(dir / "Product\\setup.ini", "[Mif]\r\nFilename=\r\n[Startup]\r\nAppname=\"Fixture App\"\r\n");
  EXPECT_EQ(MifNameOf(description), "Fixture App");
}

TEST_F(MifErrorTest, ASetupIniNamingNothingGivesStatus) {
  std::string description = Description("MifName=NotThisOne\r\n");
  WriteTextFile(dir / "Product\\setup.ini", "[Mif]\r\n[Startup]\r\nProduct=Fixture\r\n");
  EXPECT_EQ(MifNameOf(description), "status");
}

TEST_F(MifErrorTest, StrayQuotesAtTheEndsOfTheNameAreRemoved) {
  EXPECT_EQ(MifNameOf(Description("MifName=\"\"Quoted Name\"\r\n")), "Quoted Name");
}

TEST_F(MifErrorTest, OldStatusFilesAreDeletedEvenWhenReadOnly) {
  WriteTextFile(WindowsStatusFile(), StatusFile("Success"));
  WriteTextFile(TempStatusFile(), StatusFile("Success"));
  SetFileAttributesA(WindowsStatusFile().c_str(), FILE_ATTRIBUTE_READONLY);
  DeleteStatusFiles(mifName);
  EXPECT_FALSE(FileExists(WindowsStatusFile()));
  EXPECT_FALSE(FileExists(TempStatusFile()));
  EXPECT_EQ(TS_MIFError(Description("MifName=" + mifName + "\r\n").c_str()), 1);
}

TEST_F(MifErrorTest, ANullDescriptionAnswersOne) { EXPECT_EQ(TS_MIFError(nullptr), 1); }
