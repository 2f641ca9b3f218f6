// The loader and the merge, driven in this process on real description trees, with the model
// inspected directly.
#include <gtest/gtest.h>

#include "engine/Errors.h"
#include "engine/Log.h"
#include "engine/Params.h"
#include "load/CdTree.h"
#include "model/Keywords.h"
#include "model/Loader.h"
#include "model/Model.h"
#include "state/Registry.h"

using namespace testing_support;
using namespace load_tests;

namespace {
class LoaderTest : public ::testing::Test {
 protected:
  LoaderTest() {
    CleanCorvantRegistry();
    CreateSetupData();
    SetLogIndentLevel(0);
  }
  ~LoaderTest() override {
    SetLogPath("");
    CleanCorvantRegistry();
  }

  void Load(const std::string& paramsLines = "", bool core = false) {
    std::string params = cd.WriteParams(paramsLines);
    SetParamsFileInForce(params);
    SetLogPath(cd.LogPath());
    LoadMaster(Master(), cd.MasterDir(), params, core);
  }

  // The box text of the description error that the load raises.
  std::string LoadError(const std::string& paramsLines = "") {
    try {
      Load(paramsLines);
    } catch (CPropError& error) {
      return error.Text();
    }
    return "no error";
  }

  CFeature& Feature(const std::vector<int>& path) {
    CFeature* feature = &Master().rootFeature;
    for (int index : path) feature = &feature->subfeatures.At(index);
    return *feature;
  }

  CdTree cd{"ld"};
};
}  // namespace

TEST_F(LoaderTest, MainKeysWithTheirDefaults) {
  cd.DescribeMaster(
      "[Main]\r\nName=Suite\r\nRootFeature=suite\r\nInstallType=isinstall\r\nVersion=2.1\r\n"
      "SetupCmdLine=-x %WINDIR%\r\nWindowName=%WINDIR%\r\n[suite]\r\nName=Suite\r\n");
  Load();
  CSetup& master = Master();
  EXPECT_EQ(master.ID.Raw(), "SUITE");
  EXPECT_EQ(master.Name.Raw(), "Suite");
  EXPECT_EQ(master.UninstallID.Raw(), "SUITE");
  EXPECT_EQ(master.MifName.Raw(), "SUITE");
  EXPECT_EQ(master.InstallType.Raw(), "ISINSTALL");
  EXPECT_EQ(master.SetupExe.Raw(), "setup.exe");
  EXPECT_EQ(master.SetupCmdLine.Raw(), "-x %WINDIR%");
  EXPECT_EQ(master.WindowName.Raw(), WindowsDirectory());
  EXPECT_EQ(master.NeedsFolder.Raw(), "YES");
  EXPECT_EQ(master.SkipRoot.Raw(), "NO");
  EXPECT_EQ(master.CD.Raw(), "CORVANTCD");
  EXPECT_EQ(master.SetupDLL, "");
  EXPECT_EQ(master.SrcDir, cd.MasterDir());
  EXPECT_EQ(master.PropIniFile, cd.MasterFile());
  ASSERT_NE(master.currentCD, nullptr);
  EXPECT_EQ(master.currentCD->Description.Raw(), "Corvant Setup CD");
  EXPECT_EQ(master.currentCDRoot, cd.MasterDir());
  EXPECT_EQ(master.firstInstall, 1);
  EXPECT_TRUE(ContainsLine(cd.Log(), "   Load CD CORVANTCD (\"Corvant Setup CD\")"));
}

TEST_F(LoaderTest, SetupWithoutRootFeatureIsNamedAfterItsDirectoryAndHasNoTree) {
  cd.DescribeMaster("[Main]\r\nName=Bare\r\nInstallType=ISINSTALL\r\n");
  Load();
  EXPECT_EQ(Master().ID.Raw(), "MASTER");
  EXPECT_TRUE(Master().rootFeature.ID.Empty());
  EXPECT_EQ(Master().rootFeature.subfeatures.Count(), 0);
}

TEST_F(LoaderTest, InfInstallNeedsBothFilesBesideTheDescription) {
  WriteTextFile(cd.Dir("master\\x.inf"), "");
  WriteTextFile(cd.Dir("master\\x.dll"), "");
  cd.DescribeMaster("[Main]\r\nName=Inf\r\nInstallType=INFInstall\r\nInfFile=x.inf\r\nInfDLL=x.dll\r\nOS=WNT\r\n");
  Load();
  EXPECT_EQ(Master().InstallType.Raw(), "INFINSTALL");
  EXPECT_EQ(Master().InfFile.Raw(), "x.inf");
  EXPECT_EQ(Master().InfDLL.Raw(), "x.dll");
  EXPECT_EQ(Master().OS.Raw(), "WNT");
  EXPECT_TRUE(Master().SetupExe.Empty());
}

