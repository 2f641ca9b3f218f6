// TS_AddToNTPath with the machine-wide PATH, and the restart marker in the RunOnce key. Each
// test puts the registry values it touches back as they were.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "include/tessaro.h"
#include "engine/Codepage.h"
#include "engine/Log.h"
#include "engine/Params.h"
#include "install/SystemIntegration.h"
#include "state/Registry.h"
#include "support/TestSupport.h"
#include "system/SavedRegistry.h"

using namespace testing_support;

namespace {
constexpr char kEnvironmentKey[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr char kRunOnceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

DWORD ValueType(const char* key, const char* name) {
  UniqueRegKey opened = OpenRegKey(HKEY_LOCAL_MACHINE, key, KEY_QUERY_VALUE);
  DWORD type = 0;
  if (!opened || RegQueryValueExA(opened.get(), name, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) return 0;
  return type;
}

class SystemPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLogPath(dir / "run.log");
    SetLogIndentLevel(0);
  }
  void TearDown() override { SetLogPath(""); }
  void SetPath(const std::string& value) {
    EXPECT_EQ(SetRegExpandString(HKEY_LOCAL_MACHINE, kEnvironmentKey, "PATH", value), ERROR_SUCCESS);
  }
  std::wstring WidePath() { return ReadRegWideText(HKEY_LOCAL_MACHINE, kEnvironmentKey, "PATH").text; }
  std::string Path() { return AnsiFromWide(WidePath()); }
  std::vector<std::string> Log() { return ReadLines(dir / "run.log"); }

  SavedRegistryValue savedPath{kEnvironmentKey, "PATH"};
  ScratchDirectory dir{"path"};
};

// A top-level window on a thread of its own that records the setting-change notices it gets.
class SettingChangeListener {
 public:
  SettingChangeListener() : thread_([this] { Run(); }) {
    while (!window_) Sleep(10);
  }
  ~SettingChangeListener() {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    thread_.join();
  }
  std::vector<std::string> Notices() {
    std::lock_guard<std::mutex> hold(lock_);
    return notices_;
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<SettingChangeListener*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message == WM_SETTINGCHANGE) {
      std::lock_guard<std::mutex> hold(self->lock_);
      self->notices_.push_back(lParam ? reinterpret_cast<const char*>(lParam) : "");
      return 0;
    }
    if (message == WM_CLOSE) {
      DestroyWindow(window);
      PostQuitMessage(0);
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  void Run() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TessaroSettingChangeListener";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "listener", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    window_ = window;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  }
  std::atomic<HWND> window_{nullptr};
  std::mutex lock_;
  std::vector<std::string> notices_;
  std::thread thread_;
};
}  // namespace

TEST(PathListHolds, ComparesWholeEntriesIgnoringCaseAndTrailingBackslashes) {
  EXPECT_TRUE(PathListHolds(L"C:\\Alpha;C:\\Tools;C:\\Beta", L"C:\\Tools"));
  EXPECT_TRUE(PathListHolds(L"C:\\Alpha;c:\\TOOLS\\", L"C:\\Tools"));
  EXPECT_TRUE(PathListHolds(L"C:\\Tools", L"c:\\tools\\\\"));
  EXPECT_FALSE(PathListHolds(L"C:\\Tools\\bin;D:\\MyC:\\Tools", L"C:\\Tools"));
  EXPECT_FALSE(PathListHolds(L"C:\\Tools2", L"C:\\Tools"));
  EXPECT_FALSE(PathListHolds(L"", L"C:\\Tools"));
  EXPECT_TRUE(PathListHolds(L"C:\\A;;C:\\B;", L"C:\\B"));
  EXPECT_TRUE(PathListHolds(L"C:\\\u00C4rger;C:\\\u65E5\u672C", L"c:\\\u00E4RGER"));
}

TEST_F(SystemPathTest, ADirectoryIsPutInFrontEvenWhenASubdirectoryIsListed) {
  SetPath("C:\\Alpha;C:\\Tools\\bin");
  EXPECT_EQ(TS_AddToNTPath("C:\\Tools", 0), 0);
  EXPECT_EQ(Path(), "C:\\Tools;C:\\Alpha;C:\\Tools\\bin");
  EXPECT_EQ(ValueType(kEnvironmentKey, "PATH"), static_cast<DWORD>(REG_EXPAND_SZ));
  std::vector<std::string> expected = {"Add C:\\Tools to the PATH variable",
                                       "   Old path = C:\\Alpha;C:\\Tools\\bin",
                                       "   New path = C:\\Tools;C:\\Alpha;C:\\Tools\\bin"};
  EXPECT_EQ(Log(), expected);
}

TEST_F(SystemPathTest, AListedDirectoryIsNotAddedAgain) {
  SetPath("C:\\Alpha;c:\\tools\\;C:\\Beta");
  EXPECT_EQ(TS_AddToNTPath("C:\\Tools", 0), 0);
  EXPECT_EQ(TS_AddToNTPath("C:\\TOOLS\\", 0), 0);
  EXPECT_EQ(Path(), "C:\\Alpha;c:\\tools\\;C:\\Beta");
  std::vector<std::string> expected = {"Add C:\\Tools to the PATH variable", "Add C:\\TOOLS\\ to the PATH variable"};
  EXPECT_EQ(Log(), expected);
}

TEST_F(SystemPathTest, AMissingPathBecomesTheDirectoryAlone) {
  EXPECT_NE(DeleteRegValue(HKEY_LOCAL_MACHINE, kEnvironmentKey, "PATH"), RegDelete::Failed);
  EXPECT_EQ(TS_AddToNTPath("C:\\Only", 0), 0);
  EXPECT_EQ(Path(), "C:\\Only");
  EXPECT_TRUE(ContainsLine(Log(), "   New path = C:\\Only"));
}

TEST_F(SystemPathTest, ALongPathIsKeptWholeAndSearchedToItsEnd) {
  std::string longPath;
  for (int i = 0; i < 300; ++i) longPath += "C:\\Program Files\\Vendor\\Dir" + std::to_string(i) + ";";
  longPath += "C:\\Last";
  ASSERT_GT(longPath.size(), 8000u);
  SetPath(longPath);
  EXPECT_EQ(TS_AddToNTPath("C:\\last\\", 0), 0);
  EXPECT_EQ(Path(), longPath);
  EXPECT_EQ(TS_AddToNTPath("C:\\New", 0), 0);
  EXPECT_EQ(Path(), "C:\\New;" + longPath);
}

TEST_F(SystemPathTest, EntriesOutsideTheCodePageComeBackAsTheyWere) {
  // Greek, Japanese and Cyrillic names: none of them has a place in the ANSI code page.
  std::wstring old = L"C:\\\u0391\u03B8\u03AE\u03BD\u03B1;D:\\\u65E5\u672C\u8A9E;E:\\\u041F\u0443\u0442\u044C";
  EXPECT_EQ(SetRegWideExpandString(HKEY_LOCAL_MACHINE, kEnvironmentKey, "PATH", old), ERROR_SUCCESS);
  EXPECT_EQ(TS_AddToNTPath("C:\\Tools", 0), 0);
  EXPECT_EQ(WidePath(), L"C:\\Tools;" + old);
  EXPECT_EQ(ValueType(kEnvironmentKey, "PATH"), static_cast<DWORD>(REG_EXPAND_SZ));
}

TEST_F(SystemPathTest, APathThatCannotBeReadIsLeftAloneAndLogged) {
  UniqueRegKey key = OpenRegKey(HKEY_LOCAL_MACHINE, kEnvironmentKey, KEY_SET_VALUE);
  ASSERT_TRUE(key);
  const DWORD number = 7;
  ASSERT_EQ(RegSetValueExA(key.get(), "PATH", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number),
            ERROR_SUCCESS);
  EXPECT_EQ(TS_AddToNTPath("C:\\Tools", 0), 0);
  EXPECT_EQ(ValueType(kEnvironmentKey, "PATH"), static_cast<DWORD>(REG_DWORD));
  std::vector<std::string> expected = {
      "Add C:\\Tools to the PATH variable",
      "*** Unable to read the PATH variable (RegQueryValueExW error 1804); PATH is left unchanged"};
  EXPECT_EQ(Log(), expected);
}

TEST_F(SystemPathTest, AnEmptyDirectoryChangesNothing) {
  SetPath("C:\\Alpha");
  EXPECT_EQ(TS_AddToNTPath("", 0), 0);
  EXPECT_EQ(TS_AddToNTPath(nullptr, 0), 0);
  EXPECT_EQ(Path(), "C:\\Alpha");
}

TEST_F(SystemPathTest, TopLevelWindowsAreToldThatTheEnvironmentChanged) {
  SetPath("C:\\Alpha");
  SettingChangeListener listener;
  TS_AddToNTPath("C:\\Announced", 0);
  std::vector<std::string> expected = {"Environment"};
  EXPECT_EQ(listener.Notices(), expected);
  // Nothing changed, nothing announced.
  TS_AddToNTPath("C:\\Announced", 0);
  EXPECT_EQ(listener.Notices(), expected);
}

namespace {
class RebootTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLogPath(dir / "run.log");
    SetLogIndentLevel(0);
    WriteTextFile(dir / "params.ini", "[Main]\r\nMessageLevel=NONE\r\n");
    SetParamsFileInForce(dir / "params.ini");
    EXPECT_NE(DeleteRegValue(HKEY_LOCAL_MACHINE, kRunOnceKey, "CorvantReboot"), RegDelete::Failed);
  }
  void TearDown() override {
    SetLogPath("");
    SetParamsFileInForce("");
  }
  int RunOnceValueCount() {
    int count = 0;
    while (!GetRegValueName(HKEY_LOCAL_MACHINE, kRunOnceKey, static_cast<DWORD>(count)).empty()) ++count;
    return count;
  }

