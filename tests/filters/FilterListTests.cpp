// Setup type filters, the filter list of a feature (loading, status through the tree, dump,
// copies) and the state word.
#include <gtest/gtest.h>

#include "engine/Errors.h"
#include "filters/FilterList.h"
#include "tests/filters/FilterModel.h"

using testing_support::ContainsLine;

namespace {
class FilterListTest : public FilterModelTest {};
}  // namespace

TEST_F(FilterListTest, ComputerTypesWinsOverSetupTypes) {
  WriteDescription("[F]\r\nComputerTypes=server\r\nSetupTypes=CLIENT\r\n");
  CFeature& feature = AddFeature(SetRoot("ROOT"), "F");
  ASSERT_EQ(feature.filters.Count(), 1);
  auto& filter = dynamic_cast<CSetupTypeFilter&>(feature.filters.At(0));
  EXPECT_EQ(filter.List(), "SERVER");
  master_->setupType = "server";
  EXPECT_EQ(filter.Evaluate(), 0u);
  master_->setupType = "CLIENT";
  EXPECT_EQ(filter.Evaluate(), kStatusSetupType);
}

TEST_F(FilterListTest, SetupTypesIsReadWhenComputerTypesIsEmpty) {
  WriteDescription("[F]\r\nSetupTypes=CLIENT;STANDARD\r\n");
  CFeature& feature = AddFeature(SetRoot("ROOT"), "F");
  ASSERT_EQ(feature.filters.Count(), 1);
  master_->setupType = "STANDARD";
  EXPECT_EQ(feature.filters.Evaluate(), 0u);
  master_->setupType = "STAND";
  EXPECT_EQ(feature.filters.Evaluate(), kStatusSetupType);
}

TEST_F(FilterListTest, SetupTypeFilterMatchesBySubstringAndValidatesEveryItem) {
  CSetupTypeFilter filter(master_);
  filter.Parse("server;LiteClient");
  EXPECT_TRUE(filter.MatchesSetupType("CLIENT"));
  EXPECT_TRUE(filter.MatchesSetupType("server"));
  EXPECT_FALSE(filter.MatchesSetupType("STANDARD"));
  AddSetupType("SERVER");
  try {
    filter.Validate();
    ADD_FAILURE() << "LITECLIENT is not a setup type of the model";
  } catch (const CPropError& error) {
    EXPECT_EQ(error.Message(), "Unrecognized ID LITECLIENT in Computer Type filter");
  }
  AddSetupType("LITECLIENT");
  EXPECT_EQ(filter.Validate(), 1);
  EXPECT_EQ((ParseError<CSetupTypeFilter>("")), "Missing ID in setup type filter");
  filter.Dump(4);
  EXPECT_TRUE(ContainsLine(Log(), "SetupType - SERVER;LITECLIENT"));
}

TEST_F(FilterListTest, CompatibilityKeysEndAtTheFirstGap) {
  WriteDescription("[F]\r\nOS=WNT;W95;W98\r\nCompatibility0=MUSTHAVE;APP;ONE\r\nCompatibility2=MUSTHAVE;APP;THREE\r\n");
  CFeature& feature = AddFeature(SetRoot("ROOT"), "F");
  ASSERT_EQ(feature.filters.Count(), 2);
  EXPECT_STREQ(feature.filters.At(0).TypeName(), "OS");
  EXPECT_STREQ(feature.filters.At(1).TypeName(), "FEATURE");
  EXPECT_EQ(feature.filters.FeatureID(), "F");
}

TEST_F(FilterListTest, AFaultyFilterValueEndsTheLoadWithItsError) {
  WriteDescription("[F]\r\nOS=W2K\r\n");
  CFeature feature;
  feature.setup = master_;
  try {
    feature.filters.Load(*master_, "F");
    ADD_FAILURE() << "W2K is no system of OS filters";
  } catch (const CPropError& error) {
    EXPECT_EQ(error.Message(), "Unrecognized OS in filter expression W2K");
  }
}

TEST_F(FilterListTest, StatusCombinesTheFiltersOfTheFeatureAndOfEveryAncestor) {
  WriteDescription("[ROOT]\r\nComputerTypes=SERVER\r\n[MID]\r\nCompatibility0=MUSTHAVE;APP;MISSING\r\n[LEAF]\r\n");
  CFeature& root = SetRoot("ROOT");
  CFeature& mid = AddFeature(root, "MID");
  CFeature& leaf = AddFeature(mid, "LEAF");
  master_->setupType = "STANDARD";
  EXPECT_EQ(leaf.filters.Evaluate(), kStatusSetupType | kStatusCompatibility);
  EXPECT_EQ(leaf.filters.LastStatus(), kStatusSetupType | kStatusCompatibility);
  EXPECT_EQ(mid.filters.LastStatus(), kStatusSetupType | kStatusCompatibility);
  EXPECT_EQ(root.filters.LastStatus(), kStatusSetupType);
  master_->setupType = "SERVER";
  EXPECT_EQ(root.filters.Evaluate(), 0u);
  EXPECT_EQ(leaf.filters.Evaluate(), kStatusCompatibility);
}

