// The framework server pages as real windows, driven from another thread through the exported
// step a setup script calls.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "include/tessaro.h"
#include "engine/Paths.h"
#include "engine/Text.h"
#include "pages/PageStepFixture.h"
#include "pages/SuiteCd.h"
#include "state/Registry.h"
#include "state/ServerRecords.h"
#include "state/UninstallFiles.h"
#include "support/PageDriver.h"
#include "ui/ExitConfirmation.h"
#include "ui/PageHost.h"
#include "ui/resources/PageResource.h"

using namespace testing_support;

namespace {
const char kSelectCaption[] = "Select Corva Framework Server";
const char kServerCaption[] = "Corva Framework Server";
const char kWhichServer[] = "Which Corva Framework Server do you wish to use?";
const char kUseServer[] = "Use the following Corva Framework Server :";
const char kLater[] = "I will select an Corva Framework Server later";
const char kNoServer[] = "I do not wish to use an Corva Framework Server";

// What the CD carries as its NEXO Library.
enum class Nexo { None, WithEntry, WithoutEntry };

// What a control of a page should show; an empty optional is not looked at.
struct PageView {
  std::string gallery;
  std::string caption;
  std::vector<Control> controls;
  std::vector<std::string> texts;  // of controls without an id of their own
};

class ServerWindowTest : public ModelStepTest {
 protected:
  void SetUp() override {
    ModelStepTest::SetUp();
    AddTarget("CORVAROOT", dir / "root");
    master().currentCDRoot = dir.Path();
    NewLog();
  }
  void InstalledProducts() {
    for (const char* product : {"Writer", "Calc"})
      WriteTextFile(dir / ("root\\setup\\uninstall\\" + std::string(product) + ".ini"),
                    "[Main]\r\nDescription=" + std::string(product) + "\r\nVisible=YES\r\n");
  }
  // The NEXO directory of the CD; the fixture library answers its Advanced button from nexo.ini.
  void NexoOnCD(Nexo nexo, const std::string& answer = "Confirm=1\r\nServer=hub07\r\nAdvanced=1") {
    if (nexo == Nexo::None) return;
    WriteTextFile(dir / "NEXO\\prop.ini", "[Main]\r\nSetupDLL=nexo.dll\r\n");
    CopyFileTo(FixturePath(nexo == Nexo::WithEntry ? "fixture_nexo.dll" : "fixture_setup.dll"), dir / "NEXO\\nexo.dll");
    WriteTextFile(dir / "NEXO\\nexo.ini", "[Answer]\r\n" + answer + "\r\n");
  }
  // Runs the step while `user` works its pages.
  int Step(int direction, const std::function<void()>& user) {
    return WithUser(user, [&] { return TS_GetServerDlg(direction); });
  }
  static HWND Page(const std::string& caption) {
    HWND page = WaitForPage(caption);
    EXPECT_TRUE(page) << caption;
    return page;
  }
  // Clicks `button` on the page of that caption and waits until it is gone.
  static void Leave(const std::string& caption, int button) {
    HWND page = Page(caption);
    if (!page) return;
    Click(page, button);
    EXPECT_TRUE(WaitUntilClosed(page)) << caption;
  }
  static bool LogHas(const std::vector<std::string>& log, const std::string& text) {
    return std::any_of(log.begin(), log.end(),
                       [&](const std::string& line) { return line.find(text) != std::string::npos; });
  }

  MessageBoxWatcher boxes{IDNO};
};

void ExpectPage(HWND page, const PageView& view) {
  ExpectControls(page, view.controls, view.gallery);
  std::vector<std::string> texts = ControlTexts(page);
  for (const std::string& text : view.texts)
    EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << view.gallery << ": " << text;
}
}  // namespace

