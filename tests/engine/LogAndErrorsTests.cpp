// The log writer and the error reports, in process.
#include <gtest/gtest.h>

#include <limits>

#include "engine/Errors.h"
#include "engine/Log.h"
#include "engine/Params.h"
#include "support/TestSupport.h"

using namespace testing_support;

namespace {
class LogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLogPath(dir / "run.log");
    SetLogIndentLevel(0);
    WriteTextFile(dir / "params.ini", "[Main]\r\nMessageLevel=ALL\r\n");
    SetParamsFileInForce(dir / "params.ini");
  }
  void TearDown() override {
    CloseLogFile();
    SetLogPath("");
    SetLogIndentLevel(0);
    SetParamsFileInForce("");
  }
  std::string Log() { return ReadTextFile(dir / "run.log"); }
  ScratchDirectory dir{"log"};
};
}  // namespace

TEST_F(LogTest, IndentsThreeSpacesPerLevelAndEndsWithLineFeed) {
  LogIndent();
  LogIndent();
  LogLine("abc");
  SetLogIndentLevel(0);
  LogLine("flat");
  EXPECT_EQ(Log(), "      abc\r\nflat\r\n");
}

TEST_F(LogTest, NegativeLevelWritesUnindentedUntilBackAboveZero) {
  LogUnindent();
  LogUnindent();
  LogLine("a");
  LogIndent();
  LogIndent();
  LogLine("b");
  LogIndent();
  LogLine("c");
  EXPECT_EQ(Log(), "a\r\nb\r\n   c\r\n");
}

TEST_F(LogTest, AHugeLevelIsWrittenAtABoundedDepthAndTheCounterSaturates) {
  SetLogIndentLevel(std::numeric_limits<int>::max());
  LogIndent();
  LogLine("deep");
  EXPECT_EQ(LogIndentLevel(), std::numeric_limits<int>::max());
  SetLogIndentLevel(std::numeric_limits<int>::min());
  LogUnindent();
  EXPECT_EQ(LogIndentLevel(), std::numeric_limits<int>::min());
  LogLine("flat");
  EXPECT_EQ(Log(), std::string(300, ' ') + "deep\r\nflat\r\n");
}

TEST_F(LogTest, AppendsToTheFileOfAnEarlierRun) {
  LogLine("first run");
  LogLine("second run");
  OpenLogFile();
  LogLine("held");
  CloseLogFile();
  LogLine("after");
  EXPECT_EQ(Log(), "first run\r\nsecond run\r\nheld\r\nafter\r\n");
}

TEST_F(LogTest, EmptyPathDropsEveryLineAndCreatesNoFile) {
  SetLogPath("");
  LogLine("nothing");
  OpenLogFile();
  LogLine("nothing either");
  CloseLogFile();
  EXPECT_EQ(GetFileAttributesA((dir / "run.log").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(LogTest, LogWindowsWritesOneLinePerTopLevelWindow) {
  HWND window = CreateWindowExA(0, "STATIC", "Tessaro log probe", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_TRUE(window);
  EXPECT_EQ(LogTopLevelWindows(), 1);
  DestroyWindow(window);
  EXPECT_TRUE(ContainsLine(ReadLines(dir / "run.log"), "--- Window=Tessaro log probe; Class=Static"));
}

TEST_F(LogTest, PropErrorReportNamesFileSectionAndItem) {
  MessageBoxWatcher boxes;
  CPropError::SetItem("");
  CPropError error("Configuration file not found", "D:\\cd1\\prop.ini", "Main");
  EXPECT_EQ(error.Text(), "Error in file D:\\cd1\\prop.ini [Main] :Configuration file not found");
  error.Report();
  CPropError::SetItem("Key1");
  CPropError later("Another");
  EXPECT_EQ(later.Text(), "Error in file D:\\cd1\\prop.ini [Main] Key1 :Another");
  CPropError::SetItem("");
  auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].caption, "Corvant Setup");
  EXPECT_EQ(shown[0].text, "Error in file D:\\cd1\\prop.ini [Main] :Configuration file not found");
  EXPECT_TRUE(ContainsLine(ReadLines(dir / "run.log"),
                           "***** Error in file D:\\cd1\\prop.ini [Main] :Configuration file not found"));
}

TEST_F(LogTest, WithMessagesOffAGeneralErrorIsOnlyLoggedButADescriptionErrorStillShows) {
  WriteTextFile(dir / "quiet.ini", "[Main]\r\nMessageLevel=none\r\n");
  SetParamsFileInForce(dir / "quiet.ini");
  MessageBoxWatcher boxes;
  CMyError("Something failed").Report();
  CMyError("Logged only").LogError();
  CPropError("Bad value", "C:\\p.ini").Report();
  auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text.rfind("Error in file C:\\p.ini", 0), 0u);
  auto lines = ReadLines(dir / "run.log");
  EXPECT_TRUE(ContainsLine(lines, "***** Something failed"));
  EXPECT_TRUE(ContainsLine(lines, "*** Error - Logged only"));
}

TEST_F(LogTest, ShowErrorTextShowsTheTextInACorvantSetupBox) {
  MessageBoxWatcher boxes;
  EXPECT_EQ(ShowErrorText("An unknown error occurred during Configuration.", kStyleStop), IDOK);
  auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].caption, "Corvant Setup");
  EXPECT_EQ(shown[0].text, "An unknown error occurred during Configuration.");
  EXPECT_TRUE(ContainsLine(ReadLines(dir / "run.log"), "***** An unknown error occurred during Configuration."));
}
