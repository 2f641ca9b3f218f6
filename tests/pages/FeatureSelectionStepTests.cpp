// The feature selection step with scripted pages.
#include <algorithm>

#include "engine/StepResult.h"
#include "filters/FilterList.h"
#include "model/Selection.h"
#include "model/SelectionRules.h"
#include "pages/PageStepFixture.h"
#include "support/TestSupport.h"
#include "ui/FeatureSelectionStep.h"

using namespace testing_support;

namespace {
class FeatureSelectionStepTest : public PageStepTest {
 protected:
  void SetUp() override {
    PageStepTest::SetUp();
    CFeature& root = master().rootFeature;
    office = &AddFeature(root, "OFFICE", true);
    writer = &AddFeature(*office, "WRITER", true);
    calc = &AddFeature(*office, "CALC", false);
    tools = &AddFeature(root, "TOOLS", false);
    AddComponent(*writer, "WRITERFILES", "CORVAROOT");
    AddComponent(*tools, "TOOLFILES", "CORVAROOT");
    auto password = std::make_unique<CPassword>();
    password->ID.Set("SERVICE");
    master().passwords.Append(std::move(password));
    tools->Password = "SERVICE";
  }
  bool Selected(const CFeature& f) const { return f.selected != 0; }
  CFeature *office = nullptr, *writer = nullptr, *calc = nullptr, *tools = nullptr;
};
}  // namespace

TEST_F(FeatureSelectionStepTest, ACoreComponentSetupHasNoSelection) {
  master().rootFeature.ID.Set("");
  EXPECT_EQ(RunSelectionsStep(12), kStepBack);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Core component setup - no feature selection"}));
}

TEST_F(FeatureSelectionStepTest, PresetsByIdInAnyCaseSelectAndBypass) {
  Params("Feature0=tools;yes\r\nFeature1=NOSUCH;YES\r\nFeature2=Writer;No\r\nFeature3=CALC;YES");
  EXPECT_EQ(RunSelectionsStep(1), kStepNext);
  EXPECT_TRUE(Selected(*tools));
  EXPECT_FALSE(Selected(*writer));
  EXPECT_TRUE(Selected(*calc));
  // Parents follow their children; components and passwords follow the features.
  EXPECT_TRUE(Selected(*office));
  EXPECT_TRUE(Selected(master().rootFeature));
  EXPECT_EQ(master().components.Find("TOOLFILES")->selected, 1);
  EXPECT_EQ(master().components.Find("WRITERFILES")->selected, 0);
  EXPECT_EQ(master().passwords.Find("SERVICE")->needed, 1);
  EXPECT_EQ(tools->fixedSelection, 1);
  EXPECT_EQ(tools->selectionSet, 1);
  std::vector<std::string> log = NewLog();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[0], "Bypass dialog");
  EXPECT_EQ(log[1], "***** Feature Selection *****");
}

TEST_F(FeatureSelectionStepTest, PresetsAreAppliedAgainOnASecondForwardVisit) {
  Params("Feature0=TOOLS;YES");
  EXPECT_EQ(RunSelectionsStep(1), kStepNext);
  tools->selected = 0;
  EXPECT_EQ(RunSelectionsStep(1), kStepNext);
  EXPECT_TRUE(Selected(*tools));
}

TEST_F(FeatureSelectionStepTest, ABackVisitKeepsTheEarlierChoices) {
  Params("Feature0=TOOLS;YES");
  EXPECT_EQ(RunSelectionsStep(1), kStepNext);
  tools->selected = 0;
  EXPECT_EQ(RunSelectionsStep(12), kStepBack);
  EXPECT_FALSE(Selected(*tools));
}

TEST_F(FeatureSelectionStepTest, TheFirstVisitBackwardsStillSetsUpTheSelection) {
  Params("Feature0=TOOLS;YES");
  EXPECT_EQ(RunSelectionsStep(12), kStepBack);
  EXPECT_TRUE(Selected(*tools));
  EXPECT_EQ(master().selectionsDone, 1);
}

TEST_F(FeatureSelectionStepTest, AnAttendedFirstVisitTakesTheDefaults) {
  pages.Then({"Features", kEndNext});
  EXPECT_EQ(RunSelectionsStep(1), kStepNext);
  EXPECT_TRUE(Selected(*office));
  EXPECT_TRUE(Selected(*writer));
  EXPECT_FALSE(Selected(*calc));
  EXPECT_FALSE(Selected(*tools));
}

TEST_F(FeatureSelectionStepTest, InstalledFeaturesStartDeselected) {
  calc->installed = 1;
  office->selected = writer->selected = 1;
  pages.Then({"Features", kEndNext});
  EXPECT_EQ(RunSelectionsStep(1), kStepNext);
  EXPECT_FALSE(SelectedWithin(master().rootFeature));
}

TEST_F(FeatureSelectionStepTest, AReturnVisitAfterANewSetupTypeTakesItsDefaultsAgain) {
  pages.Then({"Features", kEndNext}).Then({"Features", kEndBack}).Then({"Features", kEndNext});
  EXPECT_EQ(RunSelectionsStep(1), kStepNext);
  writer->selected = 0;
  EXPECT_EQ(RunSelectionsStep(12), kStepBack);
  EXPECT_FALSE(Selected(*writer));
  master().setupTypeChanged = 1;
  EXPECT_EQ(RunSelectionsStep(12), kStepNext);
  EXPECT_TRUE(Selected(*writer));
  EXPECT_EQ(master().setupTypeChanged, 0);
}