// The install type is read once; every kind the engine can launch loads, in any case.
TEST_F(LoaderTest, InstallTypeIsParsedOnceIntoItsKind) {
  struct Case {
    const char* written;
    const char* extra;
    InstallKind kind;
    const char* setupExe;
  };
  const Case cases[] = {
      {"ISInstall", "", InstallKind::SetupProgram, "setup.exe"},
      {"exeinstall", "SetupExe=plain.exe\r\n", InstallKind::PlainProgram, "plain.exe"},
      {"EXEINSTALL", "", InstallKind::PlainProgram, "setup.exe"},
      {"INFInstall", "InfFile=x.inf\r\nInfDLL=x.dll\r\n", InstallKind::InstallationLibrary, ""},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.written);
    // A tree of its own per case: the profile cache would hand back a rewritten file's old text.
    CdTree tree{"kind"};
    WriteTextFile(tree.Dir("master\\x.inf"), "");
    WriteTextFile(tree.Dir("master\\x.dll"), "");
    tree.DescribeMaster(std::string("[Main]\r\nName=P\r\nInstallType=") + each.written + "\r\n" + each.extra);
    CreateSetupData();
    std::string params = tree.WriteParams();
    SetParamsFileInForce(params);
    SetLogPath(tree.LogPath());
    LoadMaster(Master(), tree.MasterDir(), params, false);
    EXPECT_EQ(Master().installKind, each.kind);
    EXPECT_EQ(Master().SetupExe.Raw(), each.setupExe);
  }
}

TEST_F(LoaderTest, TargetsKeepTheFirstDefinitionAndReadTheirFlags) {
  cd.DescribeMaster(Product("P", "",
                            "[Targets]\r\n"
                            "Target0=corvaroot;Mine;C:\\mine;ignored\r\n"
                            "Target1=data;Data;%CORVAROOT%\\Data;Where data goes;HIDEME;after;norecalc;READONLY;"
                            "MULTIPLE\r\n"
                            "Target2=DATA;Again;C:\\again;x\r\n"
                            "Target3=EXPR;Expr;C:\\e;d;SHOW=%CORVASERVERACTIVE%;PROMPTPOS=before;EDITABLE=no;"
                            "RECALC=x;Unknown\r\n"
                            "Target5=GAP;Gap;C:\\g;d\r\n"));
  Load();
  Collection<CTarget>& targets = Master().targets;
  ASSERT_EQ(targets.Count(), 6);
  EXPECT_EQ(targets.At(0).ID.Raw(), "CORVAROOT");
  EXPECT_EQ(targets.At(0).Name.Raw(), "Corva");
  EXPECT_EQ(targets.At(0).defaultPath, "%CORVANTDIR%");
  EXPECT_EQ(targets.At(0).promptPosition.Raw(), "BEFORE");
  EXPECT_EQ(targets.At(1).ID.Raw(), "WINSYSDIR");
  EXPECT_EQ(targets.At(1).show.Raw(), "HIDE");
  EXPECT_EQ(targets.At(3).ID.Raw(), "CORVACOMMON");
  const CTarget& data = targets.At(4);
  EXPECT_EQ(data.ID.Raw(), "DATA");
  EXPECT_EQ(data.Name.Raw(), "Data");
  EXPECT_EQ(data.defaultPath, "%CORVAROOT%\\Data");
  EXPECT_EQ(data.Description.Raw(), "Where data goes");
  EXPECT_EQ(data.show.Raw(), "HIDE");
  EXPECT_EQ(data.promptPosition.Raw(), "AFTER");
  EXPECT_EQ(data.recalc.Raw(), "NORECALC");
  EXPECT_EQ(data.editable.Raw(), "READONLY");
  EXPECT_EQ(data.multiplicity.Raw(), "MULTIPLE");
  const CTarget& expr = targets.At(5);
  EXPECT_EQ(expr.show.Raw(), "0");
  EXPECT_EQ(expr.promptPosition.Raw(), "BEFORE");
  EXPECT_EQ(expr.editable.Raw(), "NO");
  EXPECT_EQ(expr.recalc.Raw(), "X");
  EXPECT_EQ(expr.multiplicity.Raw(), "SINGLE");
  EXPECT_FALSE(expr.Shown());
  EXPECT_TRUE(expr.Editable());
}

TEST_F(LoaderTest, TargetPathsResolveAndARegisteredPathIsFixed) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kSetupKey, "CorvaRootDir", "D:\\Corva"), ERROR_SUCCESS);
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kSetupKey, "LOGSdir", "E:\\Logs"), ERROR_SUCCESS);
  cd.DescribeMaster(Product("P", "",
                            "[Targets]\r\nTarget0=DATA;Data;%CORVAROOT%\\Data;d\r\n"
                            "Target1=LOGS;Logs;%DATA%\\Logs;d\r\nTarget2=DEEP;Deep;%LOGS%\\Deep;d\r\n"));
  Load();
  CSetup& master = Master();
  EXPECT_EQ(master.firstInstall, 0);
  EXPECT_EQ(master.targets.Find("CORVAROOT")->path, "D:\\Corva");
  EXPECT_EQ(master.targets.Find("DATA")->path, "D:\\Corva\\Data");
  EXPECT_EQ(master.targets.Find("LOGS")->path, "E:\\Logs");
  EXPECT_EQ(master.targets.Find("LOGS")->fixed, 1);
  EXPECT_EQ(master.targets.Find("DATA")->fixed, 0);
  EXPECT_EQ(master.targets.Find("DEEP")->path, "E:\\Logs\\Deep");
  EXPECT_EQ(master.targets.Find("corvaroot"), master.targets.Find("CORVAROOT"));
}

