// The folder selection with checks and the feature page's Change Folder(s) rule, answered by
// the scripted page host; and the text rules of the browser and the path fields.
#include <set>

#include "engine/Errors.h"
#include "pages/PageStepFixture.h"
#include "support/TestSupport.h"
#include "ui/FolderSelection.h"
#include "ui/FolderText.h"
#include "ui/NoWindowPageHost.h"
#include "ui/TargetLocations.h"

using namespace testing_support;

TEST(FolderTextTest, TrailingBackslashesGoButADriveRootKeepsItsOwn) {
  const std::pair<const char*, const char*> cases[] = {
      {"D:\\Apps\\\\", "D:\\Apps"}, {"D:\\Apps\\", "D:\\Apps"}, {"D:\\Apps", "D:\\Apps"},
      {"D:\\", "D:\\"},             {"D:\\\\", "D:\\"},         {"\\", "\\"},
      {"\\\\", "\\\\"},             {"\\\\\\", "\\\\"},         {"\\\\srv\\share\\", "\\\\srv\\share"},
      {"", ""},                     {"C:", "C:"},               {"Apps\\\\\\", "Apps"},
  };
  for (const auto& [typed, trimmed] : cases) EXPECT_EQ(TrimFolderText(typed), trimmed) << typed;
}

TEST(FolderTextTest, TheBrowserStartsAtTheNearestExistingFolder) {
  std::set<std::string> existing = {"C:\\", "D:\\", "D:\\Apps", "\\\\srv\\share"};
  auto exists = [&](const std::string& folder) { return existing.count(folder) > 0; };
  const std::pair<const char*, const char*> cases[] = {
      {"D:\\Apps", "D:\\Apps"},
      {"D:\\Apps\\", "D:\\Apps"},
      {"D:\\Apps\\New\\Deeper", "D:\\Apps"},
      {"D:\\Missing\\Sub", "D:\\"},
      {"E:\\Nothing\\Here", "C:\\"},
      {"", "C:\\"},
      {"\\\\srv\\share\\a\\b", "\\\\srv\\share"},
      {"relative\\name", "C:\\"},
  };
  for (const auto& [path, start] : cases) EXPECT_EQ(StartingFolder(path, exists), start) << path;
}

TEST(FolderTextTest, LongPathsGiveUpMiddleNames) {
  struct Case {
    const char* path;
    size_t max;
    const char* shown;
  };
  const Case cases[] = {
      {"", 30, ""},
      {"C:\\Program Files\\Corvant", 30, "C:\\Program Files\\Corvant"},
      {"C:\\Program Files\\Corvant\\Suite\\Writer", 30, "C:\\...\\Corvant\\Suite\\Writer"},
      {"C:\\Program Files\\Corvant\\Suite\\Writer", 20, "C:\\...\\Suite\\Writer"},
      {"C:\\Program Files\\Corvant\\Suite\\Writer", 13, "C:\\...\\Writer"},
      {"C:\\Program Files\\Corvant\\Suite\\AVeryLongFolderName", 20, "...eryLongFolderName"},
      {"\\\\server\\share\\one\\two\\three\\four", 30, "\\\\server\\share\\...\\three\\four"},
      {"C:\\A Rather Long Single Folder Name Indeed", 30, "...g Single Folder Name Indeed"},
  };
  for (const Case& c : cases) {
    std::string shown = ShortenPath(c.path, c.max);
    EXPECT_EQ(shown, c.shown) << c.path;
    EXPECT_LE(shown.size(), c.max) << c.path;
  }
}

using FolderSelectionTest = PageStepTest;

TEST_F(FolderSelectionTest, AnAcceptedFolderIsTakenAtOnce) {
  pages.browsedFolders = {"C:\\Apps"};
  std::string path = "C:\\Corvant";
  EXPECT_TRUE(SelectFolderWithChecks(path));
  EXPECT_EQ(path, "C:\\Apps");
  EXPECT_EQ(pages.browseTitles, std::vector<std::string>{"Select Folder"});
  EXPECT_EQ(pages.browseStarts, std::vector<std::string>{"C:\\Corvant"});
  EXPECT_TRUE(Log().empty());
}

TEST_F(FolderSelectionTest, ARefusedFolderIsShownAndThePickerComesAgain) {
  MessageBoxWatcher boxes;
  pages.browsedFolders = {"C:\\bad|name", "C:\\Good"};
  std::string path = "C:\\Corvant";
  EXPECT_TRUE(SelectFolderWithChecks(path));
  EXPECT_EQ(path, "C:\\Good");
  EXPECT_EQ(pages.browseTitles.size(), 2u);
  EXPECT_EQ(Log(), std::vector<std::string>{"***** C:\\bad|name is not a valid path specification."});
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "C:\\bad|name is not a valid path specification.");
}

TEST_F(FolderSelectionTest, GivingUpOrChoosingTheSameFolderLeavesThePath) {
  for (const char* answer : {"", "c:\\corvant"}) {
    pages.browsedFolders = {answer};
    std::string path = "C:\\Corvant";
    EXPECT_FALSE(SelectFolderWithChecks(path)) << answer;
    EXPECT_EQ(path, "C:\\Corvant");
  }
}

