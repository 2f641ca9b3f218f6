// The wizard pages as real windows, driven from another thread as a user would, through the
// exported steps a setup script calls.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>

#include "include/tessaro.h"
#include "filters/FilterList.h"
#include "install/SystemIntegration.h"
#include "pages/PageStepFixture.h"
#include "pages/SuiteCd.h"
#include "ui/ExitConfirmation.h"
#include "ui/MessageSteps.h"
#include "ui/PageHost.h"
#include "ui/resources/PageResource.h"
#include "ui/windows/ModalDialog.h"
#include "support/PageDriver.h"

using namespace testing_support;

namespace {
const char kStandardText[] =
    "&Standard Install\n\nChoose this type if you are installing products for workstation or standalone use.";
const char kServerText[] =
    "Ser&ver Install\n\nChoose this type if you are installing products to be used as an application server on a "
    "network.";

// What a control of a page should show; an empty optional is not looked at.
class PageWindowTest;
struct PageCase {
  std::string gallery;  // <template>-<page>
  std::string caption;
  std::function<void(PageWindowTest&)> prepare;
  std::function<int()> step;
  std::vector<Control> controls;
  int listEntries;  // of list 1006, or -1
  int finishWith;   // the control the user clicks last
  int result;
  std::vector<std::string> log;  // the lines the step writes
};

class PageWindowTest : public ModelStepTest {
 protected:
  void SetUp() override {
    ModelStepTest::SetUp();
    writer = &AddFeature(master().rootFeature, "WRITER", true);
    writer->selected = 1;
    AddSetupType("STANDARD");
    AddSetupType("SERVER");
    master().setupType = "STANDARD";
    NewLog();
  }
  void TearDown() override {
    EXPECT_TRUE(CancelReboot());
    ModelStepTest::TearDown();
  }
  // Runs `step` while `user` answers its page on another thread.
  int Answer(const std::function<void()>& user, const std::function<int()>& step) { return WithUser(user, step); }
  CSetupType& AddCustomType(const std::string& id, const std::string& description) {
    CSetupType& type = AddSetupType(id);
    type.Description.Set(description);
    return type;
  }

  CFeature* writer = nullptr;
  MessageBoxWatcher boxes{IDNO};