TEST_F(LoaderTest, DerivedTargetAnswersOnALaterInstall) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kSetupKey, "ONEdir", "C:\\one"), ERROR_SUCCESS);
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kSetupKey, "MANYdir", "C:\\many"), ERROR_SUCCESS);
  cd.DescribeMaster(Product("P", "",
                            "[Targets]\r\nTarget0=ONE;One;C:\\1;d\r\nTarget1=MANY;Many;C:\\2;d;MULTIPLE\r\n"
                            "Target2=FREE;Free;C:\\3;d\r\n"));
  Load();
  CSetup& master = Master();
  ASSERT_EQ(master.firstInstall, 0);
  EXPECT_FALSE(master.targets.Find("CORVAROOT")->Shown());
  EXPECT_FALSE(master.targets.Find("ONE")->Editable());
  EXPECT_TRUE(master.targets.Find("MANY")->Editable());
  EXPECT_TRUE(master.targets.Find("FREE")->Editable());
  EXPECT_TRUE(master.targets.Find("ONE")->Shown());
  EXPECT_EQ(master.targets.Find("ONE")->PromptPosition(), "DURING");
  EXPECT_TRUE(master.targets.Find("ONE")->Recalculated());
  EXPECT_FALSE(master.targets.Find("CORVAROOT")->Recalculated());
}

TEST_F(LoaderTest, SetupTypesKeepTheFirstDefinitionAndExpandLineBreaks) {
  cd.DescribeMaster(Product("P", "",
                            "[SetupTypes]\r\nSetupType0=standard\r\nSetupType1=Custom;First\\nSecond\r\n"
                            "SetupType2=CUSTOM;Other\r\nSetupType4=LOST;x\r\n"));
  Load();
  Collection<CSetupType>& types = Master().setupTypes;
  ASSERT_EQ(types.Count(), 2);
  EXPECT_EQ(types.At(0).ID.Raw(), "STANDARD");
  EXPECT_EQ(types.At(1).ID.Raw(), "CUSTOM");
  EXPECT_EQ(types.At(1).Description.Raw(), "First\nSecond");
}

TEST_F(LoaderTest, FeatureTreeStopsAtTheFirstGapAndInheritsFromItsParent) {
  cd.DescribeMaster(Product("P", "UninstallID=PRODREG\r\nVersion=3.0\r\nNeedsFolder=no\r\n",
                            "Feature0=A\r\nFeature2=C\r\nSelected=yes\r\n"
                            "[A]\r\nName=Alpha\r\nVersion=4.0\r\nNeedsFolder=YES\r\nVisible=no\r\nFeature0=B\r\n"
                            "Description=First %WINDIR%\r\n"
                            "[B]\r\nName=Beta\r\nUninstallID=breg\r\n[C]\r\nName=Gamma\r\n"));
  Load();
  CFeature& root = Feature({});
  EXPECT_EQ(root.ID.Raw(), "P");
  EXPECT_EQ(root.parent, nullptr);
  EXPECT_EQ(root.UninstallID.Raw(), "PRODREG");
  EXPECT_EQ(root.Version.Raw(), "3.0");
  EXPECT_EQ(root.NeedsFolder.Raw(), "NO");
  EXPECT_EQ(root.defaultSelection, 1);
  ASSERT_EQ(root.subfeatures.Count(), 1);
  CFeature& a = Feature({0});
  EXPECT_EQ(a.ID.Raw(), "A");
  EXPECT_EQ(a.parent, &root);
  EXPECT_EQ(a.Version.Raw(), "4.0");
  EXPECT_EQ(a.UninstallID.Raw(), "PRODREG");
  EXPECT_EQ(a.Visible.Raw(), "NO");
  EXPECT_EQ(a.Description.Raw(), "First " + WindowsDirectory());
  EXPECT_EQ(a.defaultSelection, 0);
  CFeature& b = Feature({0, 0});
  EXPECT_EQ(b.parent, &a);
  EXPECT_EQ(b.UninstallID.Raw(), "BREG");
  EXPECT_EQ(b.Version.Raw(), "4.0");
  EXPECT_EQ(b.NeedsFolder.Raw(), "YES");
  EXPECT_EQ(b.Visible.Raw(), "YES");
  auto log = cd.Log();
  EXPECT_TRUE(ContainsLine(log, "   P (P feature 3.0)"));
  EXPECT_TRUE(ContainsLine(log, "      A (Alpha 4.0)"));
  EXPECT_TRUE(ContainsLine(log, "         B (Beta 4.0)"));
}

