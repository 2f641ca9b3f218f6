// TS_LoadSetupData, TS_UnloadSetupData and TSGetPropYesNo through a loaded engine, as a setup
// script calls them: the load log, a whole CD with subsetups and a core component, every
// description error with the file and section it names, and the clean-up of an unload.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "engine/Paths.h"
#include "load/CdTree.h"

using namespace testing_support;
using namespace load_tests;

namespace {
using NoArgsFn = int(__stdcall*)();
using PropYesNoFn = int(__stdcall*)(const char*, int);
using FindParamsFn = int(__stdcall*)(const char*, const char*, char*);

const std::string kSeparator(69, '=');

class LoadExportsTest : public ::testing::Test {
 protected:
  LoadExportsTest() { CleanCorvantRegistry(); }
  ~LoadExportsTest() override { CleanCorvantRegistry(); }

  int Load(const std::string& params) {
    if (!engine) engine = std::make_unique<EngineInstance>(cd.MasterDir());
    return LoadThrough(*engine, params);
  }
  int Unload() { return engine->Get<NoArgsFn>("TS_UnloadSetupData")(); }
  std::string Translate(const std::string& keyword, int* final = nullptr) {
    Translation translation = TranslateThrough(*engine, keyword);
    if (final) *final = translation.final;
    return translation.result == 0 ? translation.value : "(" + std::to_string(translation.result) + ") " + translation.value;
  }

  CdTree cd{"le"};
  std::unique_ptr<EngineInstance> engine;
};

// A master with two subsetups beside it; the first pulls in a core component from Core\SHARED.
void WriteSuite(const CdTree& cd) {
  cd.DescribeMaster(Product("CORVANT SOFTWARE", "LoadSubsetups=YES\r\nPageFlag=maybe\r\nNoFlag=no\r\n"));
  cd.Describe("alpha", Product("ALPHA", "MifName=LoadAlpha\r\n",
                               "Component0=SHARED;CORE\r\nComponent1=ALPHA\\files;IS\r\n"
                               "[Targets]\r\nTarget0=ALPHADIR;Alpha;%CORVAROOT%\\Alpha;d\r\n"));
  cd.Describe("beta", Product("BETA", "MifName=LoadBeta\r\n",
                              "[Targets]\r\nTarget0=BETADIR;Beta;%ALPHADIR%\\Beta;d\r\n"));
  cd.Describe("Core\\SHARED", "[Main]\r\nName=Shared\r\nRootFeature=SHARED\r\nMifName=LoadShared\r\n"
                              "InstallType=ISINSTALL\r\nTargetNeed0=CORVACOMMON;100\r\n");
}
}  // namespace

TEST_F(LoadExportsTest, LoadsAMasterWithTwoSubsetupsAndACoreComponent) {
  WriteSuite(cd);
  MessageBoxWatcher boxes;
  ASSERT_EQ(Load(cd.WriteParams()), 0);
  EXPECT_TRUE(boxes.Boxes().empty());

  auto log = cd.Log();
  ASSERT_GE(log.size(), 5u);
  EXPECT_EQ(log[0], "");
  EXPECT_EQ(log[1], kSeparator);
  EXPECT_EQ(log[2], "\t\t\t\tLOAD SETUP DATA :");
  EXPECT_EQ(log[3], kSeparator);
  EXPECT_EQ(log[4], "Load setup from " + cd.MasterFile());
  std::string alphaFile = JoinPath(cd.Dir("alpha"), "prop.ini");
  std::string coreFile = JoinPath(cd.Dir("Core\\SHARED"), "prop.ini");
  for (const std::string& line :
       {std::string("   Load CD CORVANTCD (\"Corvant Setup CD\")"), std::string("   CORVANT SOFTWARE (CORVANT SOFTWARE feature )"),
        "Searching subdirectories of " + cd.Root() + " :", std::string("   Subdirectory alpha ---"),
        "   Load setup from " + alphaFile, "         Load setup from " + coreFile + " (core component)",
        std::string("      ALPHA (ALPHA feature )"), std::string("   Subdirectory Core ---"),
        std::string("\t\tSETUP DATA FOR CORVANT SOFTWARE :")})
    EXPECT_TRUE(ContainsLine(log, line)) << line;
  // Two separators, the heading, a separator, the setup data dump, a separator.
  auto heading = std::find(log.begin(), log.end(), "\t\tSETUP DATA FOR CORVANT SOFTWARE :");
  ASSERT_NE(heading, log.end());
  ASSERT_GE(heading - log.begin(), 2);
  ASSERT_GE(log.end() - heading, 3);
  EXPECT_EQ(*(heading - 2), kSeparator);
  EXPECT_EQ(*(heading - 1), kSeparator);
  EXPECT_EQ(*(heading + 1), kSeparator);
  EXPECT_EQ(*(heading + 2), std::string(37, '-'));
  EXPECT_EQ(log.back(), kSeparator);

  int final = -1;
  std::string root = Translate("%CORVAROOT%", &final);
  EXPECT_EQ(final, 0);
  EXPECT_EQ(root, Translate("%CORVANTDIR%"));
  EXPECT_EQ(Translate("%BETADIR%", &final), root + "\\Alpha\\Beta");
  EXPECT_EQ(final, 0);
  EXPECT_EQ(Translate("%CONFIGINIFILE%"), cd.ParamsPath());

  auto propYesNo = engine->Get<PropYesNoFn>("TSGetPropYesNo");
  EXPECT_EQ(propYesNo("LoadSubsetups", 0), 1);
  EXPECT_EQ(propYesNo("PageFlag", 1), 1);
  EXPECT_EQ(propYesNo("PageFlag", 0), 0);
  EXPECT_EQ(propYesNo("NoFlag", 1), 0);
  EXPECT_EQ(propYesNo("Absent", 1), 1);
  EXPECT_EQ(Unload(), 0);
}