TEST_F(FilterListTest, AListWhoseFeatureIsNotInTheModelCountsOnlyItsOwnFilters) {
  WriteDescription("[ROOT]\r\nComputerTypes=SERVER\r\n[LOOSE]\r\nCompatibility0=MUSTHAVE;APP;MISSING\r\n");
  SetRoot("ROOT");
  CFilterList loose;
  loose.Load(*master_, "LOOSE");
  EXPECT_EQ(loose.Evaluate(), kStatusCompatibility);
}

TEST_F(FilterListTest, MatchesEverySetupTypeWithoutSetupTypeFilter) {
  WriteDescription("[A]\r\nOS=WNT\r\n[B]\r\nComputerTypes=SERVER\r\n");
  CFeature& root = SetRoot("ROOT");
  CFeature& a = AddFeature(root, "A");
  CFeature& b = AddFeature(root, "B");
  EXPECT_TRUE(a.filters.MatchesSetupType("ANYTHING"));
  EXPECT_TRUE(b.filters.MatchesSetupType("SERVER"));
  EXPECT_FALSE(b.filters.MatchesSetupType("STANDARD"));
}

TEST_F(FilterListTest, DumpWritesTheFilterBlockFromLevelFour) {
  WriteDescription(
      "[F]\r\nComputerTypes=SERVER;STANDARD\r\nOS=wnt>=4.0SP4\r\nCompatibility0=CANTHAVE;app;feat;<=4.1;PERMITTED\r\n"
      "Compatibility1=MUSTHAVE;CORE;DATASERVER\r\n");
  CFeature& feature = AddFeature(SetRoot("ROOT"), "F");
  feature.filters.Dump(3);
  EXPECT_TRUE(Log().empty());
  LogIndent();
  feature.filters.Dump(4);
  EXPECT_EQ(Log(),
            (std::vector<std::string>{"   Filters :", "      SetupType - SERVER;STANDARD", "      OS - wnt>=4.0SP4",
                                      "      Feature - CANTHAVE APP:FEAT <=4.1 (permitted)",
                                      "      Feature - MUSTHAVE CORE:DATASERVER >=0.0 (restricted)"}));
  CFilterList empty;
  empty.Dump(10);
  EXPECT_EQ(Log().size(), 5u);
}

TEST_F(FilterListTest, ACopiedFeatureCarriesClonesOfItsFilters) {
  WriteDescription("[F]\r\nComputerTypes=SERVER\r\nOS=WNT;W95;W98\r\n");
  CFeature& feature = AddFeature(SetRoot("ROOT"), "F");
  CFeature copy(feature);
  ASSERT_EQ(copy.filters.Count(), 2);
  EXPECT_NE(&copy.filters.At(0), &feature.filters.At(0));
  EXPECT_EQ(dynamic_cast<CSetupTypeFilter&>(copy.filters.At(0)).List(), "SERVER");
  EXPECT_EQ(copy.filters.FeatureID(), "F");
  master_->setupType = "SERVER";
  EXPECT_EQ(copy.filters.Evaluate(), 0u);
}

TEST(StateWord, FollowsVisibleTheStatusAndTheInstalledFlag) {
  EXPECT_EQ(StateWordOf("YES", 0, false, "WNT"), 0u);
  EXPECT_EQ(StateWordOf("no", 0, false, "WNT"), kStateHidden);
  EXPECT_EQ(StateWordOf("YES", kStatusSetupType, false, "WNT"), kStateHidden | kStateDisabled);
  EXPECT_EQ(StateWordOf("YES", kStatusOsNotNamed, false, "WNT"), kStateGreyed | kStateDisabled | kStateNotForNT);
  EXPECT_EQ(StateWordOf("YES", kStatusOsNotNamed, false, "W95"), kStateGreyed | kStateDisabled | kStateNotFor95);
  EXPECT_EQ(StateWordOf("YES", kStatusOsNotNamed, false, "W98"), kStateGreyed | kStateDisabled | kStateNotFor98);
  EXPECT_EQ(StateWordOf("YES", kStatusOsNotNamed, false, "W32s"), kStateGreyed | kStateDisabled | kStateNotFor98);
  EXPECT_EQ(StateWordOf("YES", kStatusOsVersion, true, "WNT"),
            kStateGreyed | kStateDisabled | kStateNotForThisOS | kStateInstalled);
  EXPECT_EQ(StateWordOf("YES", kStatusCompatibility, false, "WNT"), 0u);
  EXPECT_EQ(StateWordOf("NO", kStatusSetupType | kStatusOsVersion, false, "WNT"),
            kStateHidden | kStateDisabled | kStateGreyed | kStateNotForThisOS);
}
