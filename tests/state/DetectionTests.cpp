// Detection of installed features and core components on a suite loaded in this process.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/Log.h"
#include "engine/Paths.h"
#include "model/Model.h"
#include "state/Detection.h"
#include "state/Registry.h"
#include "state/UninstallFiles.h"
#include "support/SuiteTree.h"

using namespace testing_support;

namespace {
class DetectionTest : public InProcessModelTest {
 protected:

  // SUITE with features F1, F2 (sharing the UninstallID SHARED) and F3 below F2.
  void DescribeFeatures(const std::string& rootId = "SUITE", const std::string& components = "") {
    suite.Describe("master", "[Main]\r\nName=Suite\r\nRootFeature=" + rootId + "\r\nInstallType=ISINSTALL\r\n\r\n[" +
                                 rootId + "]\r\nName=Root\r\nFeature0=F1\r\nFeature1=F2\r\n" + components +
                                 "[F1]\r\nName=F1\r\nUninstallID=SHARED\r\n[F2]\r\nName=F2\r\nUninstallID=SHARED\r\n"
                                 "Feature0=F3\r\n[F3]\r\nName=F3\r\n");
    suite.AddMasterLibrary();
  }
  void CoreSetup(const std::string& id, const std::string& mainLines) {
    suite.Describe("Core\\" + id, "[Main]\r\nName=" + id + " core\r\n" + mainLines);
  }
  void Load() { suite.LoadInProcess(suite.WriteParams("MessageLevel=NONE\r\n")); }
  CFeature& Feature(const std::vector<int>& path) {
    CFeature* feature = &Master().rootFeature;
    for (int index : path) feature = &feature->subfeatures.At(index);
    return *feature;
  }
  CComponent& Component(const std::string& id) { return *Master().components.Find(id); }

  MessageBoxWatcher boxes;
  SuiteTree suite{"detect"};
};
}  // namespace

TEST_F(DetectionTest, FeaturesAreInstalledWhenTheirUninstallFileListsThemWithAValue) {
  DescribeFeatures();
  WriteTextFile(suite.UninstallFile("SHARED.ini"), "[Features Installed]\r\nF1=2.0\r\nF2=\r\nF3=1\r\n");
  Load();
  DetectInstalled(Master());
  EXPECT_EQ(Master().rootFeature.installed, 0);
  EXPECT_EQ(Feature({0}).installed, 1);
  EXPECT_EQ(Feature({1}).installed, 0);
  EXPECT_EQ(Feature({1, 0}).installed, 1);
  EXPECT_TRUE(AnyInstalled(Feature({1})));
  EXPECT_TRUE(AnyInstalled(Master().rootFeature));
  std::vector<std::string> log = suite.Log();
  EXPECT_TRUE(ContainsLine(log, "Detect Installed Features :"));
  EXPECT_TRUE(ContainsLine(log, "   F1 is already installed"));
  EXPECT_TRUE(ContainsLine(log, "   F3 is already installed"));
  EXPECT_FALSE(ContainsLine(log, "   F2 is already installed"));
  EXPECT_TRUE(ContainsLine(log, "--- First-Time Install of Corvant Products ---"));
  EXPECT_EQ(Master().firstInstallOfTheseProducts, 0);
  EXPECT_EQ(LogIndentLevel(), 0);
}

TEST_F(DetectionTest, AnInstalledFeatureOnALaterInstallIsAReinstall) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup", "Folder", "x"), ERROR_SUCCESS);
  DescribeFeatures();
  WriteTextFile(suite.UninstallFile("SHARED.ini"), "[Features Installed]\r\nF3=1\r\n");
  Load();
  DetectInstalled(Master());
  EXPECT_TRUE(ContainsLine(suite.Log(), "--- Reinstall ---"));
}

TEST_F(DetectionTest, ALaterInstallWithoutTheseProductsIsTheirFirstInstall) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup", "Folder", "x"), ERROR_SUCCESS);
  DescribeFeatures();
  Load();
  DetectInstalled(Master());
  EXPECT_EQ(Master().firstInstallOfTheseProducts, 1);
  EXPECT_TRUE(ContainsLine(suite.Log(), "--- First-Time Install of these Products ---"));
}