TEST_F(LoaderTest, ComponentListsWithSectionsDummiesAndSharedIds) {
  cd.DescribeMaster(Product("P", "",
                            "Component0=p\\core;IS;installdependency\r\nComponent1=PARTS;SECTION\r\n"
                            "Component2=EMPTY;SECTION\r\nFeature0=A\r\nTargetNeed0=CORVAROOT;10\r\n"
                            "[PARTS]\r\nComponent0=P\\part;IS\r\nTargetNeed0=WINDIR;5;HIDE;READONLY\r\n"
                            "[EMPTY]\r\nTargetNeed0=WINDIR;7\r\n"
                            "[A]\r\nName=A\r\nComponent0=P\\CORE;IS\r\nComponent1=X;DUMMY\r\n"
                            "TargetNeed0=WINDIR;;SHOW=%CORVASERVERACTIVE%;EDITABLE=%CORVASERVERACTIVE%;odd\r\n"));
  Load();
  std::vector<std::string> ids;
  for (const CComponentRef& ref : Feature({}).components) ids.push_back(ref.ID.Raw());
  EXPECT_EQ(ids, (std::vector<std::string>{"P\\CORE", "P\\PART", "PARTS", "P"}));
  EXPECT_EQ(Feature({}).components[0].installDependency, 1);
  EXPECT_EQ(Feature({}).components[1].installDependency, 0);

  Collection<CComponent>& components = Master().components;
  std::vector<std::string> global;
  for (const CComponent& component : components) global.push_back(component.ID.Raw() + ":" + component.type.Raw());
  EXPECT_EQ(global, (std::vector<std::string>{"P\\CORE:IS", "P\\PART:IS", "PARTS:DUMMY", "P:DUMMY", "X:DUMMY",
                                              "A:DUMMY"}));
  // The feature reuses the component by ID; an explicit DUMMY reads the listing section's needs.
  EXPECT_EQ(Feature({0}).components[0].component, &components.At(0));
  const CTargetNeed& parts = components.Find("PARTS")->targetNeeds.At(0);
  EXPECT_EQ(parts.targetID.Raw(), "WINDIR");
  EXPECT_EQ(parts.SizeKB(), 5u);
  EXPECT_FALSE(parts.Shown());
  EXPECT_FALSE(parts.Editable());
  EXPECT_EQ(parts.component, components.Find("PARTS"));
  const CTargetNeed& root = components.Find("P")->targetNeeds.At(0);
  EXPECT_EQ(root.show.Raw(), "DEFAULTSHOW");
  EXPECT_TRUE(root.Shown());  // CORVAROOT is shown on a first install
  EXPECT_TRUE(root.Editable());
  const CTargetNeed& x = components.Find("X")->targetNeeds.At(0);
  EXPECT_EQ(x.size.Raw(), "0");
  EXPECT_EQ(x.show.Raw(), "0");
  EXPECT_FALSE(x.Shown());
  EXPECT_FALSE(x.Editable());
  EXPECT_EQ(components.Find("A")->targetNeeds.Count(), 1);
}

TEST_F(LoaderTest, ComponentWarnings) {
  cd.DescribeMaster(Product("P", "",
                            "Feature0=ONE\r\nFeature1=TWO\r\nFeature2=THREE\r\n"
                            "[ONE]\r\nName=One\r\nComponent1=P\\a;IS\r\n"
                            "[TWO]\r\nName=Two\r\nComponent=P\\b;IS\r\nTargetNeed0=WINDIR;12\r\n"
                            "[THREE]\r\nName=Three\r\nComponent0=P\\c;IS\r\nTargetNeed0=WINDIR;12\r\n"));
  Load();
  auto log = cd.Log();
  EXPECT_TRUE(ContainsLine(log, "         *** Warning - Section [ONE] starts Component count at 1, not 0"));
  EXPECT_TRUE(ContainsLine(log, "         *** Warning - Section [TWO] must use Component0= and not Component=."));
  EXPECT_TRUE(ContainsLine(log,
                           "         *** Warning - Section [TWO] has Target Needs with no InstallShield Component."));
  for (const std::string& line : log) EXPECT_EQ(line.find("[THREE]"), std::string::npos) << line;
  EXPECT_EQ(Feature({0}).components.size(), 1u);  // only the implicit component
}

TEST_F(LoaderTest, PasswordsAreGlobalAndOnlyAdd) {
  cd.DescribeMaster(Product("P", "",
                            "Password=svc;noverify\r\nFeature0=A\r\nFeature1=B\r\n"
                            "[A]\r\nName=A\r\nPassword=SVC;Service account;VERIFY\r\n"
                            "[B]\r\nName=B\r\nPassword=svc;Other text;VERIFYSERVICELOGON;\r\n"
                            "Feature0=C\r\n[C]\r\nName=C\r\nPassword=db;First;Second\r\n"));
  Load();
  Collection<CPassword>& passwords = Master().passwords;
  ASSERT_EQ(passwords.Count(), 2);
  EXPECT_EQ(passwords.At(0).ID.Raw(), "SVC");
  EXPECT_EQ(passwords.At(0).Description.Raw(), "Service account");
  EXPECT_EQ(passwords.At(0).verify, 1);
  EXPECT_EQ(passwords.At(0).verifyServiceLogon, 1);
  EXPECT_EQ(passwords.At(1).Description.Raw(), "Second");
  EXPECT_EQ(Feature({}).Password, "SVC");
  EXPECT_EQ(Feature({1, 0}).Password, "DB");
}