TEST_F(ServerWindowTest, EachPageOfTheWalkShowsItsControlsAndTexts) {
  const std::vector<Control> frame = {{IDC_BACK, "< &Back"}, {IDOK, "&Next >"}, {IDCANCEL, "Cancel"}};
  auto with = [&](std::vector<Control> controls) {
    controls.insert(controls.end(), frame.begin(), frame.end());
    return controls;
  };
  // Without installed products only page A is shown.
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kFrameworkServerKey, "WebServer", "hub01"), ERROR_SUCCESS);
  NexoOnCD(Nexo::WithEntry);
  PageView pageA{"2010-server-a", kSelectCaption,
                 with({{IDC_USE_SERVER_RADIO, kUseServer, true, true, true},
                       {IDC_SERVER_EDIT, "hub01"},
                       {IDC_ADVANCED, "&Advanced..."},
                       {IDC_LATER_SERVER_RADIO, kLater, true, true, false},
                       {IDC_NO_SERVER_RADIO, kNoServer, true, true, false}}),
                 {kWhichServer}};
  int result = Step(1, [&] {
    HWND page = Page(kSelectCaption);
    ASSERT_TRUE(page);
    ExpectPage(page, pageA);
    SaveGalleryPicture(page, pageA.gallery);
    Leave(kSelectCaption, IDOK);
  });
  EXPECT_EQ(result, 1);
  std::vector<std::string> log = NewLog();
  EXPECT_EQ(log.front(), "Server Dialog A :");
  EXPECT_EQ(log.back(), "   Server Active = YES");

  // With installed products and a server in use: pages B, C and D.
  InstalledProducts();
  master().serverName = "hub02";
  std::string products = GetInstalledApplications();
  std::vector<std::string> productLines;
  for (FieldReader fields(products, ','); !fields.AtEnd();) productLines.push_back(fields.Next());
  ASSERT_EQ(productLines.size(), 2u);
  const std::vector<PageView> walk = {
      {"2021-server-b", kServerCaption,
       with({{IDC_TEXT1, productLines[0] + ", " + productLines[1]},
             {IDC_YES_RADIO, "&Yes, run the installed products with a Corva Framework Server.", true, true, true},
             {IDC_NO_RADIO, "&No, the installed products run independently of a Corva Framework Server.", true, true,
              false}}),
       {"The following Corvant products are already installed on this computer:",
        "Do you want these products to run together with a Corva Framework Server?"}},
      {"2019-server-c", kSelectCaption, with({{IDC_SERVER_EDIT, "hub02"}, {IDC_ADVANCED, "&Advanced..."}}),
       {kWhichServer, "Leave this blank if you wish to select the server later."}},
      {"2020-server-d", kServerCaption, with({{IDC_COMPLIANT_PRODUCT_LIST}}),
       {"The products listed below will start running with the Corva Framework Server:",
        "The change takes effect after the next restart of your computer.",
        "Click Next to continue.  Click Back to change the Corva Framework Server settings."}},
  };
  result = Step(1, [&] {
    for (const PageView& view : walk) {
      HWND page = Page(view.caption);
      ASSERT_TRUE(page);
      ExpectPage(page, view);
      if (view.gallery == "2020-server-d") {
        EXPECT_EQ(ListLines(page, IDC_COMPLIANT_PRODUCT_LIST), productLines);
      }
      SaveGalleryPicture(page, view.gallery);
      Click(page, IDOK);
      EXPECT_TRUE(WaitUntilClosed(page));
    }
  });
  EXPECT_EQ(result, 1);
  log = NewLog();
  for (const char* line : {"Server Dialog B :", "   Server Active = YES", "Server Dialog C :", "Server Dialog D :"})
    EXPECT_TRUE(ContainsLine(log, line)) << line;
  EXPECT_EQ(master().serverName, "hub02");
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(ServerWindowTest, AdvancedIsShownOnlyWhenTheLibraryHasItsEntryPoint) {
  struct AdvancedCase {
    Nexo nexo;
    bool pageC;
    bool shown;
    std::string logged;
  };
  const AdvancedCase cases[] = {
      {Nexo::WithEntry, false, true, "NEXO Library = "},
      {Nexo::WithoutEntry, false, false, "The function ShowFrameworkServerAdv is not in the Library"},
      {Nexo::None, false, false, "Unable to locate NEXO Library"},
      {Nexo::WithEntry, true, true, "NEXO Library = "},
      {Nexo::WithoutEntry, true, false, "The function ShowFrameworkServerAdv is not in the Library"},
  };
  for (const AdvancedCase& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.nexo)) + (c.pageC ? " C" : " A"));
    RemoveTree(dir / "NEXO");
    NexoOnCD(c.nexo);
    if (c.pageC) {
      InstalledProducts();
      master().serverActive = 1;
    }
    int result = Step(1, [&] {
      if (c.pageC) Leave(kServerCaption, IDOK);
      HWND page = Page(kSelectCaption);
      ASSERT_TRUE(page);
      EXPECT_EQ(ItemVisible(page, IDC_ADVANCED), c.shown);
      Click(page, IDC_BACK);
      EXPECT_TRUE(WaitUntilClosed(page));
      if (c.pageC) Leave(kServerCaption, IDC_BACK);
    });
    EXPECT_EQ(result, 12);
    EXPECT_TRUE(LogHas(NewLog(), c.logged));
  }
}