TEST_F(DetectionTest, TheCorvantSoftwareRootItselfDoesNotCount) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup", "Folder", "x"), ERROR_SUCCESS);
  DescribeFeatures("CORVANT SOFTWARE");
  WriteTextFile(suite.UninstallFile("CORVANT SOFTWARE.ini"), "[Features Installed]\r\nCORVANT SOFTWARE=1\r\n");
  Load();
  DetectInstalled(Master());
  EXPECT_EQ(Master().rootFeature.installed, 1);
  EXPECT_EQ(Master().firstInstallOfTheseProducts, 1);
  EXPECT_TRUE(ContainsLine(suite.Log(), "--- First-Time Install of these Products ---"));
}

TEST_F(DetectionTest, CoreComponentsAskTheirOwnLibrary) {
  DescribeFeatures("SUITE",
                   "Component0=COREYES;CORE\r\nComponent1=CORENO;CORE\r\nComponent2=COREINF;CORE\r\n"
                   "Component3=CORENOENTRY;CORE\r\nComponent4=COREBAD;CORE\r\nComponent5=CORENONE;CORE\r\n"
                   "Component6=COREINFNOENTRY;CORE\r\nComponent7=COREINFNO;CORE\r\n");
  CoreSetup("COREYES", "InstallType=ISINSTALL\r\n");
  suite.AddSetupLibrary("Core\\COREYES", "AlreadyInstalled=2\r\n");
  CoreSetup("CORENO", "InstallType=ISINSTALL\r\n");
  suite.AddSetupLibrary("Core\\CORENO", "AlreadyInstalled=1\r\n");
  for (const char* id : {"COREINF", "COREINFNO", "COREINFNOENTRY"}) {
    CoreSetup(id, "InstallType=INFINSTALL\r\nInfFile=core.inf\r\nInfDLL=inst.dll\r\n");
    WriteTextFile(suite.Dir(std::string("Core\\") + id + "\\core.inf"), "[Version]\r\n");
  }
  CopyFileTo(FixturePath("fixture_inf_library.dll"), suite.Dir("Core\\COREINF\\inst.dll"));
  WriteTextFile(suite.Dir("Core\\COREINF\\fixture.ini"), "[Answers]\r\nAlreadyInstalled=2\r\n");
  CopyFileTo(FixturePath("fixture_inf_library.dll"), suite.Dir("Core\\COREINFNO\\inst.dll"));
  CopyFileTo(JoinPath(BuildDirectory(), "Tessaro.dll"), suite.Dir("Core\\COREINFNOENTRY\\inst.dll"));
  CoreSetup("CORENOENTRY", "InstallType=ISINSTALL\r\nSetupDLL=other.dll\r\n");
  CopyFileTo(JoinPath(BuildDirectory(), "Tessaro.dll"), suite.Dir("Core\\CORENOENTRY\\other.dll"));
  CoreSetup("COREBAD", "InstallType=ISINSTALL\r\nSetupDLL=bad.dll\r\n");
  WriteTextFile(suite.Dir("Core\\COREBAD\\bad.dll"), "not a library");
  CoreSetup("CORENONE", "InstallType=ISINSTALL\r\n");
  Load();
  for (CComponent& component : Master().components) component.installed = 1;
  DetectInstalled(Master());

  EXPECT_EQ(Component("COREYES").installed, 1);
  EXPECT_EQ(Component("CORENO").installed, 0);
  EXPECT_EQ(Component("COREINF").installed, 1);
  EXPECT_EQ(Component("COREINFNO").installed, 0);
  EXPECT_EQ(Component("CORENOENTRY").installed, 0);
  EXPECT_EQ(Component("COREBAD").installed, 0);
  EXPECT_EQ(Component("CORENONE").installed, 0);
  EXPECT_EQ(Component("SUITE").installed, 0);
  std::string core = suite.Dir("Core");
  std::vector<std::string> log = suite.Log();
  EXPECT_TRUE(ContainsLine(log, "Detect Installed Core Components :"));
  EXPECT_TRUE(ContainsLine(log, "   COREYES is installed"));
  EXPECT_TRUE(ContainsLine(log, "   CORENO is not installed"));
  EXPECT_TRUE(ContainsLine(log, "   COREINF is already installed"));
  EXPECT_TRUE(ContainsLine(log, "   COREINFNO not installed"));
  EXPECT_TRUE(ContainsLine(log, "   CORENOENTRY not installed (error in " + core +
                                    "\\CORENOENTRY\\other.dll:AlreadyInstalled())"));
  EXPECT_TRUE(ContainsLine(log, "   COREINFNOENTRY not installed (error in " + core +
                                    "\\COREINFNOENTRY\\inst.dll:AlreadyInstalled(" + core +
                                    "\\COREINFNOENTRY\\core.inf))"));
  EXPECT_TRUE(ContainsLine(log, "   COREBAD not installed (unable to load " + core + "\\COREBAD\\bad.dll)"));
  EXPECT_TRUE(ContainsLine(log, "   CORENONE not installed (" + core + "\\CORENONE not found)"));
  EXPECT_EQ(suite.Calls("Core\\COREINF"),
            (std::vector<std::string>{"AlreadyInstalled " + core + "\\COREINF\\core.inf"}));

  for (CComponent& component : Master().components) component.selected = 1;
  UnselectInstalledCoreComponents(Master());
  EXPECT_EQ(Component("COREYES").selected, 0);
  EXPECT_EQ(Component("COREINF").selected, 0);
  EXPECT_EQ(Component("CORENO").selected, 1);
  EXPECT_EQ(Component("SUITE").selected, 1);
  log = suite.Log();
  EXPECT_TRUE(ContainsLine(log, "Unselect the Core Components that are already installed :"));
  EXPECT_TRUE(ContainsLine(log, "   Unselect COREYES"));
  EXPECT_TRUE(ContainsLine(log, "   Unselect COREINF"));
  EXPECT_FALSE(ContainsLine(log, "   Unselect CORENO"));
}