TEST_F(LoaderTest, PasswordAnswersComeFromTheParametersFileThenTheRegistry) {
  cd.DescribeMaster(Product("P", "", "Password=SVC;d\r\nFeature0=A\r\n[A]\r\nName=A\r\nPassword=REG;d\r\n"));
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, std::string(kSetupKey) + "\\Passwords\\REG", "UserName", "regUser"), ERROR_SUCCESS);
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, std::string(kSetupKey) + "\\Passwords\\REG", "Password", "regPass"), ERROR_SUCCESS);
  Load("Password0=SVCX;no;no\r\nPassword1=svc;admin;se;cret\r\nPassword2=SVC;late;x\r\n");
  CPassword& svc = *Master().passwords.Find("SVC");
  svc.PrepareDefaultUser();
  EXPECT_EQ(svc.userName, "admin");
  EXPECT_EQ(svc.password, "se;cret");
  CPassword& reg = *Master().passwords.Find("REG");
  reg.PrepareDefaultUser();
  EXPECT_EQ(reg.userName, "regUser");
  EXPECT_EQ(reg.password, "regPass");
  reg.userName = "typed";
  reg.PrepareDefaultUser();
  EXPECT_EQ(reg.userName, "typed");
}

TEST_F(LoaderTest, CoreComponentsAreDroppedWhenTheRunLeavesThemOut) {
  cd.DescribeMaster(Product("P", "", "Component0=SHARED;CORE\r\n"));
  Load("InstallCoreComponents=No\r\n");
  EXPECT_EQ(Master().components.Count(), 1);
  EXPECT_EQ(Feature({}).components.size(), 1u);
}

TEST_F(LoaderTest, CoreComponentSetupIsFoundBesideOrInsideAndLoadedAsAMaster) {
  cd.DescribeMaster(Product("P", "", "Component0=Beside;CORE\r\nComponent1=INSIDE;CORE\r\n"));
  cd.Describe("Core\\BESIDE",
              "[Main]\r\nName=Beside\r\nRootFeature=BESIDE\r\nInstallType=ISINSTALL\r\nCD=CORECD;Core CD\r\n"
              "Component0=BESIDE\\files;IS\r\nTargetNeed0=CORVACOMMON;300\r\n");
  cd.Describe("master\\Core\\INSIDE", "[Main]\r\nName=Inside\r\nInstallType=ISINSTALL\r\n");
  Load();
  CSetup& master = Master();
  CComponent& beside = *master.components.Find("BESIDE");
  ASSERT_NE(beside.setup, nullptr);
  EXPECT_EQ(beside.setup, beside.coreSetup.get());
  EXPECT_EQ(beside.setup->PropIniFile, JoinPath(cd.Dir("Core\\BESIDE"), "prop.ini"));
  EXPECT_EQ(beside.setup->ParamsFile, JoinPath(TempDirectory(), "BESIDE.ini"));
  EXPECT_EQ(beside.setup->coreComponentList.size(), 1u);
  EXPECT_EQ(beside.setup->coreComponentList[0].ID.Raw(), "BESIDE\\FILES");
  ASSERT_EQ(beside.targetNeeds.Count(), 1);
  EXPECT_EQ(beside.targetNeeds.At(0).SizeKB(), 300u);
  EXPECT_EQ(beside.setup->setupTypes.Count(), 0);
  ASSERT_NE(beside.setup->currentCD, nullptr);
  EXPECT_EQ(beside.setup->currentCD->ID.Raw(), "CORECD");
  EXPECT_NE(master.cds.Find("CORECD"), nullptr);
  EXPECT_TRUE(beside.IsCore());
  CComponent& inside = *master.components.Find("INSIDE");
  ASSERT_NE(inside.setup, nullptr);
  EXPECT_EQ(inside.setup->SrcDir, cd.Dir("master\\Core\\INSIDE"));
  EXPECT_TRUE(ContainsLine(cd.Log(), "      Load setup from " + beside.setup->PropIniFile + " (core component)"));
}

