// The installation loop over a three-CD suite, driven through the sequencing exports as a setup
// script drives it: a core component CORELIB and a product PRODA on CD 1, a product PRODB on
// CD 2 that depends on CORELIB, and a product PRODC on CD 3.
#include <gtest/gtest.h>

#include "InProcessModel.h"
#include "engine/Paths.h"
#include "model/Model.h"

using namespace testing_support;
using namespace install_tests;

namespace {
class SequencingTest : public ::testing::Test {
 protected:
  void SetUp() override { CleanCorvantRegistry(); }
  void TearDown() override { CleanCorvantRegistry(); }

  // The suite as CD 1 holds it, and CDs 2 and 3 with their products.
  void Build(bool installDependency, const std::string& params = "") {
    WriteThreeCDSuite(suite, installDependency, params);
    WriteCD(cd2, "CD2;Second CD", ThreeCDSuiteProduct("PRODB", installDependency));
    WriteCD(cd3, "CD3;Third\\nCD", ThreeCDSuiteProduct("PRODC", installDependency));
  }
  void WriteCD(const ScratchDirectory& cd, const std::string& cdValue, const ProductSpec& product) {
    WriteTextFile(cd / "prop.ini", "[Main]\r\nCD=" + cdValue + "\r\n");
    WritePropIni(cd / (product.directory + "\\prop.ini"), ProductDescription(product));
    CopyFileTo(FixturePath("fixture_product.exe"), cd / (product.directory + "\\fixture_product.exe"));
  }
  void SelectEverything() {
    for (const char* feature : {"PRODA", "PRODB", "PRODC"}) InProcessModel::SelectFeature(feature);
    InProcessModel::SelectComponent("CORELIB");
  }

  std::string CurrentCD(const std::string& root) {
    char out[512] = "junk";
    EXPECT_EQ(TS_GetCurrentCD(root.c_str(), out), 0);
    return out;
  }
  std::string NextSetup(int expectedResult) {
    char out[512] = "junk";
    EXPECT_EQ(TS_GetNextSetup(out), expectedResult);
    return out;
  }
  std::string NotInstalled() { return CallText(TS_GetSetupsNotInstalled); }
  std::string NextCD() { return CallText(TS_GetNextCD); }
  // The subsetups in the order the file system listed them, joined by ",".
  static std::string SubsetupsInLoadOrder(const std::string& leaveOut = "") {
    std::string ids;
    for (const CSetup& subsetup : Master().subsetups)
      if (subsetup.IdText() != leaveOut) ids += "," + subsetup.IdText();
    return ids;
  }

  SuiteTree suite{"cds"};
  ScratchDirectory cd2{"cd2"};
  ScratchDirectory cd3{"cd3"};
};
}  // namespace

TEST_F(SequencingTest, InstallsCoreFirstAndLeavesTheDependentCDForLast) {
  Build(true);
  InProcessModel model(suite);
  SelectEverything();

  EXPECT_EQ(CurrentCD(suite.Root()), "CD1");
  EXPECT_EQ(TS_InitializeInstallControl(), 0);
  // CD 2 cannot run before the core component of CD 1 is installed.
  EXPECT_EQ(InProcessModel::CDOrder(), "CD1,CD3,CD2");
  EXPECT_EQ(TS_NumberOfSetups(), 4);
  EXPECT_EQ(NotInstalled(), "CORELIB" + SubsetupsInLoadOrder());
  EXPECT_EQ(TS_AllInstalled(), 0);

  EXPECT_EQ(NextCD(), "CD1");
  EXPECT_EQ(NextSetup(1), "CORELIB");
  EXPECT_EQ(TS_SetInstalled("corelib"), 0);
  EXPECT_EQ(NextSetup(0), "PRODA");
  TS_SetInstalled("PRODA");
  EXPECT_EQ(NextSetup(0), "");
  // CD 1 went to the end; CD 3 can run and leads.
  EXPECT_EQ(InProcessModel::CDOrder(), "CD3,CD2,CD1");
  EXPECT_EQ(NextCD(), "CD3");

  EXPECT_EQ(CurrentCD(cd3.Path()), "CD3");
  EXPECT_EQ(NextSetup(0), "PRODC");
  TS_SetInstalled("PRODC");
  EXPECT_EQ(NextSetup(0), "");
  EXPECT_EQ(InProcessModel::CDOrder(), "CD2,CD1,CD3");
  EXPECT_EQ(NextCD(), "CD2");
  EXPECT_EQ(NotInstalled(), "PRODB");

  EXPECT_EQ(CurrentCD(cd2.Path()), "CD2");
  // The product found on CD 2 is installed from there.
  EXPECT_EQ(Master().subsetups.Find("PRODB")->PropIniFile, cd2 / "PRODB\\prop.ini");
  EXPECT_EQ(NextSetup(0), "PRODB");
  TS_SetInstalled("PRODB");
  EXPECT_EQ(NextSetup(0), "");
  EXPECT_EQ(TS_AllInstalled(), 1);
  EXPECT_EQ(NextCD(), "");
  EXPECT_EQ(NotInstalled(), "");
  // Installed core components are still counted.
  EXPECT_EQ(TS_NumberOfSetups(), 1);

  std::vector<std::string> log = LogLines(suite.Log());
  EXPECT_TRUE(ContainsLine(log, "Check " + suite.Root() + " for valid Corvant CD :"));
  EXPECT_TRUE(ContainsLine(log, "   CD identified as CD1"));
  EXPECT_TRUE(ContainsLine(log, "Current CD = CD1"));
  EXPECT_TRUE(ContainsLine(log, "Next Setup = CORELIB (core)"));
  EXPECT_TRUE(ContainsLine(log, "Next Setup = PRODA"));
  EXPECT_TRUE(ContainsLine(log, "Next CD = CD3"));
  EXPECT_TRUE(ContainsLine(log, "No more CDs to install"));
}

