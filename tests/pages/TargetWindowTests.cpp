// The destination windows and the directory browser as real windows, driven from another thread
// by control id: the single target page (template 2002) through TS_GetTargetDlg, the target
// locations page (2001) through the feature page's Change Folders rule, and the browser (165)
// both from the pages and through the exported REBrowseForFolder of a loaded engine.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>

#include "include/tessaro.h"
#include "engine/Paths.h"
#include "engine/Text.h"
#include "pages/PageStepFixture.h"
#include "support/PageDriver.h"
#include "support/TestSupport.h"
#include "ui/FolderSelection.h"
#include "ui/FolderText.h"
#include "ui/resources/PageResource.h"

using namespace testing_support;

namespace {
using BrowseFn = int(__stdcall*)(HWND, const char*, char*);

const char kBrowseHint[] =
    "To install to this folder click Next.\n\nTo install to a different folder, click Browse and select another folder.";

std::string ListLine(HWND page, int id, int index) {
  HWND list = GetDlgItem(page, id);
  LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return "<none>";
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(length));
  return text;
}

void SelectLine(HWND page, int id, int index) {
  HWND list = GetDlgItem(page, id);
  SendMessageA(list, LB_SETCURSEL, index, 0);
  SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

std::string CurrentDirectory() {
  char directory[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof directory, directory);
  return directory;
}

// In the browser that is up: the folder typed into "Folder:", then Open.
void ChooseInBrowser(const std::string& folder, const std::string& gallery = "") {
  HWND browser = WaitForPage("Select Folder");
  ASSERT_TRUE(browser);
  if (!gallery.empty()) SaveGalleryPicture(browser, gallery);
  Type(browser, IDC_FOLDER_EDIT, folder);
  ASSERT_TRUE(WaitUntil([&] { return ItemText(browser, IDC_FOLDER_EDIT) == folder; }));
  Click(browser, IDC_BROWSER_OPEN);
  EXPECT_TRUE(WaitUntilClosed(browser));
}

class TargetWindowTest : public ModelStepTest {
 protected:
  void SetUp() override {
    ModelStepTest::SetUp();
    NewLog();
  }
  CTarget& AddDescribed(const std::string& id, const std::string& path, const std::string& description) {
    CTarget& target = AddTarget(id, path);
    target.Description.Set(description);
    return target;
  }
  int RunTargetPage(int index, const std::function<void()>& user) {
    return WithUser(user, [&] { return TS_GetTargetDlg(1, index, "DURING"); });
  }
};

TEST_F(TargetWindowTest, TheSinglePageShowsItsTargetShortenedAndBrowseOnlyWhenItMayChange) {
  struct Case {
    std::string path;
    const char* editable;
    std::string shown;
    bool browse;
    const char* gallery;
  };
  const Case cases[] = {
      {"C:\\Program Files\\Corvant", "EDITABLE", "C:\\Program Files\\Corvant", true, "2002-target"},
      {"C:\\Program Files\\Corvant\\Suite\\Writer\\Data", "EDITABLE", "C:\\...\\Suite\\Writer\\Data", true, nullptr},
      {"C:\\Program Files\\Corvant\\Suite\\AFolderNameLongerThanThirty", "EDITABLE",
       "...AFolderNameLongerThanThirty", true, nullptr},
      {"C:\\Corvant", "READONLY", "C:\\Corvant", false, nullptr},
  };
  int index = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    std::string id = "APPDIR" + std::to_string(index);
    CTarget& target = AddDescribed(id, c.path, "Setup will install the Corvant programs in the following folder.");
    target.editable.Set(c.editable);
    int result = RunTargetPage(index, [&] {
      HWND page = WaitForPage("Choose Destination Location");
      ASSERT_TRUE(page);
      EXPECT_EQ(ItemText(page, IDC_TARGET_TEXT), "Setup will install the Corvant programs in the following folder.");
      EXPECT_EQ(ItemText(page, IDC_TARGET_PATH), c.shown);
      EXPECT_LE(ItemText(page, IDC_TARGET_PATH).size(), 30u);
      EXPECT_EQ(ItemText(page, IDC_BROWSE), "B&rowse...");
      EXPECT_EQ(ItemEnabled(page, IDC_BROWSE), c.browse);
      EXPECT_EQ(ItemText(page, IDC_BACK), "< &Back");
      EXPECT_EQ(ItemText(page, IDOK), "&Next >");
      EXPECT_EQ(ItemText(page, IDCANCEL), "Cancel");
      if (c.gallery) SaveGalleryPicture(page, c.gallery);
      // A disabled Browse does nothing, however its command arrives.
      if (!c.browse) {
        PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_BROWSE, BN_CLICKED), 0);
        EXPECT_FALSE(WaitForPage("Select Folder", 500));
      }
      Click(page, IDOK);
      EXPECT_TRUE(WaitUntilClosed(page));
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(target.path, c.path);
    EXPECT_EQ(NewLog(), (std::vector<std::string>{"Target " + id + " :", "   Target path = " + c.path}));
    ++index;
  }
}