TEST_F(LoaderTest, SubsetupsMergeTargetsSetupTypesAndFeatureTrees) {
  cd.DescribeMaster(Product("CORVANT SOFTWARE", "LoadSubsetups=yes\r\n",
                            "[Targets]\r\nTarget0=SHARED;Shared;C:\\s;d;HIDE;READONLY\r\n"
                            "[SetupTypes]\r\nSetupType0=STANDARD\r\n"));
  cd.Describe("alpha", Product("ALPHA", "SkipRoot=Yes\r\n",
                               "Feature0=A1\r\nFeature1=A2\r\n[A1]\r\nName=A one\r\n[A2]\r\nName=A two\r\n"
                               "[Targets]\r\nTarget0=SHARED;S;C:\\x;d;SHOW;AFTER\r\n"
                               "Target1=ALPHADIR;Alpha;%CORVAROOT%\\Alpha;d\r\n"
                               "[SetupTypes]\r\nSetupType0=STANDARD;Not mine\r\nSetupType1=CUSTOM;Custom\r\n"));
  cd.Describe("beta", Product("BETA", "",
                              "Feature0=B1\r\n[B1]\r\nName=B one\r\n"
                              "[Targets]\r\nTarget0=SHARED;S;C:\\y;d;BEFORE;EDITABLE;NORECALC\r\n"
                              "Target1=BETADIR;Beta;%ALPHADIR%\\Beta;d\r\n"));
  WriteTextFile(cd.Dir("notes\\readme.txt"), "no product here");
  Load();
  CSetup& master = Master();
  ASSERT_EQ(master.subsetups.Count(), 2);
  EXPECT_EQ(master.subsetups.At(0).ID.Raw(), "ALPHA");
  EXPECT_EQ(master.subsetups.At(1).ID.Raw(), "BETA");
  EXPECT_EQ(master.subsetups.At(0).ParamsFile, JoinPath(TempDirectory(), "ALPHA.ini"));

  const CTarget& shared = *master.targets.Find("SHARED");
  EXPECT_EQ(shared.show.Raw(), "SHOW");
  EXPECT_EQ(shared.promptPosition.Raw(), "BEFORE");
  EXPECT_EQ(shared.recalc.Raw(), "RECALC");
  EXPECT_EQ(shared.editable.Raw(), "READONLY");
  EXPECT_EQ(shared.path, "C:\\s");
  ASSERT_NE(master.targets.Find("BETADIR"), nullptr);
  std::string root = master.targets.Find("CORVAROOT")->path;
  EXPECT_EQ(root.find('%'), std::string::npos);
  EXPECT_EQ(master.targets.Find("BETADIR")->path, root + "\\Alpha\\Beta");

  ASSERT_EQ(master.setupTypes.Count(), 2);
  EXPECT_EQ(master.setupTypes.At(0).Description.Raw(), "");
  EXPECT_EQ(master.setupTypes.At(1).ID.Raw(), "CUSTOM");

  CFeature& top = Feature({});
  ASSERT_EQ(top.subfeatures.Count(), 3);
  EXPECT_EQ(Feature({0}).ID.Raw(), "A1");
  EXPECT_EQ(Feature({1}).ID.Raw(), "A2");
  EXPECT_EQ(Feature({2}).ID.Raw(), "BETA");
  EXPECT_EQ(Feature({2, 0}).ID.Raw(), "B1");
  EXPECT_EQ(Feature({0}).parent, &top);
  EXPECT_EQ(Feature({2, 0}).parent, &Feature({2}));
  // The master holds copies: the subsetups' own trees are untouched.
  EXPECT_NE(&Feature({2}), &master.subsetups.At(1).rootFeature);
  EXPECT_EQ(master.subsetups.At(1).rootFeature.subfeatures.At(0).parent, &master.subsetups.At(1).rootFeature);
  EXPECT_EQ(Feature({2}).setup, &master.subsetups.At(1));

  auto log = cd.Log();
  EXPECT_TRUE(ContainsLine(log, "Searching subdirectories of " + cd.Root() + " :"));
  EXPECT_TRUE(ContainsLine(log, "   Subdirectory alpha ---"));
  EXPECT_TRUE(ContainsLine(log, "   Subdirectory master ---"));
  EXPECT_TRUE(ContainsLine(log, "   Subdirectory notes ---"));
  EXPECT_TRUE(ContainsLine(log, "   Load setup from " + JoinPath(cd.Dir("beta"), "prop.ini")));
}

TEST_F(LoaderTest, ACdKeepsItsFirstDescriptionAcrossSetups) {
  cd.DescribeMaster(Product("P", "LoadSubsetups=YES\r\nCD=disk1;First\\nline\r\n"));
  cd.Describe("alpha", Product("ALPHA", "CD=DISK1;Second\r\n"));
  cd.Describe("beta", Product("BETA", "CD=Disk2;Other disk\r\n"));
  Load("NotifyCoreInstall=Not\r\n");
  CSetup& master = Master();
  ASSERT_EQ(master.cds.Count(), 2);
  EXPECT_EQ(master.cds.At(0).ID.Raw(), "DISK1");
  EXPECT_EQ(master.cds.At(0).Description.Raw(), "First\nline");
  EXPECT_EQ(master.cds.At(1).ID.Raw(), "DISK2");
  EXPECT_EQ(master.subsetups.At(0).CD.Raw(), "DISK1");
  EXPECT_EQ(master.currentCD, &master.cds.At(0));
  EXPECT_EQ(master.NotifyCoreInstall, 1);
  auto log = cd.Log();
  // The line break of the description goes into the log as it is.
  EXPECT_TRUE(ContainsLine(log, "   Load CD DISK1 (\"First"));
  EXPECT_TRUE(ContainsLine(log, "line\")"));
  EXPECT_TRUE(ContainsLine(log, "      Load CD DISK2 (\"Other disk\")"));
  int loggedDisk1 = 0;
  for (const std::string& line : log) loggedDisk1 += line.find("Load CD DISK1") != std::string::npos;
  EXPECT_EQ(loggedDisk1, 1);
}

TEST_F(LoaderTest, DeepCopyOfAFeatureCopiesItsWholeSubtree) {
  cd.DescribeMaster(Product("P", "", "Feature0=A\r\nComponent0=P\\x;IS\r\n[A]\r\nName=A\r\nFeature0=B\r\n[B]\r\nName=B\r\n"));
  Load();
  CFeature copy(Feature({}));
  EXPECT_EQ(copy.ID.Raw(), "P");
  ASSERT_EQ(copy.subfeatures.Count(), 1);
  EXPECT_NE(&copy.subfeatures.At(0), &Feature({0}));
  EXPECT_EQ(copy.subfeatures.At(0).parent, &copy);
  EXPECT_EQ(copy.subfeatures.At(0).subfeatures.At(0).parent, &copy.subfeatures.At(0));
  EXPECT_EQ(copy.components.size(), Feature({}).components.size());
  EXPECT_EQ(copy.components[0].component, Feature({}).components[0].component);
}