TEST_F(ServerWindowTest, AdvancedSettingsBringTheNameBackAndLockTheEdit) {
  NexoOnCD(Nexo::WithEntry);
  for (bool pageC : {false, true}) {
    SCOPED_TRACE(pageC ? "C" : "A");
    master().serverAdvanced = 0;
    if (pageC) {
      InstalledProducts();
      master().serverActive = 1;
    }
    int result = Step(1, [&] {
      if (pageC) Leave(kServerCaption, IDOK);
      HWND page = Page(kSelectCaption);
      ASSERT_TRUE(page);
      Type(page, IDC_SERVER_EDIT, "typed");
      EXPECT_TRUE(WaitUntil([&] { return ItemText(page, IDC_SERVER_EDIT) == "typed"; }));
      Click(page, IDC_ADVANCED);
      EXPECT_TRUE(WaitUntil([&] { return ItemText(page, IDC_SERVER_EDIT) == "hub07"; }));
      EXPECT_FALSE(ItemEnabled(page, IDC_SERVER_EDIT));
      Click(page, IDOK);
      EXPECT_TRUE(WaitUntilClosed(page));
      if (pageC) Leave(kServerCaption, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(master().serverName, "hub07");
    EXPECT_EQ(master().serverAdvanced, 1);
    std::vector<std::string> log = NewLog();
    EXPECT_TRUE(ContainsLine(log, "   Getting advanced Quelwise Server settings :"));
    EXPECT_EQ(ContainsLine(log, "        (Using advanced settings)"), !pageC);
  }
}

TEST_F(ServerWindowTest, EachChoiceOfPageAIsStoredByNextAndBack) {
  NexoOnCD(Nexo::WithEntry);
  struct ChoiceCase {
    int radio;
    int button;
    int result;
    std::string name;
    int active;
  };
  const ChoiceCase cases[] = {
      {IDC_USE_SERVER_RADIO, IDOK, 1, "hub", 1},      {IDC_LATER_SERVER_RADIO, IDOK, 1, "", 1},
      {IDC_NO_SERVER_RADIO, IDOK, 1, "hub", 0},       {IDC_NO_SERVER_RADIO, IDC_BACK, 12, "NONE", 0},
      {IDC_USE_SERVER_RADIO, IDC_BACK, 12, "hub", 1}, {IDC_LATER_SERVER_RADIO, IDC_BACK, 12, "", 1},
  };
  for (const ChoiceCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.radio) + " " + std::to_string(c.button));
    master().serverName.clear();
    master().serverActive = 0;
    int result = Step(1, [&] {
      HWND page = Page(kSelectCaption);
      ASSERT_TRUE(page);
      Type(page, IDC_SERVER_EDIT, "hub");
      Click(page, c.radio);
      bool named = c.radio == IDC_USE_SERVER_RADIO;
      EXPECT_TRUE(WaitUntil([&] {
        return ItemChecked(page, c.radio) && ItemEnabled(page, IDC_SERVER_EDIT) == named &&
               ItemEnabled(page, IDC_ADVANCED) == named;
      }));
      for (int other : {IDC_USE_SERVER_RADIO, IDC_LATER_SERVER_RADIO, IDC_NO_SERVER_RADIO}) {
        EXPECT_EQ(ItemChecked(page, other), other == c.radio);
      }
      Click(page, c.button);
      EXPECT_TRUE(WaitUntilClosed(page));
    });
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(master().serverName, c.name);
    EXPECT_EQ(master().serverActive, c.active);
    std::vector<std::string> log = NewLog();
    EXPECT_TRUE(ContainsLine(log, "   Server = " + c.name));
    EXPECT_EQ(ContainsLine(log, "return BACK"), c.result == 12);
  }
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(ServerWindowTest, ANamedServerNeedsANameAndTheFocusReturnsToTheEdit) {
  int result = Step(1, [&] {
    HWND page = Page(kSelectCaption);
    ASSERT_TRUE(page);
    Type(page, IDC_SERVER_EDIT, "");
    Click(page, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return boxes.Boxes().size() == 1; }));
    EXPECT_TRUE(WaitUntil([&] { return FocusedControl(page) == GetDlgItem(page, IDC_SERVER_EDIT); }));
    EXPECT_TRUE(IsWindowVisible(page));
    Type(page, IDC_SERVER_EDIT, "hub03");
    Click(page, IDOK);
    EXPECT_TRUE(WaitUntilClosed(page));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(master().serverName, "hub03");
  std::vector<MessageBoxWatcher::Box> shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "A server name must be supplied.");
  EXPECT_NE(shown[0].owner, nullptr);
}

TEST_F(ServerWindowTest, PageAAsksBeforeAChangeInEachOfItsWordings) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kFrameworkKey, "Active", "1"), ERROR_SUCCESS);
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kFrameworkServerKey, "WebServer", "old"), ERROR_SUCCESS);
  const std::string question = "Selecting these settings will change Writer,Calc to work ";
  struct QuestionCase {
    int radio;
    std::string name;
    std::string asked;  // empty: no question
  };
  const QuestionCase cases[] = {
      {IDC_USE_SERVER_RADIO, "hub", question + "with Quelwise Server hub.  Do you want to proceed?"},
      {IDC_LATER_SERVER_RADIO, "old", question + "with a Quelwise Server.  Do you want to proceed?"},
      {IDC_NO_SERVER_RADIO, "old", question + "independently of a Quelwise Server.  Do you want to proceed?"},
      {IDC_USE_SERVER_RADIO, "OLD", ""},
  };
  for (const QuestionCase& c : cases) {
    SCOPED_TRACE(c.asked);
    boxes.SetAnswer(IDNO);
    size_t before = boxes.Boxes().size();
    ServerPageAAnswer answer;
    answer.serverName = c.name;
    answer.products = "Writer,Calc";
    HWND seen = nullptr;
    PageEnd end = WithUser(
        [&] {
          HWND page = seen = Page(kSelectCaption);
          ASSERT_TRUE(page);
          Click(page, c.radio);
          Click(page, IDOK);
          if (!c.asked.empty()) {
            // No stays on the page; Yes goes on.
            ASSERT_TRUE(WaitUntil([&] { return boxes.Boxes().size() == before + 1; }));
            Sleep(200);
            EXPECT_TRUE(IsWindowVisible(page));
            boxes.SetAnswer(IDYES);
            Click(page, IDOK);
          }
          EXPECT_TRUE(WaitUntilClosed(page));
        },
        [&] { return Pages().ServerPageA(answer); });
    EXPECT_EQ(end, PageEnd::Next);
    std::vector<MessageBoxWatcher::Box> shown = boxes.Boxes();
    ASSERT_EQ(shown.size() - before, c.asked.empty() ? 0u : 2u);
    for (size_t index = before; index < shown.size(); ++index) {
      const MessageBoxWatcher::Box& box = shown[index];
      EXPECT_EQ(box.text, c.asked);
      EXPECT_EQ(box.owner, seen);
    }
  }
}

