// What the filters decide for the feature tree: the setup types offered, the default selection
// by state word, and the dependency check when the feature page is left.
#include <gtest/gtest.h>

#include "filters/FilterList.h"
#include "tests/filters/FilterModel.h"

namespace {
class SelectionTest : public FilterModelTest {};
}  // namespace

TEST_F(SelectionTest, ASingleProductOffersTheSetupTypesOfItsRoot) {
  WriteDescription("[PRODUCT]\r\nComputerTypes=SERVER;LITECLIENT\r\n");
  SetRoot("PRODUCT");
  EXPECT_TRUE(IsSetupTypeOffered("SERVER"));
  EXPECT_TRUE(IsSetupTypeOffered("liteclient"));
  EXPECT_TRUE(IsSetupTypeOffered("CLIENT"));  // found inside LITECLIENT
  EXPECT_FALSE(IsSetupTypeOffered("STANDARD"));
  WriteDescription("[OPEN]\r\nOS=WNT\r\n");
  SetRoot("OPEN");
  EXPECT_TRUE(IsSetupTypeOffered("STANDARD"));
}

TEST_F(SelectionTest, ASuiteOffersASetupTypeWhenAnyProductDoes) {
  WriteDescription(
      "[Corvant Software]\r\nComputerTypes=NOTHING\r\n[DESIGNER]\r\nComputerTypes=STANDARD\r\n"
      "[SERVERPART]\r\nComputerTypes=SERVER\r\n[DEEP]\r\nComputerTypes=LITECLIENT\r\n");
  CFeature& root = SetRoot("CORVANT SOFTWARE");
  AddFeature(root, "DESIGNER");
  CFeature& server = AddFeature(root, "SERVERPART");
  AddFeature(server, "DEEP");
  EXPECT_TRUE(IsSetupTypeOffered("STANDARD"));
  EXPECT_TRUE(IsSetupTypeOffered("SERVER"));
  // Only the products count, not the root's own filter nor deeper features.
  EXPECT_FALSE(IsSetupTypeOffered("NOTHING"));
  EXPECT_FALSE(IsSetupTypeOffered("LITECLIENT"));
}

TEST_F(SelectionTest, DefaultSelectionFollowsTheStateWord) {
  WriteDescription(
      "[ROOT]\r\n[SERVERONLY]\r\nComputerTypes=SERVER\r\n[UNDERSERVER]\r\n[HIDDENON]\r\n[HIDDENCHILD]\r\n"
      "[HIDDENOFF]\r\n[UNDERHIDDENOFF]\r\n[PLAIN]\r\n[PLAINCHILD]\r\n[FIXED]\r\n");
  CFeature& root = SetRoot("ROOT");
  root.defaultSelection = 1;
  CFeature& serverOnly = AddFeature(root, "SERVERONLY");
  serverOnly.defaultSelection = 1;
  serverOnly.selected = 1;
  CFeature& underServer = AddFeature(serverOnly, "UNDERSERVER");
  underServer.defaultSelection = 1;
  underServer.selected = 1;
  CFeature& hiddenOn = AddFeature(root, "HIDDENON");
  hiddenOn.Visible.Set("NO");
  hiddenOn.defaultSelection = 1;
  CFeature& hiddenChild = AddFeature(hiddenOn, "HIDDENCHILD");
  hiddenChild.defaultSelection = 1;
  CFeature& hiddenOff = AddFeature(root, "HIDDENOFF");
  hiddenOff.Visible.Set("NO");
  hiddenOff.selected = 1;
  CFeature& underHiddenOff = AddFeature(hiddenOff, "UNDERHIDDENOFF");
  underHiddenOff.defaultSelection = 1;
  underHiddenOff.selected = 1;
  CFeature& plain = AddFeature(root, "PLAIN");
  CFeature& plainChild = AddFeature(plain, "PLAINCHILD");
  plainChild.defaultSelection = 1;
  CFeature& fixed = AddFeature(root, "FIXED");
  fixed.defaultSelection = 0;
  fixed.selected = 1;
  fixed.fixedSelection = 1;
  master_->setupType = "STANDARD";

  ApplyDefaultSelection(root);
  EXPECT_EQ(root.selected, 1);
  EXPECT_EQ(serverOnly.selected, 0);
  EXPECT_EQ(underServer.selected, 0);
  EXPECT_EQ(hiddenOn.selected, 1);
  EXPECT_EQ(hiddenChild.selected, 1);
  EXPECT_EQ(hiddenOff.selected, 0);
  EXPECT_EQ(underHiddenOff.selected, 0);
  EXPECT_EQ(plain.selected, 0);
  EXPECT_EQ(plainChild.selected, 1);
  EXPECT_EQ(fixed.selected, 1);

  master_->setupType = "SERVER";
  ApplyDefaultSelection(root);
  EXPECT_EQ(serverOnly.selected, 1);
  EXPECT_EQ(underServer.selected, 1);
}

TEST_F(SelectionTest, LeavingWithoutCompatibilityFailuresShowsNothing) {
  ScriptedDependencyPage page(kEndBack);
  SetPageHost(&page);
  WriteDescription("[ROOT]\r\n[A]\r\nCompatibility0=MUSTHAVE;APP;NOWHERE\r\n");
  CFeature& root = SetRoot("ROOT");
  root.selected = 1;
  AddFeature(root, "A");  // not selected: its failure does not count
  EXPECT_EQ(CheckDependenciesOnLeaving(root), 1);
  EXPECT_EQ(page.shown, 0);
}

TEST_F(SelectionTest, RestrictedErrorsKeepThePageOpenWhateverTheAnswer) {
  ScriptedDependencyPage page(kEndNext);
  SetPageHost(&page);
  WriteDescription(
      "[ROOT]\r\n[A]\r\nCompatibility0=MUSTHAVE;APP;NOWHERE\r\nCompatibility1=MUSTHAVE;APP;ELSEWHERE;PERMITTED\r\n");
  CFeature& root = SetRoot("ROOT");
  CFeature& a = AddFeature(root, "A", "Analyzer");
  a.selected = 1;
  EXPECT_EQ(CheckDependenciesOnLeaving(root), 0);
  EXPECT_EQ(page.shown, 1);
  EXPECT_EQ(page.group, 0);
  EXPECT_EQ(page.text, "Analyzer requires NOWHERE.\n");
}

TEST_F(SelectionTest, PermittedErrorsLetTheUserChoose) {
  WriteDescription("[ROOT]\r\n[A]\r\nCompatibility0=MUSTHAVE;APP;ELSEWHERE;PERMITTED\r\n");
  CFeature& root = SetRoot("ROOT");
  CFeature& a = AddFeature(root, "A", "Analyzer");
  a.selected = 1;
  ScriptedDependencyPage goOn(kEndNext);
  SetPageHost(&goOn);
  EXPECT_EQ(CheckDependenciesOnLeaving(root), 1);
  EXPECT_EQ(goOn.group, 1);
  EXPECT_EQ(goOn.text, "Analyzer requires ELSEWHERE.\n");
  ScriptedDependencyPage goBack(kEndBack);
  SetPageHost(&goBack);
  EXPECT_EQ(CheckDependenciesOnLeaving(root), 0);
  EXPECT_EQ(goBack.shown, 1);
}