  static std::vector<PageCase> PageCases() {
    static int answer;
    static char user[256], password[256];
    return {
        {"2018-setuptype", "Computer Configuration Type", nullptr, [] { return TS_SetupTypeDlg(1); },
         {{IDC_TYPE_BUTTON1, "IDB_STANDARD"}, {IDC_TYPE_TEXT1, kStandardText}, {IDC_TYPE_BUTTON2, "IDB_SERVER"},
          {IDC_TYPE_TEXT2, kServerText}, {IDC_TYPE_BUTTON3, {}, true, false}, {IDC_TYPE_TEXT3, {}, true, false},
          {IDC_TYPE_BUTTON4, {}, true, false}, {IDC_TYPE_TEXT4, {}, true, false}, {IDC_BACK, "< &Back"},
          {IDOK, "&Next >", false}, {IDCANCEL, "Cancel"}},
         -1, IDC_TYPE_BUTTON2, 1, {"SetupType = SERVER"}},
        {"2011-question", "Disk space", [](PageWindowTest&) { answer = 0; },
         [] { return _SdAskYesNo("Disk space", "Proceed?", "Or not.", "&Yes, go on", "&No, stop", &answer, 0); },
         {{IDC_TEXT1, "Proceed?"}, {IDC_TEXT2, "Or not."}, {IDC_YES_RADIO, "&Yes, go on", true, true, false},
          {IDC_NO_RADIO, "&No, stop", true, true, true}, {IDC_BACK, "< &Back"}, {IDOK, "&Next >"}, {IDCANCEL, "Cancel"}},
         -1, IDOK, 1, {"Prompt - Proceed?", "   - No"}},
        {"2022-message", "Notice", nullptr, [] { return TS_MessageBox("Notice", "First block", "Second block", 1, 0); },
         {{IDC_TEXT1, "First block"}, {IDC_TEXT2, "Second block"}, {IDC_BACK, "< &Back", false}, {IDOK, "&Next >"},
          {IDCANCEL, "Cancel"}},
         -1, IDOK, 1, {"First block", "   Second block"}},
        {"2024-userpass", "Service Account",
         [](PageWindowTest&) {
           strcpy(user, "svc");
           strcpy(password, "secret");
         },
         [] { return TS_UserPassDlg("Service Account", "Enter the account of the service.", "", "", user, password); },
         {{IDC_MAIN_TEXT, "Enter the account of the service."}, {IDC_USER_LABEL, "Username/Domain :"},
          {IDC_USER_EDIT, "svc"}, {IDC_PASSWORD_LABEL, "Password :"}, {IDC_BACK, "< &Back"}, {IDOK, "&Next >"}},
         -1, IDOK, 1, {"Prompt for password - Enter the account of the service.", "   User name = svc"}},
        {"2012-welcome", "Welcome", nullptr, [] { return TS_WelcomeDlg(1); },
         {{IDC_MAIN_TEXT,
           "Welcome to the Corvant Setup program.  This program will install Corvant products on your computer."},
          {IDOK, "&Next >"}, {IDCANCEL, "Cancel"}},
         -1, IDOK, 1, {}},
        {"2017-addremove", "Add/Remove Software", [](PageWindowTest& t) { t.master().rootFeature.subfeatures.At(0).installed = 1; },
         [] { return TS_UninstallCheck(1); },
         {{IDC_INSTALL_BUTTON, "IDB_INSTALL"}, {IDC_UNINSTALL_BUTTON, "IDB_UNINSTALL"}, {IDC_BACK, {}, false},
          {IDOK, {}, false}, {IDCANCEL, "Cancel"}},
         -1, IDC_UNINSTALL_BUTTON, 1, {"Option selected = Uninstall"}},
        {"2014-license", "Software License Agreement",
         [](PageWindowTest& t) {
           WriteTextFile(t.dir / "license.txt",
                         "SOFTWARE LICENSE AGREEMENT\r\n\r\nThe software is licensed, not sold. You may install it on "
                         "the computers of your organisation.\r\nYou may not rent or lend it.\r\n");
         },
         [] { return TS_LicenseDlg(1); },
         {{IDC_BACK, "< &Back"}, {IDOK, "&Yes"}, {IDCANCEL, "&No"}}, 4, IDOK, 1, {}},
        {"2009-summary", "Summary", nullptr, [] { return TS_ShowSummaryDlg(1); },
         {{IDC_FORCE_CORE, "Force the installation of all core components", true, true, false},
          {IDC_BACK, "< &Back"}, {IDOK, "&Start Installing"}, {IDCANCEL, "Cancel"}},
         7, IDOK, 1, {"Computer type :", "   SERVER", "", "Features selected :", "   WRITER name"}},
        {"2015-final", "Setup Complete", nullptr, [] { return TS_FinalDlg(1); },
         {{IDC_MAIN_TEXT, "Setup has finished installing Corvant on your computer."}, {IDC_BACK, "< &Back", false},
          {IDOK, "&Finish"}},
         -1, IDOK, 9, {}},
        {"2016-restart", "Setup Complete", [](PageWindowTest&) { EXPECT_TRUE(ScheduleReboot()); }, [] { return TS_FinalDlg(1); },
         {{IDC_YES_RADIO, "&Yes, I want to restart my computer now.", true, true, true},
          {IDC_NO_RADIO, "&No, I will restart my computer later.", true, true, false}, {IDC_BACK, "< &Back", false},
          {IDOK, "&Finish"}},
         -1, IDOK, 1, {}},
    };
  }
};

void ExpectPage(HWND page, const PageCase& c) {
  ExpectControls(page, c.controls, c.gallery);
  if (c.listEntries >= 0) {
    EXPECT_EQ(SendDlgItemMessageA(page, IDC_LIST, LB_GETCOUNT, 0, 0), c.listEntries);
  }
}

TEST_F(PageWindowTest, EveryPageShowsItsControlsAndEndsAsItsStepSays) {
  for (const PageCase& c : PageCases()) {
    SCOPED_TRACE(c.gallery);
    if (c.prepare) c.prepare(*this);
    int result = Answer(
        [&] {
          HWND page = WaitForPage(c.caption);
          ASSERT_TRUE(page);
          ExpectPage(page, c);
          SaveGalleryPicture(page, c.gallery);
          Click(page, c.finishWith);
          EXPECT_TRUE(WaitUntilClosed(page));
        },
        c.step);
    EXPECT_EQ(result, c.result);
    std::vector<std::string> log = NewLog();
    for (const std::string& line : c.log) EXPECT_TRUE(ContainsLine(log, line)) << line;
  }
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(PageWindowTest, BackOnAnyPageGoesBackWithItsLogLine) {
  WriteTextFile(dir / "license.txt", "Terms\r\n");
  int answer = 1;
  std::vector<std::pair<std::string, std::function<int()>>> steps = {
      {"Computer Configuration Type", [] { return TS_SetupTypeDlg(1); }},
      {"Software License Agreement", [] { return TS_LicenseDlg(1); }},
      {"Summary", [] { return TS_ShowSummaryDlg(1); }},
      {"Notice", [] { return TS_MessageBox("Notice", "Text", "", 0, 0); }},
      {"Question", [&] { return _SdAskYesNo("Question", "Sure?", "", "Yes", "No", &answer, 0); }},
  };
  for (const auto& [caption, step] : steps) {
    SCOPED_TRACE(caption);
    EXPECT_EQ(Answer([&] { Click(WaitForPage(caption), IDC_BACK); }, step), 12);
    std::vector<std::string> log = NewLog();
    EXPECT_TRUE(ContainsLine(log, "return BACK") || ContainsLine(log, "   return BACK"));
  }
}

TEST_F(PageWindowTest, CancelAnsweredNoLeavesThePageAndYesStopsTheRun) {
  HWND page = nullptr;
  int result = Answer(
      [&] {
        page = WaitForPage("Welcome");
        ASSERT_TRUE(page);
        Click(page, IDCANCEL);
        ASSERT_TRUE(WaitUntil([&] { return boxes.Boxes().size() == 1; }));
        Sleep(200);
        EXPECT_TRUE(IsWindowVisible(page));
        EXPECT_TRUE(ItemEnabled(page, IDOK));
        boxes.SetAnswer(IDYES);
        Click(page, IDCANCEL);
        EXPECT_TRUE(WaitUntilClosed(page));
      },
      [] { return TS_WelcomeDlg(1); });
  EXPECT_EQ(result, 9);
  EXPECT_EQ(NewLog(), std::vector<std::string>{"User cancelled"});
  std::vector<MessageBoxWatcher::Box> shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].caption, "Corvant Setup");
  EXPECT_EQ(shown[0].text, ExitConfirmationText("Corvant"));
  EXPECT_EQ(shown[0].owner, page);
}

