// Lists written into a script's buffer end at their last whole item, and the log says what was cut.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Log.h"
#include "engine/Text.h"
#include "exports/ExportFrame.h"
#include "support/TestSupport.h"

using namespace testing_support;

namespace {
struct FitCase {
  std::vector<std::string> items;
  std::string separator;
  size_t size;
  std::string text;
  size_t kept;
};

class FitListTest : public ::testing::TestWithParam<FitCase> {};
}  // namespace

TEST_P(FitListTest, EndsAtTheLastWholeItemThatFits) {
  const FitCase& c = GetParam();
  FittedList fitted = FitList(c.items, c.separator, c.size);
  EXPECT_EQ(fitted.text, c.text);
  EXPECT_EQ(fitted.kept, c.kept);
  EXPECT_LT(fitted.text.size(), c.size == 0 ? 1 : c.size);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FitListTest,
    ::testing::Values(
        FitCase{{}, ",", 16, "", 0},                              // nothing to write
        FitCase{{"AB", "CD", "EF"}, ",", 9, "AB,CD,EF", 3},      // exactly fits with its zero
        FitCase{{"AB", "CD", "EF"}, ",", 8, "AB,CD", 2},         // one byte short: the last item goes
        FitCase{{"AB", "CD", "EF"}, ",", 6, "AB,CD", 2},         // never half of "EF"
        FitCase{{"AB", "CD", "EF"}, ",", 5, "AB", 1},            // "AB,C" would cut CD
        FitCase{{"ABCDEFGH", "X"}, ",", 4, "", 0},               // the first item alone is too long
        FitCase{{"ABC"}, ",", 0, "", 0},                          // no room at all
        FitCase{{"Reports, Pro", "Data"}, ",", 13, "Reports, Pro", 1},  // a separator inside an item
        FitCase{{"A", "", "B"}, ";", 5, "A;;B", 3},               // empty items count
        FitCase{{"DURING", "SHOW"}, "; ", 12, "DURING", 1}));     // the separator's whole length counts

namespace {
class ListOutputTest : public ::testing::Test {
 protected:
  void SetUp() override { SetLogPath(dir / "run.log"); }
  void TearDown() override { SetLogPath(""); }
  std::vector<std::string> Log() { return LogLines(dir / "run.log"); }
  ScratchDirectory dir{"list"};
};
}  // namespace

TEST_F(ListOutputTest, ACutListIsLoggedWithHowManyItemsItKept) {
  char buffer[12];
  std::string guard(sizeof buffer, '#');
  guard.copy(buffer, sizeof buffer);
  CopyListOut("TS_GetSetupsNotInstalled", {"REPORTS", "DATASRV", "ARCHIVE"}, ",", buffer, 10);
  EXPECT_STREQ(buffer, "REPORTS");
  EXPECT_EQ(std::string(buffer + 10, 2), "##");  // nothing beyond the size it was given
  EXPECT_TRUE(ContainsLine(Log(), "*** Warning - TS_GetSetupsNotInstalled list cut to 1 of 3 items to fit the buffer"));
}

TEST_F(ListOutputTest, AListThatFitsIsCopiedWholeWithoutAWord) {
  char buffer[TS_LIST_BUFFER_SIZE];
  CopyListOut("TSGetNEXOTasks", {"Corvant Reports", "Corvant Data Server"}, ",", buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "Corvant Reports,Corvant Data Server");
  EXPECT_TRUE(Log().empty());
}

TEST_F(ListOutputTest, AFullListBufferEndsAtAnItemBoundary) {
  // 100 IDs of 11 characters and a comma each: 1200 bytes do not fit 1024.
  std::vector<std::string> ids;
  for (int i = 0; i < 100; ++i) ids.push_back("SETUP" + std::to_string(100000 + i));
  std::vector<char> buffer(TS_LIST_BUFFER_SIZE);
  CopyListOut("TS_GetSetupsNotInstalled", ids, ",", buffer.data(), buffer.size());
  std::string text = buffer.data();
  EXPECT_EQ(text.size(), 85u * 12 - 1);
  EXPECT_EQ(text.substr(text.size() - 11), ids[84]);
  EXPECT_TRUE(ContainsLine(Log(), "*** Warning - TS_GetSetupsNotInstalled list cut to 85 of 100 items to fit the buffer"));
}
