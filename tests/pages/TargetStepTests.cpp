// The install directory steps with scripted pages.
#include "engine/StepResult.h"
#include "pages/PageStepFixture.h"
#include "state/Registry.h"
#include "support/TestSupport.h"
#include "ui/TargetSteps.h"

using namespace testing_support;

namespace {
const std::string kCurrentTargets = std::string(kSetupKey) + "\\CurrentTargets";

class TargetStepTest : public PageStepTest {
 protected:
  void SetUp() override {
    PageStepTest::SetUp();
    // The four built-in targets come first in every model.
    AddTarget("CORVAROOT", "C:\\Corvant");
    AddTarget("WINSYSDIR", "C:\\windows\\system32").show.Set("HIDE");
    AddTarget("WINDIR", "C:\\windows").show.Set("HIDE");
    AddTarget("CORVACOMMON", "C:\\Corvant\\Common").show.Set("HIDE");
    app = &AddTarget("APPDIR", "%CORVAROOT%\\App");
    app->path = "C:\\Corvant\\App";
  }
  std::string Current(const std::string& id) { return ReadRegString(HKEY_LOCAL_MACHINE, kCurrentTargets, id); }
  CTarget* app = nullptr;
};
}  // namespace

TEST_F(TargetStepTest, FirstInstallShowsThePageAndRecordsTheAnswer) {
  pages.Then({"Target", kEndNext, "D:\\Apps"});
  EXPECT_EQ(RunTargetStep(1, 4, "during"), kStepNext);
  EXPECT_EQ(app->path, "D:\\Apps");
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Target APPDIR :", "   Target path = D:\\Apps"}));
  EXPECT_EQ(Current("APPDIR"), "D:\\Apps");
}

TEST_F(TargetStepTest, PageEndsMapToStepResultsInsideTheTargetsLines) {
  pages.Then({"Target", kEndBack}).Then({"Target", kEndCancel});
  EXPECT_EQ(RunTargetStep(1, 4, "DURING"), kStepBack);
  EXPECT_EQ(NewLog(),
            (std::vector<std::string>{"Target APPDIR :", "   return BACK", "   Target path = C:\\Corvant\\App"}));
  EXPECT_EQ(RunTargetStep(12, 4, "DURING"), kStepStop);
  EXPECT_EQ(NewLog(),
            (std::vector<std::string>{"Target APPDIR :", "   User cancelled", "   Target path = C:\\Corvant\\App"}));
}

TEST_F(TargetStepTest, ATargetOfAnotherPageTimeIsPassedInTheDirectionButRecorded) {
  EXPECT_EQ(RunTargetStep(12, 4, "BEFORE"), kStepBack);
  EXPECT_EQ(RunTargetStep(1, 1, "DURING"), kStepNext);
  EXPECT_TRUE(NewLog().empty());
  EXPECT_EQ(Current("APPDIR"), "C:\\Corvant\\App");
  EXPECT_EQ(Current("WINSYSDIR"), "C:\\windows\\system32");
}

TEST_F(TargetStepTest, AfterPagesOnlyForTargetsOfSelectedComponents) {
  app->promptPosition.Set("AFTER");
  CFeature& product = AddFeature(master().rootFeature, "PRODUCT");
  CComponent& component = AddComponent(product, "APPFILES", "APPDIR");
  EXPECT_FALSE(TargetWantsPage(master(), *app, "AFTER"));
  component.selected = 1;
  EXPECT_TRUE(TargetWantsPage(master(), *app, "AFTER"));
  app->fixed = 1;
  EXPECT_FALSE(TargetWantsPage(master(), *app, "AFTER"));
  app->multiplicity.Set("MULTIPLE");
  EXPECT_TRUE(TargetWantsPage(master(), *app, "AFTER"));
  EXPECT_FALSE(TargetWantsPage(master(), *app, "DURING"));
}

TEST_F(TargetStepTest, ALaterInstallReinstallsToTheRegisteredPathWithoutAPage) {
  master().firstInstall = 0;
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kSetupKey, "APPDIRdir", "E:\\Old\\App"), ERROR_SUCCESS);
  EXPECT_EQ(RunTargetStep(12, 4, "DURING"), kStepBack);
  EXPECT_EQ(app->path, "E:\\Old\\App");
  EXPECT_EQ(app->fixed, 1);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Target APPDIR :", "   Reinstalling target to E:\\Old\\App",
                                                "   Target path = E:\\Old\\App"}));
  EXPECT_EQ(Current("APPDIR"), "E:\\Old\\App");
}

