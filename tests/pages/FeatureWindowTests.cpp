// The feature selection page as a real window, driven from another thread as a user would: the
// lines of its owner-drawn check list read back through the list, checks clicked with the mouse
// and the space bar, the nested subcomponents page, the checks on Next.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <functional>

#include "include/tessaro.h"
#include "engine/StepResult.h"
#include "filters/FilterList.h"
#include "model/SelectionRules.h"
#include "pages/PageStepFixture.h"
#include "support/PageDriver.h"
#include "ui/FeatureSelectionStep.h"
#include "ui/PageHost.h"
#include "ui/resources/PageResource.h"

using namespace testing_support;

namespace {
// A line as the user sees it: its text, check mark, and whether it is greyed and locked.
struct SeenLine {
  std::string text;
  bool checked;
  bool locked;
  bool greyed;
  Kilobytes size;
};

const FeatureLine& LineAt(HWND list, int index) {
  return *reinterpret_cast<const FeatureLine*>(SendMessageA(list, LB_GETITEMDATA, index, 0));
}

std::vector<SeenLine> SeenLines(HWND list) {
  std::vector<SeenLine> lines;
  int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    char text[256] = {};
    if (SendMessageA(list, LB_GETTEXTLEN, index, 0) < static_cast<LRESULT>(sizeof text))
      SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
    const FeatureLine& line = LineAt(list, index);
    lines.push_back({text, line.checked, line.CheckDisabled(), line.Greyed(), line.size});
  }
  return lines;
}

bool operator==(const SeenLine& a, const SeenLine& b) {
  return a.text == b.text && a.checked == b.checked && a.locked == b.locked && a.greyed == b.greyed &&
         a.size == b.size;
}
std::ostream& operator<<(std::ostream& out, const SeenLine& line) {
  return out << line.text << (line.checked ? " [x]" : " [ ]") << (line.locked ? " locked" : "")
             << (line.greyed ? " grey" : "") << " " << line.size << " K";
}

// A point of a line: on its check box, or on its text.
LPARAM PointOf(HWND list, int index, bool onCheckBox) {
  RECT line = {};
  SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&line));
  return MAKELPARAM(line.left + (onCheckBox ? 8 : 80), (line.top + line.bottom) / 2);
}

void ClickLine(HWND list, int index, bool onCheckBox) {
  LPARAM point = PointOf(list, index, onCheckBox);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageA(list, WM_LBUTTONUP, 0, point);
}

void DoubleClickLine(HWND list, int index) {
  LPARAM point = PointOf(list, index, false);
  ClickLine(list, index, false);
  PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
  PostMessageA(list, WM_LBUTTONUP, 0, point);
}

void PressKey(HWND window, WPARAM key) {
  PostMessageA(window, WM_KEYDOWN, key, 0);
  PostMessageA(window, WM_KEYUP, key, 0);
}

// Highlights a line the way a click on its text does, and waits until the page shows it.
void Highlight(HWND page, HWND list, int index) {
  ClickLine(list, index, false);
  std::string description = LineAt(list, index).feature->Description.Raw();
  EXPECT_TRUE(WaitUntil([&] {
    return SendMessageA(list, LB_GETCURSEL, 0, 0) == index && ItemText(page, IDC_DESCRIPTION) == description;
  }));
}

