// The computer configuration type step with scripted pages.
#include "engine/StepResult.h"
#include "pages/PageStepFixture.h"
#include "support/TestSupport.h"
#include "ui/SetupTypeStep.h"

using namespace testing_support;

namespace {
class SetupTypeStepTest : public PageStepTest {
 protected:
  void TwoTypes() {
    AddSetupType("STANDARD");
    AddSetupType("SERVER");
  }
};
}  // namespace

TEST_F(SetupTypeStepTest, TakesTheParametersFileFirst) {
  TwoTypes();
  Params("SetupType=server");
  ChooseCurrentSetupType(master());
  EXPECT_EQ(master().setupType, "SERVER");
}

TEST_F(SetupTypeStepTest, TakesTheDescriptionWhenTheParametersFileIsSilent) {
  TwoTypes();
  WriteTextFile(master().PropIniFile = dir / "described.ini", "[SetupTypes]\r\nSetupType=SERVER\r\n");
  ChooseCurrentSetupType(master());
  EXPECT_EQ(master().setupType, "SERVER");
}

TEST_F(SetupTypeStepTest, TakesTheFirstListedTypeWhenNothingNamesOne) {
  AddSetupType("LITECLIENT");
  AddSetupType("STANDARD");
  ChooseCurrentSetupType(master());
  EXPECT_EQ(master().setupType, "LITECLIENT");
}

TEST_F(SetupTypeStepTest, FallsBackToStandardWithoutSetupTypes) {
  ChooseCurrentSetupType(master());
  EXPECT_EQ(master().setupType, "STANDARD");
}

TEST_F(SetupTypeStepTest, ReplacesAnUnknownTypeByTheFirstListed) {
  TwoTypes();
  WriteTextFile(master().PropIniFile = dir / "unknown.ini", "[SetupTypes]\r\nSetupType=CLIENT\r\n");
  ChooseCurrentSetupType(master());
  EXPECT_EQ(master().setupType, "STANDARD");
}

TEST_F(SetupTypeStepTest, KeepsATypeAlreadyChosen) {
  TwoTypes();
  master().setupType = "SERVER";
  Params("SetupType=STANDARD");
  ChooseCurrentSetupType(master());
  EXPECT_EQ(master().setupType, "SERVER");
}

TEST_F(SetupTypeStepTest, PageSwitchOffBypassesInTheDirectionGiven) {
  TwoTypes();
  Params("EnableSetupTypeDlg=No");
  EXPECT_EQ(RunSetupTypeStep(1), kStepNext);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog", "SetupType = STANDARD"}));
  EXPECT_EQ(RunSetupTypeStep(12), kStepBack);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog", "SetupType = STANDARD"}));
}

TEST_F(SetupTypeStepTest, PresetTypeBypasses) {
  TwoTypes();
  Params("SetupType=SERVER");
  EXPECT_EQ(RunSetupTypeStep(12), kStepBack);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog", "SetupType = SERVER"}));
}

TEST_F(SetupTypeStepTest, UnattendedRunBypasses) {
  TwoTypes();
  Params("Unattended=Yes");
  EXPECT_EQ(RunSetupTypeStep(1), kStepNext);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog", "SetupType = STANDARD"}));
}

TEST_F(SetupTypeStepTest, OneTypeBypassesWithItsOwnReason) {
  AddSetupType("SERVER");
  EXPECT_EQ(RunSetupTypeStep(12), kStepBack);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Only one setup type used - bypass dialog", "SetupType = SERVER"}));
}

TEST_F(SetupTypeStepTest, NoTypeAtAllBypassesInsteadOfAPageWithoutButtons) {
  EXPECT_EQ(RunSetupTypeStep(1), kStepNext);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog", "SetupType = STANDARD"}));
}

TEST_F(SetupTypeStepTest, ClickingAnotherTypeChoosesItAndMarksTheChange) {
  TwoTypes();
  pages.Then({"SetupType", kEndNext, "SERVER"});
  EXPECT_EQ(RunSetupTypeStep(1), kStepNext);
  EXPECT_EQ(pages.offeredTypes, (std::vector<std::string>{"STANDARD", "SERVER"}));
  EXPECT_EQ(master().setupType, "SERVER");
  EXPECT_EQ(master().setupTypeChanged, 1);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"SetupType = SERVER"}));
}

TEST_F(SetupTypeStepTest, ClickingTheCurrentTypeLeavesTheChangeFlagAlone) {
  TwoTypes();
  pages.Then({"SetupType", kEndNext, "standard"});
  EXPECT_EQ(RunSetupTypeStep(1), kStepNext);
  EXPECT_EQ(master().setupTypeChanged, 0);
}

TEST_F(SetupTypeStepTest, BackAndCancelMapToTheirResults) {
  TwoTypes();
  pages.Then({"SetupType", kEndBack}).Then({"SetupType", kEndCancel});
  EXPECT_EQ(RunSetupTypeStep(1), kStepBack);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"return BACK", "SetupType = STANDARD"}));
  EXPECT_EQ(RunSetupTypeStep(1), kStepStop);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"User cancelled", "SetupType = STANDARD"}));
  EXPECT_EQ(master().setupTypeChanged, 0);
}

TEST_F(SetupTypeStepTest, OffersAtMostFourTypes) {
  for (const char* id : {"A", "B", "C", "D", "E"}) AddSetupType(id);
  pages.Then({"SetupType", kEndNext, "D"});
  EXPECT_EQ(RunSetupTypeStep(1), kStepNext);
  EXPECT_EQ(pages.offeredTypes, (std::vector<std::string>{"A", "B", "C", "D"}));
}