TEST_F(LoadExportsTest, LoadsTheFirstCdOfTheSampleSuite) {
  CopyTree(JoinPath(BuildDirectory(), "samples\\CD1"), cd.Root());
  MessageBoxWatcher boxes;
  ASSERT_EQ(Load(cd.WriteParams()), 0);
  EXPECT_TRUE(boxes.Boxes().empty());
  auto log = cd.Log();
  for (const char* line :
       {"   Load CD CD1 (\"Corvant Sample Suite CD 1\")", "      Load CD CD2 (\"Corvant Sample Suite CD 2\")",
        "      Load CD CD3 (\"Corvant Sample Suite CD 3\")", "   Subdirectory Archive ---", "   Subdirectory Core ---",
        "      DATA (Corvant Data Server 3.0)", "         DATA_SERVICE (Data Service 3.0)",
        "\t\tSETUP DATA FOR CORVANT SOFTWARE :"})
    EXPECT_TRUE(ContainsLine(log, line)) << line;
  EXPECT_TRUE(ContainsLine(log, "            Load setup from " + JoinPath(cd.Dir("Core\\SHAREDRT"), "prop.ini") +
                                    " (core component)"));
  std::string root = Translate("%CORVAROOT%");
  EXPECT_EQ(Translate("%DATASTORE%"), root + "\\Data\\Store");
  EXPECT_EQ(Translate("%ARCHIVEDIR%"), root + "\\Archive");
  EXPECT_EQ(Translate("%REPORTSDIR%"), root + "\\Reports");
  EXPECT_EQ(Unload(), 0);
}

TEST_F(LoadExportsTest, UnloadDeletesTheStagedParametersFilesAndKeepsTheRunsOwn) {
  WriteSuite(cd);
  WriteTextFile(cd.Dir("alpha\\config.ini"), "[Main]\r\nFolder=Alpha\r\n");
  WriteTextFile(cd.Dir("beta\\LoadBeta.ini"), "[Main]\r\nFolder=Beta\r\n");
  WriteTextFile(cd.Dir("Core\\SHARED\\config.ini"), "[Main]\r\nFolder=Shared\r\n");
  std::string params = cd.WriteParams();
  MessageBoxWatcher boxes;
  ASSERT_EQ(Load(params), 0);
  std::vector<std::string> staged = {JoinPath(TempDirectory(), "LoadAlpha.ini"), JoinPath(TempDirectory(), "LoadBeta.ini"),
                                     JoinPath(TempDirectory(), "LoadShared.ini")};
  for (const std::string& file : staged) EXPECT_TRUE(FileExists(file)) << file;
  EXPECT_EQ(Unload(), 0);
  for (const std::string& file : staged) EXPECT_FALSE(FileExists(file)) << file;
  EXPECT_TRUE(FileExists(params));
  // Nothing is left to unload a second time.
  EXPECT_EQ(Unload(), 0);
}