bool IsAmount(const std::string& text) {
  if (text.size() < 3 || text.compare(text.size() - 2, 2, " K") != 0) return false;
  for (size_t i = 0; i + 2 < text.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  return true;
}

class FeatureWindowTest : public ModelStepTest {
 protected:
  void SetUp() override {
    ModelStepTest::SetUp();
    CFeature& root = master().rootFeature;
    office = &Feature(root, "OFFICE", "Office Suite", "Documents, spreadsheets and presentations.", true);
    writer = &Feature(*office, "WRITER", "Writer", "The word processor.", true);
    calc = &Feature(*office, "CALC", "Calc", "The spreadsheet.", false);
    tools = &Feature(root, "TOOLS", "Administration Tools", "Tools for the administrator.", false);
    legacy = &Feature(root, "LEGACY", "Legacy Converters", "Filters for old file formats.", false);
    Feature(root, "HIDDEN", "Hidden", "", true).Visible.Set("NO");
    AddTarget("APPDIR", "C:\\Corvant\\Office").Description.Set("Application files");
    AddTarget("DATADIR", "D:\\Corvant Data").Description.Set("Shared data");
    // The suite's own files go to both folders.
    CComponent& suiteFiles = AddComponent(*office, "SUITEFILES", "APPDIR");
    auto shared = std::make_unique<CTargetNeed>();
    shared->setup = &master();
    shared->component = &suiteFiles;
    shared->targetID.Set("DATADIR");
    shared->size.Set("100");
    suiteFiles.targetNeeds.Append(std::move(shared));
    AddComponent(*writer, "WRITERFILES", "APPDIR");
    AddComponent(*calc, "CALCFILES", "DATADIR");
    AddComponent(*tools, "TOOLFILES", "APPDIR");
    tools->installed = 1;
    // Offered only on systems this test does not run on.
    auto systems = std::make_unique<COSFilter>(&master());
    systems->Parse("W95,W98");
    legacy->filters.Append(std::move(systems));
    office->selected = writer->selected = 1;
    NormaliseSelection(master());
    NewLog();
  }

  CFeature& Feature(CFeature& parent, const std::string& id, const std::string& name, const std::string& description,
                    bool byDefault) {
    CFeature& feature = AddFeature(parent, id, byDefault);
    feature.Name.Set(name);
    feature.Description.Set(description);
    return feature;
  }

  // Runs the top-level page while `user` answers it; the page's end code.
  PageEnd RunPage(const std::function<void(HWND page, HWND list)>& user) {
    return WithUser(
        [&] {
          HWND page = WaitForPage("Select Components");
          ASSERT_TRUE(page);
          user(page, GetDlgItem(page, IDC_FEATURE_LIST));
          if (IsWindow(page)) {
            EXPECT_TRUE(WaitUntilClosed(page)) << "the page did not close";
          }
        },
        [&] { return Pages().FeatureSelectionPage(master().rootFeature); });
  }

  CFeature *office = nullptr, *writer = nullptr, *calc = nullptr, *tools = nullptr, *legacy = nullptr;
  MessageBoxWatcher boxes{0};
};

const char kInstructionWithSubcomponents[] =
    "In the Options list, select the items you want to install to your computer.  Use the \"Select "
    "Subcomponents...\" button to change the selection of subcomponents.";

TEST_F(FeatureWindowTest, TheTopPageListsTheVisibleFeaturesInTheListItsSetupAsksFor) {
  struct Layout {
    bool skipRoot;
    std::string caption;
    int list, otherList;
    std::vector<SeenLine> lines;
    std::string gallery;
  };
  const SeenLine officeLine{"Office Suite", true, false, false, 400},
      toolsLine{"Administration Tools", false, false, false, 100},
      legacyLine{"Legacy Converters", false, true, true, 0};
  const Layout layouts[] = {
      {false, "Select Components", IDC_FEATURE_LIST, IDC_PRODUCT_LIST, {officeLine, toolsLine, legacyLine},
       "109-components"},
      {true, "Select Products", IDC_PRODUCT_LIST, IDC_FEATURE_LIST, {toolsLine, legacyLine, officeLine},
       "109-products"},
  };
  for (const Layout& layout : layouts) {
    SCOPED_TRACE(layout.caption);
    master().SkipRoot.Set(layout.skipRoot ? "YES" : "NO");
    PageEnd end = WithUser(
        [&] {
          HWND page = WaitForPage(layout.caption);
          ASSERT_TRUE(page);
          HWND list = GetDlgItem(page, layout.list);
          EXPECT_TRUE(ItemVisible(page, layout.list));
          EXPECT_FALSE(ItemVisible(page, layout.otherList));
          EXPECT_EQ(ItemText(page, IDC_MAIN_TEXT), kInstructionWithSubcomponents);
          EXPECT_EQ(SeenLines(list), layout.lines);
          EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
          EXPECT_TRUE(ItemVisible(page, IDC_BACK));
          EXPECT_EQ(ItemText(page, IDOK), "&Next >");
          EXPECT_EQ(ItemText(page, IDC_SUBCOMPONENTS), "&Select Subcomponents...");
          SaveGalleryPicture(page, layout.gallery);
          Click(page, IDOK);
        },
        [&] { return Pages().FeatureSelectionPage(master().rootFeature); });
    EXPECT_EQ(end, PageEnd::Next);
  }
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(FeatureWindowTest, TheHighlightedLineFillsTheDescriptionLegendFolderAndSpace) {
  struct Areas {
    int line;
    std::string description;
    std::vector<std::string> legend;
    std::string group, path, button;
    bool buttonEnabled, subcomponents;
    std::vector<std::string> labels;  // required and available on the drive, then on the system drive
    std::string required;
  };
  const std::vector<Areas> cases = {
      {0, "Documents, spreadsheets and presentations.", {"", "", ""}, "Folder for Application files:",
       "C:\\Corvant\\Office", "Change &Folders...", true, true,
       {"Space required on C:", "Space available on C:", "", ""}, "200 K"},
      {1, "Tools for the administrator.", {"Installed", "", ""}, "Folder for Application files:", "C:\\Corvant\\Office",
       "Change &Folder...", false, false, {"Space required on C:", "Space available on C:", "", ""}, "200 K"},
      {2, "Filters for old file formats.", {"N/A for Window NT", "", ""}, "", "", "Change &Folder...", false, false,
       {"", "", "Space required on system drive C:", "Space available on C:"}, ""},
  };
  RunPage([&](HWND page, HWND list) {
    for (const Areas& c : cases) {
      SCOPED_TRACE(c.description);
      Highlight(page, list, c.line);
      EXPECT_EQ(ItemText(page, IDC_LEGEND_TEXT1), c.legend[0]);
      EXPECT_EQ(ItemText(page, IDC_LEGEND_TEXT2), c.legend[1]);
      EXPECT_EQ(ItemText(page, IDC_LEGEND_TEXT3), c.legend[2]);
      EXPECT_EQ(ItemText(page, IDC_FOLDER_GROUP), c.group);
      EXPECT_EQ(ItemText(page, IDC_FOLDER_PATH), c.path);
      EXPECT_EQ(ItemText(page, IDC_CHANGE_FOLDER), c.button);
      EXPECT_EQ(ItemEnabled(page, IDC_CHANGE_FOLDER), c.buttonEnabled);
      EXPECT_EQ(ItemEnabled(page, IDC_SUBCOMPONENTS), c.subcomponents);
      EXPECT_EQ(ItemText(page, IDC_SPACE_REQUIRED_LABEL), c.labels[0]);
      EXPECT_EQ(ItemText(page, IDC_SPACE_AVAILABLE_LABEL), c.labels[1]);
      EXPECT_EQ(ItemText(page, IDC_SYSTEM_REQUIRED_LABEL), c.labels[2]);
      EXPECT_EQ(ItemText(page, IDC_SYSTEM_AVAILABLE_LABEL), c.labels[3]);
      EXPECT_EQ(ItemText(page, IDC_SPACE_REQUIRED), c.required);
      EXPECT_EQ(IsAmount(ItemText(page, IDC_SPACE_AVAILABLE)), !c.labels[1].empty());
      EXPECT_EQ(IsAmount(ItemText(page, IDC_SYSTEM_REQUIRED)), !c.labels[2].empty());
      EXPECT_EQ(IsAmount(ItemText(page, IDC_SYSTEM_AVAILABLE)), !c.labels[3].empty());
    }
    Click(page, IDOK);
  });
}

TEST_F(FeatureWindowTest, AFolderCaptionTooLongForItsBoxEndsInDots) {
  master().targets.Find("APPDIR")->Description.Set(
      "Setup will install the Corvant Office Suite and its administration tools to the following directory.");
  const std::string whole =
      "Folder for Setup will install the Corvant Office Suite and its administration tools to the following "
      "directory.:";
  RunPage([&](HWND page, HWND list) {
    Highlight(page, list, 1);
    std::string caption = ItemText(page, IDC_FOLDER_GROUP);
    ASSERT_GT(caption.size(), 3u);
    EXPECT_EQ(caption.substr(caption.size() - 3), "...");
    EXPECT_EQ(whole.rfind(caption.substr(0, caption.size() - 3), 0), 0u) << caption;
    EXPECT_LT(caption.size(), whole.size());
    Click(page, IDOK);
  });
}

TEST_F(FeatureWindowTest, ChecksFollowTheMouseAndTheSpaceBarButNotOnALockedLine) {
  enum How { Mouse, Space, DoubleClick, MouseOnText };
  struct Toggle {
    int line;
    How how;
    std::vector<bool> checks;  // of the three lines afterwards
    std::string required;      // on C:, for the highlighted line's folder
  };
  const Toggle toggles[] = {
      {1, Mouse, {true, true, false}, "300 K"},        {1, Space, {true, false, false}, "200 K"},
      {0, DoubleClick, {false, false, false}, "0 K"},  {0, Space, {true, false, false}, "200 K"},
      {1, MouseOnText, {true, false, false}, "200 K"}, {2, Mouse, {true, false, false}, ""},
      {2, Space, {true, false, false}, ""},
  };
  RunPage([&](HWND page, HWND list) {
    for (const Toggle& t : toggles) {
      SCOPED_TRACE(std::to_string(t.line) + " " + std::to_string(t.how));
      Highlight(page, list, t.line);
      if (t.how == Mouse || t.how == MouseOnText) ClickLine(list, t.line, t.how == Mouse);
      if (t.how == Space) PressKey(list, VK_SPACE);
      if (t.how == DoubleClick) DoubleClickLine(list, t.line);
      EXPECT_TRUE(WaitUntil([&] {
        for (int i = 0; i < 3; ++i)
          if (LineAt(list, i).checked != t.checks[static_cast<size_t>(i)]) return false;
        return ItemText(page, IDC_SPACE_REQUIRED) == t.required;
      })) << ItemText(page, IDC_SPACE_REQUIRED);
    }
    Click(page, IDOK);
  });
  // The model took the user's marks; the office suite came back with its defaults.
  EXPECT_EQ(office->selected, 1);
  EXPECT_EQ(writer->selected, 1);
  EXPECT_EQ(calc->selected, 0);
  EXPECT_EQ(tools->selected, 0);
  EXPECT_EQ(tools->selectionSet, 1);
  EXPECT_EQ(legacy->selectionSet, 0);
  EXPECT_EQ(master().components.Find("WRITERFILES")->selected, 1);
}

TEST_F(FeatureWindowTest, TheSubcomponentsPageKeepsItsChangesHoweverItIsClosed) {
  enum Close { Ok, CancelButton, EscapeKey };
  const Close closes[] = {EscapeKey, CancelButton, Ok};
  RunPage([&](HWND page, HWND list) {
    RECT top = {};
    GetWindowRect(page, &top);
    bool writerChecked = true;
    for (Close close : closes) {
      SCOPED_TRACE(close);
      Highlight(page, list, 0);
      Click(page, IDC_SUBCOMPONENTS);
      HWND nested = WaitForPage("Select Subcomponents");
      ASSERT_TRUE(nested);
      HWND sublist = GetDlgItem(nested, IDC_FEATURE_LIST);
      EXPECT_TRUE(ItemVisible(nested, IDC_FEATURE_LIST));
      EXPECT_FALSE(ItemVisible(nested, IDC_PRODUCT_LIST));
      EXPECT_FALSE(ItemVisible(nested, IDC_BACK));
      EXPECT_EQ(ItemText(nested, IDOK), "OK");
      EXPECT_EQ(ItemText(nested, IDC_MAIN_TEXT),
                "In the Options list, select the items you want to install to your computer.");
      RECT place = {};
      GetWindowRect(nested, &place);
      EXPECT_EQ(place.left, top.left + 10);
      EXPECT_EQ(place.top, top.top + 10);
      EXPECT_EQ(SeenLines(sublist), (std::vector<SeenLine>{{"Writer", writerChecked, false, false, 100},
                                                           {"Calc", false, false, false, 100}}));
      if (close == EscapeKey) {
        // The folder of a subcomponent on another drive shows both drives' figures.
        Highlight(nested, sublist, 1);
        EXPECT_EQ(ItemText(nested, IDC_FOLDER_GROUP), "Folder for Shared data:");
        EXPECT_EQ(ItemText(nested, IDC_SPACE_REQUIRED_LABEL), "Space required on D:");
        EXPECT_EQ(ItemText(nested, IDC_SPACE_REQUIRED), "100 K");
        EXPECT_EQ(ItemText(nested, IDC_SYSTEM_REQUIRED_LABEL), "Space required on system drive C:");
        EXPECT_EQ(ItemText(nested, IDC_SYSTEM_REQUIRED), "200 K");
        EXPECT_EQ(ItemText(nested, IDC_SYSTEM_AVAILABLE_LABEL), "Space available on C:");
        SaveGalleryPicture(nested, "109-subcomponents");
      }
      ClickLine(sublist, 0, true);
      writerChecked = !writerChecked;
      EXPECT_TRUE(WaitUntil([&] { return LineAt(sublist, 0).checked == writerChecked; }));
      EXPECT_EQ(writer->selected, writerChecked ? 1 : 0);
      if (close == EscapeKey) PressKey(sublist, VK_ESCAPE);
      if (close == CancelButton) Click(nested, IDCANCEL);
      if (close == Ok) Click(nested, IDOK);
      EXPECT_TRUE(WaitUntilClosed(nested));
      // Back on the top page, which did not move on: the suite keeps its own mark.
      EXPECT_TRUE(IsWindowVisible(page));
      EXPECT_TRUE(LineAt(list, 0).checked);
      EXPECT_EQ(writer->selected, writerChecked ? 1 : 0);
    }
    Click(page, IDOK);
  });
  EXPECT_EQ(writer->selected, 0);
  EXPECT_EQ(calc->selected, 0);
  // Closing the nested page with nothing selected in it asked nothing, not even on Cancel.
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(FeatureWindowTest, ChangeFolderPicksTheOneFolderAndChangeFoldersListsThemAll) {
  RunPage([&](HWND page, HWND list) {
    // Several targets: the target locations page, closed again.
    Highlight(page, list, 0);
    EXPECT_EQ(ItemText(page, IDC_CHANGE_FOLDER), "Change &Folders...");
    Click(page, IDC_CHANGE_FOLDER);
    HWND locations = WaitForPage("Target Locations");
    ASSERT_TRUE(locations);
    EXPECT_EQ(SendDlgItemMessageA(locations, IDC_LOCATIONS_LIST, LB_GETCOUNT, 0, 0), 2);
    Click(locations, IDCANCEL);
    EXPECT_TRUE(WaitUntilClosed(locations));
    // One target, once its feature is selected: the folder browser, and the new folder shown.
    Highlight(page, list, 1);
    EXPECT_FALSE(ItemEnabled(page, IDC_CHANGE_FOLDER));
    ClickLine(list, 1, true);
    ASSERT_TRUE(WaitUntil([&] { return ItemEnabled(page, IDC_CHANGE_FOLDER); }));
    Click(page, IDC_CHANGE_FOLDER);
    HWND browser = WaitForPage("Select Folder");
    ASSERT_TRUE(browser);
    Type(browser, IDC_FOLDER_EDIT, "C:\\windows");
    EXPECT_TRUE(WaitUntil([&] { return ItemText(browser, IDC_FOLDER_EDIT) == "C:\\windows"; }));
    Click(browser, IDC_BROWSER_OPEN);
    EXPECT_TRUE(WaitUntilClosed(browser));
    EXPECT_TRUE(WaitUntil([&] { return ItemText(page, IDC_FOLDER_PATH) == "C:\\windows"; }))
        << ItemText(page, IDC_FOLDER_PATH);
    Click(page, IDOK);
  });
  EXPECT_EQ(master().targets.Find("APPDIR")->path, "C:\\windows");
  EXPECT_EQ(master().targets.Find("DATADIR")->path, "D:\\Corvant Data");
}

TEST_F(FeatureWindowTest, NextOnTheTopPageWantsOneFeatureAndPassesTheDependencyCheck) {
  auto absent = std::make_unique<CCompatibilityFilter>(&master());
  absent->Parse("MUSTHAVE;NOAPP;NOFEATURE");
  tools->filters.Append(std::move(absent));
  PageEnd end = RunPage([&](HWND page, HWND list) {
    // Nothing selected: the message, and the page stays.
    Highlight(page, list, 0);
    PressKey(list, VK_SPACE);
    ASSERT_TRUE(WaitUntil([&] { return !LineAt(list, 0).checked; }));
    Click(page, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return boxes.Boxes().size() == 1; }));
    EXPECT_FALSE(WaitUntilClosed(page, 300));
    // A selection with a restricted dependency error: the report, and Back keeps the page.
    ClickLine(list, 1, true);
    ASSERT_TRUE(WaitUntil([&] { return LineAt(list, 1).checked; }));
    Click(page, IDOK);
    HWND report = WaitForPage("Dependency Error");
    ASSERT_TRUE(report);
    EXPECT_EQ(ItemText(report, IDC_QUESTION_TEXT), "You must change your selections.");
    EXPECT_EQ(SendDlgItemMessageA(report, IDC_LIST, LB_GETCOUNT, 0, 0), 1);
    Click(report, IDC_BACK);
    EXPECT_TRUE(WaitUntilClosed(report));
    EXPECT_FALSE(WaitUntilClosed(page, 300));
    // Without the troublesome feature Next goes on.
    ClickLine(list, 1, true);
    ClickLine(list, 0, true);
    ASSERT_TRUE(WaitUntil([&] { return LineAt(list, 0).checked && !LineAt(list, 1).checked; }));
    Click(page, IDOK);
  });
  EXPECT_EQ(end, PageEnd::Next);
  std::vector<MessageBoxWatcher::Box> shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "You must select at least one feature.");
  std::vector<std::string> log = NewLog();
  EXPECT_TRUE(ContainsLine(log, "Dependency Errors :"));
  EXPECT_TRUE(ContainsLine(log, "   - go BACK"));
}

