// The checks of a folder picked for a target and what a new target path changes.
#include "pages/PageStepFixture.h"
#include "support/TestSupport.h"
#include "ui/TargetPathChoice.h"

using namespace testing_support;

using TargetPathChoiceTest = PageStepTest;

TEST_F(TargetPathChoiceTest, AFixedDriveFolderIsAcceptedAndAnInvalidOneRefused) {
  EXPECT_TRUE(ChosenFolderVerdict("C:\\Program Files\\Corvant").Passed());
  EXPECT_TRUE(ChosenFolderVerdict("C:\\").Passed());
  EXPECT_EQ(ChosenFolderVerdict("C:\\a|b").text, "C:\\a|b is not a valid path specification.");
  EXPECT_EQ(ChosenFolderVerdict("C:\\a\\\\b").text, "C:\\a\\\\b is not a valid path specification.");
}

TEST_F(TargetPathChoiceTest, ARefusedFolderIsShownAndLogged) {
  MessageBoxWatcher boxes;
  EXPECT_FALSE(ShowVerdict(ChosenFolderVerdict("C:\\bad*name")));
  EXPECT_TRUE(ShowVerdict(ChosenFolderVerdict("C:\\good")));
  EXPECT_EQ(Log(), (std::vector<std::string>{"***** C:\\bad*name is not a valid path specification."}));
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "C:\\bad*name is not a valid path specification.");
}

TEST_F(TargetPathChoiceTest, ANewPathIsTakenWithItsDependents) {
  CTarget& root = AddTarget("CORVAROOT", "C:\\Corvant");
  CTarget& app = AddTarget("APPDIR", "%CORVAROOT%\\App");
  app.path = "C:\\Corvant\\App";
  EXPECT_FALSE(ChangeTargetPath(root, "c:\\corvant").changed);
  EXPECT_EQ(root.customised, 0);
  TargetPathChange change = ChangeTargetPath(root, "D:\\Suite");
  EXPECT_TRUE(change.changed);
  EXPECT_TRUE(change.notice.Passed());
  EXPECT_EQ(root.path, "D:\\Suite");
  EXPECT_EQ(root.customised, 1);
  EXPECT_EQ(app.path, "D:\\Suite\\App");
  EXPECT_TRUE(Log().empty());
}

TEST_F(TargetPathChoiceTest, ResettingAFixedDependentIsAnnounced) {
  MessageBoxWatcher boxes;
  CTarget& root = AddTarget("CORVAROOT", "C:\\Corvant");
  CTarget& app = AddTarget("APPDIR", "%CORVAROOT%\\App");
  app.path = "E:\\Chosen";
  app.fixed = 1;
  TargetPathChange change = ChangeTargetPath(root, "D:\\Suite");
  EXPECT_TRUE(change.changed);
  EXPECT_EQ(app.path, "D:\\Suite\\App");
  EXPECT_EQ(change.notice.style, static_cast<unsigned>(MB_OK | MB_ICONINFORMATION));
  EXPECT_FALSE(ShowVerdict(change.notice));
  EXPECT_EQ(Log(), (std::vector<std::string>{"***** Your directory customizations have been reset to the defaults."}));
  EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST_F(TargetPathChoiceTest, TheRootOfAnEarlierInstallationStays) {
  MessageBoxWatcher boxes;
  std::string old = dir / "installed";
  WriteTextFile(old + "\\setup\\uninstall\\uninst.isu", "");
  WriteTextFile(old + "\\setup\\uninstall\\tuninst.dll", "");
  CTarget& root = AddTarget("CORVAROOT", old);
  TargetPathChange change = ChangeTargetPath(root, "D:\\Elsewhere");
  EXPECT_FALSE(change.changed);
  EXPECT_FALSE(ShowVerdict(change.notice));
  EXPECT_EQ(root.path, old);
  std::string text = "Corvant Software has already been installed to " + old +
                     ".  To install to a different location, you must first uninstall Corvant Software.";
  EXPECT_EQ(Log(), (std::vector<std::string>{"***** " + text}));
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, text);
}
