// The page steps through a loaded engine, as a setup script calls them: bypassed by their
// switches, by preset answers and by an unattended run, in both directions, with their log
// lines. Pages whose windows this build lacks are refused and stop the run.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

#include "pages/SuiteCd.h"
#include "state/Registry.h"
#include "support/PageDriver.h"
#include "support/TestSupport.h"
#include "ui/resources/PageResource.h"

using namespace testing_support;
using namespace pages_tests;

namespace {
using LoadFn = int(__stdcall*)(const char*);
using DirectedFn = int(__stdcall*)(int);
using TargetFn = int(__stdcall*)(int, int, const char*);
using AllTargetsFn = int(__stdcall*)(int, const char*);
using WriteParamFn = int(__stdcall*)(const char*, const char*);

const std::string kCurrentTargets = std::string(kSetupKey) + "\\CurrentTargets";

class PageExportsTest : public ::testing::Test {
 protected:
  PageExportsTest() { CleanCorvantRegistry(); }
  ~PageExportsTest() override {
    engine.reset();
    CleanCorvantRegistry();
  }

  // Builds the CD, loads a fresh engine from its master directory and loads the description.
  void Start(const std::string& main, const std::string& targets = "",
             const std::string& description = kSuiteDescription, bool withProductLibrary = false) {
    cd = std::make_unique<SuiteCd>(description);
    if (withProductLibrary) {
      CopyFileTo(FixturePath("fixture_setup.dll"), JoinPath(cd->MasterDir(), "prop.dll"));
      WriteTextFile(JoinPath(cd->MasterDir(), "fixture.ini"), "[Keywords]\r\n%CORVAFOLDER%=Fixture Folder\r\n");
      WritePropIni(cd->MasterFile(), description);
    }
    engine = std::make_unique<EngineInstance>(cd->MasterDir());
    std::string params = cd->Params(main, targets);
    ASSERT_EQ(engine->Get<LoadFn>("TS_LoadSetupData")(params.c_str()), 0);
    seen = cd->Log().size();
  }
  int Step(const char* name, int direction) { return engine->Get<DirectedFn>(name)(direction); }
  int Targets(int direction, const char* pageTime) {
    return engine->Get<AllTargetsFn>("TS_GetAllTargetsDlgs")(direction, pageTime);
  }
  void WriteParam(const char* key, const char* value) { engine->Get<WriteParamFn>("TSWriteParam2")(key, value); }
  // The log lines written since the last call.
  std::vector<std::string> NewLog() {
    std::vector<std::string> all = cd->Log();
    std::vector<std::string> fresh(all.begin() + static_cast<long>(std::min(seen, all.size())), all.end());
    seen = all.size();
    return fresh;
  }
  // The features the selection dump names after the last "***** Feature Selection *****".
  static std::vector<std::string> DumpedFeatures(const std::vector<std::string>& log) {
    auto from = std::find(log.rbegin(), log.rend(), "***** Feature Selection *****");
    std::vector<std::string> features;
    for (auto at = from.base(); at != log.end(); ++at)
      if (at->find(" - Selected") != std::string::npos) features.push_back(at->substr(at->find_first_not_of(' ')));
    return features;
  }

  MessageBoxWatcher boxes;
  std::unique_ptr<SuiteCd> cd;
  std::unique_ptr<EngineInstance> engine;
  size_t seen = 0;
};

std::string WithMain(const std::string& extraMain) {
  std::string description = kSuiteDescription;
  return description.insert(description.find("[Targets]"), extraMain);
}
}  // namespace

TEST_F(PageExportsTest, SetupTypeBypassedBySwitchPresetAndUnattendedInBothDirections) {
  Start("EnableSetupTypeDlg=NO");
  EXPECT_EQ(Step("TS_SetupTypeDlg", 1), 1);
  EXPECT_EQ(Step("TS_SetupTypeDlg", 12), 12);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog", "SetupType = STANDARD", "Bypass dialog",
                                                "SetupType = STANDARD"}));
  Start("SetupType=server");
  EXPECT_EQ(Step("TS_SetupTypeDlg", 12), 12);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog", "SetupType = SERVER"}));
  Start("Unattended=TRUE");
  EXPECT_EQ(Step("TS_SetupTypeDlg", 1), 1);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog", "SetupType = STANDARD"}));
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(PageExportsTest, SetupTypeFromTheDescriptionThenTheFirstListed) {
  std::string described = kSuiteDescription;
  described.insert(described.find("SetupType0"), "SetupType=SERVER\r\n");
  Start("Unattended=Yes", "", described);
  EXPECT_EQ(Step("TS_SetupTypeDlg", 1), 1);
  EXPECT_EQ(NewLog().back(), "SetupType = SERVER");
  std::string unknown = kSuiteDescription;
  unknown.insert(unknown.find("SetupType0"), "SetupType=CLIENT\r\n");
  Start("Unattended=Yes", "", unknown);
  EXPECT_EQ(Step("TS_SetupTypeDlg", 1), 1);
  EXPECT_EQ(NewLog().back(), "SetupType = STANDARD");
}