TEST_F(FeatureWindowTest, TheExportedStepShowsThePageAndMapsItsEnd) {
  tools->installed = 0;
  struct StepCase {
    int button;
    int result;
    std::string logLine;
  };
  // Cancel asks the exit question; Yes leaves.
  boxes.SetAnswer(IDYES);
  const StepCase cases[] = {{IDOK, kStepNext, "***** Feature Selection *****"},
                            {IDC_BACK, kStepBack, "return BACK"},
                            {IDCANCEL, kStepStop, "User cancelled"}};
  for (const StepCase& c : cases) {
    SCOPED_TRACE(c.button);
    int result = WithUser(
        [&] {
          HWND page = WaitForPage("Select Components");
          ASSERT_TRUE(page);
          // The defaults of a first installation: the suite with its default subcomponent.
          EXPECT_TRUE(LineAt(GetDlgItem(page, IDC_FEATURE_LIST), 0).checked);
          Click(page, c.button);
        },
        [] { return TS_GetSelectionsDlg(1); });
    EXPECT_EQ(result, c.result);
    EXPECT_TRUE(ContainsLine(NewLog(), c.logLine));
  }
  std::vector<MessageBoxWatcher::Box> shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].caption, "Corvant Setup");
}

TEST(FeatureLegendTest, TheInstalledRowComesFirstThenOneSystemRowByPriority) {
  struct LegendCase {
    unsigned state;
    std::vector<std::string> texts;
    std::vector<int> icons;
    int listIcon;  // at the right of the line
  };
  const int blank = IDB_BLANK_ICON;
  const LegendCase cases[] = {
      {0, {"", "", ""}, {blank, blank, blank}, 0},
      {kStateInstalled, {"Installed", "", ""}, {IDB_INSTALLED, blank, blank}, 0},
      {kStateInstalled | kStateNotForNT | kStateGreyed | kStateDisabled,
       {"Installed", "N/A for Window NT", ""}, {IDB_INSTALLED, IDB_NOT_FOR_NT, blank}, IDB_NOT_FOR_NT},
      {kStateNotForThisOS | kStateNotForNT, {"N/A for this OS version", "", ""}, {IDB_NOT_FOR_THIS_OS, blank, blank},
       IDB_NOT_FOR_THIS_OS},
      {kStateNotForNT | kStateNotFor95, {"N/A for Window NT", "", ""}, {IDB_NOT_FOR_NT, blank, blank}, IDB_NOT_FOR_NT},
      {kStateNotFor95 | kStateNotFor98, {"N/A for Windows 95", "", ""}, {IDB_NOT_FOR_95, blank, blank}, IDB_NOT_FOR_95},
      {kStateNotFor98, {"N/A for Windows 98", "", ""}, {IDB_NOT_FOR_98, blank, blank}, IDB_NOT_FOR_98},
  };
  for (const LegendCase& c : cases) {
    SCOPED_TRACE(c.state);
    std::vector<LegendRow> rows = FeatureLegend(c.state);
    ASSERT_EQ(rows.size(), 3u);
    for (size_t row = 0; row < rows.size(); ++row) {
      EXPECT_EQ(rows[row].text, c.texts[row]);
      EXPECT_EQ(rows[row].icon, c.icons[row]);
    }
    FeatureLine line;
    line.state = c.state;
    EXPECT_EQ(line.SystemIcon(), c.listIcon);
  }
}