TEST_F(PageWindowTest, SetupTypeRowsAreLaidOutByTheirNumber) {
  struct Layout {
    int types;
    std::vector<int> tops;
    int textHeight;
  };
  const Layout layouts[] = {
      {2, {95, 177}, 77}, {3, {55, 136, 217}, 76}, {4, {55, 109, 163, 217}, 50}, {5, {55, 109, 163, 217}, 50}};
  int added = 2;
  for (const Layout& layout : layouts) {
    SCOPED_TRACE(layout.types);
    for (; added < layout.types; ++added)
      AddCustomType("CUSTOM" + std::to_string(added), "Custom " + std::to_string(added) + "\\nSecond line");
    Answer(
        [&] {
          HWND page = WaitForPage("Computer Configuration Type");
          ASSERT_TRUE(page);
          // Places are pixels at the page's design font, scaled to the font it has here.
          RECT units = {0, 0, 4, 8};
          MapDialogRect(page, &units);
          auto x = [&](int design) { return MulDiv(design, units.right, 6); };
          auto y = [&](int design) { return MulDiv(design, units.bottom, 13); };
          for (size_t row = 0; row < 4; ++row) {
            int button = IDC_TYPE_BUTTON1 + static_cast<int>(row), text = button + TYPE_TEXT_OFFSET;
            bool shown = row < layout.tops.size();
            EXPECT_EQ(ItemVisible(page, button), shown) << row;
            EXPECT_EQ(ItemVisible(page, text), shown) << row;
            if (!shown) continue;
            RECT buttonPlace = ItemPlace(page, button), textPlace = ItemPlace(page, text);
            EXPECT_EQ(buttonPlace.left, x(150));
            EXPECT_EQ(buttonPlace.top, y(layout.tops[row] + 5));
            EXPECT_EQ(textPlace.left, x(200));
            EXPECT_EQ(textPlace.top, y(layout.tops[row]));
            EXPECT_EQ(textPlace.right - textPlace.left, x(250));
            EXPECT_EQ(textPlace.bottom - textPlace.top, y(layout.textHeight));
          }
          if (layout.types == 4) {
            EXPECT_EQ(ItemText(page, IDC_TYPE_BUTTON3), "IDB_INSTALL");
            EXPECT_EQ(ItemText(page, IDC_TYPE_TEXT3), "Custom 2\nSecond line");
            SaveGalleryPicture(page, "2018-setuptype-custom");
          }
          Click(page, IDC_BACK);
        },
        [] { return TS_SetupTypeDlg(1); });
  }
}

