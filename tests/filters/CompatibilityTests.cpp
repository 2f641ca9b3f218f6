// Compatibility filters against the uninstall files of earlier runs and the current selection,
// the dependency errors they produce and how the report shows them.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/Errors.h"
#include "filters/FilterList.h"
#include "tests/filters/FilterModel.h"

using testing_support::ContainsLine;

namespace {
class CompatibilityTest : public FilterModelTest {
 protected:
  // A product DESIGN (named Designer) whose filter is `value`, beside a feature DATASERVER of
  // version `dataServerVersion` that the user may select.
  CFeature& Designer(const std::string& value, const std::string& dataServerVersion = "2.0") {
    WriteDescription("[ROOT]\r\n[DESIGN]\r\nCompatibility0=" + value + "\r\n[DATASERVER]\r\n");
    CFeature& root = SetRoot("ROOT");
    root.selected = 1;
    CFeature& design = AddFeature(root, "DESIGN", "Designer");
    design.selected = 1;
    CFeature& dataServer = AddFeature(root, "DATASERVER", "Data Server");
    dataServer.Version.Set(dataServerVersion);
    return design;
  }
  CFeature& DataServer() { return master_->rootFeature.subfeatures.At(1); }
  CCompatibilityFilter& FilterOf(CFeature& feature) {
    return dynamic_cast<CCompatibilityFilter&>(feature.filters.At(0));
  }
  DependencyErrorList Collect(int group) {
    DependencyErrorList errors;
    CollectDependencyErrors(master_->rootFeature, errors, group);
    return errors;
  }
};
}  // namespace

TEST_F(CompatibilityTest, ParseReadsKindIdsAndOptionalFieldsInAnyOrder) {
  CCompatibilityFilter filter(master_);
  filter.Parse("musthave;core;dataserver;PERMITTED;<=4.1;Needs the server");
  EXPECT_EQ(filter.Kind(), "MUSTHAVE");
  EXPECT_EQ(filter.ApplicationID(), "CORE");
  EXPECT_EQ(filter.FeatureID(), "DATASERVER");
  EXPECT_EQ(filter.Relation(), "<=");
  EXPECT_EQ(filter.RequiredVersion(), "4.1");
  EXPECT_EQ(filter.Permitted(), 1);
  EXPECT_EQ(filter.CustomMessage(), "Needs the server");
  CCompatibilityFilter defaults(master_);
  defaults.Parse("CANTHAVE;APP;FEAT;first message;restricted;second message");
  EXPECT_EQ(defaults.Relation(), ">=");
  EXPECT_EQ(defaults.RequiredVersion(), "0.0");
  EXPECT_EQ(defaults.Permitted(), 0);
  EXPECT_EQ(defaults.CustomMessage(), "second message");
  EXPECT_STREQ(defaults.TypeName(), "FEATURE");
  EXPECT_EQ(defaults.Validate(), 1);
}

TEST_F(CompatibilityTest, ParseErrorsEndWithTheWholeValue) {
  EXPECT_EQ(ParseError<CCompatibilityFilter>("NEEDS;APP;FEAT"),
            "Unrecognized type in Feature Compatibility filter NEEDS;APP;FEAT");
  EXPECT_EQ(ParseError<CCompatibilityFilter>("MUSTHAVE;;FEAT"),
            "Missing App ID in Feature Compatibility filter MUSTHAVE;;FEAT");
  EXPECT_EQ(ParseError<CCompatibilityFilter>("MUSTHAVE;APP"),
            "Missing Feature ID in Feature Compatibility filter MUSTHAVE;APP");
  EXPECT_EQ(ParseError<CCompatibilityFilter>("CANTHAVE;APP;FEAT;=>2"),
            "Incorrect syntax in Feature Compatibility filter CANTHAVE;APP;FEAT;=>2");
  EXPECT_EQ(ParseError<CCompatibilityFilter>("CANTHAVE;APP;FEAT;<="),
            "Incorrect syntax in Feature Compatibility filter CANTHAVE;APP;FEAT;<=");
  EXPECT_EQ(ParseError<CCompatibilityFilter>("CANTHAVE;APP;FEAT;>2.0"), "(parsed)");
}

TEST_F(CompatibilityTest, NeitherInstalledNorSelectedFailsOnlyAMustHave) {
  CFeature& design = Designer("MUSTHAVE;APP;DATASERVER");
  EXPECT_EQ(FilterOf(design).Evaluate(), kStatusCompatibility);
  CFeature& other = Designer("CANTHAVE;APP;DATASERVER");
  EXPECT_EQ(FilterOf(other).Evaluate(), 0u);
}

TEST_F(CompatibilityTest, MustHaveWithoutVersionNamesTheMissingFeature) {
  Designer("MUSTHAVE;APP;DATASERVER");
  DependencyErrorList errors = Collect(kGroupRestricted);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].message, "Designer requires DATASERVER.");
  EXPECT_EQ(errors[0].permitted, 0);
  EXPECT_TRUE(Collect(kGroupPermitted).empty());
}

