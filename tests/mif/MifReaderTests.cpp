// The status file reader: the format product installers write, and files that are long,
// truncated or malformed.
#include <gtest/gtest.h>

#include <climits>

#include "engine/Paths.h"
#include "mif/Mif.h"
#include "support/TestSupport.h"

using namespace testing_support;

namespace {
// A status file as a product installer writes it, with the given status and description.
std::string InstallerStatusFile(const std::string& status, const std::string& description) {
  return "START COMPONENT\r\n"
         "NAME = \"WORKSTATION\"\r\n"
         "DESCRIPTION = \"Installation status of a product setup\"\r\n"
         "START GROUP\r\n"
         "   NAME = \"ComponentID\"\r\n"
         "   ID = 1\r\n"
         "   CLASS = \"DMTF|ComponentID|1.0\"\r\n"
         "   START ATTRIBUTE\r\n"
         "      NAME = \"Manufacturer\"\r\n"
         "      ID = 1\r\n"
         "      ACCESS = READ-ONLY\r\n"
         "      STORAGE = SPECIFIC\r\n"
         "      TYPE = STRING(64)\r\n"
         "      VALUE = \"Corvant\"\r\n"
         "   END ATTRIBUTE\r\n"
         "   START ATTRIBUTE\r\n"
         "      NAME = \"Product\"\r\n"
         "      ID = 2\r\n"
         "      ACCESS = READ-ONLY\r\n"
         "      STORAGE = SPECIFIC\r\n"
         "      TYPE = STRING(64)\r\n"
         "      VALUE = \"Fixture Product\"\r\n"
         "   END ATTRIBUTE\r\n"
         "END GROUP\r\n"
         "START GROUP\r\n"
         "   NAME = \"InstallStatus\"\r\n"
         "   ID = 2\r\n"
         "   CLASS = \"MICROSOFT|JOBSTATUS|1.0\"\r\n"
         "   START ATTRIBUTE\r\n"
         "      NAME = \"Status\"\r\n"
         "      ID = 1\r\n"
         "      ACCESS = READ-ONLY\r\n"
         "      STORAGE = SPECIFIC\r\n"
         "      TYPE = STRING(32)\r\n"
         "      VALUE = \"" + status + "\"\r\n"
         "   END ATTRIBUTE\r\n"
         "   START ATTRIBUTE\r\n"
         "      NAME = \"Description\"\r\n"
         "      ID = 2\r\n"
         "      ACCESS = READ-ONLY\r\n"
         "      STORAGE = SPECIFIC\r\n"
         "      TYPE = STRING(128)\r\n"
         "      VALUE = \"" + description + "\"\r\n"
         "   END ATTRIBUTE\r\n"
         "END GROUP\r\n"
         "END COMPONENT\r\n";
}

class MifReaderTest : public ::testing::Test {
 protected:
  CMif Read(const std::string& content) {
    WriteTextFile(dir / "status.mif", content);
    CMif mif;
    EXPECT_TRUE(mif.ReadFile(dir / "status.mif"));
    return mif;
  }
  ScratchDirectory dir{"mif"};
};
}  // namespace

TEST_F(MifReaderTest, ReadsComponentGroupsAndAttributesOfAnInstallerFile) {
  CMif mif = Read(InstallerStatusFile("Success", "Installation completed successfully"));
  EXPECT_EQ(mif.componentName, "WORKSTATION");
  EXPECT_EQ(mif.groups.Count(), 2u);
  const CMifGroup* status = mif.groups.Find("InstallStatus");
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->name, "InstallStatus");
  EXPECT_EQ(status->id, 2);
  EXPECT_EQ(status->className, "MICROSOFT|JOBSTATUS|1.0");
  EXPECT_EQ(status->attributes.Count(), 2u);
  const CMifAttribute* value = status->attributes.Find("Status");
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->name, "Status");
  EXPECT_EQ(value->id, 1);
  EXPECT_EQ(value->type, "STRING(32)");
  EXPECT_EQ(value->value, "Success");
  EXPECT_EQ(mif.Value("ComponentID", "Manufacturer"), "Corvant");
  EXPECT_EQ(mif.groups.Find("ComponentID")->className, "DMTF|ComponentID|1.0");
}

TEST_F(MifReaderTest, QuotedValuesKeepTheirInnerSpaces) {
  CMif mif = Read(InstallerStatusFile("Success", "Installation  completed successfully"));
  EXPECT_EQ(mif.Value("InstallStatus", "Description"), "Installation  completed successfully");
  EXPECT_EQ(mif.Value("ComponentID", "Product"), "Fixture Product");
}

