// A list export whose answer does not fit the script's buffer, on a suite loaded in this process.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "include/tessaro.h"
#include "state/UninstallFiles.h"
#include "support/SuiteTree.h"

using namespace testing_support;

namespace {
class ListExportTest : public InProcessModelTest {
 protected:
  void Load() {
    suite.Describe("master", "[Main]\r\nName=Suite\r\nRootFeature=SUITE\r\nInstallType=ISINSTALL\r\n\r\n"
                             "[SUITE]\r\nName=Root\r\n");
    suite.AddMasterLibrary();
    suite.LoadInProcess(suite.WriteParams("MessageLevel=NONE\r\n"));
  }
  MessageBoxWatcher boxes;
  SuiteTree suite{"lists"};
};
}  // namespace

TEST_F(ListExportTest, InstalledProductsThatDoNotFitEndAtAWholeDescription) {
  // 60 descriptions of 27 characters, each with a comma of its own: 1679 bytes joined.
  for (int i = 10; i < 70; ++i)
    WriteTextFile(suite.UninstallFile("P" + std::to_string(i) + ".ini"),
                  "[Main]\r\nVisible=YES\r\nDescription=Corvant Product, Edition " + std::to_string(i) + "\r\n");
  Load();
  std::vector<std::string> products = InstalledApplications();
  ASSERT_EQ(products.size(), 60u);

  char buffer[TS_LIST_BUFFER_SIZE];
  EXPECT_EQ(TSGetNEXOTasks(buffer), 0);
  std::string expected;
  for (size_t i = 0; i < 36; ++i) expected += (i ? "," : "") + products[i];
  EXPECT_EQ(std::string(buffer), expected);  // 36 whole descriptions, 1007 bytes; a 37th would need 1035
  EXPECT_TRUE(ContainsLine(suite.Log(), "*** Warning - TSGetNEXOTasks list cut to 36 of 60 items to fit the buffer"));
}

TEST_F(ListExportTest, AFewInstalledProductsAreListedWhole) {
  WriteTextFile(suite.UninstallFile("A.ini"), "[Main]\r\nVisible=YES\r\nDescription=Alpha, the first\r\n");
  Load();
  char buffer[TS_LIST_BUFFER_SIZE];
  EXPECT_EQ(TSGetNEXOTasks(buffer), 0);
  EXPECT_STREQ(buffer, "Alpha, the first");
  for (const std::string& line : suite.Log()) EXPECT_EQ(line.find("list cut"), std::string::npos) << line;
}
