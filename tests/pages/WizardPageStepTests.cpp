// The welcome, add/remove, agreement and summary steps with scripted pages.
#include "engine/StepResult.h"
#include "install/SystemIntegration.h"
#include "pages/PageStepFixture.h"
#include "support/TestSupport.h"
#include "ui/WizardPageSteps.h"

using namespace testing_support;

using WizardPageStepTest = PageStepTest;

TEST_F(WizardPageStepTest, WelcomeTextNamesProductsOnlyForCorvant) {
  EXPECT_EQ(WelcomeText("corvant"),
            "Welcome to the corvant Setup program.  This program will install corvant products on your computer.");
  EXPECT_EQ(WelcomeText("Quelwise Office"),
            "Welcome to the Quelwise Office Setup program.  This program will install Quelwise Office on your "
            "computer.");
}

TEST_F(WizardPageStepTest, WelcomeIsBypassedBySwitchOrMessageLevelWithResultOne) {
  for (const char* main : {"EnableWelcomeDlg=No", "MessageLevel=SOME"}) {
    Params(main);
    EXPECT_EQ(RunWelcomeStep(1), kStepNext) << main;
    EXPECT_EQ(RunWelcomeStep(12), kStepNext) << main;
    EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog", "Bypass dialog"}));
  }
}

TEST_F(WizardPageStepTest, WelcomeNextGoesOnAndAnythingElseStops) {
  pages.Then({"Welcome", kEndNext}).Then({"Welcome", kEndCancel});
  EXPECT_EQ(RunWelcomeStep(1), kStepNext);
  EXPECT_EQ(pages.welcomeText, WelcomeText("Corvant"));
  EXPECT_EQ(RunWelcomeStep(1), kStepStop);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"User cancelled"}));
}

TEST_F(WizardPageStepTest, UninstallCheckWithoutInstalledFeaturesInstalls) {
  AddFeature(master().rootFeature, "WRITER");
  EXPECT_EQ(RunUninstallCheckStep(1), 0);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog", "Option selected = Install/Reinstall"}));
}

TEST_F(WizardPageStepTest, UninstallCheckSwitchAndUnattendedBypass) {
  AddFeature(master().rootFeature, "WRITER").installed = 1;
  for (const char* main : {"EnableUninstallCheckDlg=No", "Unattended=Yes"}) {
    Params(main);
    EXPECT_EQ(RunUninstallCheckStep(12), 0) << main;
    EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog", "Option selected = Install/Reinstall"}));
  }
}

TEST_F(WizardPageStepTest, UninstallCheckAnswersWhatThePageChose) {
  AddFeature(master().rootFeature, "WRITER").installed = 1;
  pages.Then({"AddRemove", static_cast<int>(AddRemoveChoice::Install)})
      .Then({"AddRemove", static_cast<int>(AddRemoveChoice::Uninstall)})
      .Then({"AddRemove", static_cast<int>(AddRemoveChoice::Cancel)});
  EXPECT_EQ(RunUninstallCheckStep(1), 0);
  EXPECT_EQ(RunUninstallCheckStep(1), 1);
  EXPECT_EQ(RunUninstallCheckStep(1), 2);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Option selected = Install/Reinstall", "Option selected = Uninstall",
                                                "User cancelled"}));
}

TEST_F(WizardPageStepTest, AMissingAgreementBypassesInTheDirectionGiven) {
  EXPECT_EQ(RunLicenseStep(12), kStepBack);
  EXPECT_EQ(RunLicenseStep(1), kStepNext);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"License File not found - bypass dialog",
                                                "License File not found - bypass dialog"}));
}

TEST_F(WizardPageStepTest, AgreementSwitchMessageLevelAndUnattendedBypass) {
  WriteTextFile(dir / "license.txt", "Terms\r\n");
  for (const char* main : {"EnableLicenseDlg=No", "MessageLevel=None", "Unattended=Yes"}) {
    Params(main);
    EXPECT_EQ(RunLicenseStep(12), kStepBack) << main;
    EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog"})) << main;
  }
}

TEST_F(WizardPageStepTest, AgreementListsTheFileLineByLine) {
  std::string longLine(300, 'x');
  WriteTextFile(dir / "license.txt", "First line\r\n\r\n" + longLine + "\nLast");
  pages.Then({"License", kEndNext}).Then({"License", kEndBack}).Then({"License", kEndCancel});
  EXPECT_EQ(RunLicenseStep(1), kStepNext);
  EXPECT_EQ(pages.agreementLines,
            (std::vector<std::string>{"First line", "", std::string(255, 'x'), std::string(45, 'x'), "Last"}));
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Display file " + (dir / "license.txt")}));
  EXPECT_EQ(RunLicenseStep(1), kStepBack);
  EXPECT_EQ(NewLog().back(), "return BACK");
  EXPECT_EQ(RunLicenseStep(1), kStepStop);
  EXPECT_EQ(NewLog().back(), "User cancelled");
}