TEST_F(SequencingTest, ADependentProductIsNotHandedOutWhileItsCoreComponentWaitsOnAnotherCD) {
  Build(true);
  InProcessModel model(suite);
  SelectEverything();
  EXPECT_EQ(CurrentCD(cd2.Path()), "CD2");
  TS_InitializeInstallControl();
  EXPECT_EQ(InProcessModel::CDOrder(), "CD2,CD1,CD3");
  EXPECT_EQ(NextSetup(0), "");
  EXPECT_EQ(InProcessModel::CDOrder(), "CD1,CD3,CD2");
  EXPECT_EQ(NextCD(), "CD1");
}

TEST_F(SequencingTest, WithoutTheDependencyFlagTheProductIsHandedOutAtOnce) {
  Build(false);
  InProcessModel model(suite);
  SelectEverything();
  EXPECT_EQ(CurrentCD(cd2.Path()), "CD2");
  TS_InitializeInstallControl();
  EXPECT_EQ(NextSetup(0), "PRODB");
}

TEST_F(SequencingTest, AFailedCoreComponentIsNeverRetriedAndKeepsItsDependentsBlocked) {
  Build(true);
  InProcessModel model(suite);
  SelectEverything();
  EXPECT_EQ(CurrentCD(suite.Root()), "CD1");
  TS_InitializeInstallControl();
  EXPECT_EQ(NextSetup(1), "CORELIB");
  TS_SetInstallError("CORELIB");
  EXPECT_EQ(NextSetup(0), "PRODA");
  TS_SetInstalled("PRODA");
  EXPECT_EQ(NotInstalled(), SubsetupsInLoadOrder("PRODA").substr(1));
  EXPECT_EQ(CurrentCD(cd2.Path()), "CD2");
  EXPECT_EQ(NextSetup(0), "");
  EXPECT_EQ(TS_AllInstalled(), 0);
  // A setup ID that names nothing changes nothing.
  TS_SetInstalled("NOSUCHSETUP");
  EXPECT_EQ(TS_AllInstalled(), 0);
}

TEST_F(SequencingTest, WithoutCoreComponentsOnlyTheProductsAreHandedOut) {
  Build(true, "InstallCoreComponents=No\r\n");
  InProcessModel model(suite);
  for (const char* feature : {"PRODA", "PRODB", "PRODC"}) InProcessModel::SelectFeature(feature);
  EXPECT_EQ(CurrentCD(suite.Root()), "CD1");
  TS_InitializeInstallControl();
  EXPECT_EQ(TS_NumberOfSetups(), 3);
  EXPECT_EQ(NotInstalled(), SubsetupsInLoadOrder().substr(1));
  EXPECT_EQ(NextSetup(0), "PRODA");
}

TEST_F(SequencingTest, OnlySelectedProductsNeedInstalling) {
  Build(true);
  InProcessModel model(suite);
  InProcessModel::SelectFeature("PRODC");
  EXPECT_EQ(TS_NumberOfSetups(), 1);
  EXPECT_EQ(NotInstalled(), "PRODC");
  EXPECT_EQ(CurrentCD(suite.Root()), "CD1");
  TS_InitializeInstallControl();
  EXPECT_EQ(NextSetup(0), "");
  EXPECT_EQ(NextCD(), "CD3");
}

TEST_F(SequencingTest, DescribesEachCD) {
  Build(true);
  InProcessModel model(suite);
  char out[512] = "junk";
  EXPECT_EQ(TS_GetCDDesc("cd2", out), 0);
  EXPECT_EQ(std::string(out), "Second CD");
  TS_GetCDDesc("CD3", out);
  EXPECT_EQ(std::string(out), "Third\nCD");
  TS_GetCDDesc("CD7", out);
  EXPECT_EQ(std::string(out), "");
}