TEST_F(DetectionTest, InstalledApplicationsAreTheVisibleOnesThatAreNotLast) {
  DescribeFeatures();
  WriteTextFile(suite.UninstallFile("A.ini"), "[Main]\r\nVisible=YES\r\nDescription=Alpha\r\n");
  WriteTextFile(suite.UninstallFile("B.ini"), "[Main]\r\nVisible=yes\r\nLast=Yes\r\nDescription=Beta\r\n");
  WriteTextFile(suite.UninstallFile("C.ini"), "[Main]\r\nVisible=No\r\nDescription=Gamma\r\n");
  WriteTextFile(suite.UninstallFile("D.ini"), "[Main]\r\nVisible=True\r\nLast=no\r\nDescription=Delta\r\n");
  WriteTextFile(suite.UninstallFile("E.ini"), "[Features Installed]\r\nE=1\r\n");
  Load();
  std::string list = GetInstalledApplications();
  EXPECT_TRUE(list == "Alpha,Delta" || list == "Delta,Alpha") << list;
}

TEST_F(DetectionTest, NoUninstallDirectoryMeansNoApplications) {
  DescribeFeatures();
  Load();
  EXPECT_EQ(GetInstalledApplications(), "");
}

TEST_F(DetectionTest, AnEmptyModelListsNoApplications) {
  ScratchDirectory current("cwd");
  WriteTextFile(current / "setup\\uninstall\\A.ini", "[Main]\r\nVisible=YES\r\nDescription=Here\r\n");
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(current.Path().c_str());
  CreateSetupData();
  EXPECT_EQ(GetInstalledApplications(), "");
  SetCurrentDirectoryA(previous);
}

TEST_F(DetectionTest, TheLoadDetectsAndAFirstInstallStartsWithNothingSelected) {
  suite.Describe("master", ProductDescription("SUITE", "LoadSubsetups=YES\r\n"));
  suite.AddMasterLibrary();
  suite.Describe("alpha", ProductDescription("ALPHA", "", "Selected=YES\r\n"));
  suite.Describe("beta", ProductDescription("BETA", "", "Selected=YES\r\n"));
  Load();
  ASSERT_EQ(Master().rootFeature.subfeatures.Count(), 2);
  EXPECT_EQ(Feature({0}).defaultSelection, 0);
  EXPECT_EQ(Feature({1}).defaultSelection, 0);
  EXPECT_TRUE(ContainsLine(suite.Log(), "Detect Installed Features :"));
  DestroySetupData();

  WriteTextFile(suite.UninstallFile("BETA.ini"), "[Features Installed]\r\nBETA=1\r\n");
  Load();
  EXPECT_EQ(Feature({0}).defaultSelection, 1);
  EXPECT_EQ(Feature({1}).installed, 1);
  EXPECT_EQ(Master().firstInstallOfTheseProducts, 0);
}