TEST_F(PageWindowTest, ChoosingTheCurrentTypeLeavesTheChangedFlagAndAnotherSetsIt) {
  master().setupTypeChanged = 0;
  auto choose = [&](int button) {
    return Answer([&] { Click(WaitForPage("Computer Configuration Type"), button); }, [] { return TS_SetupTypeDlg(1); });
  };
  EXPECT_EQ(choose(IDC_TYPE_BUTTON1), 1);
  EXPECT_EQ(master().setupTypeChanged, 0);
  EXPECT_EQ(choose(IDC_TYPE_BUTTON2), 1);
  EXPECT_EQ(master().setupType, "SERVER");
  EXPECT_EQ(master().setupTypeChanged, 1);
}

TEST_F(PageWindowTest, TheQuestionPageCombinesItsAnswerWithTheButton) {
  struct QuestionCase {
    int startAnswer;
    int radio;  // clicked before the button, or 0
    int button;
    int code;  // as the page ends: (6 Yes or 7 No) * 4 + button
  };
  const QuestionCase cases[] = {{1, 0, IDOK, 25},           {1, 0, IDC_BACK, 27},        {0, 0, IDOK, 29},
                                {0, 0, IDC_BACK, 31},       {0, IDC_YES_RADIO, IDOK, 25}, {1, IDC_NO_RADIO, IDC_BACK, 31}};
  for (const QuestionCase& c : cases) {
    SCOPED_TRACE(c.code);
    QuestionEnd end = WithUser(
        [&] {
          HWND page = WaitForPage("Question");
          ASSERT_TRUE(page);
          EXPECT_EQ(ItemChecked(page, IDC_YES_RADIO), c.startAnswer == 1);
          if (c.radio) Click(page, c.radio);
          Click(page, c.button);
        },
        [&] { return Pages().QuestionPage("Question", "Sure?", "", "Yes", "No", c.startAnswer == 1, 0); });
    EXPECT_EQ(CombinedQuestionCode(end.yes, static_cast<int>(end.end)), c.code);
    EXPECT_TRUE(end.answered);
  }
}