TEST_F(FolderSelectionTest, OneShownTargetIsChangedDirectlyWithItsDependents) {
  CFeature& feature = AddFeature(master().rootFeature, "WRITER");
  CTarget& root = AddTarget("CORVAROOT", "C:\\Corvant");
  CTarget& app = AddTarget("APPDIR", "%CORVAROOT%\\App");
  app.path = "C:\\Corvant\\App";
  AddComponent(feature, "WRITERCORE", "CORVAROOT");
  pages.browsedFolders = {"C:\\Suite"};
  ChangeFeatureFolders(feature);
  EXPECT_EQ(pages.browseStarts, std::vector<std::string>{"C:\\Corvant"});
  EXPECT_EQ(root.path, "C:\\Suite");
  EXPECT_EQ(root.fixed, 1);
  EXPECT_EQ(app.path, "C:\\Suite\\App");
  EXPECT_TRUE(pages.targetLocationsShown.empty());
}

TEST_F(FolderSelectionTest, GivingUpOnOneTargetChangesNothing) {
  CFeature& feature = AddFeature(master().rootFeature, "WRITER");
  CTarget& root = AddTarget("CORVAROOT", "C:\\Corvant\\");
  AddComponent(feature, "WRITERCORE", "CORVAROOT");
  ChangeFeatureFolders(feature);
  EXPECT_EQ(pages.browseStarts, std::vector<std::string>{"C:\\Corvant"});
  EXPECT_EQ(root.path, "C:\\Corvant\\");
  EXPECT_EQ(root.fixed, 0);
}

TEST_F(FolderSelectionTest, SeveralTargetsOpenTheLocationsPageAndHiddenOnesDoNotCount) {
  CFeature& feature = AddFeature(master().rootFeature, "WRITER");
  AddTarget("CORVAROOT", "C:\\Corvant");
  AddTarget("DATADIR", "C:\\Data");
  CTarget& hidden = AddTarget("HIDDENDIR", "C:\\Hidden");
  hidden.show.Set("HIDE");
  AddComponent(feature, "WRITERCORE", "CORVAROOT");
  AddComponent(feature, "WRITERHIDDEN", "HIDDENDIR");
  // Only one shown target: the folder selection.
  ChangeFeatureFolders(feature);
  EXPECT_EQ(pages.browseTitles.size(), 1u);
  EXPECT_TRUE(pages.targetLocationsShown.empty());
  AddComponent(feature, "WRITERDATA", "DATADIR");
  ChangeFeatureFolders(feature);
  EXPECT_EQ(pages.browseTitles.size(), 1u);
  EXPECT_EQ(pages.targetLocationsShown, std::vector<std::string>{"WRITER"});
}

TEST_F(FolderSelectionTest, AFeatureWithoutTargetsAsksNothing) {
  CFeature& feature = AddFeature(master().rootFeature, "WRITER");
  ChangeFeatureFolders(feature);
  EXPECT_TRUE(pages.browseTitles.empty());
  EXPECT_TRUE(pages.targetLocationsShown.empty());
}

TEST_F(FolderSelectionTest, TheLocationRowsAddUpTheNeedsOfEachTarget) {
  CFeature& feature = AddFeature(master().rootFeature, "WRITER");
  CTarget& root = AddTarget("CORVAROOT", "C:\\Corvant");
  root.Description.Set("Corvant");
  CTarget& data = AddTarget("DATADIR", "C:\\Data");
  data.Description.Set("Data");
  data.editable.Set("READONLY");
  AddComponent(feature, "ONE", "CORVAROOT");
  // The features below count too (a product's files are mostly its subfeatures'), each
  // component once however many features name it.
  CFeature& sub = AddFeature(feature, "WRITER_SPELL");
  AddComponent(sub, "TWO", "DATADIR");
  AddComponent(sub, "THREE", "corvaroot");
  sub.components.push_back(feature.components.front());
  std::vector<TargetLocationRow> rows = FeatureTargetRows(feature);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(TargetLocationLine(rows[0]), "Corvant Directory\t200 K");
  EXPECT_EQ(TargetLocationLine(rows[1]), "Data Directory\t100 K");
  EXPECT_TRUE(rows[0].editable);
  EXPECT_FALSE(rows[1].editable);
}

TEST_F(FolderSelectionTest, ModifyChangesTheModelAndDiscardGivesTheOpeningStateBack) {
  CTarget& root = AddTarget("CORVAROOT", "C:\\Corvant");
  CTarget& app = AddTarget("APPDIR", "%CORVAROOT%\\App");
  app.path = "C:\\Corvant\\App";
  TargetLocationsEdit edit;
  EXPECT_TRUE(edit.Modify(root, "D:\\Suite").changed);
  EXPECT_EQ(root.path, "D:\\Suite");
  EXPECT_EQ(root.fixed, 1);
  EXPECT_EQ(root.customised, 1);
  EXPECT_EQ(app.path, "D:\\Suite\\App");
  edit.Discard();
  EXPECT_EQ(root.path, "C:\\Corvant");
  EXPECT_EQ(root.fixed, 0);
  EXPECT_EQ(root.customised, 0);
  EXPECT_EQ(app.path, "C:\\Corvant\\App");
}

TEST(NoWindowHostTest, TheBrowserAndTheLocationsPageAreRefusedPlainly) {
  NoWindowPageHost host;
  std::string path = "C:\\Corvant";
  CFeature feature;
  try {
    host.BrowseForFolder("Select Folder", path);
    ADD_FAILURE() << "the browser answered";
  } catch (const CMyError& error) {
    EXPECT_EQ(error.Message(), "The folder browser page is not available.");
  }
  try {
    host.TargetLocationsPage(feature);
    ADD_FAILURE() << "the locations page answered";
  } catch (const CMyError& error) {
    EXPECT_EQ(error.Message(), "The target locations page is not available.");
  }
  EXPECT_EQ(path, "C:\\Corvant");
}