TEST_F(LoadExportsTest, UnloadDeletesAMasterParametersFileStagedInTheTemporaryDirectory) {
  cd.DescribeMaster(Product("P", "MifName=LoadStagedMaster\r\n"));
  WriteTextFile(cd.Dir("master\\config.ini"), "[Main]\r\nAppendToLog=" + cd.LogPath() + "\r\n");
  engine = std::make_unique<EngineInstance>(cd.MasterDir());
  char staged[MAX_PATH] = {};
  engine->Get<FindParamsFn>("TS_FindParamsIniFile")(cd.MasterDir().c_str(), "", staged);
  ASSERT_EQ(std::string(staged), JoinPath(TempDirectory(), "LoadStagedMaster.ini"));
  ASSERT_TRUE(FileExists(staged));
  MessageBoxWatcher boxes;
  ASSERT_EQ(Load(staged), 0);
  EXPECT_TRUE(ContainsLine(cd.Log(), "Load setup from " + cd.MasterFile()));
  EXPECT_EQ(Unload(), 0);
  EXPECT_FALSE(FileExists(staged));
}

TEST_F(LoadExportsTest, MissingMasterDescriptionIsReported) {
  EXPECT_TRUE(CreateDirectoryTree(cd.MasterDir()));
  MessageBoxWatcher boxes;
  EXPECT_EQ(Load(cd.WriteParams("MessageLevel=NONE\r\n")), -1);
  std::string text = "Error in file " + cd.MasterFile() + " :Configuration file not found";
  auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].caption, "Corvant Setup");
  EXPECT_EQ(shown[0].text, text);
  EXPECT_TRUE(ContainsLine(cd.Log(), "***** " + text));
}

TEST_F(LoadExportsTest, CoreRunLoadsTheMasterAsACoreComponent) {
  cd.DescribeMaster("[Main]\r\nName=Shared\r\nInstallType=ISINSTALL\r\nComponent0=MASTER\\x;IS\r\n"
                    "[SetupTypes]\r\nSetupType0=;broken but not read\r\n");
  MessageBoxWatcher boxes;
  ASSERT_EQ(Load(cd.WriteParams("Core=Not now\r\n")), 0);
  EXPECT_TRUE(ContainsLine(cd.Log(), "Load setup from " + cd.MasterFile() + " (core component)"));
}

// Every description error: the box and the log name the file and, where loading had reached
// one, the section.
struct ErrorCase {
  const char* name;
  // Writes the CD and returns the expected box text.
  std::function<std::string(const CdTree&)> write;
};

class DescriptionErrorTest : public LoadExportsTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(DescriptionErrorTest, IsReportedWithItsFileAndSection) {
  std::string expected = GetParam().write(cd);
  MessageBoxWatcher boxes;
  // The box shows whatever the message level.
  EXPECT_EQ(Load(cd.WriteParams("MessageLevel=NONE\r\n")), -1);
  auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].caption, "Corvant Setup");
  EXPECT_EQ(shown[0].text, expected);
  EXPECT_TRUE(ContainsLine(cd.Log(), "***** " + expected));
}