TEST_F(PageWindowTest, ButtonMasksDisableBackNextAndCancelButNeverEveryWayOut) {
  for (int mask = 0; mask < 8; ++mask) {
    SCOPED_TRACE(mask);
    bool back = !(mask & 1), next = !(mask & 2), cancel = !(mask & 4) || !(back || next);
    boxes.SetAnswer(IDYES);
    int answer = 1;
    int result = Answer(
        [&] {
          HWND page = WaitForPage("Masked");
          ASSERT_TRUE(page);
          EXPECT_EQ(ItemEnabled(page, IDC_BACK), back);
          EXPECT_EQ(ItemEnabled(page, IDOK), next);
          EXPECT_EQ(ItemEnabled(page, IDCANCEL), cancel);
          if (!cancel) {
            // Escape and the close box stand for Cancel; with Cancel disabled they do nothing.
            PostMessageA(page, WM_COMMAND, IDCANCEL, 0);
            EXPECT_FALSE(WaitUntilClosed(page, 300));
          }
          Click(page, back ? IDC_BACK : next ? IDOK : IDCANCEL);
        },
        [&] { return _SdAskYesNo("Masked", "Text", "", "Yes", "No", &answer, mask); });
    EXPECT_EQ(result, back ? 12 : next ? 1 : 9);
  }
}

TEST_F(PageWindowTest, TheUserNamePageHidesThePasswordAndHandsBackWhatWasTypedEvenOnCancel) {
  char user[256] = "old user", password[256] = "old";
  boxes.SetAnswer(IDYES);
  int result = Answer(
      [&] {
        HWND page = WaitForPage("Account");
        ASSERT_TRUE(page);
        EXPECT_EQ(ItemText(page, IDC_USER_LABEL), "Username");
        EXPECT_EQ(ItemText(page, IDC_PASSWORD_LABEL), "Password");
        EXPECT_NE(GetWindowLongA(GetDlgItem(page, IDC_PASSWORD_EDIT), GWL_STYLE) & ES_PASSWORD, 0);
        Type(page, IDC_USER_EDIT, "DOMAIN\\svc");
        Type(page, IDC_PASSWORD_EDIT, "pa55");
        EXPECT_TRUE(WaitUntil([&] { return ItemText(page, IDC_PASSWORD_EDIT) == "pa55"; }));
        Click(page, IDCANCEL);
      },
      [&] { return TS_UserPassDlg("Account", "Who runs it?", "Username", "Password", user, password); });
  EXPECT_EQ(result, 9);
  EXPECT_STREQ(user, "DOMAIN\\svc");
  EXPECT_STREQ(password, "pa55");
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Prompt for password - Who runs it?", "   User cancelled",
                                                "   User name = DOMAIN\\svc"}));
}

TEST_F(PageWindowTest, ThePasswordPromptAsksAgainUntilBothTextsAreGiven) {
  boxes.SetAnswer(0);
  auto account = std::make_unique<CPassword>();
  account->setup = &master();
  account->ID.Set("SVC");
  account->Description.Set("Account of the writer service");
  master().passwords.Append(std::move(account));
  writer->Password = "SVC";
  int result = Answer(
      [&] {
        HWND page = WaitForPage("");
        ASSERT_TRUE(page);
        EXPECT_EQ(ItemText(page, IDC_MAIN_TEXT), "Account of the writer service");
        Type(page, IDC_USER_EDIT, "svc");
        Click(page, IDOK);
        ASSERT_TRUE(WaitUntilClosed(page));
        HWND again = WaitForPage("");
        ASSERT_TRUE(again);
        Type(again, IDC_USER_EDIT, "svc");
        Type(again, IDC_PASSWORD_EDIT, " pw ");
        Click(again, IDOK);
      },
      [] { return TS_PostSelection(1); });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(master().passwords.At(0).userName, "svc");
  EXPECT_EQ(master().passwords.At(0).password, "pw");
  std::vector<MessageBoxWatcher::Box> shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "You must supply a UserName and Password.");
}