TEST_F(WizardPageStepTest, SummaryIsBypassedBySwitchMessageLevelAndUnattended) {
  for (const char* main : {"EnableShowSummaryDlg=No", "MessageLevel=SOME", "Unattended=Yes"}) {
    Params(main);
    EXPECT_EQ(RunSummaryStep(12), kStepBack) << main;
    EXPECT_EQ(RunSummaryStep(1), kStepNext) << main;
    EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog", "Bypass dialog"})) << main;
  }
}

TEST_F(WizardPageStepTest, SummaryListsTheAnswersAndLogsEachLine) {
  auto addType = [&](const char* id) {
    auto type = std::make_unique<CSetupType>();
    type->ID.Set(id);
    master().setupTypes.Append(std::move(type));
  };
  addType("STANDARD");
  addType("SERVER");
  master().setupType = "SERVER";
  CFeature& office = AddFeature(master().rootFeature, "OFFICE");
  office.selected = 1;
  AddFeature(office, "WRITER").selected = 1;
  AddFeature(office, "CALC");
  AddTarget("CORVAROOT", "C:\\Corvant");
  AddTarget("WINDIR", "C:\\windows").show.Set("HIDE");
  master().programFolder = "Corvant";
  master().serverName = "hub";
  master().serverActive = 1;
  pages.Then({"Summary", kEndBack});
  EXPECT_EQ(RunSummaryStep(1), kStepBack);
  std::vector<std::string> expected{"Computer type :",
                                    "   SERVER",
                                    "",
                                    "Features selected :",
                                    "   OFFICE name",
                                    "      WRITER name",
                                    "",
                                    "Target Directories :",
                                    "   CORVAROOT label\tC:\\Corvant",
                                    "",
                                    "Program Folder :",
                                    "   Corvant",
                                    "",
                                    "Corva Framework Server :",
                                    "    hub",
                                    "Corva Framework Server Configuration :",
                                    "    Enabled"};
  EXPECT_EQ(pages.summaryLines, expected);
  expected.push_back("return BACK");
  EXPECT_EQ(NewLog(), expected);
}

TEST_F(WizardPageStepTest, SummaryShowsSelectedCoreComponentsAndAServerToConfigureLater) {
  auto core = std::make_unique<CComponent>();
  core->ID.Set("RUNTIME");
  core->type.Set("CORE");
  core->selected = 1;
  master().components.Append(std::move(core));
  master().serverName = "hub";
  pages.Then({"Summary", kEndCancel});
  EXPECT_EQ(RunSummaryStep(1), kStepStop);
  const std::vector<std::string>& lines = pages.summaryLines;
  EXPECT_TRUE(ContainsLine(lines, "Core Components selected :"));
  EXPECT_TRUE(ContainsLine(lines, "   RUNTIME"));
  EXPECT_EQ(lines.back(), "    Configure later");
  EXPECT_FALSE(ContainsLine(lines, "Computer type :"));
}

TEST_F(WizardPageStepTest, StartInstallingDeselectsInstalledCoreComponentsUnlessForced) {
  auto core = std::make_unique<CComponent>();
  core->ID.Set("RUNTIME");
  core->type.Set("CORE");
  core->selected = 1;
  core->installed = 1;
  CComponent& runtime = master().components.Append(std::move(core));
  pages.Then({"Summary", kEndNext, "", true});
  EXPECT_EQ(RunSummaryStep(1), kStepNext);
  EXPECT_EQ(runtime.selected, 1);
  pages.Then({"Summary", kEndNext, "", false});
  EXPECT_EQ(RunSummaryStep(1), kStepNext);
  EXPECT_EQ(runtime.selected, 0);
  EXPECT_TRUE(ContainsLine(Log(), "   Unselect RUNTIME"));
}

TEST_F(WizardPageStepTest, FinalPageBypassedBySwitchMessageLevelAndUnattendedWithResultOne) {
  for (const char* main : {"EnableFinalDlg=No", "MessageLevel=NONE", "Unattended=Yes"}) {
    Params(main);
    EXPECT_EQ(RunFinalStep(12), kStepNext) << main;
    EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog"})) << main;
  }
}

TEST_F(WizardPageStepTest, FinishWithoutAScheduledRestartStopsTheRun) {
  Params("IgnorePendingReboot=Yes");
  pages.Then({"Final", kEndNext, "", true});
  EXPECT_EQ(RunFinalStep(1), kStepStop);
  EXPECT_FALSE(pages.restartOffered);
  EXPECT_EQ(pages.finalSuite, "Corvant");
}

TEST_F(WizardPageStepTest, TheRestartPageAnswersOneOnlyForARestartNow) {
  EXPECT_TRUE(ScheduleReboot());
  pages.Then({"Final", kEndNext, "", true}).Then({"Final", kEndNext, "", false});
  EXPECT_EQ(RunFinalStep(1), kStepNext);
  EXPECT_TRUE(pages.restartOffered);
  EXPECT_EQ(RunFinalStep(1), kStepStop);
  EXPECT_TRUE(CancelReboot());
}
