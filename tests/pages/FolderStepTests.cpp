// The program folder step with scripted pages.
#include <algorithm>

#include "engine/StepResult.h"
#include "pages/PageStepFixture.h"
#include "state/Registry.h"
#include "support/TestSupport.h"
#include "ui/FolderStep.h"

using namespace testing_support;

namespace {
class FolderStepTest : public PageStepTest {
 protected:
  void SetUp() override {
    PageStepTest::SetUp();
    product = &AddFeature(master().rootFeature, "PRODUCT");
    product->selected = 1;
    master().rootFeature.selected = 1;
  }
  CFeature* product = nullptr;
};
}  // namespace

TEST_F(FolderStepTest, TakesTheEarlierInstallationsFolderFirst) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kSetupKey, "Folder", "Registered"), ERROR_SUCCESS);
  Params("Folder=Preset");
  ChooseProgramFolder(master());
  EXPECT_EQ(master().programFolder, "Registered");
}

TEST_F(FolderStepTest, ThenTheParametersFile) {
  Params("Folder=Preset");
  WriteTextFile(dir / "folder.ini", "[Main]\r\nFolder=Described\r\n");
  SetDescriptionInForce(dir / "folder.ini");
  ChooseProgramFolder(master());
  EXPECT_EQ(master().programFolder, "Preset");
}

TEST_F(FolderStepTest, ThenTheDescriptionInForce) {
  WriteTextFile(dir / "folder2.ini", "[Main]\r\nFolder=Described\r\n");
  SetDescriptionInForce(dir / "folder2.ini");
  ChooseProgramFolder(master());
  EXPECT_EQ(master().programFolder, "Described");
}

TEST_F(FolderStepTest, ThenTheFolderKeywordOrCorvant) {
  ChooseProgramFolder(master());
  EXPECT_FALSE(master().programFolder.empty());
  EXPECT_EQ(master().programFolder.find('%'), std::string::npos);
}

TEST_F(FolderStepTest, KeepsAFolderAlreadyChosen) {
  master().programFolder = "Chosen";
  Params("Folder=Preset");
  ChooseProgramFolder(master());
  EXPECT_EQ(master().programFolder, "Chosen");
}

TEST_F(FolderStepTest, PageSwitchPresetAndUnattendedBypassInTheDirectionGiven) {
  for (const char* main : {"EnableGetFolderDlg=No", "Folder=Preset", "Unattended=yes"}) {
    Params(main);
    master().programFolder.clear();
    EXPECT_EQ(RunFolderStep(1), kStepNext) << main;
    EXPECT_EQ(RunFolderStep(12), kStepBack) << main;
    std::vector<std::string> log = NewLog();
    ASSERT_EQ(log.size(), 4u) << main;
    EXPECT_EQ(log[0], "Bypass dialog");
    EXPECT_EQ(log[1].rfind("Folder = ", 0), 0u);
  }
}

TEST_F(FolderStepTest, RegisteredFolderBypassesEvenAnAttendedRun) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kSetupKey, "Folder", "Registered"), ERROR_SUCCESS);
  EXPECT_EQ(RunFolderStep(1), kStepNext);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog", "Folder = Registered"}));
}

TEST_F(FolderStepTest, NoFeatureNeedingAFolderEmptiesItAndBypasses) {
  product->NeedsFolder.Set("NO");
  master().rootFeature.NeedsFolder.Set("no");
  EXPECT_EQ(RunFolderStep(12), kStepBack);
  EXPECT_EQ(master().programFolder, "");
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog", "Folder = "}));
}

TEST_F(FolderStepTest, AFolderNeededOnlyByASelectedSubfeatureShowsThePage) {
  master().rootFeature.NeedsFolder.Set("NO");
  product->NeedsFolder.Set("NO");
  AddFeature(*product, "TOOL").selected = 1;
  pages.Then({"Folder", kEndNext, "Tools"});
  EXPECT_EQ(RunFolderStep(1), kStepNext);
  EXPECT_EQ(master().programFolder, "Tools");
}

TEST_F(FolderStepTest, NextStoresTheTypedFolder) {
  Params("Folder=");
  pages.Then({"Folder", kEndNext, "My Products"});
  EXPECT_EQ(RunFolderStep(1), kStepNext);
  EXPECT_EQ(master().programFolder, "My Products");
  EXPECT_EQ(Log().back(), "Folder = My Products");
}

TEST_F(FolderStepTest, BackWithAnEmptyEditKeepsThePreviousFolder) {
  master().programFolder = "Earlier";
  pages.Then({"Folder", kEndBack, ""}).Then({"Folder", kEndBack, "Typed"});
  EXPECT_EQ(RunFolderStep(1), kStepBack);
  EXPECT_EQ(master().programFolder, "Earlier");
  EXPECT_EQ(RunFolderStep(1), kStepBack);
  EXPECT_EQ(master().programFolder, "Typed");
  std::vector<std::string> log = Log();
  EXPECT_EQ(log[log.size() - 2], "return BACK");
  EXPECT_EQ(log.back(), "Folder = Typed");
}

TEST_F(FolderStepTest, CancelStopsAndKeepsTheFolder) {
  master().programFolder = "Earlier";
  pages.Then({"Folder", kEndCancel, "Typed"});
  EXPECT_EQ(RunFolderStep(1), kStepStop);
  EXPECT_EQ(master().programFolder, "Earlier");
  std::vector<std::string> log = Log();
  EXPECT_EQ(log[log.size() - 2], "User cancelled");
}

TEST_F(FolderStepTest, TheExistingFoldersIncludeTheCurrentOneOnce) {
  std::vector<std::string> folders = ExistingProgramFolders("Surely Not There 42");
  EXPECT_EQ(std::count(folders.begin(), folders.end(), "Surely Not There 42"), 1);
  std::vector<std::string> log = Log();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front().rfind("Get list of folders from the directory ", 0), 0u);
  EXPECT_EQ(log.back(), "   Surely Not There 42 (default folder)");
}

TEST_F(FolderStepTest, NextNeedsAFolderName) {
  MessageBoxWatcher boxes;
  EXPECT_EQ(ProgramFolderVerdict("").style, kStyleExclamation);
  EXPECT_FALSE(ShowVerdict(ProgramFolderVerdict("")));
  EXPECT_TRUE(ShowVerdict(ProgramFolderVerdict("Apps")));
  EXPECT_EQ(Log(), (std::vector<std::string>{"***** You must specify a program folder name."}));
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "You must specify a program folder name.");
}
