// The program folder page as a real window, driven from another thread through the exported
// step a setup script calls.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "include/tessaro.h"
#include "engine/Paths.h"
#include "pages/PageStepFixture.h"
#include "pages/SuiteCd.h"
#include "support/PageDriver.h"
#include "ui/ExitConfirmation.h"
#include "ui/resources/PageResource.h"

using namespace testing_support;

namespace {
const char kIntroduction[] =
    "Setup will add program icons to the Program Folder listed below.\nYou may type a new folder name, or select one "
    "from the existing Folders list.  Click Next to continue.";
const char kCaption[] = "Select Program Folder";
const char* const kStartMenuFolders[] = {"Tessaro Zeta Tools", "Tessaro Alpha Office"};

// Folders of the Start menu's programs directory for the life of a test.
class StartMenuFolders {
 public:
  StartMenuFolders() {
    char programs[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs);
    programs_ = programs;
    for (const char* name : kStartMenuFolders)
      SHCreateDirectoryExA(nullptr, JoinPath(programs_, name).c_str(), nullptr);
  }
  ~StartMenuFolders() {
    for (const char* name : kStartMenuFolders) RemoveTree(JoinPath(programs_, name));
  }
  StartMenuFolders(const StartMenuFolders&) = delete;
  StartMenuFolders& operator=(const StartMenuFolders&) = delete;

 private:
  std::string programs_;
};

class FolderWindowTest : public ModelStepTest {
 protected:
  void SetUp() override {
    ModelStepTest::SetUp();
    CFeature& product = AddFeature(master().rootFeature, "WRITER");
    product.selected = 1;
    master().programFolder = "Corvant Suite";
    NewLog();
  }
  // Runs the step while `user` works the page.
  int Step(const std::function<void(HWND)>& user, int direction = 1) {
    return WithUser(
        [&] {
          HWND page = WaitForPage(kCaption);
          ASSERT_TRUE(page);
          user(page);
          EXPECT_TRUE(WaitUntilClosed(page));
        },
        [&] { return TS_GetFolderDlg(direction); });
  }
  static int LineOf(HWND page, const std::string& text) {
    std::vector<std::string> lines = ListLines(page, IDC_FOLDER_LIST);
    return static_cast<int>(std::find(lines.begin(), lines.end(), text) - lines.begin());
  }

  StartMenuFolders startMenu;
  MessageBoxWatcher boxes{IDNO};
};
}  // namespace