TEST_F(PageWindowTest, TheDiskSpaceQuestionGoesBackOnNo) {
  // A drive that does not exist has no free space, so any need on it asks.
  AddTarget("APPDIR", "Q:\\App");
  AddComponent(*writer, "WRITER", "APPDIR").selected = 1;
  int result = Answer(
      [&] {
        HWND page = WaitForPage("Corvant Setup");
        ASSERT_TRUE(page);
        EXPECT_EQ(ItemText(page, IDC_TEXT1),
                  "This setup requires 100 K of disk space on drive Q:, and you have only 0 K.  Do you want to "
                  "proceed, or to change your selections?");
        EXPECT_EQ(ItemText(page, IDC_TEXT2),
                  "(If you are reinstalling any of the files, the actual space required may be considerably less.)");
        EXPECT_EQ(ItemText(page, IDC_YES_RADIO), "Yes, proceed with the installation.");
        EXPECT_TRUE(ItemChecked(page, IDC_YES_RADIO));
        SaveGalleryPicture(page, "2011-diskspace");
        Click(page, IDC_NO_RADIO);
        Click(page, IDOK);
      },
      [] { return TS_FinalChecks(1); });
  EXPECT_EQ(result, 12);
  EXPECT_TRUE(ContainsLine(NewLog(), "   return BACK"));
}

TEST_F(PageWindowTest, DependencyErrorsKeepRestrictedSelectionsAndLetPermittedOnesContinue) {
  DependencyErrorList errors = {{0, "Writer requires version >= 2.1 of DATASERVER."}, {1, "Calc works best with Writer."}};
  int restricted = Answer(
      [&] {
        HWND page = WaitForPage("Dependency Error");
        ASSERT_TRUE(page);
        EXPECT_EQ(SendDlgItemMessageA(page, IDC_LIST, LB_GETCOUNT, 0, 0), 1);
        EXPECT_EQ(ItemText(page, IDC_QUESTION_TEXT), "You must change your selections.");
        EXPECT_FALSE(ItemVisible(page, IDC_YES_RADIO));
        EXPECT_FALSE(ItemEnabled(page, IDOK));
        SaveGalleryPicture(page, "2040-dependency-restricted");
        Click(page, IDC_BACK);
      },
      [&] { return ReportDependencyErrors(errors, 0); });
  EXPECT_EQ(restricted, 0);
  int permitted = Answer(
      [&] {
        HWND page = WaitForPage("Dependency Error");
        ASSERT_TRUE(page);
        EXPECT_EQ(ItemText(page, IDC_QUESTION_TEXT), "Do you want to continue?");
        EXPECT_TRUE(ItemChecked(page, IDC_NO_RADIO));
        EXPECT_FALSE(ItemEnabled(page, IDOK));
        Click(page, IDC_YES_RADIO);
        EXPECT_TRUE(WaitUntil([&] { return ItemEnabled(page, IDOK); }));
        SaveGalleryPicture(page, "2040-dependency-permitted");
        Click(page, IDC_NO_RADIO);
        EXPECT_TRUE(WaitUntil([&] { return !ItemEnabled(page, IDOK); }));
        Click(page, IDC_YES_RADIO);
        EXPECT_TRUE(WaitUntil([&] { return ItemEnabled(page, IDOK); }));
        Click(page, IDOK);
      },
      [&] { return ReportDependencyErrors(errors, 1); });
  EXPECT_EQ(permitted, 1);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Dependency Errors :", "   Writer requires version >= 2.1 of DATASERVER.",
                                                "", "   - go BACK", "Dependency Errors :",
                                                "   Calc works best with Writer.", "", "   - Continue"}));
}