namespace {
std::string InMaster(const CdTree& cd, const std::string& content, const std::string& section,
                     const std::string& message) {
  std::string file = cd.DescribeMaster(content);
  return "Error in file " + file + (section.empty() ? "" : " [" + section + "]") + " :" + message;
}

std::string DeepChain() {
  std::string sections = "Feature0=S1\r\n";
  for (int i = 1; i <= 70; ++i)
    sections += "[S" + std::to_string(i) + "]\r\nName=n\r\nFeature0=S" + std::to_string(i + 1) + "\r\n";
  return sections;
}

const ErrorCase kErrorCases[] = {
    {"ValidationCode",
     [](const CdTree& cd) {
       WriteTextFile(cd.MasterFile(), Product("P") + "Validation=1234\r\n");
       return "Error in file " + cd.MasterFile() + " [Main] Validation :Validation Code failure";
     }},
    {"SetupDll",
     [](const CdTree& cd) {
       return InMaster(cd, Product("P", "SetupDLL=helper.dll\r\n"), "",
                       "Setup DLL " + JoinPath(cd.MasterDir(), "helper.dll") + " not found");
     }},
    {"MainName",
     [](const CdTree& cd) {
       return InMaster(cd, "[Main]\r\nRootFeature=P\r\nInstallType=ISINSTALL\r\n", "", "Name field is empty");
     }},
    {"FeatureName",
     [](const CdTree& cd) {
       return InMaster(cd, Product("P", "", "Feature0=Child\r\n[Child]\r\nDescription=x\r\n"), "Child",
                       "Name field is empty");
     }},
    {"InstallType",
     [](const CdTree& cd) {
       return InMaster(cd, "[Main]\r\nName=P\r\nInstallType=MsiInstall\r\n", "",
                       "Unrecognized InstallType entry MSIINSTALL");
     }},
    {"MissingInfFile",
     [](const CdTree& cd) {
       return InMaster(cd, "[Main]\r\nName=P\r\nInstallType=INFINSTALL\r\nInfDLL=a.dll\r\n", "",
                       "Missing InfFile entry");
     }},
    {"MissingInfDll",
     [](const CdTree& cd) {
       WriteTextFile(cd.Dir("master\\a.inf"), "");
       return InMaster(cd, "[Main]\r\nName=P\r\nInstallType=INFINSTALL\r\nInfFile=a.inf\r\n", "",
                       "Missing InfDLL entry");
     }},
    {"InfFileNotFound",
     [](const CdTree& cd) {
       return InMaster(cd, "[Main]\r\nName=P\r\nInstallType=INFINSTALL\r\nInfFile=a.inf\r\nInfDLL=a.dll\r\n", "",
                       "File a.inf not found");
     }},
    {"TargetId",
     [](const CdTree& cd) {
       return InMaster(cd, Product("P", "", "[Targets]\r\nTarget0=;Name;C:\\x;d\r\n"), "Targets",
                       "Missing target ID");
     }},
    {"TargetPath",
     [](const CdTree& cd) {
       return InMaster(cd, Product("P", "", "[Targets]\r\nTarget0=T;Name;;d\r\n"), "Targets",
                       "Missing default path expression");
     }},
    {"SetupTypeId",
     [](const CdTree& cd) {
       return InMaster(cd, Product("P", "", "[SetupTypes]\r\nSetupType0=;Text\r\n"), "SetupTypes",
                       "Missing setup type ID");
     }},
    {"SetupTypeDescription",
     [](const CdTree& cd) {
       return InMaster(cd, Product("P", "", "[SetupTypes]\r\nSetupType0=Server\r\nSetupType1=custom\r\n"),
                       "SetupTypes", "Missing description for setup type CUSTOM");
     }},
    {"TargetNeedTarget",
     [](const CdTree& cd) {
       return InMaster(cd, Product("P", "", "TargetNeed0=;10\r\n"), "P", "Missing TARGETNEED target ID");
     }},
    {"ComponentId",
     [](const CdTree& cd) {
       return InMaster(cd, Product("P", "", "Component0=;IS\r\n"), "P", "Missing component ID");
     }},
    {"ComponentType",
     [](const CdTree& cd) {
       return InMaster(cd, Product("P", "", "Component0=P\\x;Installer\r\n"), "P",
                       "Unrecognized component type INSTALLER");
     }},
    {"InstallShieldPrefix",
     [](const CdTree& cd) {
       return InMaster(cd, Product("P", "", "Feature0=A\r\n[A]\r\nName=A\r\nComponent0=Q\\x;IS\r\n"), "A",
                       "InstallShield Component ID Q\\X is not prefixed with the Setup ID");
     }},
    {"InstallShieldName",
     [](const CdTree& cd) {
       return InMaster(cd, Product("P", "", "Component0=p\\;IS\r\n"), "P",
                       "InstallShield Component ID is missing from P\\");
     }},
    {"CoreSetup",
     [](const CdTree& cd) {
       return InMaster(cd, Product("P", "", "Component0=NOWHERE;CORE\r\n"), "P",
                       "Unable to locate setup for Core component");
     }},
    {"PasswordId",
     [](const CdTree& cd) {
       return InMaster(cd, Product("P", "", "Password=;Service account\r\n"), "P", "Missing password ID");
     }},
    {"CdId",
     [](const CdTree& cd) { return InMaster(cd, Product("P", "CD=;Disk one\r\n"), "", "Missing CD ID"); }},
    {"CdDescription",
     [](const CdTree& cd) {
       return InMaster(cd, Product("P", "CD=disk2\r\n"), "", "Missing description for CD DISK2");
     }},
    {"FeatureListsItself",
     [](const CdTree& cd) {
       return InMaster(cd, Product("P", "", "Feature0=p\r\n"), "P", "Section [p] includes itself");
     }},
    {"FeatureListsAnAncestor",
     [](const CdTree& cd) {
       return InMaster(cd, Product("P", "", "Feature0=A\r\n[A]\r\nName=A\r\nFeature0=B\r\n[B]\r\nName=B\r\nFeature0=A\r\n"),
                       "B", "Section [A] includes itself");
     }},
    {"SectionsIncludeEachOther",
     [](const CdTree& cd) {
       return InMaster(cd,
                       Product("P", "",
                               "Component0=X;SECTION\r\n[X]\r\nComponent0=Y;SECTION\r\n[Y]\r\nComponent0=P\\a;IS\r\n"
                               "Component1=x;SECTION\r\n"),
                       "P", "Section [X] includes itself");
     }},
    {"SectionIncludesItself",
     [](const CdTree& cd) {
       return InMaster(cd, Product("P", "", "Component0=P;SECTION\r\n"), "P", "Section [P] includes itself");
     }},
    {"NestedTooDeeply",
     [](const CdTree& cd) { return InMaster(cd, Product("P", "", DeepChain()), "S63", "Section [S64] is nested too deeply"); }},
    {"MifNameLeavesItsDirectory",
     [](const CdTree& cd) {
       return InMaster(cd, Product("P", "MifName=..\\..\\Windows\\win\r\n"), "",
                       "MifName ..\\..\\Windows\\win is not a valid file name");
     }},
    {"UninstallIdNamesAPath",
     [](const CdTree& cd) {
       return InMaster(cd, Product("P", "UninstallID=C:\\evil\r\n"), "", "UninstallID C:\\evil is not a valid file name");
     }},
    {"RootFeatureNamesAPath",
     [](const CdTree& cd) {
       return InMaster(cd, "[Main]\r\nName=P\r\nRootFeature=a/b\r\nInstallType=ISINSTALL\r\n", "",
                       "RootFeature A/B is not a valid file name");
     }},
    {"CoreComponentOutsideCore",
     [](const CdTree& cd) {
       return InMaster(cd, Product("P", "", "Component0=..\\..\\SHARED;CORE\r\n"), "P",
                       "Core component ID ..\\..\\SHARED is not a valid file name");
     }},
    {"FeatureUninstallIdClimbsUp",
     [](const CdTree& cd) {
       return InMaster(cd, Product("P", "", "Feature0=A\r\n[A]\r\nName=A\r\nUninstallID=..\r\n"), "A",
                       "UninstallID .. is not a valid file name");
     }},
    {"FaultySubsetup",
     [](const CdTree& cd) {
       cd.DescribeMaster(Product("P", "LoadSubsetups=YES\r\n"));
       std::string file = cd.Describe("alpha", "[Main]\r\nRootFeature=ALPHA\r\nInstallType=ISINSTALL\r\n");
       return "Error in file " + file + " :Name field is empty";
     }},
    {"FaultyCoreSetup",
     [](const CdTree& cd) {
       cd.DescribeMaster(Product("P", "", "Component0=SHARED;CORE\r\n"));
       std::string file = cd.Describe("Core\\SHARED", "[Main]\r\nName=Shared\r\nInstallType=msi\r\n");
       return "Error in file " + file + " :Unrecognized InstallType entry MSI";
     }},
    {"AfterACoreSetup",
     [](const CdTree& cd) {
       cd.Describe("Core\\SHARED", "[Main]\r\nName=Shared\r\nInstallType=ISINSTALL\r\n");
       return InMaster(cd, Product("P", "", "Component0=SHARED;CORE\r\nComponent1=;IS\r\n"), "P",
                       "Missing component ID");
     }},
};

std::string CaseName(const ::testing::TestParamInfo<ErrorCase>& info) { return info.param.name; }
}  // namespace

INSTANTIATE_TEST_SUITE_P(EveryMessage, DescriptionErrorTest, ::testing::ValuesIn(kErrorCases), CaseName);
