// The progress window on its own thread, read from the test's thread while it runs.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>

#include "engine/Log.h"
#include "include/tessaro.h"
#include "support/TestSupport.h"
#include "ui/resources/ProgressResource.h"

using namespace testing_support;

namespace {
std::vector<HWND> ProgressWindows() {
  std::vector<HWND> windows;
  for (HWND window : VisibleDialogsWithControl(IDC_PROGRESS_STEP))
    if (GetDlgItem(window, IDC_PROGRESS_BAR)) windows.push_back(window);
  return windows;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
    if (condition()) return true;
    Sleep(20);
  }
  return condition();
}

HWND FindProgressWindow() {
  HWND window = nullptr;
  WaitUntil([&] {
    std::vector<HWND> windows = ProgressWindows();
    window = windows.empty() ? nullptr : windows.front();
    return window != nullptr;
  });
  return window;
}

std::string ControlText(HWND window, int id) {
  char text[512] = {};
  GetDlgItemTextA(window, id, text, sizeof text);
  return text;
}

long BarPosition(HWND window) {
  return static_cast<long>(SendDlgItemMessageA(window, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0));
}

long BarUpperBound(HWND window) {
  return static_cast<long>(SendDlgItemMessageA(window, IDC_PROGRESS_BAR, PBM_GETRANGE, FALSE, 0));
}

class ProgressWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLogPath(dir / "run.log");
    SetLogIndentLevel(0);
  }
  void TearDown() override {
    TS_ProgressDlgStop();
    SetLogPath("");
  }
  std::vector<std::string> Log() { return ReadLines(dir / "run.log"); }
  bool WindowShows(HWND window, const std::string& top) {
    return WaitUntil([&] { return ControlText(window, IDC_PROGRESS_STEP) == top; });
  }
  // Waits until the listener has copied a whole update: three lines, then the bar.
  void ExpectWindowShows(HWND window, const std::string& top, const std::string& middle, const std::string& bottom,
                         long upper, long position) {
    auto state = [&] {
      return ControlText(window, IDC_PROGRESS_STEP) + "|" + ControlText(window, IDC_PROGRESS_TEXT) + "|" +
             ControlText(window, IDC_PROGRESS_TIME) + "|" + std::to_string(BarUpperBound(window)) + "|" +
             std::to_string(BarPosition(window));
    };
    std::string expected =
        top + "|" + middle + "|" + bottom + "|" + std::to_string(upper) + "|" + std::to_string(position);
    WaitUntil([&] { return state() == expected; });
    EXPECT_EQ(state(), expected);
  }
  ScratchDirectory dir{"progress"};
};
}  // namespace

TEST_F(ProgressWindowTest, StartOpensAnEmptyTopmostWindowInTheLowerLeftCorner) {
  EXPECT_EQ(TS_ProgressDlgStart(3, 84000), 0);
  HWND window = FindProgressWindow();
  ASSERT_TRUE(window);
  EXPECT_EQ(ControlText(window, IDC_PROGRESS_STEP), "");
  EXPECT_EQ(ControlText(window, IDC_PROGRESS_TEXT), "");
  EXPECT_EQ(ControlText(window, IDC_PROGRESS_TIME), "");
  EXPECT_EQ(BarPosition(window), 0);
  EXPECT_EQ(BarUpperBound(window), 0);
  EXPECT_NE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION, WS_BORDER);
  EXPECT_NE(GetWindowThreadProcessId(window, nullptr), GetCurrentThreadId());
  RECT frame = {}, client = {};
  GetWindowRect(window, &frame);
  GetClientRect(window, &client);
  EXPECT_EQ(frame.left, 10);
  EXPECT_EQ(frame.top, GetSystemMetrics(SM_CYSCREEN) - client.bottom - 40);
}

TEST_F(ProgressWindowTest, StepsShowTheirLinesAndMoveTheBar) {
  TS_ProgressDlgStart(3, 84000);
  HWND window = FindProgressWindow();
  ASSERT_TRUE(window);

  TS_ProgressDlgStep("Installing Alpha", 0, 84000);
  ExpectWindowShows(window, "Step 1 of 3", "Installing Alpha", "", 84000, 0);
  // Nothing written yet: 84000 kilobytes at 1400 a second.
  TS_ProgressDlgStep("Installing Beta", 1, 84000);
  ExpectWindowShows(window, "Step 2 of 3", "Installing Beta", "1 minute remaining", 84000, 0);
  // A quarter written in a few seconds leaves a few seconds more.
  TS_ProgressDlgStep("Installing Gamma", 2, 63000);
  ExpectWindowShows(window, "Step 3 of 3", "Installing Gamma", "< 1 minute remaining", 84000, 21000);
  TS_ProgressDlgStep("Finished", 3, 0);
  ExpectWindowShows(window, "Completed", "", "", 84000, 84000);
}