TEST_F(MifReaderTest, NamesAndKeywordsIgnoreCase) {
  CMif mif = Read(
      "start component name = Lower\r\n"
      "start group\r\n name = installstatus\r\n id = 7\r\n"
      " start attribute\r\n name = status\r\n value = Failed\r\n end attribute\r\n"
      "end group\r\nend component\r\n");
  EXPECT_EQ(mif.componentName, "Lower");
  EXPECT_EQ(mif.InstallStatus(), "Failed");
  EXPECT_EQ(mif.Value("INSTALLSTATUS", "STATUS"), "Failed");
  EXPECT_EQ(mif.groups.Find("InstallStatus")->id, 7);
}

TEST_F(MifReaderTest, MissingGroupOrAttributeReadsEmpty) {
  CMif mif = Read(InstallerStatusFile("Success", "done"));
  EXPECT_EQ(mif.Value("NoSuchGroup", "Status"), "");
  EXPECT_EQ(mif.Value("InstallStatus", "NoSuchAttribute"), "");
  EXPECT_EQ(mif.groups.Find("NoSuchGroup"), nullptr);
}

TEST_F(MifReaderTest, UnknownStatementsSkipTheRestOfTheirLine) {
  // "NAME" after ACCESS on the same line belongs to the skipped statement.
  CMif mif = Read(
      "START COMPONENT NAME = \"C\"\r\n"
      "START GROUP\r\nNAME = \"InstallStatus\"\r\nPRAGMA = \"x\" NAME = \"Other\"\r\n"
      "START ATTRIBUTE\r\nNAME = \"Status\"\r\nACCESS = READ-ONLY VALUE = \"Wrong\"\r\n"
      "VALUE = \"Success\"\r\nEND ATTRIBUTE\r\nEND GROUP\r\nEND COMPONENT\r\n");
  EXPECT_EQ(mif.InstallStatus(), "Success");
  EXPECT_NE(mif.groups.Find("InstallStatus"), nullptr);
  EXPECT_EQ(mif.groups.Find("Other"), nullptr);
}

TEST_F(MifReaderTest, ReadingEndsAtEndComponent) {
  CMif mif = Read(InstallerStatusFile("Success", "done") +
                  "START GROUP\r\nNAME = \"Late\"\r\nEND GROUP\r\n");
  EXPECT_EQ(mif.groups.Find("Late"), nullptr);
  EXPECT_EQ(mif.groups.Count(), 2u);
}

TEST_F(MifReaderTest, ALaterGroupOfTheSameNameReplacesTheEarlier) {
  CMif mif = Read(
      "START COMPONENT NAME = C\r\n"
      "START GROUP NAME = InstallStatus START ATTRIBUTE NAME = Status VALUE = Failed END ATTRIBUTE END GROUP\r\n"
      "START GROUP NAME = installstatus START ATTRIBUTE NAME = Status VALUE = Success END ATTRIBUTE END GROUP\r\n"
      "END COMPONENT\r\n");
  EXPECT_EQ(mif.InstallStatus(), "Success");
  EXPECT_EQ(mif.groups.Count(), 1u);
}

TEST_F(MifReaderTest, ATruncatedFileKeepsWhatWasClosed) {
  std::string full = InstallerStatusFile("Success", "done");
  // Cut inside the Status attribute of the second group.
  std::string cut = full.substr(0, full.find("VALUE = \"Success\""));
  CMif mif = Read(cut);
  EXPECT_EQ(mif.Value("ComponentID", "Manufacturer"), "Corvant");
  EXPECT_EQ(mif.groups.Find("InstallStatus"), nullptr);
  EXPECT_EQ(mif.InstallStatus(), "");
  // Cut right after a keyword that needs a value.
  mif = Read("START COMPONENT NAME = C START GROUP NAME =");
  EXPECT_EQ(mif.groups.Count(), 0u);
  mif = Read("START COMPONENT NAME");
  EXPECT_EQ(mif.componentName, "");
}

TEST_F(MifReaderTest, ALongQuotedTokenIsCutAndTheFileReadOn) {
  std::string longValue(5000, 'v');
  CMif mif = Read(
      "START COMPONENT NAME = C\r\nSTART GROUP\r\nNAME = \"InstallStatus\"\r\n"
      "START ATTRIBUTE\r\nNAME = \"Description\"\r\nVALUE = \"" + longValue + " END ATTRIBUTE\"\r\n"
      "END ATTRIBUTE\r\nSTART ATTRIBUTE\r\nNAME = \"Status\"\r\nVALUE = \"Success\"\r\nEND ATTRIBUTE\r\n"
      "END GROUP\r\nEND COMPONENT\r\n");
  EXPECT_EQ(mif.Value("InstallStatus", "Description"), std::string(1023, 'v'));
  EXPECT_EQ(mif.InstallStatus(), "Success");
}