TEST_F(FeatureSelectionStepTest, NoVisibleFeaturesPassesTheDirection) {
  office->Visible.Set("NO");
  tools->Visible.Set("NO");
  EXPECT_EQ(RunSelectionsStep(12), kStepBack);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"No visible features"}));
}

TEST_F(FeatureSelectionStepTest, SwitchAndUnattendedBypassInBothDirections) {
  for (const char* main : {"EnableGetSelectionsDlg=N", "Unattended=Y"}) {
    Params(main);
    EXPECT_EQ(RunSelectionsStep(1), kStepNext) << main;
    EXPECT_EQ(RunSelectionsStep(12), kStepBack) << main;
    std::vector<std::string> log = NewLog();
    EXPECT_EQ(std::count(log.begin(), log.end(), "Bypass dialog"), 2) << main;
    EXPECT_EQ(std::count(log.begin(), log.end(), "***** Feature Selection *****"), 2) << main;
  }
}

TEST_F(FeatureSelectionStepTest, PageEndsMapAfterTheSelectionDump) {
  pages.Then({"Features", kEndBack}).Then({"Features", kEndCancel});
  EXPECT_EQ(RunSelectionsStep(1), kStepBack);
  std::vector<std::string> log = NewLog();
  EXPECT_EQ(log.front(), "***** Feature Selection *****");
  EXPECT_EQ(log.back(), "return BACK");
  EXPECT_EQ(RunSelectionsStep(1), kStepStop);
  EXPECT_EQ(NewLog().back(), "User cancelled");
}

TEST_F(FeatureSelectionStepTest, NextNeedsOneSelectedFeature) {
  MessageBoxWatcher boxes;
  EXPECT_FALSE(FeatureSelectionNextAllowed(master().rootFeature));
  EXPECT_EQ(Log(), (std::vector<std::string>{"***** You must select at least one feature."}));
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  tools->selected = 1;
  EXPECT_TRUE(FeatureSelectionNextAllowed(master().rootFeature));
  EXPECT_EQ(master().components.Find("TOOLFILES")->selected, 1);
}

TEST_F(FeatureSelectionStepTest, TheSelectedRootAloneDoesNotCountAsAFeature) {
  ToggleFeature(master(), *tools, true);
  ToggleFeature(master(), *tools, false);
  EXPECT_TRUE(Selected(master().rootFeature));
  EXPECT_FALSE(FeatureCountVerdict(master().rootFeature).Passed());
  ToggleFeature(master(), *calc, true);
  EXPECT_TRUE(FeatureCountVerdict(master().rootFeature).Passed());
}

TEST_F(FeatureSelectionStepTest, TogglingSelectsWithDefaultsAndDeselectsTheWholeBranch) {
  ToggleFeature(master(), *office, true);
  EXPECT_TRUE(Selected(*office));
  EXPECT_TRUE(Selected(*writer));
  EXPECT_FALSE(Selected(*calc));
  EXPECT_TRUE(Selected(master().rootFeature));
  EXPECT_EQ(office->selectionSet, 1);
  ToggleFeature(master(), *office, false);
  EXPECT_FALSE(Selected(*office));
  EXPECT_FALSE(Selected(*writer));
}

namespace {
// A compatibility filter on a feature whose counterpart is neither installed nor selected.
void RequireAbsentFeature(CFeature& feature, const std::string& extra) {
  auto filter = std::make_unique<CCompatibilityFilter>(&Master());
  filter->Parse("MUSTHAVE;NOAPP;NOFEATURE" + extra);
  feature.filters.Append(std::move(filter));
}
}  // namespace

TEST_F(FeatureSelectionStepTest, RestrictedDependencyErrorsKeepThePageOpen) {
  RequireAbsentFeature(*tools, "");
  tools->selected = 1;
  pages.dependencyEnds = {kEndNext};
  EXPECT_FALSE(FeatureSelectionNextAllowed(master().rootFeature));
  ASSERT_EQ(pages.shown.size(), 1u);
  EXPECT_EQ(pages.shown[0].page, "dependency");
  EXPECT_EQ(pages.shown[0].text1, "TOOLS name requires NOFEATURE.\n");
  EXPECT_EQ(pages.shown[0].buttonMask, 0);
}

TEST_F(FeatureSelectionStepTest, PermittedDependencyErrorsLetTheUserChoose) {
  RequireAbsentFeature(*tools, ";PERMITTED");
  tools->selected = 1;
  pages.dependencyEnds = {kEndNext, kEndBack};
  EXPECT_TRUE(FeatureSelectionNextAllowed(master().rootFeature));
  EXPECT_FALSE(FeatureSelectionNextAllowed(master().rootFeature));
  ASSERT_EQ(pages.shown.size(), 2u);
  EXPECT_EQ(pages.shown[1].buttonMask, 1);
}

TEST_F(FeatureSelectionStepTest, UnselectedFeaturesRaiseNoDependencyErrors) {
  RequireAbsentFeature(*tools, "");
  writer->selected = 1;
  EXPECT_TRUE(FeatureSelectionNextAllowed(master().rootFeature));
  EXPECT_TRUE(pages.shown.empty());
}