TEST_F(PageExportsTest, OneSetupTypeBypassesWithItsOwnReason) {
  std::string single = kSuiteDescription;
  single.erase(single.find("SetupType1=SERVER;\r\n"), std::string("SetupType1=SERVER;\r\n").size());
  Start("", "", single);
  EXPECT_EQ(Step("TS_SetupTypeDlg", 12), 12);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Only one setup type used - bypass dialog", "SetupType = STANDARD"}));
}

TEST_F(PageExportsTest, TheTargetPagesRunAttendedThroughTheEngine) {
  Start("");
  std::atomic<bool> done{false};
  std::vector<std::string> shownPaths;
  int result = WithUser(
      [&] {
        while (!done) {
          HWND page = WaitForPage("Choose Destination Location", 200);
          if (!page) continue;
          shownPaths.push_back(ItemText(page, IDC_TARGET_PATH));
          Click(page, IDOK);
          EXPECT_TRUE(WaitUntilClosed(page));
        }
      },
      [&] {
        int answer = Targets(1, "BEFORE");
        done = true;
        return answer;
      });
  EXPECT_EQ(result, 1);
  EXPECT_FALSE(shownPaths.empty());
  EXPECT_TRUE(boxes.Boxes().empty());
  std::vector<std::string> log = NewLog();
  EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const std::string& line) {
    return line.rfind("Target ", 0) == 0 && line.back() == ':';
  }));
}

TEST_F(PageExportsTest, FolderFromTheParametersFileBypasses) {
  Start("Folder=Preset Folder");
  EXPECT_EQ(Step("TS_GetFolderDlg", 12), 12);
  EXPECT_EQ(Step("TS_GetFolderDlg", 1), 1);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog", "Folder = Preset Folder", "Bypass dialog",
                                                "Folder = Preset Folder"}));
}

TEST_F(PageExportsTest, FolderOfAnEarlierInstallationComesFirstAndBypassesAnAttendedRun) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kSetupKey, "Folder", "Registered Folder"), ERROR_SUCCESS);
  Start("Folder=Preset Folder\r\nEnableGetFolderDlg=Yes");
  EXPECT_EQ(Step("TS_GetFolderDlg", 1), 1);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog", "Folder = Registered Folder"}));
}

TEST_F(PageExportsTest, FolderFromTheDescriptionThenTheKeywordThenCorvant) {
  Start("Unattended=Yes", "", WithMain("Folder=Described Folder\r\n"));
  EXPECT_EQ(Step("TS_GetFolderDlg", 1), 1);
  EXPECT_EQ(NewLog().back(), "Folder = Described Folder");
  Start("Unattended=Yes", "", kSuiteDescription, true);
  EXPECT_EQ(Step("TS_GetFolderDlg", 1), 1);
  EXPECT_EQ(NewLog().back(), "Folder = Fixture Folder");
  Start("Unattended=Yes");
  EXPECT_EQ(Step("TS_GetFolderDlg", 1), 1);
  EXPECT_EQ(NewLog().back(), "Folder = Corvant");
}

TEST_F(PageExportsTest, FolderNotNeededByAnySelectedFeatureIsEmptied) {
  Start("EnableGetFolderDlg=Y");
  EXPECT_EQ(Step("TS_GetFolderDlg", 12), 12);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog", "Folder = "}));
}

TEST_F(PageExportsTest, TargetPresetsFixThePathsAndAreRecorded) {
  Start("Unattended=Yes", "Target0=appdir;E:\\Preset\\App");
  EXPECT_EQ(Targets(1, "DURING"), 1);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Target APPDIR :", "   Bypass dialog", "   Target path = E:\\Preset\\App",
                                                "Target DATADIR :", "   Bypass dialog",
                                                "   Target path = E:\\Preset\\App\\Data"}));
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kCurrentTargets, "APPDIR"), "E:\\Preset\\App");
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kCurrentTargets, "DATADIR"), "E:\\Preset\\App\\Data");
  EXPECT_FALSE(ReadRegString(HKEY_LOCAL_MACHINE, kCurrentTargets, "WINDIR").empty());
  EXPECT_EQ(engine->Get<TargetFn>("TS_GetTargetDlg")(12, 4, "DURING"), 12);
}