TEST_F(TargetStepTest, ALaterInstallNeverAsksForTheRootTargets) {
  master().firstInstall = 0;
  EXPECT_EQ(RunTargetStep(1, 0, "DURING"), kStepNext);
  EXPECT_TRUE(NewLog().empty());
  EXPECT_EQ(Current("CORVAROOT"), "C:\\Corvant");
}

TEST_F(TargetStepTest, AMultipleTargetShowsThePageAtItsRegisteredPath) {
  master().firstInstall = 0;
  app->multiplicity.Set("MULTIPLE");
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kSetupKey, "APPDIRdir", "E:\\Old\\App"), ERROR_SUCCESS);
  pages.Then({"Target", kEndNext, "E:\\Second"});
  EXPECT_EQ(RunTargetStep(1, 4, "DURING"), kStepNext);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Target APPDIR :", "   Previous instance of multiple target = E:\\Old\\App",
                                                "   Target path = E:\\Second"}));
}

TEST_F(TargetStepTest, APresetPathFixesTheTargetAndRecomputesItsDependents) {
  master().firstInstall = 0;
  CTarget& data = AddTarget("DATADIR", "%APPDIR%\\Data");
  data.path = "C:\\Corvant\\App\\Data";
  Params("", "Target0=OTHER;X:\\Other\r\nTarget1=appdir;F:\\Preset\r\nTarget2=APPDIR;G:\\Later");
  EXPECT_EQ(RunTargetStep(1, 4, "DURING"), kStepNext);
  EXPECT_EQ(app->path, "F:\\Preset");
  EXPECT_EQ(app->fixed, 1);
  EXPECT_EQ(data.path, "F:\\Preset\\Data");
  EXPECT_EQ(NewLog(),
            (std::vector<std::string>{"Target APPDIR :", "   Bypass dialog", "   Target path = F:\\Preset"}));
}

TEST_F(TargetStepTest, APresetWithAnEmptyPathStillShowsThePage) {
  master().firstInstall = 0;
  Params("", "Target0=APPDIR;");
  pages.Then({"Target", kEndNext});
  EXPECT_EQ(RunTargetStep(1, 4, "DURING"), kStepNext);
  EXPECT_EQ(pages.targetsShown, (std::vector<std::string>{"APPDIR"}));
}

TEST_F(TargetStepTest, AnUnattendedRunWithoutAnAnswerKeepsThePathInsteadOfAsking) {
  Params("Unattended=Yes");
  EXPECT_EQ(RunTargetStep(12, 4, "DURING"), kStepBack);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Target APPDIR :", "   Bypass dialog",
                                                "   Target path = C:\\Corvant\\App"}));
}

TEST_F(TargetStepTest, AllTargetsWalkForwardAndReturnOneAtTheEnd) {
  AddTarget("DATADIR", "D:\\Data");
  pages.Then({"Target", kEndNext}).Then({"Target", kEndNext}).Then({"Target", kEndNext});
  EXPECT_EQ(RunAllTargetsStep(1, "DURING"), kStepNext);
  EXPECT_EQ(pages.targetsShown, (std::vector<std::string>{"CORVAROOT", "APPDIR", "DATADIR"}));
}

TEST_F(TargetStepTest, AllTargetsBackwardsStartAtTheLastAndLeaveWithBackOnTheFirst) {
  AddTarget("DATADIR", "D:\\Data");
  pages.Then({"Target", kEndBack}).Then({"Target", kEndBack}).Then({"Target", kEndBack});
  EXPECT_EQ(RunAllTargetsStep(12, "DURING"), kStepBack);
  EXPECT_EQ(pages.targetsShown, (std::vector<std::string>{"DATADIR", "APPDIR", "CORVAROOT"}));
}

TEST_F(TargetStepTest, AllTargetsBackOnOnePageGoesToThePreviousPage) {
  pages.Then({"Target", kEndNext}).Then({"Target", kEndBack}).Then({"Target", kEndNext}).Then({"Target", kEndNext});
  EXPECT_EQ(RunAllTargetsStep(1, "DURING"), kStepNext);
  EXPECT_EQ(pages.targetsShown, (std::vector<std::string>{"CORVAROOT", "APPDIR", "CORVAROOT", "APPDIR"}));
}

TEST_F(TargetStepTest, AllTargetsStopOnCancel) {
  pages.Then({"Target", kEndNext}).Then({"Target", kEndCancel});
  EXPECT_EQ(RunAllTargetsStep(1, "DURING"), kStepStop);
}

TEST_F(TargetStepTest, WithoutTargetsTheDirectionPassesThrough) {
  CreateSetupData();
  EXPECT_EQ(RunAllTargetsStep(12, "DURING"), 12);
  EXPECT_EQ(RunAllTargetsStep(1, "DURING"), 1);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Target count = 0", "Target count = 0"}));
}