TEST_F(FolderWindowTest, ShowsItsTextsTheSortedStartMenuFoldersAndTheCurrentOne) {
  std::vector<std::string> lines;
  int result = Step([&](HWND page) {
    struct {
      int id;
      const char* text;
    } const controls[] = {{IDC_PROGRAM_FOLDER_EDIT, "Corvant Suite"}, {IDC_BACK, "< &Back"}, {IDOK, "&Next >"},
                          {IDCANCEL, "Cancel"}};
    for (const auto& control : controls) EXPECT_EQ(ItemText(page, control.id), control.text) << control.id;
    std::vector<std::string> texts = ControlTexts(page);
    for (const char* text : {kIntroduction, "&Program Folders:", "E&xisting Folders:"})
      EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
    lines = ListLines(page, IDC_FOLDER_LIST);
    EXPECT_EQ(SelectedListLine(page, IDC_FOLDER_LIST), LineOf(page, "Corvant Suite"));
    SaveGalleryPicture(page, "2008-folder");
    Click(page, IDOK);
  });
  EXPECT_EQ(result, 1);
  for (const char* expected : {"Tessaro Zeta Tools", "Tessaro Alpha Office", "Corvant Suite"})
    EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected;
  std::vector<std::string> sorted = lines;
  std::sort(sorted.begin(), sorted.end(), [](const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_LESS_THAN;
  });
  EXPECT_EQ(lines, sorted);
  std::vector<std::string> log = NewLog();
  EXPECT_TRUE(ContainsLine(log, "   Tessaro Zeta Tools"));
  EXPECT_TRUE(ContainsLine(log, "   Corvant Suite (default folder)"));
  EXPECT_EQ(log.back(), "Folder = Corvant Suite");
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(FolderWindowTest, AClickedOrDoubleClickedLineLandsInTheEdit) {
  int result = Step([&](HWND page) {
    ClickListLine(page, IDC_FOLDER_LIST, LineOf(page, "Tessaro Zeta Tools"));
    EXPECT_TRUE(WaitUntil([&] { return ItemText(page, IDC_PROGRAM_FOLDER_EDIT) == "Tessaro Zeta Tools"; }));
    // The line under the double click is already selected; only the double click copies it.
    SendDlgItemMessageA(page, IDC_FOLDER_LIST, LB_SETCURSEL, LineOf(page, "Tessaro Alpha Office"), 0);
    Type(page, IDC_PROGRAM_FOLDER_EDIT, "Typed");
    EXPECT_TRUE(WaitUntil([&] { return ItemText(page, IDC_PROGRAM_FOLDER_EDIT) == "Typed"; }));
    DoubleClickListLine(page, IDC_FOLDER_LIST, LineOf(page, "Tessaro Alpha Office"));
    EXPECT_TRUE(WaitUntil([&] { return ItemText(page, IDC_PROGRAM_FOLDER_EDIT) == "Tessaro Alpha Office"; }));
    EXPECT_TRUE(IsWindowVisible(page));
    Click(page, IDOK);
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(master().programFolder, "Tessaro Alpha Office");
}

TEST_F(FolderWindowTest, AnEmptyNameIsRefusedAndANewNameAcceptedAsTyped) {
  int result = Step([&](HWND page) {
    Type(page, IDC_PROGRAM_FOLDER_EDIT, "");
    Click(page, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return boxes.Boxes().size() == 1; }));
    EXPECT_TRUE(WaitUntil([&] { return FocusedControl(page) == GetDlgItem(page, IDC_PROGRAM_FOLDER_EDIT); }));
    EXPECT_TRUE(IsWindowVisible(page));
    Type(page, IDC_PROGRAM_FOLDER_EDIT, " Not There Yet ");
    Click(page, IDOK);
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(master().programFolder, " Not There Yet ");
  std::vector<MessageBoxWatcher::Box> shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "You must specify a program folder name.");
  EXPECT_NE(shown[0].owner, nullptr);
}

TEST_F(FolderWindowTest, BackKeepsANonEmptyNameAndCancelStops) {
  struct EndCase {
    std::string typed;
    int button;
    int boxAnswer;
    int result;
    std::string folder;
    std::string lastLine;
  };
  const EndCase cases[] = {
      {"Back Typed", IDC_BACK, IDNO, 12, "Back Typed", "Folder = Back Typed"},
      {"", IDC_BACK, IDNO, 12, "Corvant Suite", "Folder = Corvant Suite"},
      {"Cancelled", IDCANCEL, IDYES, 9, "Corvant Suite", "Folder = Corvant Suite"},
  };
  for (const EndCase& c : cases) {
    SCOPED_TRACE(c.typed + " " + std::to_string(c.button));
    boxes.SetAnswer(c.boxAnswer);
    master().programFolder = "Corvant Suite";
    int result = Step(
        [&](HWND page) {
          Type(page, IDC_PROGRAM_FOLDER_EDIT, c.typed);
          EXPECT_TRUE(WaitUntil([&] { return ItemText(page, IDC_PROGRAM_FOLDER_EDIT) == c.typed; }));
          Click(page, c.button);
        },
        12);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(master().programFolder, c.folder);
    std::vector<std::string> log = NewLog();
    EXPECT_TRUE(ContainsLine(log, c.result == 12 ? "return BACK" : "User cancelled"));
    EXPECT_EQ(log.back(), c.lastLine);
  }
  std::vector<MessageBoxWatcher::Box> shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, ExitConfirmationText("Corvant"));
}

TEST_F(FolderWindowTest, AFreshEngineShowsThePageFromItsOwnResources) {
  pages_tests::SuiteCd cd;
  EngineInstance engine(cd.MasterDir());
  std::string params = cd.Params("Feature0=WRITER;YES");
  ASSERT_EQ(engine.Get<int(__stdcall*)(const char*)>("TS_LoadSetupData")(params.c_str()), 0);
  auto step = engine.Get<int(__stdcall*)(int)>("TS_GetFolderDlg");
  ASSERT_EQ(engine.Get<int(__stdcall*)(int)>("TS_GetSelectionsDlg")(1), 1);
  int result = WithUser(
      [&] {
        HWND page = WaitForPage(kCaption);
        ASSERT_TRUE(page);
        Type(page, IDC_PROGRAM_FOLDER_EDIT, "Fresh Folder");
        Click(page, IDOK);
        EXPECT_TRUE(WaitUntilClosed(page));
      },
      [&] { return step(1); });
  EXPECT_EQ(result, 1);
  char folder[MAX_PATH] = {};
  engine.Get<int(__stdcall*)(char*)>("TSGetFolder")(folder);
  EXPECT_STREQ(folder, "Fresh Folder");
  EXPECT_TRUE(ContainsLine(cd.Log(), "Folder = Fresh Folder"));
}