TEST_F(LoaderTest, RecomputingDependentsFollowsTheChainAndWarnsOfFixedTargets) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kSetupKey, "FIXEDdir", "F:\\fixed"), ERROR_SUCCESS);
  cd.DescribeMaster(Product("P", "",
                            "[Targets]\r\nTarget0=BASE;B;C:\\base;d\r\nTarget1=CHILD;C;%BASE%\\child;d\r\n"
                            "Target2=GRAND;G;%CHILD%\\grand;d\r\nTarget3=KEEP;K;%BASE%\\keep;d;NORECALC\r\n"
                            "Target4=FIXED;F;%GRAND%\\f;d\r\nTarget5=OTHER;O;%base%\\o;d\r\n"));
  Load();
  Collection<CTarget>& targets = Master().targets;
  CTarget& base = *targets.Find("BASE");
  EXPECT_TRUE(WouldResetFixedTarget(base));
  EXPECT_FALSE(WouldResetFixedTarget(*targets.Find("FIXED")));
  base.path = "D:\\new";
  RecomputeDependentTargets(base);
  EXPECT_EQ(targets.Find("CHILD")->path, "D:\\new\\child");
  EXPECT_EQ(targets.Find("GRAND")->path, "D:\\new\\child\\grand");
  EXPECT_EQ(targets.Find("KEEP")->path, "C:\\base\\keep");
  EXPECT_EQ(targets.Find("FIXED")->path, "D:\\new\\child\\grand\\f");
  EXPECT_EQ(targets.Find("OTHER")->path, "C:\\base\\o");  // the ID is matched in its exact case
}

TEST_F(LoaderTest, VerifyingASetupOnAnInsertedCd) {
  cd.DescribeMaster(Product("P", "LoadSubsetups=YES\r\n"));
  WriteTextFile(cd.Dir("alpha\\prop.dll"), "x");
  WriteTextFile(cd.Dir("alpha\\setup.exe"), "x");
  cd.Describe("alpha", Product("ALPHA", "MifName=AlphaStatus\r\n"));
  Load();
  CSetup& alpha = Master().subsetups.At(0);
  std::string disk = cd.Dir("disk2");
  auto message = [&]() -> std::string {
    try {
      VerifySetupOnCD(alpha, disk);
    } catch (CMyError& error) {
      return error.Message();
    }
    return "verified";
  };
  alpha.PropIniFile = JoinPath(disk, "prop.ini");
  EXPECT_EQ(message(), "The properties file for ALPHA product is missing from this CD.");
  CopyFileTo(cd.Dir("alpha\\prop.ini"), JoinPath(disk, "prop.ini"));
  EXPECT_EQ(message(), "Setup is unable to locate " + JoinPath(disk, "prop.dll") + " on this CD.");
  WriteTextFile(JoinPath(disk, "prop.dll"), "x");
  EXPECT_EQ(message(), "Setup is unable to locate " + JoinPath(disk, "setup.exe") + " on this CD.");
  alpha.CD.Set("OTHERCD");
  EXPECT_EQ(message(), "verified");
  alpha.CD.Set("corvantcd");
  WriteTextFile(JoinPath(disk, "setup.exe"), "x");
  EXPECT_EQ(message(), "verified");
  WriteTextFile(JoinPath(disk, "setup.ini"), "[Startup]\r\nAppName=My Status\r\n");
  EXPECT_EQ(message(), "Illegal MIF File name My Status in " + JoinPath(disk, "setup.ini"));
  WriteTextFile(JoinPath(disk, "setup.ini"), "[Mif]\r\nFilename= alphastatus \r\n[Startup]\r\nAppName=x y\r\n");
  EXPECT_EQ(message(), "verified");
  DeleteFileA(JoinPath(disk, "setup.ini").c_str());
  WriteTextFile(JoinPath(disk, "setup.ini"), "[Other]\r\n");
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, JoinPath(disk, "setup.ini").c_str());
  EXPECT_EQ(message(), "verified");
  EXPECT_TRUE(ContainsLine(cd.Log(), "*** Warning - MIF File name mismatch between " + JoinPath(disk, "setup.ini") +
                                         " and " + JoinPath(disk, "prop.ini")));
}

TEST_F(LoaderTest, InfSetupOnAnInsertedCdNeedsItsInfFileThenItsLibrary) {
  WriteTextFile(cd.Dir("master\\a.inf"), "");
  WriteTextFile(cd.Dir("master\\a.dll"), "");
  cd.DescribeMaster("[Main]\r\nName=Inf\r\nInstallType=INFINSTALL\r\nInfFile=a.inf\r\nInfDLL=a.dll\r\n");
  Load();
  std::string disk = cd.Dir("disk");
  CopyFileTo(cd.MasterFile(), JoinPath(disk, "prop.ini"));
  Master().PropIniFile = JoinPath(disk, "prop.ini");
  auto message = [&]() -> std::string {
    try {
      VerifySetupOnCD(Master(), disk);
    } catch (CMyError& error) {
      return error.Message();
    }
    return "verified";
  };
  EXPECT_EQ(message(), "Setup is unable to locate " + JoinPath(disk, "a.inf") + " on this CD.");
  WriteTextFile(JoinPath(disk, "a.inf"), "");
  EXPECT_EQ(message(), "Setup is unable to locate " + JoinPath(disk, "a.dll") + " on this CD.");
  WriteTextFile(JoinPath(disk, "a.dll"), "");
  EXPECT_EQ(message(), "verified");
}

