// The query exports against a loaded model, as the setup script reads them, and the answers
// that the configuration file hands on to a product.
#include <gtest/gtest.h>

#include <set>

#include "InProcessModel.h"
#include "engine/Params.h"
#include "engine/Paths.h"
#include "include/tessaro.h"
#include "install/ConfigFile.h"
#include "model/Model.h"
#include "state/Registry.h"

using namespace testing_support;
using namespace install_tests;

namespace {
using ByIdQuery = int(__stdcall*)(const char*, char*);
using ByIndexQuery = int(__stdcall*)(int, char*);

std::string ById(ByIdQuery query, const std::string& id) {
  char out[512] = "junk";
  EXPECT_EQ(query(id.c_str(), out), 0);
  return out;
}
std::string ByIndex(ByIndexQuery query, int index) {
  char out[512] = "junk";
  EXPECT_EQ(query(index, out), 0);
  return out;
}

class QueryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CleanCorvantRegistry();
    suite.WriteMaster("", "Target1=DATADIR;Data;%APPDIR%\\Data;Where data goes;AFTER;HIDE;READONLY\r\n");
    suite.WriteParams();
    suite.WriteCoreComponent("CORELIB", "CD1;First CD");
    ProductSpec product;
    product.directory = "proda";
    product.id = "PRODA";
    product.name = "Product A";
    product.extraMain = "SetupExe=fixture_product.exe\r\nWindowName=Installing into %WINDIR%\r\n"
                        "WindowClass=ProductFrame\r\n";
    product.components = "Component0=PRODA\\Main;IS\r\nComponent1=CORELIB;CORE\r\nFeature0=PRODA_TOOLS\r\n"
                         "Password=SVCACCT;The service account;VERIFY\r\n"
                         "[PRODA_TOOLS]\r\nName=Tools\r\nFeature0=PRODA_EXTRA\r\n[PRODA_EXTRA]\r\nName=Extras\r\n";
    suite.WriteProduct(product);
    ProductSpec skipping;
    skipping.directory = "prodk";
    skipping.id = "PRODK";
    skipping.name = "Product K";
    skipping.extraMain = "SkipRoot=YES\r\n";
    skipping.components = "Feature0=PRODK_PART\r\n[PRODK_PART]\r\nName=Part of K\r\n";
    suite.WriteProduct(skipping);
    model = std::make_unique<InProcessModel>(suite);
  }
  void TearDown() override {
    model.reset();
    CleanCorvantRegistry();
  }

  SuiteTree suite{"query"};
  std::unique_ptr<InProcessModel> model;
};
}  // namespace

TEST_F(QueryTest, AnswersTheChoicesOfTheWizard) {
  Master().setupType = "STANDARD";
  Master().programFolder = "Corvant Tools";
  Master().serverName = "FRAMEWORK1";
  EXPECT_EQ(CallText(TSGetSetupType), "STANDARD");
  EXPECT_EQ(CallText(TSGetFolder), "Corvant Tools");
  EXPECT_EQ(CallText(TSGetServer), "FRAMEWORK1");
  EXPECT_EQ(CallText(TSGetRootSetupID), "SUITE");
  std::string root = CallText(TSGetRootTargetPath);
  EXPECT_FALSE(root.empty());
  EXPECT_EQ(root, Master().targets.Find("CORVAROOT")->path);
  EXPECT_EQ(TS_IsMasterInstaller(), 1);
  EXPECT_EQ(TS_ValidateAccount("user", "password"), 1);
  EXPECT_EQ(TS_ValidateAccountAccess("user", "password", "right"), 1);
}

TEST_F(QueryTest, AnswersByIndexAndGivesEmptyTextOutsideTheCollection) {
  std::set<std::string> setups{ByIndex(TSGetSetupID, 0), ByIndex(TSGetSetupID, 1)};
  EXPECT_EQ(setups, (std::set<std::string>{"PRODA", "PRODK"}));
  EXPECT_EQ(ByIndex(TSGetSetupID, -1), "");
  EXPECT_EQ(ByIndex(TSGetSetupID, 2), "");
  EXPECT_EQ(ByIndex(TSGetTargetID, 0), "CORVAROOT");
  EXPECT_EQ(ByIndex(TSGetTargetID, 3), "CORVACOMMON");
  EXPECT_EQ(ByIndex(TSGetTargetID, 4), "APPDIR");
  EXPECT_EQ(ByIndex(TSGetTargetID, 5), "DATADIR");
  EXPECT_EQ(ByIndex(TSGetTargetID, 6), "");
  std::set<std::string> components;
  int count = Master().components.Count();
  for (int i = 0; i < count; ++i) components.insert(ByIndex(TSGetComponentID, i));
  EXPECT_TRUE(components.count("CORELIB"));
  EXPECT_TRUE(components.count("PRODA\\MAIN"));
  EXPECT_EQ(ByIndex(TSGetComponentID, count), "");
  EXPECT_EQ(ByIndex(TSGetComponentID, -1), "");
}