TEST_F(ProgressWindowTest, StopClosesTheWindowAndItsThreads) {
  TS_ProgressDlgStart(2, 1000);
  HWND window = FindProgressWindow();
  ASSERT_TRUE(window);
  DWORD windowThreadId = GetWindowThreadProcessId(window, nullptr);
  UniqueHandle windowThread(OpenThread(SYNCHRONIZE, FALSE, windowThreadId));
  ASSERT_TRUE(windowThread);
  EXPECT_EQ(TS_ProgressDlgStop(), 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }));
  EXPECT_EQ(WaitForSingleObject(windowThread.get(), 5000), WAIT_OBJECT_0);
  EXPECT_TRUE(ProgressWindows().empty());
}

TEST_F(ProgressWindowTest, ASecondStartClosesTheFirstWindowBeforeOpeningItsOwn) {
  TS_ProgressDlgStart(2, 1000);
  HWND first = FindProgressWindow();
  ASSERT_TRUE(first);
  UniqueHandle firstThread(OpenThread(SYNCHRONIZE, FALSE, GetWindowThreadProcessId(first, nullptr)));
  TS_ProgressDlgStart(5, 2000);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(WaitForSingleObject(firstThread.get(), 0), WAIT_OBJECT_0);
  HWND second = FindProgressWindow();
  ASSERT_TRUE(second);
  EXPECT_NE(second, first);
  TS_ProgressDlgStep("Second run", 0, 2000);
  ExpectWindowShows(second, "Step 1 of 5", "Second run", "", 2000, 0);
  EXPECT_EQ(ProgressWindows().size(), 1u);
}

TEST_F(ProgressWindowTest, EveryCallWritesItsLogLine) {
  TS_ProgressDlgStart(4, 123456);
  TS_ProgressDlgStep("Installing Alpha", 0, 123456);
  TS_ProgressDlgPause();
  TS_ProgressDlgResume();
  TS_ProgressDlgStep("Installing Beta", 1, 100000);
  TS_ProgressDlgStop();
  std::vector<std::string> expected = {
      "Progress Bar : Create with 4 steps, Disk space = 123456",
      "Progress Bar : Step 1, Installing Alpha, 123456 Kb remaining",
      "Progress Bar : Pause",
      "Progress Bar : Resume",
      "Progress Bar : Step 2, Installing Beta, 100000 Kb remaining",
      "Progress Bar : Stop"};
  EXPECT_EQ(Log(), expected);
}

TEST_F(ProgressWindowTest, WithoutAStartTheCallsOnlyLog) {
  EXPECT_EQ(TS_ProgressDlgStep("Nothing", 0, 5), 0);
  EXPECT_EQ(TS_ProgressDlgPause(), 0);
  EXPECT_EQ(TS_ProgressDlgResume(), 0);
  EXPECT_EQ(TS_ProgressDlgStop(), 0);
  EXPECT_TRUE(ProgressWindows().empty());
  std::vector<std::string> expected = {"Progress Bar : Step 1, Nothing, 5 Kb remaining", "Progress Bar : Pause",
                                       "Progress Bar : Resume", "Progress Bar : Stop"};
  EXPECT_EQ(Log(), expected);
}

TEST_F(ProgressWindowTest, StartGivesTheFocusBackToTheCallersWindow) {
  HWND owner = CreateWindowExA(0, "EDIT", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 200, 100, nullptr,
                               nullptr, nullptr, nullptr);
  ASSERT_TRUE(owner);
  SetForegroundWindow(owner);
  SetFocus(owner);
  ASSERT_EQ(GetFocus(), owner);
  TS_ProgressDlgStart(1, 10);
  EXPECT_EQ(GetFocus(), owner);
  TS_ProgressDlgStop();
  DestroyWindow(owner);
}

TEST_F(ProgressWindowTest, TheEngineCanBeUnloadedRightAfterAStop) {
  ScratchDirectory master("progressdll");
  {
    EngineInstance engine(master.Path());
    auto start = engine.Get<int(__stdcall*)(int, long)>("TS_ProgressDlgStart");
    auto step = engine.Get<int(__stdcall*)(const char*, int, long)>("TS_ProgressDlgStep");
    auto stop = engine.Get<int(__stdcall*)()>("TS_ProgressDlgStop");
    ASSERT_TRUE(start && step && stop);
    start(2, 500);
    HWND window = FindProgressWindow();
    ASSERT_TRUE(window);
    step("From the library", 0, 500);
    ASSERT_TRUE(WindowShows(window, "Step 1 of 2"));
    stop();
  }
  // The window thread still finishes its work in the engine's code after the unload.
  Sleep(1500);
  EXPECT_TRUE(ProgressWindows().empty());
}