TEST_F(TargetWindowTest, BrowseOpensTheBrowserAndTheChosenFolderIsShownAndTaken) {
  MessageBoxWatcher boxes(IDYES);
  std::string start = dir / "Start";
  EXPECT_TRUE(CreateDirectoryTree(start + "\\Sub"));
  std::string chosen = dir / "Chosen\\Deeper";
  CTarget& target = AddDescribed("APPDIR", start + "\\", "Programs");
  CTarget& data = AddTarget("DATADIR", "%APPDIR%\\Data");
  data.path = start + "\\Data";
  int result = RunTargetPage(0, [&] {
    HWND page = WaitForPage("Choose Destination Location");
    ASSERT_TRUE(page);
    Click(page, IDC_BROWSE);
    HWND browser = WaitForPage("Select Folder");
    ASSERT_TRUE(browser);
    EXPECT_EQ(ItemText(browser, IDC_FOLDER_LABEL), "Folder:");
    EXPECT_EQ(ItemText(browser, IDC_FOLDER_EDIT), start);
    EXPECT_EQ(ItemText(browser, IDC_BROWSER_OPEN), "Open");
    EXPECT_EQ(ItemText(browser, IDC_BROWSER_CANCEL), "Cancel");
    EXPECT_TRUE(ItemVisible(browser, IDC_OFN_FOLDERS));
    EXPECT_FALSE(ItemVisible(browser, IDOK));
    EXPECT_FALSE(ItemVisible(browser, IDC_OFN_NAME_EDIT));
    // The browser runs with the current directory at its start.
    EXPECT_TRUE(EqualsNoCase(CurrentDirectory(), start));
    // Enter runs Open, and Tab leads from the edit to Open, then Cancel.
    EXPECT_EQ(LOWORD(SendMessageA(browser, DM_GETDEFID, 0, 0)), IDC_BROWSER_OPEN);
    HWND edit = GetDlgItem(browser, IDC_FOLDER_EDIT);
    EXPECT_EQ(GetNextDlgTabItem(browser, edit, FALSE), GetDlgItem(browser, IDC_BROWSER_OPEN));
    EXPECT_EQ(GetNextDlgTabItem(browser, GetDlgItem(browser, IDC_BROWSER_OPEN), FALSE),
              GetDlgItem(browser, IDC_BROWSER_CANCEL));
    // Clicking a folder of the list writes the current directory and its name into the edit.
    HWND folders = GetDlgItem(browser, IDC_OFN_FOLDERS);
    int sub = -1;
    for (int line = 0; line < SendMessageA(folders, LB_GETCOUNT, 0, 0); ++line)
      if (EqualsNoCase(ListLine(browser, IDC_OFN_FOLDERS, line), "[sub]")) sub = line;
    ASSERT_GE(sub, 0);
    SelectLine(browser, IDC_OFN_FOLDERS, sub);
    EXPECT_TRUE(EqualsNoCase(ItemText(browser, IDC_FOLDER_EDIT), start + "\\Sub")) << ItemText(browser, IDC_FOLDER_EDIT);
    ChooseInBrowser(chosen, "165-browser");
    ASSERT_TRUE(WaitUntil([&] { return ItemText(page, IDC_TARGET_PATH) == ShortenPath(chosen, 30); }));
    Click(page, IDOK);
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(target.path, chosen);
  EXPECT_EQ(target.customised, 1);
  EXPECT_EQ(data.path, chosen + "\\Data");
  EXPECT_TRUE(DirectoryExists(chosen));
  std::vector<MessageBoxWatcher::Box> shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "This folder does not exist.\n\nDo you want to create it?");
}

TEST_F(TargetWindowTest, CancelInTheBrowserLeavesThePath) {
  std::string start = dir.Path();
  CTarget& target = AddDescribed("APPDIR", start, "Programs");
  int result = RunTargetPage(0, [&] {
    HWND page = WaitForPage("Choose Destination Location");
    ASSERT_TRUE(page);
    Click(page, IDC_BROWSE);
    HWND browser = WaitForPage("Select Folder");
    ASSERT_TRUE(browser);
    Type(browser, IDC_FOLDER_EDIT, "C:\\Elsewhere");
    Click(browser, IDC_BROWSER_CANCEL);
    EXPECT_TRUE(WaitUntilClosed(browser));
    Click(page, IDOK);
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(target.path, start);
}

TEST_F(TargetWindowTest, TheRootOfAnEarlierInstallationIsRefused) {
  MessageBoxWatcher boxes;
  std::string old = dir / "Installed";
  WriteTextFile(old + "\\setup\\uninstall\\uninst.isu", "");
  WriteTextFile(old + "\\setup\\uninstall\\tuninst.dll", "");
  std::string other = dir / "Other";
  EXPECT_TRUE(CreateDirectoryTree(other));
  CTarget& root = AddDescribed("CORVAROOT", old, "Corvant");
  int result = RunTargetPage(0, [&] {
    HWND page = WaitForPage("Choose Destination Location");
    ASSERT_TRUE(page);
    Click(page, IDC_BROWSE);
    ChooseInBrowser(other);
    ASSERT_TRUE(WaitUntil([&] { return boxes.Boxes().size() == 1; }));
    EXPECT_EQ(ItemText(page, IDC_TARGET_PATH), ShortenPath(old, 30));
    Click(page, IDOK);
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(root.path, old);
  std::vector<MessageBoxWatcher::Box> shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Corvant Software has already been installed to " + old +
                               ".  To install to a different location, you must first uninstall Corvant Software.");
  std::vector<std::string> log = Log();
  EXPECT_TRUE(std::any_of(log.begin(), log.end(), [&](const std::string& line) {
    return line.find("***** " + shown[0].text) != std::string::npos;
  }));
}

TEST_F(TargetWindowTest, TheBrowserRefusesWhatItCannotUseAndStaysOpen) {
  struct Case {
    std::string typed;
    const char* message;
  };
  const Case cases[] = {
      {"C:\\bad|name", "The directory is invalid."},
      {"Q:\\NoSuchDrive", "The directory is invalid."},
      {"relative", "The directory is invalid."},
  };
  MessageBoxWatcher boxes;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    std::string path = dir.Path();
    bool changed = WithUser(
        [&] {
          HWND browser = WaitForPage("Select Folder");
          ASSERT_TRUE(browser);
          Type(browser, IDC_FOLDER_EDIT, c.typed);
          ASSERT_TRUE(WaitUntil([&] { return ItemText(browser, IDC_FOLDER_EDIT) == c.typed; }));
          size_t before = boxes.Boxes().size();
          Click(browser, IDC_BROWSER_OPEN);
          ASSERT_TRUE(WaitUntil([&] { return boxes.Boxes().size() == before + 1; }));
          Sleep(200);
          EXPECT_TRUE(IsWindowVisible(browser));
          Click(browser, IDC_BROWSER_CANCEL);
          EXPECT_TRUE(WaitUntilClosed(browser));
        },
        [&] { return Pages().BrowseForFolder("Select Folder", path); });
    EXPECT_FALSE(changed);
    EXPECT_EQ(path, dir.Path());
    ASSERT_FALSE(boxes.Boxes().empty());
    EXPECT_EQ(boxes.Boxes().back().text, c.message);
  }
}

class TargetLocationsWindowTest : public TargetWindowTest {
 protected:
  void SetUp() override {
    TargetWindowTest::SetUp();
    feature = &AddFeature(master().rootFeature, "WRITER");
    feature->Name.Set("Corvant Writer");
    root = &AddDescribed("CORVAROOT", dir / "Corvant", "Corvant");
    data = &AddDescribed("DATADIR", "C:\\Documents and Settings\\All Users\\Application Data\\Corvant\\Writer",
                         "Shared Data");
    data->editable.Set("READONLY");
    app = &AddDescribed("APPDIR", "%CORVAROOT%\\Writer", "Writer");
    app->path = dir / "Corvant\\Writer";
    app->show.Set("HIDE");
    AddComponent(*feature, "WRITERCORE", "CORVAROOT");
    AddComponent(*feature, "WRITERDATA", "DATADIR");
    AddComponent(*feature, "WRITERAPP", "APPDIR");
    EXPECT_TRUE(CreateDirectoryTree(dir / "Moved"));
  }
  // Opens the page through Change Folders, checks it, modifies the root and ends with `endButton`.
  void ModifyRootAndEnd(int endButton, const std::string& gallery = "") {
    WithUser(
        [&] {
          HWND page = WaitForPage("Target Locations");
          ASSERT_TRUE(page);
          EXPECT_EQ(ItemText(page, IDC_MAIN_TEXT),
                    "The following directories are used to store the files for Corvant Writer:");
          EXPECT_EQ(SendDlgItemMessageA(page, IDC_LOCATIONS_LIST, LB_GETCOUNT, 0, 0), 2);
          EXPECT_EQ(ListLine(page, IDC_LOCATIONS_LIST, 0), "Corvant Directory\t100 K");
          EXPECT_EQ(ListLine(page, IDC_LOCATIONS_LIST, 1), "Shared Data Directory\t100 K");
          EXPECT_EQ(SendDlgItemMessageA(page, IDC_LOCATIONS_LIST, LB_GETCURSEL, 0, 0), 0);
          EXPECT_EQ(ItemText(page, IDC_LOCATION_PATH), ShortenPath(root->path, 45));
          EXPECT_TRUE(ItemEnabled(page, IDC_MODIFY));
          SelectLine(page, IDC_LOCATIONS_LIST, 1);
          EXPECT_EQ(ItemText(page, IDC_LOCATION_PATH), "C:\\...\\Application Data\\Corvant\\Writer");
          EXPECT_FALSE(ItemEnabled(page, IDC_MODIFY));
          if (!gallery.empty()) SaveGalleryPicture(page, gallery);
          SelectLine(page, IDC_LOCATIONS_LIST, 0);
          EXPECT_TRUE(ItemEnabled(page, IDC_MODIFY));
          Click(page, IDC_MODIFY);
          ChooseInBrowser(dir / "Moved");
          ASSERT_TRUE(WaitUntil([&] { return ItemText(page, IDC_LOCATION_PATH) == ShortenPath(dir / "Moved", 45); }));
          Click(page, endButton);
          EXPECT_TRUE(WaitUntilClosed(page));
        },
        [&] {
          ChangeFeatureFolders(*feature);
          return 0;
        });
  }
  CFeature* feature = nullptr;
  CTarget *root = nullptr, *data = nullptr, *app = nullptr;
};

TEST_F(TargetLocationsWindowTest, OkKeepsWhatModifyChanged) {
  ModifyRootAndEnd(IDOK, "2001-targetlocations");
  EXPECT_EQ(root->path, dir / "Moved");
  EXPECT_EQ(root->fixed, 1);
  EXPECT_EQ(root->customised, 1);
  EXPECT_EQ(app->path, dir / "Moved\\Writer");
}

TEST_F(TargetLocationsWindowTest, CancelGivesTheTargetsBack) {
  std::string rootBefore = root->path, appBefore = app->path;
  ModifyRootAndEnd(IDCANCEL);
  EXPECT_EQ(root->path, rootBefore);
  EXPECT_EQ(root->fixed, 0);
  EXPECT_EQ(root->customised, 0);
  EXPECT_EQ(app->path, appBefore);
}

// REBrowseForFolder of a loaded engine, as the setup script calls it.
class BrowserExportTest : public ::testing::Test {
 protected:
  BrowserExportTest() : engine(dir.Path()) { browse = engine.Get<BrowseFn>("REBrowseForFolder"); }
  // Runs the export on `path` while the user types `typed` and opens it (or cancels when empty).
  int Browse(char* path, const std::string& typed) {
    return WithUser(
        [&] {
          HWND browser = WaitForPage("Pick a folder");
          ASSERT_TRUE(browser);
          startShown = ItemText(browser, IDC_FOLDER_EDIT);
          directoryWhileOpen = CurrentDirectory();
          if (typed.empty()) {
            Click(browser, IDC_BROWSER_CANCEL);
          } else {
            Type(browser, IDC_FOLDER_EDIT, typed);
            ASSERT_TRUE(WaitUntil([&] { return ItemText(browser, IDC_FOLDER_EDIT) == typed; }));
            Click(browser, IDC_BROWSER_OPEN);
          }
          EXPECT_TRUE(WaitUntilClosed(browser));
        },
        [&] { return browse(nullptr, "Pick a folder", path); });
  }
  ScratchDirectory dir{"browser"};
  EngineInstance engine;
  BrowseFn browse = nullptr;
  std::string startShown, directoryWhileOpen;
};

TEST_F(BrowserExportTest, TheExportAnswersWhetherTheFolderChangedAndRestoresTheCurrentDirectory) {
  ASSERT_TRUE(browse);
  MessageBoxWatcher boxes(IDYES);
  std::string apps = dir / "Apps";
  EXPECT_TRUE(CreateDirectoryTree(apps));
  std::string missing = dir / "Missing\\Sub";
  struct Case {
    std::string given;   // the buffer on entry
    std::string typed;   // what the user opens; empty: Cancel
    std::string start;   // the folder the browser starts on
    int result;
    std::string after;   // the buffer afterwards
  };
  const Case cases[] = {
      {apps, "", apps, 0, apps},                                      // cancelled
      {apps, apps, apps, 0, apps},                                    // unchanged
      {apps + "\\", apps, apps, 0, apps},                             // unchanged, trailing backslash
      {apps, dir.Path(), apps, 1, dir.Path()},                        // another folder
      {apps, apps + "\\\\", apps, 0, apps},                           // two trailing backslashes go
      {apps, "C:\\", apps, 1, "C:\\"},                                // a drive root keeps its own
      {apps, "c:\\\\", apps, 1, "c:\\"},                              // and only its own
      {missing, apps, dir.Path(), 1, apps},                           // nearest existing parent
      {"Q:\\Nowhere", apps, "C:\\", 1, apps},                         // no existing parent: C:\ .
      {apps, missing, apps, 1, missing},                              // created on Yes
  };
  std::string before = CurrentDirectory();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.given + " <- " + c.typed);
    char path[kBrowserPathSize] = "";
    std::strcpy(path, c.given.c_str());
    EXPECT_EQ(Browse(path, c.typed), c.result);
    EXPECT_EQ(std::string(path), c.after);
    EXPECT_TRUE(EqualsNoCase(startShown, c.start)) << startShown;
    EXPECT_TRUE(EqualsNoCase(TrimFolderText(directoryWhileOpen), c.start)) << directoryWhileOpen;
    EXPECT_EQ(CurrentDirectory(), before);
  }
  EXPECT_TRUE(DirectoryExists(missing));
  std::vector<MessageBoxWatcher::Box> shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "This folder does not exist.\n\nDo you want to create it?");
}