TEST_F(PageExportsTest, RegisteredPathsOfALaterInstallAreReinstalledWalkingBack) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kSetupKey, "APPDIRdir", "F:\\Old\\App"), ERROR_SUCCESS);
  Start("", "Target0=DATADIR;G:\\Data");
  EXPECT_EQ(Targets(12, "DURING"), 12);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Target DATADIR :", "   Bypass dialog", "   Target path = G:\\Data",
                                                "Target APPDIR :", "   Reinstalling target to F:\\Old\\App",
                                                "   Target path = F:\\Old\\App"}));
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kCurrentTargets, "DATADIR"), "G:\\Data");
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(PageExportsTest, FeaturePresetsByIdInAnyCaseSkipUnknownIdsAndBypass) {
  Start("Feature0=calc;yes\r\nFeature1=NOSUCH;YES\r\nFeature2=Writer;no");
  EXPECT_EQ(Step("TS_GetSelectionsDlg", 1), 1);
  std::vector<std::string> log = NewLog();
  EXPECT_EQ(log.front(), "Bypass dialog");
  EXPECT_EQ(log[1], "***** Feature Selection *****");
  EXPECT_EQ(DumpedFeatures(log), (std::vector<std::string>{"SUITE (Corvant Suite;) - Selected",
                                                            "CALC (Calc;) - Selected"}));
}

TEST_F(PageExportsTest, FeaturePresetsApplyAgainForwardAndStayOnABackVisit) {
  Start("Feature0=CALC;YES\r\nFeature1=WRITER;NO");
  EXPECT_EQ(Step("TS_GetSelectionsDlg", 1), 1);
  WriteParam("Feature0", "CALC;NO");
  WriteParam("Feature1", "WRITER;YES");
  EXPECT_EQ(Step("TS_GetSelectionsDlg", 12), 12);
  EXPECT_EQ(DumpedFeatures(NewLog()), (std::vector<std::string>{"SUITE (Corvant Suite;) - Selected",
                                                                 "CALC (Calc;) - Selected"}));
  EXPECT_EQ(Step("TS_GetSelectionsDlg", 1), 1);
  EXPECT_EQ(DumpedFeatures(NewLog()), (std::vector<std::string>{"SUITE (Corvant Suite;) - Selected",
                                                                 "WRITER (Writer;) - Selected"}));
}

TEST_F(PageExportsTest, FeatureSelectionBypassedBySwitchAndUnattended) {
  for (const char* main : {"EnableGetSelectionsDlg=No", "Unattended=Yes"}) {
    Start(main);
    EXPECT_EQ(Step("TS_GetSelectionsDlg", 12), 12) << main;
    EXPECT_EQ(Step("TS_GetSelectionsDlg", 1), 1) << main;
    std::vector<std::string> log = NewLog();
    EXPECT_EQ(std::count(log.begin(), log.end(), "Bypass dialog"), 2) << main;
  }
}

TEST_F(PageExportsTest, ACoreComponentSetupHasNoFeatureSelection) {
  std::string bare = "[Main]\r\nName=Runtime\r\nRootFeature=\r\nInstallType=ISINSTALL\r\n";
  Start("", "", bare);
  EXPECT_EQ(Step("TS_GetSelectionsDlg", 12), 12);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Core component setup - no feature selection"}));
}

TEST_F(PageExportsTest, ServerPagesBypassedBySwitchUnattendedAndARegisteredServer) {
  for (const char* main : {"EnableNEXOSetup=No", "Unattended=Yes"}) {
    Start(main);
    EXPECT_EQ(Step("TS_GetServerDlg", 12), 12) << main;
    EXPECT_EQ(Step("TS_GetServerDlg", 1), 1) << main;
    EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog", "Bypass dialog"})) << main;
  }
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\CFW", "Active", "1"), ERROR_SUCCESS);
  Start("");
  EXPECT_EQ(Step("TS_GetServerDlg", 12), 12);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog"}));
}

TEST_F(PageExportsTest, WelcomeAgreementUninstallCheckSummaryAndFinalPageBypassed) {
  Start("MessageLevel=SOME");
  EXPECT_EQ(Step("TS_WelcomeDlg", 1), 1);
  EXPECT_EQ(Step("TS_LicenseDlg", 12), 12);
  EXPECT_EQ(Step("TS_UninstallCheck", 1), 0);
  EXPECT_EQ(Step("TS_ShowSummaryDlg", 12), 12);
  EXPECT_EQ(Step("TS_FinalDlg", 12), 1);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog", "Bypass dialog", "Bypass dialog",
                                                "Option selected = Install/Reinstall", "Bypass dialog",
                                                "Bypass dialog"}));
}

TEST_F(PageExportsTest, AMissingAgreementBypassesAndAPresentOneIsShownOnlyToAnAttendedRun) {
  Start("");
  EXPECT_EQ(Step("TS_LicenseDlg", 12), 12);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"License File not found - bypass dialog"}));
  WriteTextFile(JoinPath(cd->MasterDir(), "license.txt"), "Terms\r\n");
  WriteParam("Unattended", "YES");
  EXPECT_EQ(Step("TS_LicenseDlg", 1), 1);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog"}));
}