INT_PTR CALLBACK InertDialogProcedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Every template the pages use holds every control the code reads or sets.
TEST(PageTemplateTest, EveryTemplateHoldsTheControlsItsPageUses) {
  const std::vector<std::pair<int, std::vector<int>>> templates = {
      {IDD_SETUP_TYPE, {IDC_TYPE_BUTTON1, IDC_TYPE_BUTTON2, IDC_TYPE_BUTTON3, IDC_TYPE_BUTTON4, IDC_TYPE_TEXT1,
                        IDC_TYPE_TEXT2, IDC_TYPE_TEXT3, IDC_TYPE_TEXT4, IDC_BACK, IDOK, IDCANCEL}},
      {IDD_ASK_YES_NO, {IDC_TEXT1, IDC_TEXT2, IDC_YES_RADIO, IDC_NO_RADIO, IDC_BACK, IDOK, IDCANCEL}},
      {IDD_MESSAGE, {IDC_TEXT1, IDC_TEXT2, IDC_BACK, IDOK, IDCANCEL}},
      {IDD_USER_PASSWORD, {IDC_MAIN_TEXT, IDC_USER_LABEL, IDC_USER_EDIT, IDC_PASSWORD_LABEL, IDC_PASSWORD_EDIT, IDC_BACK,
                           IDOK, IDCANCEL}},
      {IDD_WELCOME, {IDC_MAIN_TEXT, IDOK, IDCANCEL}},
      {IDD_ADD_REMOVE, {IDC_INSTALL_BUTTON, IDC_UNINSTALL_BUTTON, IDC_BACK, IDOK, IDCANCEL}},
      {IDD_LICENSE, {IDC_LIST, IDC_BACK, IDOK, IDCANCEL}},
      {IDD_SUMMARY, {IDC_LIST, IDC_FORCE_CORE, IDC_BACK, IDOK, IDCANCEL}},
      {IDD_FINISHED, {IDC_MAIN_TEXT, IDC_BACK, IDOK}},
      {IDD_FINISHED_RESTART, {IDC_YES_RADIO, IDC_NO_RADIO, IDC_BACK, IDOK}},
      {IDD_DEPENDENCY_ERRORS, {IDC_LIST, IDC_QUESTION_TEXT, IDC_YES_RADIO, IDC_NO_RADIO, IDC_BACK, IDOK, IDCANCEL}},
  };
  for (const auto& [id, controls] : templates) {
    SCOPED_TRACE(id);
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr,
                                     InertDialogProcedure, 0);
    ASSERT_TRUE(dialog);
    for (int control : controls) EXPECT_TRUE(GetDlgItem(dialog, control)) << control;
    RECT frame = {0, 0, 315, 204}, client = {};
    MapDialogRect(dialog, &frame);
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, frame.right);
    EXPECT_EQ(client.bottom, frame.bottom);
    DestroyWindow(dialog);
  }
}

// A dialog whose handler fails ends, and its error comes out of Run; a template that does not
// exist names the call and its error code.
class FailingDialog : public ModalDialog {
  void OnInit() override { throw CMyError("the page could not be filled"); }
  bool OnCommand(int, int) override { return false; }
};

TEST(ModalDialogTest, AHandlersErrorEndsTheDialogAndLeavesRun) {
  FailingDialog dialog;
  try {
    dialog.Run(IDD_WELCOME);
    ADD_FAILURE() << "no error";
  } catch (const CMyError& error) {
    EXPECT_EQ(error.Message(), "the page could not be filled");
  }
  try {
    dialog.Run(9999);
    ADD_FAILURE() << "no error";
  } catch (const CMyError& error) {
    EXPECT_EQ(error.Message(), "DialogBoxParamA of template 9999 failed with error 1814.");
  }
}

// The engine carries its pages itself: a setup script's run of the welcome step shows the page
// from the library's own resources.
TEST(EnginePagesTest, TheLibraryShowsItsWelcomePage) {
  std::string description = pages_tests::kSuiteDescription;
  description.replace(description.find("Name=Corvant"), 12, "Name=Quelwise Office");
  pages_tests::SuiteCd cd(description);
  EngineInstance engine(cd.MasterDir());
  ASSERT_EQ(engine.Get<int(__stdcall*)(const char*)>("TS_LoadSetupData")(cd.Params("").c_str()), 0);
  auto welcome = engine.Get<int(__stdcall*)(int)>("TS_WelcomeDlg");
  int result = WithUser(
      [&] {
        HWND page = WaitForPage("Welcome");
        ASSERT_TRUE(page);
        EXPECT_EQ(ItemText(page, IDC_MAIN_TEXT),
                  "Welcome to the Quelwise Office Setup program.  This program will install Quelwise Office on your "
                  "computer.");
        Click(page, IDOK);
      },
      [&] { return welcome(1); });
  EXPECT_EQ(result, 1);
  engine.Get<int(__stdcall*)()>("TS_UnloadSetupData")();
}
}  // namespace