TEST_F(QueryTest, AnswersAboutSetups) {
  EXPECT_EQ(ById(TSGetSetupName, "proda"), "Product A");
  EXPECT_EQ(ById(TSGetSetupName, "SUITE"), "Test Suite");
  EXPECT_EQ(ById(TSGetSetupName, "corelib"), "Core CORELIB");
  EXPECT_EQ(ById(TSGetSetupName, "NoSuchSetup"), "");
  EXPECT_TRUE(ContainsLine(LogLines(suite.Log()), "*** Warning - Setup NoSuchSetup not found"));
  EXPECT_EQ(ById(TSGetSetupPropIniFile, "PRODA"), suite.PropIni("proda"));
  EXPECT_EQ(ById(TSGetSetupPropIniFile, "NOSUCH"), "");
  EXPECT_EQ(ById(TSGetWindowName, "proda"), "Installing into " + WindowsDirectory());
  EXPECT_EQ(ById(TSGetWindowClass, "proda"), "ProductFrame");
  EXPECT_EQ(ById(TSGetWindowClass, "NOSUCH"), "");
  EXPECT_EQ(ById(TSGetWindowName, "NOSUCH"), "");
}

TEST_F(QueryTest, AnswersSelectionsOfSetupsFeaturesAndComponents) {
  EXPECT_EQ(ById(TSGetSetupSelected, "PRODA"), "NO");
  EXPECT_EQ(ById(TSGetFeatureSelected, "proda_extra"), "NO");
  EXPECT_EQ(ById(TSGetComponentSelected, "corelib"), "NO");
  InProcessModel::SelectFeature("PRODA_EXTRA");
  InProcessModel::SelectComponent("CORELIB");
  EXPECT_EQ(ById(TSGetSetupSelected, "proda"), "YES");
  EXPECT_EQ(ById(TSGetSetupSelected, "PRODK"), "NO");
  EXPECT_EQ(ById(TSGetSetupSelected, "NOSUCH"), "NO");
  EXPECT_EQ(ById(TSGetFeatureSelected, "proda_extra"), "YES");
  EXPECT_EQ(ById(TSGetFeatureSelected, "PRODA"), "NO");
  EXPECT_EQ(ById(TSGetFeatureSelected, "NOSUCH"), "");
  EXPECT_EQ(ById(TSGetComponentSelected, "corelib"), "YES");
  EXPECT_EQ(ById(TSGetComponentSelected, "NOSUCH"), "");
}

TEST_F(QueryTest, AnswersAboutComponentsAndOnlyCoreComponentsHaveSetups) {
  EXPECT_EQ(ById(TSGetComponentType, "corelib"), "CORE");
  EXPECT_EQ(ById(TSGetComponentType, "proda\\main"), "IS");
  EXPECT_EQ(ById(TSGetComponentType, "NOSUCH"), "");
  EXPECT_EQ(ById(TSGetComponentPropIniFile, "CORELIB"), JoinPath(suite.CoreDir("CORELIB"), "prop.ini"));
  EXPECT_EQ(ById(TSGetComponentName, "CORELIB"), "Core CORELIB");
  EXPECT_EQ(ById(TSGetComponentPropIniFile, "PRODA\\MAIN"), "");
  EXPECT_EQ(ById(TSGetComponentName, "PRODA\\MAIN"), "");
  EXPECT_EQ(ById(TSGetComponentName, "NOSUCH"), "");
}

TEST_F(QueryTest, AnswersTargetAttributesAsTheModelDerivesThem) {
  EXPECT_EQ(ById(TSGetTargetAttributes, "corvaroot"), "BEFORE;SHOW;NORECALC;EDITABLE");
  EXPECT_EQ(ById(TSGetTargetAttributes, "APPDIR"), "DURING;SHOW;RECALC;EDITABLE");
  EXPECT_EQ(ById(TSGetTargetAttributes, "DATADIR"), "AFTER;HIDE;RECALC;READONLY");
  EXPECT_EQ(ById(TSGetTargetAttributes, "WINSYSDIR"), "DURING;HIDE;NORECALC;READONLY");
  EXPECT_EQ(ById(TSGetTargetAttributes, "NOSUCH"), "");
}