TEST_F(BrowserExportTest, NoKeepsTheBrowserOpenAndAnInvalidDirectoryIsRefused) {
  ASSERT_TRUE(browse);
  MessageBoxWatcher boxes(IDNO);
  std::string missing = dir / "NotCreated";
  char path[kBrowserPathSize] = "";
  std::strcpy(path, dir.Path().c_str());
  int result = WithUser(
      [&] {
        HWND browser = WaitForPage("Pick a folder");
        ASSERT_TRUE(browser);
        for (const std::string& typed : {missing, std::string("C:\\a|b")}) {
          size_t before = boxes.Boxes().size();
          Type(browser, IDC_FOLDER_EDIT, typed);
          ASSERT_TRUE(WaitUntil([&] { return ItemText(browser, IDC_FOLDER_EDIT) == typed; }));
          Click(browser, IDC_BROWSER_OPEN);
          ASSERT_TRUE(WaitUntil([&] { return boxes.Boxes().size() == before + 1; }));
          Sleep(200);
          EXPECT_TRUE(IsWindowVisible(browser));
        }
        Click(browser, IDC_BROWSER_CANCEL);
        EXPECT_TRUE(WaitUntilClosed(browser));
      },
      [&] { return browse(nullptr, "Pick a folder", path); });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(std::string(path), dir.Path());
  EXPECT_FALSE(DirectoryExists(missing));
  std::vector<MessageBoxWatcher::Box> shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, "This folder does not exist.\n\nDo you want to create it?");
  EXPECT_EQ(shown[1].text, "The directory is invalid.");
}
}  // namespace