  SavedRegistryValue savedMarker{kRunOnceKey, "CorvantReboot"};
  ScratchDirectory dir{"reboot"};
};
}  // namespace

TEST_F(RebootTest, ScheduleWritesTheMarkerOnceAndCancelRemovesIt) {
  EXPECT_EQ(TS_IsRebootScheduled(), 0);
  int before = RunOnceValueCount();
  EXPECT_EQ(TS_ScheduleReboot(), 0);
  EXPECT_EQ(TS_ScheduleReboot(), 0);
  EXPECT_EQ(RunOnceValueCount(), before + 1);
  // The system directory has rundll32.exe.
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kRunOnceKey, "CorvantReboot"), "RunDLL32.exe");
  EXPECT_EQ(TS_IsRebootScheduled(), 1);
  EXPECT_EQ(TS_CancelReboot(), 0);
  EXPECT_EQ(TS_IsRebootScheduled(), 0);
  EXPECT_EQ(TS_CancelReboot(), 0);
  std::vector<std::string> expected = {
      "Schedule CorvantReboot in the RunOnce key", "Schedule CorvantReboot in the RunOnce key",
      "Cancel CorvantReboot in the RunOnce key", "Cancel CorvantReboot in the RunOnce key"};
  EXPECT_EQ(ReadLines(dir / "run.log"), expected);
}

TEST_F(RebootTest, AMarkerOfAnyContentCounts) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kRunOnceKey, "CorvantReboot", ""), ERROR_SUCCESS);
  EXPECT_EQ(TS_IsRebootScheduled(), 1);
}

TEST_F(RebootTest, IgnorePendingRebootHidesAScheduledRestart) {
  TS_ScheduleReboot();
  WriteTextFile(dir / "ignoring.ini", "[Main]\r\nIgnorePendingReboot=yes\r\n");
  SetParamsFileInForce(dir / "ignoring.ini");
  EXPECT_EQ(TS_IsRebootScheduled(), 0);
  WriteTextFile(dir / "heeding.ini", "[Main]\r\nIgnorePendingReboot=no\r\n");
  SetParamsFileInForce(dir / "heeding.ini");
  EXPECT_EQ(TS_IsRebootScheduled(), 1);
}