// Descriptions written to make the load work without end: the work stays bounded and the load
// ends in a description error or in a sound model.
namespace {
// L1 lists L2 twice, L2 lists L3 twice, and so on: 2^levels feature sections from a few lines.
std::string DoublingFeatureLevels(int levels) {
  std::string sections = "Feature0=L1\r\nFeature1=L1\r\n";
  for (int level = 1; level <= levels; ++level) {
    std::string next = "L" + std::to_string(level + 1);
    sections += "[L" + std::to_string(level) + "]\r\nName=n\r\n";
    if (level < levels) sections += "Feature0=" + next + "\r\nFeature1=" + next + "\r\n";
  }
  return sections;
}
}  // namespace

TEST_F(LoaderTest, ASectionListedTwiceAtEveryLevelStopsAtTheLoadsSectionBudget) {
  cd.DescribeMaster(Product("P", "", DoublingFeatureLevels(25)));
  std::string error = LoadError();
  EXPECT_EQ(error.rfind("Error in file " + cd.MasterFile() + " [L", 0), 0u) << error;
  EXPECT_NE(error.find(" :Section [L"), std::string::npos) << error;
  EXPECT_NE(error.find("] exceeds the limit of 25000 section reads in one load"), std::string::npos) << error;
}

TEST_F(LoaderTest, ASectionIncludedByManyFeaturesStillLoads) {
  std::string features, sections;
  for (int i = 0; i < 40; ++i) {
    features += "Feature" + std::to_string(i) + "=F" + std::to_string(i) + "\r\n";
    sections += "[F" + std::to_string(i) + "]\r\nName=f\r\nComponent0=SHARED;SECTION\r\nComponent1=EXTRA;SECTION\r\n";
  }
  cd.DescribeMaster(Product("P", "", features + sections +
                                         "[SHARED]\r\nComponent0=P\\shared;IS\r\nComponent1=EXTRA;SECTION\r\n"
                                         "[EXTRA]\r\nComponent0=P\\extra;IS\r\n"));
  Load();
  ASSERT_EQ(Feature({}).subfeatures.Count(), 40);
  for (int i = 0; i < 40; ++i) {
    std::vector<std::string> ids;
    for (const CComponentRef& ref : Feature({i}).components) ids.push_back(ref.ID.Raw());
    std::vector<std::string> expected = {"P\\SHARED", "P\\EXTRA", "EXTRA", "SHARED", "P\\EXTRA", "EXTRA",
                                         "F" + std::to_string(i)};
    EXPECT_EQ(ids, expected) << i;
  }
}

TEST_F(LoaderTest, AChainOfThousandsOfTargetsResolvesAndRecomputesWithoutRecursion) {
  constexpr int kChain = 5000;
  std::string targets = "[Targets]\r\n";
  for (int i = 0; i < kChain; ++i)
    targets += "Target" + std::to_string(i) + "=T" + std::to_string(i) + ";t;%T" + std::to_string(i + 1) + "%;d\r\n";
  targets += "Target" + std::to_string(kChain) + "=T" + std::to_string(kChain) + ";t;C:\\end;d\r\n";
  cd.DescribeMaster(Product("P", "", targets));
  Load();
  Collection<CTarget>& all = Master().targets;
  EXPECT_EQ(all.Find("T0")->path, "C:\\end");
  EXPECT_EQ(all.Find("T2500")->path, "C:\\end");

  CTarget& end = *all.Find("T" + std::to_string(kChain));
  EXPECT_FALSE(WouldResetFixedTarget(end));
  end.path = "D:\\moved";
  RecomputeDependentTargets(end);
  EXPECT_EQ(all.Find("T0")->path, "D:\\moved");
  EXPECT_EQ(all.Find("T4999")->path, "D:\\moved");
}

TEST_F(LoaderTest, RecomputingSettlesATargetAfterEveryPathItIsBuiltFrom) {
  // LATE is built from EARLY and from MID; MID only moves after SIDE has moved.
  cd.DescribeMaster(Product("P", "",
                            "[Targets]\r\nTarget0=BASE;b;C:\\b;d\r\nTarget1=LATE;l;%EARLY%+%MID%;d\r\n"
                            "Target2=EARLY;e;%BASE%\\e;d\r\nTarget3=SIDE;s;%BASE%\\s;d\r\nTarget4=MID;m;%SIDE%\\m;d\r\n"
                            "Target5=STILL;t;%SIDE%\\t;d;NORECALC\r\nTarget6=AFTER;a;%STILL%\\a;d\r\n"));
  Load();
  Collection<CTarget>& targets = Master().targets;
  CTarget& base = *targets.Find("BASE");
  base.path = "D:\\n";
  RecomputeDependentTargets(base);
  EXPECT_EQ(targets.Find("MID")->path, "D:\\n\\s\\m");
  EXPECT_EQ(targets.Find("LATE")->path, "D:\\n\\e+D:\\n\\s\\m");
  EXPECT_EQ(targets.Find("STILL")->path, "C:\\b\\s\\t");
  EXPECT_EQ(targets.Find("AFTER")->path, "C:\\b\\s\\t\\a");
}
