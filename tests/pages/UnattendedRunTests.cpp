// A whole unattended run of the wizard steps, in the order a setup script calls them, on a
// loaded description: every page step passes with its log lines and the model holds the
// answers of the parameters file.
#include <gtest/gtest.h>

#include <algorithm>

#include "include/tessaro.h"
#include "engine/Log.h"
#include "engine/Params.h"
#include "model/Loader.h"
#include "model/Model.h"
#include "pages/SuiteCd.h"
#include "state/Registry.h"
#include "support/ScriptedPages.h"
#include "support/TestSupport.h"

using namespace testing_support;
using namespace pages_tests;

namespace {
class UnattendedRunTest : public ::testing::Test {
 protected:
  UnattendedRunTest() {
    CleanCorvantRegistry();
    CreateSetupData();
    SetLogIndentLevel(0);
  }
  ~UnattendedRunTest() override {
    Master().ParamsFile.clear();
    CreateSetupData();
    SetLogPath("");
    SetParamsFileInForce("");
    CleanCorvantRegistry();
  }
  void Load(const std::string& params) {
    SetParamsFileInForce(params);
    SetLogPath(cd.LogPath());
    LoadMaster(Master(), cd.MasterDir(), params, false);
  }

  SuiteCd cd;
  MessageBoxWatcher boxes;
  ScopedScriptedPages pages;  // no page may be asked for
};
}  // namespace

TEST_F(UnattendedRunTest, EveryPageStepPassesAndTheModelHoldsThePresetAnswers) {
  std::string apps = cd.Path("Apps");
  Load(cd.Params("Unattended=Yes\r\nSetupType=server\r\nFeature0=writer;NO\r\nFeature1=CALC;yes\r\n"
                 "Feature2=GHOST;YES\r\nFolder=Quelwise Apps\r\nServer=hub01\r\nServerActive=1\r\n"
                 "Password0=CALCSVC;svcuser;secret",
                 "Target0=APPDIR;" + apps));
  size_t loadLines = cd.Log().size();

  EXPECT_EQ(TS_DetectComponents(), 1);
  EXPECT_EQ(TS_UninstallCheck(1), 0);
  EXPECT_EQ(TS_WelcomeDlg(1), 1);
  EXPECT_EQ(TS_LicenseDlg(1), 1);
  EXPECT_EQ(TS_InitialChecks(1), 1);
  EXPECT_EQ(TS_SetupTypeDlg(1), 1);
  EXPECT_EQ(TS_PreSelection(1), 1);
  EXPECT_EQ(TS_GetAllTargetsDlgs(1, "BEFORE"), 1);
  EXPECT_EQ(TS_GetAllTargetsDlgs(1, "DURING"), 1);
  EXPECT_EQ(TS_GetSelectionsDlg(1), 1);
  EXPECT_EQ(TS_PostSelection(1), 1);
  EXPECT_EQ(TS_GetAllTargetsDlgs(1, "AFTER"), 1);
  EXPECT_EQ(TS_GetFolderDlg(1), 1);
  EXPECT_EQ(TS_GetServerDlg(1), 1);
  EXPECT_EQ(TS_FinalChecks(1), 1);
  EXPECT_EQ(TS_ShowSummaryDlg(1), 1);

  EXPECT_TRUE(pages.host.wizardPages.empty());
  EXPECT_TRUE(pages.host.shown.empty());
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_EQ(LogIndentLevel(), 0);

  CSetup& master = Master();
  EXPECT_EQ(master.setupType, "SERVER");
  CFeature& writer = master.rootFeature.subfeatures.At(0);
  CFeature& calc = master.rootFeature.subfeatures.At(1);
  EXPECT_EQ(writer.selected, 0);
  EXPECT_EQ(calc.selected, 1);
  EXPECT_EQ(master.rootFeature.selected, 1);
  EXPECT_EQ(master.components.Find("SUITE\\CALC")->selected, 1);
  EXPECT_EQ(master.components.Find("SUITE\\WRITER")->selected, 0);
  EXPECT_EQ(master.targets.Find("APPDIR")->path, apps);
  EXPECT_EQ(master.targets.Find("APPDIR")->fixed, 1);
  EXPECT_EQ(master.targets.Find("DATADIR")->path, apps + "\\Data");
  EXPECT_EQ(master.programFolder, "Quelwise Apps");
  EXPECT_EQ(master.serverName, "hub01");
  EXPECT_EQ(master.serverActive, 1);
  CPassword* account = master.passwords.Find("CALCSVC");
  ASSERT_NE(account, nullptr);
  EXPECT_EQ(account->needed, 1);
  EXPECT_EQ(account->userName, "svcuser");
  EXPECT_EQ(account->password, "secret");
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, std::string(kSetupKey) + "\\CurrentTargets", "APPDIR"), apps);
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, std::string(kSetupKey) + "\\CurrentTargets", "DATADIR"),
            apps + "\\Data");

  // The log from the first step on, without the one line that names the free space.
  std::vector<std::string> log = cd.Log();
  log.erase(log.begin(), log.begin() + static_cast<long>(loadLines));
  log.erase(std::remove_if(log.begin(), log.end(),
                           [](const std::string& line) {
                             return line.find("Total disk space required on drive") != std::string::npos;
                           }),
            log.end());
  std::string root = master.targets.Find("CORVAROOT")->path;
  EXPECT_EQ(log, (std::vector<std::string>{"Detect Installed Features :",
                                           "Detect Installed Core Components :",
                                           "--- First-Time Install of Corvant Products ---",
                                           "Bypass dialog",
                                           "Option selected = Install/Reinstall",
                                           "Bypass dialog",
                                           "License File not found - bypass dialog",
                                           "Custom DLL InitialChecks :",
                                           "Bypass dialog",
                                           "SetupType = SERVER",
                                           "Custom DLL PreSelection :",
                                           "Target CORVAROOT :",
                                           "   Bypass dialog",
                                           "   Target path = " + root,
                                           "Target APPDIR :",
                                           "   Bypass dialog",
                                           "   Target path = " + apps,
                                           "Target DATADIR :",
                                           "   Bypass dialog",
                                           "   Target path = " + apps + "\\Data",
                                           "Bypass dialog",
                                           "***** Feature Selection *****",
                                           "   -------------------------------------",
                                           "   SETUP SUITE :",
                                           "   -------------------------------------",
                                           "      SrcDir =      " + cd.MasterDir(),
                                           "      (SELECTED)",
                                           "      CDs :",
                                           "         CORVANTCD \"Corvant Setup CD\"",
                                           "            Setups on this CD :",
                                           "               SUITE (Master Setup)",
                                           "            Core Components on this CD :",
                                           "      FEATURES :",
                                           "         SUITE (Corvant Suite;) - Selected",
                                           "            Subfeatures :",
                                           "               CALC (Calc;) - Selected",
                                           "      ",
                                           "      -------------------------------------",
                                           "   ",
                                           "Prompt for Passwords :",
                                           "   Get Password for CALCSVC :",
                                           "      Bypass dialog - Username = svcuser; Password = ********",
                                           "Custom DLL PostSelection :",
                                           "Bypass dialog",
                                           "Folder = Quelwise Apps",
                                           "Bypass dialog",
                                           "Check disk space :",
                                           "   Total number of drives :1.",
                                           "   The drives are:-",
                                           "   C:",
                                           "Calling Custom dll FinalChecks",
                                           "Custom DLL FinalChecks :",
                                           "Bypass dialog"}));
}