TEST_F(QueryTest, TargetPathsComeFromTheRegistryTheRunInProgressFirst) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup", "APPDIRdir", "C:\\Earlier"), ERROR_SUCCESS);
  EXPECT_EQ(ById(TSGetTargetPath, "appdir"), "C:\\Earlier");
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\Setup\\CurrentTargets", "APPDIR", "C:\\Now"), ERROR_SUCCESS);
  EXPECT_EQ(ById(TSGetTargetPath, "APPDIR"), "C:\\Now");
  EXPECT_EQ(ById(TSGetTargetPath, "DATADIR"), "");
}

TEST_F(QueryTest, AnswersServiceAccounts) {
  CPassword* account = Master().passwords.Find("SVCACCT");
  ASSERT_TRUE(account);
  account->userName = "svcuser";
  account->password = "s3cret";
  EXPECT_EQ(ById(TSGetPWUserName, "SVCACCT"), "svcuser");
  EXPECT_EQ(ById(TSGetPWPassword, "SVCACCT"), "s3cret");
  EXPECT_EQ(ById(TSGetPWUserName, "NOSUCH"), "");
  EXPECT_EQ(ById(TSGetPWPassword, "NOSUCH"), "");
}

TEST_F(QueryTest, RootTargetPathIsEmptyWithoutCorvaRootAndAddsNoTarget) {
  model.reset();
  CreateSetupData();
  int before = Master().targets.Count();
  EXPECT_EQ(CallText(TSGetRootTargetPath), "");
  EXPECT_EQ(Master().targets.Count(), before);
  EXPECT_EQ(TS_IsMasterInstaller(), 0);
  DestroySetupData();
}

TEST_F(QueryTest, AProductWithSkipRootNeedsInstallingThroughItsTopLevelFeatures) {
  EXPECT_EQ(CallText(TS_GetSetupsNotInstalled), "");
  InProcessModel::SelectFeature("PRODK_PART");
  EXPECT_EQ(CallText(TS_GetSetupsNotInstalled), "PRODK");
}

TEST_F(QueryTest, TheConfigurationFileCarriesTheAnswersOfThisRun) {
  CSetup& master = Master();
  master.setupType = "STANDARD";
  master.programFolder = "Corvant Tools";
  master.serverName = "FRAMEWORK1";
  master.serverActive = 1;
  InProcessModel::SelectFeature("PRODA");
  InProcessModel::SelectFeature("PRODA_EXTRA");
  CPassword* account = master.passwords.Find("SVCACCT");
  ASSERT_TRUE(account);
  account->userName = "svcuser";
  account->password = "s3cret";
  account->needed = 1;

  std::string config = suite.Root() + "\\answers.ini";
  ASSERT_TRUE(WriteConfigFile(config, suite.PropIni("proda"), false));
  auto main = [&](const std::string& key) { return ReadIniString(config, "Main", key); };
  EXPECT_EQ(main("SetupType"), "STANDARD");
  EXPECT_EQ(main("Folder"), "Corvant Tools");
  EXPECT_EQ(main("Server"), "FRAMEWORK1");
  EXPECT_EQ(main("ServerActive"), "1");
  // Depth first: a feature, then its children in order.
  std::vector<std::string> features;
  for (int i = 0; !main("Feature" + std::to_string(i)).empty(); ++i) features.push_back(main("Feature" + std::to_string(i)));
  ASSERT_EQ(features.size(), 5u);
  EXPECT_EQ(features[0], "SUITE;NO");
  size_t prodA = std::find(features.begin(), features.end(), "PRODA;YES") - features.begin();
  ASSERT_LT(prodA + 2, features.size());
  EXPECT_EQ(features[prodA + 1], "PRODA_TOOLS;NO");
  EXPECT_EQ(features[prodA + 2], "PRODA_EXTRA;YES");
  EXPECT_NE(std::find(features.begin(), features.end(), "PRODK_PART;NO"), features.end());
  EXPECT_EQ(main("Password0"), "SVCACCT;svcuser;s3cret");
  EXPECT_EQ(main("Password1"), "");
  EXPECT_EQ(ReadIniString(config, "Targets", "Target5").rfind("DATADIR;", 0), 0u);
}