TEST_F(CompatibilityTest, MustHaveWithAVersionNamesRelationAndVersion) {
  Designer("MUSTHAVE;CORE;DATASERVER;>=2.1");
  DependencyErrorList errors = Collect(kGroupRestricted);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].message, "Designer requires version >= 2.1 of DATASERVER.");
}

TEST_F(CompatibilityTest, APermittedFilterReportsInThePermittedGroupOnly) {
  Designer("MUSTHAVE;APP;DATASERVER;PERMITTED");
  EXPECT_TRUE(Collect(kGroupRestricted).empty());
  DependencyErrorList errors = Collect(kGroupPermitted);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].permitted, 1);
  EXPECT_EQ(errors[0].message, "Designer requires DATASERVER.");
}

TEST_F(CompatibilityTest, AnInstalledVersionSatisfiesOrFailsAMustHave) {
  CFeature& design = Designer("MUSTHAVE;APP;DATASERVER;>=2.1");
  WriteUninstallFile("APP", "DATASERVER", "2.5");
  EXPECT_EQ(FilterOf(design).Evaluate(), 0u);
  EXPECT_TRUE(FilterOf(design).InstalledVersionCounted());
  CFeature& newer = Designer("MUSTHAVE;APP;DATASERVER;>=3");
  EXPECT_EQ(FilterOf(newer).Evaluate(), kStatusCompatibility);
  EXPECT_EQ(Collect(kGroupRestricted)[0].message, "Designer requires version >= 3 of DATASERVER.");
}

TEST_F(CompatibilityTest, TheUninstallFileOfAnotherApplicationDoesNotCount) {
  CFeature& design = Designer("MUSTHAVE;APP;DATASERVER");
  WriteUninstallFile("OTHERAPP", "DATASERVER", "2.5");
  WriteUninstallFile("APP", "SOMETHINGELSE", "2.5");
  EXPECT_EQ(FilterOf(design).Evaluate(), kStatusCompatibility);
}

TEST_F(CompatibilityTest, CantHaveOfAnInstalledFeatureSaysItIsAlreadyInstalled) {
  Designer("CANTHAVE;APP;DATASERVER");
  WriteUninstallFile("APP", "DATASERVER", "1.0");
  DependencyErrorList errors = Collect(kGroupRestricted);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].message,
            "Designer is incompatible with DATASERVER, which is already installed on your computer.");
}

TEST_F(CompatibilityTest, TheInstalledVersionCountsWhenItIsNotLowerThanTheSelectedOne) {
  CFeature& design = Designer("CANTHAVE;APP;DATASERVER;>=2.2", "2.0");
  DataServer().selected = 1;
  WriteUninstallFile("APP", "DATASERVER", "2.5");
  EXPECT_EQ(FilterOf(design).Evaluate(), kStatusCompatibility);
  EXPECT_TRUE(FilterOf(design).InstalledVersionCounted());
}

TEST_F(CompatibilityTest, ANewerSelectedVersionCountsAndTheMessageSaysSameMachine) {
  CFeature& design = Designer("CANTHAVE;APP;DATASERVER;>=3", "3.0");
  DataServer().selected = 1;
  WriteUninstallFile("APP", "DATASERVER", "2.5");
  EXPECT_EQ(FilterOf(design).Evaluate(), kStatusCompatibility);
  EXPECT_FALSE(FilterOf(design).InstalledVersionCounted());
  EXPECT_EQ(Collect(kGroupRestricted)[0].message, "Designer cannot be installed to the same machine as DATASERVER.");
}

// Nothing recorded as installed: the selected version is the one that counts, so a selected
// feature is not called installed and its version is held against the requirement.
TEST_F(CompatibilityTest, AFeatureOnlySelectedIsJudgedByItsSelectedVersion) {
  CFeature& conflict = Designer("CANTHAVE;APP;DATASERVER", "2.0");
  DataServer().selected = 1;
  EXPECT_EQ(FilterOf(conflict).Evaluate(), kStatusCompatibility);
  EXPECT_FALSE(FilterOf(conflict).InstalledVersionCounted());
  EXPECT_EQ(Collect(kGroupRestricted)[0].message, "Designer cannot be installed to the same machine as DATASERVER.");

  CFeature& tooOld = Designer("MUSTHAVE;APP;DATASERVER;>=2.1", "1.0");
  DataServer().selected = 1;
  EXPECT_EQ(FilterOf(tooOld).Evaluate(), kStatusCompatibility);
  DataServer().Version.Set("2.1");
  EXPECT_EQ(FilterOf(tooOld).Evaluate(), 0u);
  // An unselected feature offers no version.
  DataServer().selected = 0;
  EXPECT_EQ(FilterOf(tooOld).Evaluate(), kStatusCompatibility);
}