TEST_F(MifReaderTest, ALongBareTokenIsCutWithoutBecomingKeywords) {
  std::string longWord(3000, 'w');
  // The tail of the long word spells END GROUP; it must not close the group.
  CMif mif = Read("START COMPONENT NAME = C\r\nSTART GROUP\r\nNAME = " + longWord +
                  "END\r\nSTART ATTRIBUTE NAME = Status VALUE = Success END ATTRIBUTE\r\nEND GROUP\r\nEND COMPONENT\r\n");
  const CMifGroup* group = mif.groups.Find(std::string(1023, 'w'));
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->attributes.Find("Status")->value, "Success");
}

TEST_F(MifReaderTest, AnUnterminatedQuoteRunsToTheEndOfTheFile) {
  CMif mif = Read(
      "START COMPONENT NAME = C\r\nSTART GROUP NAME = InstallStatus\r\n"
      "START ATTRIBUTE NAME = Status VALUE = \"Success END ATTRIBUTE END GROUP END COMPONENT\r\n");
  EXPECT_EQ(mif.groups.Count(), 0u);
}

TEST_F(MifReaderTest, OutOfRangeIdsAreClampedAndGarbageIdsReadZero) {
  CMif mif = Read(
      "START COMPONENT NAME = C\r\n"
      "START GROUP NAME = Big ID = 99999999999999999999 END GROUP\r\n"
      "START GROUP NAME = Small ID = -99999999999 END GROUP\r\n"
      "START GROUP NAME = Word ID = twelve END GROUP\r\nEND COMPONENT\r\n");
  EXPECT_EQ(mif.groups.Find("Big")->id, INT32_MAX);
  EXPECT_EQ(mif.groups.Find("Small")->id, INT32_MIN);
  EXPECT_EQ(mif.groups.Find("Word")->id, 0);
}

TEST_F(MifReaderTest, DeepStartsAndAHugeFileAreReadWithoutNesting) {
  std::string content = "START COMPONENT NAME = C\r\n";
  // Inside an attribute a START is an unknown statement: the long line is skipped piece by piece.
  for (int i = 0; i < 100000; ++i) content += "START GROUP ";
  content += "\r\nEND ATTRIBUTE\r\nEND GROUP\r\n";
  for (int i = 0; i < 20000; ++i) content += "START GROUP NAME = G" + std::to_string(i % 50) + " END GROUP\r\n";
  content += "START GROUP NAME = InstallStatus START ATTRIBUTE NAME = Status VALUE = Success END ATTRIBUTE "
             "END GROUP\r\nEND COMPONENT\r\n";
  CMif mif = Read(content);
  EXPECT_EQ(mif.InstallStatus(), "Success");
  EXPECT_EQ(mif.groups.Count(), 52u);
}

TEST_F(MifReaderTest, BinaryGarbageReadsAsNothing) {
  std::string garbage;
  for (int i = 0; i < 200000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  CMif mif = Read(garbage);
  EXPECT_EQ(mif.InstallStatus(), "");
}

TEST_F(MifReaderTest, ReadingAFileFirstEmptiesTheGroups) {
  CMif mif = Read(InstallerStatusFile("Success", "done"));
  WriteTextFile(dir / "other.mif", "START COMPONENT NAME = Other\r\nEND COMPONENT\r\n");
  EXPECT_TRUE(mif.ReadFile(dir / "other.mif"));
  EXPECT_EQ(mif.groups.Count(), 0u);
  EXPECT_EQ(mif.componentName, "Other");
  EXPECT_FALSE(mif.ReadFile(dir / "missing.mif"));
  EXPECT_EQ(mif.componentName, "");
}

TEST_F(MifReaderTest, OnlyPlainNamesAreLookedUpInTheStatusDirectories) {
  // A status file one level above the temporary directory, where "..\name" would lead.
  std::string outside = JoinPath(ParentDirectory(TempDirectory()), "tessaro-outside.mif");
  std::string inside = JoinPath(TempDirectory(), "tessaro-inside.mif");
  WriteTextFile(outside, InstallerStatusFile("Success", "outside"));
  WriteTextFile(inside, InstallerStatusFile("Success", "inside"));
  CMif mif;
  EXPECT_FALSE(mif.Load("..\\tessaro-outside"));
  EXPECT_FALSE(mif.Load(outside.substr(0, outside.size() - 4)));
  EXPECT_TRUE(mif.Load("tessaro-inside"));
  DeleteFileA(outside.c_str());
  DeleteFileA(inside.c_str());
}