TEST_F(ServerWindowTest, BackAndCancelEndTheWalkAsTheStepSays) {
  struct WalkCase {
    std::string name;
    bool products;
    int direction;
    std::vector<std::pair<std::string, int>> clicks;  // page caption, button
    int result;
    int active;
    std::vector<std::string> log;
  };
  const WalkCase cases[] = {
      {"A back", false, 1, {{kSelectCaption, IDC_BACK}}, 12, 1, {"Server Dialog A :", "return BACK"}},
      {"D C B back", true, 12,
       {{kServerCaption, IDC_BACK}, {kSelectCaption, IDC_BACK}, {kServerCaption, IDC_BACK}}, 12, 1,
       {"Server Dialog D :", "Server Dialog C :", "Server Dialog B :", "return BACK"}},
      {"B no", true, 1, {{kServerCaption, IDC_NO_RADIO}, {kServerCaption, IDOK}}, 1, 0, {"   Server Active = NO"}},
      {"B cancel", true, 1, {{kServerCaption, IDCANCEL}}, 9, 1, {"User cancelled"}},
      {"A cancel", false, 12, {{kSelectCaption, IDCANCEL}}, 9, 0, {"User cancelled"}},
  };
  boxes.SetAnswer(IDYES);
  size_t confirmations = 0;
  for (const WalkCase& c : cases) {
    SCOPED_TRACE(c.name);
    RemoveTree(dir / "root");
    if (c.products) InstalledProducts();
    master().serverName = "hub";
    master().serverActive = c.products ? 1 : 0;
    int result = Step(c.direction, [&] {
      for (const auto& [caption, button] : c.clicks) {
        HWND page = Page(caption);
        ASSERT_TRUE(page);
        Click(page, button);
        if (button != IDC_NO_RADIO) {
          EXPECT_TRUE(WaitUntilClosed(page));
        }
      }
    });
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(master().serverActive, c.active);
    std::vector<std::string> log = NewLog();
    for (const std::string& line : c.log) EXPECT_TRUE(ContainsLine(log, line)) << line;
    if (c.result == 9) ++confirmations;
  }
  std::vector<MessageBoxWatcher::Box> shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), confirmations);
  for (const MessageBoxWatcher::Box& box : shown) EXPECT_EQ(box.text, ExitConfirmationText("Corvant"));
}

TEST_F(ServerWindowTest, AFreshEngineShowsPageAFromItsOwnResources) {
  pages_tests::SuiteCd cd;
  EngineInstance engine(cd.MasterDir());
  std::string params = cd.Params("");
  ASSERT_EQ(engine.Get<int(__stdcall*)(const char*)>("TS_LoadSetupData")(params.c_str()), 0);
  auto step = engine.Get<int(__stdcall*)(int)>("TS_GetServerDlg");
  int result = WithUser(
      [&] {
        HWND page = Page(kSelectCaption);
        ASSERT_TRUE(page);
        Click(page, IDC_NO_SERVER_RADIO);
        Click(page, IDC_BACK);
        EXPECT_TRUE(WaitUntilClosed(page));
      },
      [&] { return step(12); });
  EXPECT_EQ(result, 12);
  char server[256] = {};
  engine.Get<int(__stdcall*)(char*)>("TSGetServer")(server);
  EXPECT_STREQ(server, "NONE");
  std::vector<std::string> log = cd.Log();
  EXPECT_TRUE(ContainsLine(log, "   Server = NONE"));
  EXPECT_TRUE(ContainsLine(log, "return BACK"));
}