TEST_F(CompatibilityTest, EveryRelationAgainstTheCountedVersion) {
  struct Case {
    const char* relation;
    bool holdsFor20;
  } cases[] = {{"<2.0", false}, {"<=2.0", true}, {"=2.0", true}, {">=2.0", true}, {">2.0", false},
               {"<2.1", true},  {">1.9", true},  {"=2", true},   {"=2.0.5", true}};
  for (const Case& c : cases) {
    CFeature& design = Designer(std::string("CANTHAVE;APP;DATASERVER;") + c.relation);
    WriteUninstallFile("APP", "DATASERVER", "2.0");
    EXPECT_EQ(FilterOf(design).Evaluate(), c.holdsFor20 ? kStatusCompatibility : 0u) << c.relation;
  }
}

TEST_F(CompatibilityTest, ACustomMessageTakesTheFeatureNameAndLineBreaks) {
  Designer("MUSTHAVE;APP;DATASERVER;Install %s only with the server.\\nAsk your administrator.");
  DependencyErrorList errors = Collect(kGroupRestricted);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].message, "Install Designer only with the server.\nAsk your administrator.");
  Designer("MUSTHAVE;APP;DATASERVER;No name here");
  EXPECT_EQ(Collect(kGroupRestricted)[0].message, "No name here");
}

TEST_F(CompatibilityTest, ErrorsOfUnselectedFeaturesAreSkippedButTheirSelectedChildrenCount) {
  WriteDescription(
      "[ROOT]\r\n[PARENT]\r\nCompatibility0=MUSTHAVE;APP;NOWHERE\r\n[CHILD]\r\nCompatibility0=MUSTHAVE;APP;"
      "ELSEWHERE\r\n");
  CFeature& root = SetRoot("ROOT");
  CFeature& parent = AddFeature(root, "PARENT", "Parent Product");
  CFeature& child = AddFeature(parent, "CHILD", "Child Part");
  child.selected = 1;
  DependencyErrorList errors = Collect(kGroupRestricted);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].message, "Child Part requires ELSEWHERE.");
  parent.selected = 1;
  errors = Collect(kGroupRestricted);
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0].message, "Parent Product requires NOWHERE.");
  EXPECT_EQ(CurrentDependencyFeature(), nullptr);
}

TEST_F(CompatibilityTest, CombinedStatusOrsTheSelectedFeaturesOnly) {
  CFeature& design = Designer("MUSTHAVE;APP;DATASERVER");
  EXPECT_EQ(CombinedStatus(master_->rootFeature), kStatusCompatibility);
  design.selected = 0;
  EXPECT_EQ(CombinedStatus(master_->rootFeature), 0u);
}

TEST_F(CompatibilityTest, ReportShowsTheGroupsMessagesAndGoesBackOnBack) {
  ScriptedDependencyPage page(kEndBack);
  SetPageHost(&page);
  DependencyErrorList errors{{0, "Designer requires DATASERVER."},
                             {1, "Viewer requires PRINTING."},
                             {0, "Designer requires version >= 2.1 of CORE."}};
  EXPECT_EQ(ReportDependencyErrors(errors, kGroupRestricted), 0);
  EXPECT_EQ(page.shown, 1);
  EXPECT_EQ(page.title, "Dependency Error");
  EXPECT_EQ(page.text, "Designer requires DATASERVER.\nDesigner requires version >= 2.1 of CORE.\n");
  EXPECT_EQ(page.group, 0);
  EXPECT_EQ(LogIndentLevel(), 0);
  std::vector<std::string> log = Log();
  EXPECT_EQ(log, (std::vector<std::string>{"Dependency Errors :", "   Designer requires DATASERVER.",
                                           "Designer requires version >= 2.1 of CORE.", "", "   - go BACK"}));
}

TEST_F(CompatibilityTest, ReportContinuesOnNextAndOnCancel) {
  DependencyErrorList errors{{1, "Viewer requires PRINTING."}};
  ScriptedDependencyPage next(kEndNext);
  SetPageHost(&next);
  EXPECT_EQ(ReportDependencyErrors(errors, kGroupPermitted), 1);
  EXPECT_EQ(next.group, 1);
  EXPECT_EQ(next.text, "Viewer requires PRINTING.\n");
  ScriptedDependencyPage cancel(kEndCancel);
  SetPageHost(&cancel);
  EXPECT_EQ(ReportDependencyErrors(errors, kGroupPermitted), 1);
  std::vector<std::string> log = Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), "   - Continue"), 2);
}

TEST_F(CompatibilityTest, ReportWithoutErrorsOfTheGroupShowsNothing) {
  ScriptedDependencyPage page(kEndBack);
  SetPageHost(&page);
  DependencyErrorList errors{{1, "Viewer requires PRINTING."}};
  EXPECT_EQ(ReportDependencyErrors(errors, kGroupRestricted), 1);
  EXPECT_EQ(ReportDependencyErrors(DependencyErrorList{}, kGroupPermitted), 1);
  EXPECT_EQ(page.shown, 0);
  EXPECT_TRUE(Log().empty());
}