TEST_F(SequencingTest, IdentifyingACDLeavesTheCurrentCDAsItIs) {
  Build(true);
  InProcessModel model(suite);
  ScratchDirectory unnamed("unnamedcd"), empty("emptycd");
  WriteTextFile(unnamed / "disk1\\prop.ini", "[Main]\r\nName=No CD key\r\n");
  MessageBoxWatcher boxes;
  const struct {
    std::string root, id;
  } cases[] = {{cd2.Path(), "CD2"}, {cd3.Path(), "CD3"}, {unnamed.Path(), "CORVANTCD"}, {empty.Path(), ""}};
  for (const auto& c : cases) {
    char out[512] = "junk";
    EXPECT_EQ(TS_IdentifyCD(c.root.c_str(), out), 0);
    EXPECT_EQ(std::string(out), c.id) << c.root;
  }
  EXPECT_TRUE(boxes.Boxes().empty());
  TS_InitializeInstallControl();
  EXPECT_TRUE(ContainsLine(LogLines(suite.Log()), "Current CD = CD1"));
}

TEST_F(SequencingTest, ACDWithoutDescriptionIsRejected) {
  Build(true);
  InProcessModel model(suite);
  MessageBoxWatcher boxes;
  ScratchDirectory empty("nocd");
  EXPECT_EQ(CurrentCD(empty.Path()), "");
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "The CD is not a valid Corvant Setup CD");
  std::vector<std::string> log = LogLines(suite.Log());
  EXPECT_TRUE(ContainsLine(log, "Check " + empty.Path() + " for valid Corvant CD :"));
  EXPECT_TRUE(ContainsLine(log, "   ***** The CD is not a valid Corvant Setup CD"));
  // The indent is back where it was.
  TS_InitializeInstallControl();
  EXPECT_TRUE(ContainsLine(LogLines(suite.Log()), "Current CD = CD1"));
}

TEST_F(SequencingTest, ACDOfAnotherSuiteLeavesTheRunWithoutCurrentCD) {
  Build(true);
  InProcessModel model(suite);
  SelectEverything();
  ScratchDirectory foreign("foreign");
  WriteTextFile(foreign / "disk1\\prop.ini", "[Main]\r\nCD=OTHERCD;Another suite\r\n");
  EXPECT_EQ(CurrentCD(foreign.Path()), "");
  TS_InitializeInstallControl();
  EXPECT_TRUE(ContainsLine(LogLines(suite.Log()), "ERROR ***** No current CD()"));
  EXPECT_EQ(NextSetup(0), "");
  EXPECT_TRUE(ContainsLine(LogLines(suite.Log()), "   CD identified as OTHERCD"));
}

TEST_F(SequencingTest, AProductWhoseFilesAreMissingFromTheCDIsReported) {
  Build(true);
  InProcessModel model(suite);
  MessageBoxWatcher boxes;
  DeleteFileA((cd2 / "PRODB\\fixture_product.exe").c_str());
  EXPECT_EQ(CurrentCD(cd2.Path()), "");
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Setup is unable to locate " + (cd2 / "PRODB\\fixture_product.exe") + " on this CD.");
}

TEST_F(SequencingTest, ACDThatFailsVerificationLeavesTheCurrentCDAndEverySetupAsTheyWere) {
  Build(true);
  InProcessModel model(suite);
  SelectEverything();
  EXPECT_EQ(CurrentCD(suite.Root()), "CD1");
  CSetup& master = Master();
  CSetup* prodB = nullptr;
  for (CSetup& subsetup : master.subsetups)
    if (subsetup.ID.Raw() == "PRODB") prodB = &subsetup;
  ASSERT_NE(prodB, nullptr);
  std::string srcDir = prodB->SrcDir, propIni = prodB->PropIniFile;

  MessageBoxWatcher boxes;
  DeleteFileA((cd2 / "PRODB\\fixture_product.exe").c_str());
  EXPECT_EQ(CurrentCD(cd2.Path()), "");
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  ASSERT_NE(master.currentCD, nullptr);
  EXPECT_EQ(master.currentCD->ID.Raw(), "CD1");
  EXPECT_EQ(master.currentCDRoot, suite.Root());
  EXPECT_EQ(prodB->SrcDir, srcDir);
  EXPECT_EQ(prodB->PropIniFile, propIni);
  TS_InitializeInstallControl();
  EXPECT_EQ(NextSetup(1), "CORELIB");
}

TEST_F(SequencingTest, ASingleCDSuiteWithoutCDKeysRunsOnCorvantCD) {
  suite.WriteMaster("", "", "");
  CopyFileTo(FixturePath("fixture_product.exe"), JoinPath(suite.Master(), "setup.exe"));
  suite.WriteParams();
  suite.WriteProduct(ProductOnCD("PRODS", "", ""));
  InProcessModel model(suite);
  InProcessModel::SelectFeature("PRODS");
  EXPECT_EQ(CurrentCD(suite.Root()), "CORVANTCD");
  TS_InitializeInstallControl();
  EXPECT_EQ(NextCD(), "CORVANTCD");
  EXPECT_EQ(NextSetup(0), "PRODS");
  char description[512] = {};
  TS_GetCDDesc("CORVANTCD", description);
  EXPECT_EQ(std::string(description), "Corvant Setup CD");
}