class FeatureListChoiceTest : public ModelStepTest {};

TEST_F(FeatureListChoiceTest, ProductsForASuiteOrASkippedRootComponentsOtherwiseSubcomponentsWhenNested) {
  struct ChoiceCase {
    bool subsetup;
    std::string skipRoot;
    bool nested;
    std::string caption;
    bool sorted;
  };
  const ChoiceCase cases[] = {
      {false, "NO", false, "Select Components", false}, {false, "yes", false, "Select Products", true},
      {false, "YES", true, "Select Subcomponents", false}, {true, "NO", false, "Select Products", true},
      {true, "NO", true, "Select Subcomponents", false},
  };
  for (const ChoiceCase& c : cases) {
    SCOPED_TRACE(c.caption);
    master().SkipRoot.Set(c.skipRoot);
    if (c.subsetup && master().subsetups.Count() == 0) {
      auto product = std::make_unique<CSetup>();
      product->ID.Set("PRODUCT");
      master().subsetups.Append(std::move(product));
    }
    FeatureListChoice choice = ChooseFeatureList(master(), c.nested);
    EXPECT_EQ(choice.caption, c.caption);
    EXPECT_EQ(choice.sorted, c.sorted);
  }
}

INT_PTR CALLBACK InertProcedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(FeatureTemplateTest, TheTemplateHoldsEveryControlAtItsSize) {
  HWND dialog =
      CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_FEATURES), nullptr, InertProcedure, 0);
  ASSERT_TRUE(dialog);
  for (int id : {IDC_MAIN_TEXT, IDC_EMPTY_TEXT, IDC_FEATURE_LIST, IDC_PRODUCT_LIST, IDC_DESCRIPTION, IDC_LEGEND_ICON1,
                 IDC_LEGEND_ICON2, IDC_LEGEND_ICON3, IDC_LEGEND_TEXT1, IDC_LEGEND_TEXT2, IDC_LEGEND_TEXT3,
                 IDC_SUBCOMPONENTS, IDC_FOLDER_GROUP, IDC_FOLDER_PATH, IDC_CHANGE_FOLDER, IDC_SPACE_REQUIRED_LABEL,
                 IDC_SPACE_AVAILABLE_LABEL, IDC_SPACE_REQUIRED, IDC_SPACE_AVAILABLE, IDC_SYSTEM_REQUIRED_LABEL,
                 IDC_SYSTEM_AVAILABLE_LABEL, IDC_SYSTEM_REQUIRED, IDC_SYSTEM_AVAILABLE, IDC_BACK, IDOK, IDCANCEL})
    EXPECT_TRUE(GetDlgItem(dialog, id)) << id;
  EXPECT_NE(GetWindowLongA(GetDlgItem(dialog, IDC_PRODUCT_LIST), GWL_STYLE) & LBS_SORT, 0);
  EXPECT_EQ(GetWindowLongA(GetDlgItem(dialog, IDC_FEATURE_LIST), GWL_STYLE) & LBS_SORT, 0);
  RECT frame = {0, 0, 356, 218}, client = {};
  MapDialogRect(dialog, &frame);
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, frame.right);
  EXPECT_EQ(client.bottom, frame.bottom);
  DestroyWindow(dialog);
}
}  // namespace
