// The reading rules of yes/no values and the run switches, in process.
#include <gtest/gtest.h>

#include "engine/Params.h"
#include "support/TestSupport.h"

using namespace testing_support;

TEST(YesNoRules, FirstLetterRule) {
  EXPECT_TRUE(YesByFirstLetter("True", false));
  EXPECT_TRUE(YesByFirstLetter("yes", false));
  EXPECT_FALSE(YesByFirstLetter("1", true));
  EXPECT_FALSE(YesByFirstLetter("xyes", true));
  EXPECT_FALSE(YesByFirstLetter("Maybe", true));
  EXPECT_TRUE(YesByFirstLetter("", true));
  EXPECT_FALSE(YesByFirstLetter("", false));
}

TEST(YesNoRules, ThreeWayRuleFallsBackOnUnknownLetters) {
  EXPECT_TRUE(YesByThreeWayRule("Maybe", true));
  EXPECT_FALSE(YesByThreeWayRule("Maybe", false));
  EXPECT_FALSE(YesByThreeWayRule("no", true));
  EXPECT_FALSE(YesByThreeWayRule("False", true));
  EXPECT_TRUE(YesByThreeWayRule("t", false));
  EXPECT_TRUE(YesByThreeWayRule("", true));
}

TEST(YesNoRules, AnyLetterRuleFindsALetterAnywhere) {
  EXPECT_TRUE(YesByAnyLetter("Not now"));
  EXPECT_TRUE(YesByAnyLetter("NOT"));
  EXPECT_TRUE(YesByAnyLetter("Yes"));
  EXPECT_FALSE(YesByAnyLetter("No"));
  EXPECT_FALSE(YesByAnyLetter(""));
}

TEST(RunSwitches, MessageLevelAndUnattended) {
  ScratchDirectory dir("switches");
  auto with = [&](const std::string& body) {
    static int n = 0;
    // Profile reads are cached: every variant goes to a file of its own name.
    std::string file = dir / ("p" + std::to_string(++n) + ".ini");
    WriteTextFile(file, "[Main]\r\n" + body);
    SetParamsFileInForce(file);
  };
  with("MessageLevel=\r\n");
  EXPECT_TRUE(AllMessages());
  EXPECT_FALSE(SomeMessages());
  EXPECT_FALSE(NoMessages());
  with("MessageLevel=some\r\n");
  EXPECT_FALSE(AllMessages());
  EXPECT_TRUE(SomeMessages());
  with("MessageLevel=Everything\r\n");
  EXPECT_FALSE(AllMessages());
  EXPECT_FALSE(SomeMessages());
  EXPECT_FALSE(NoMessages());
  with("Unattended=True\r\n");
  EXPECT_TRUE(Unattended());
  with("Unattended=1\r\n");
  EXPECT_FALSE(Unattended());
  with("Folder=" + std::string(600, 'x') + "\r\n");
  EXPECT_EQ(GetParam("Folder").size(), 511u);
  SetParamsFileInForce("");
}

TEST(PathsInForce, ScopedSwitchRestoresBothPaths) {
  SetParamsFileInForce("C:\\run.ini");
  SetDescriptionInForce("C:\\master\\prop.ini");
  {
    ScopedPathsInForce hook("C:\\temp\\prod.ini", "C:\\prod\\prop.ini");
    EXPECT_EQ(ParamsFileInForce(), "C:\\temp\\prod.ini");
    EXPECT_EQ(DescriptionInForce(), "C:\\prod\\prop.ini");
  }
  EXPECT_EQ(ParamsFileInForce(), "C:\\run.ini");
  EXPECT_EQ(DescriptionInForce(), "C:\\master\\prop.ini");
  SetParamsFileInForce("");
  SetDescriptionInForce("");
}

// The one bypass rule of the wizard pages, over the switches that feed it.
TEST(RunSwitches, PageBypassRule) {
  struct Case {
    const char* params;
    PageRule page;
    bool bypassed;
  };
  const Case cases[] = {
      {"", {"EnableWelcomeDlg", true}, false},
      {"EnableWelcomeDlg=no\r\n", {"EnableWelcomeDlg", true}, true},
      {"EnableWelcomeDlg=Nope\r\n", {"EnableWelcomeDlg"}, true},
      {"EnableWelcomeDlg=yes\r\n", {"EnableWelcomeDlg"}, false},
      {"MessageLevel=some\r\n", {"EnableWelcomeDlg", true}, true},
      {"MessageLevel=some\r\n", {"EnableNEXOSetup"}, false},
      {"Unattended=yes\r\n", {"EnableGetFolderDlg"}, true},
      {"Unattended=yes\r\n", {"EnableLicenseDlg", true, false, false}, false},
      {"", {"EnableGetSelectionsDlg", false, true}, true},
      {"EnableOtherDlg=no\r\n", {"EnableGetSelectionsDlg"}, false},
  };
  ScratchDirectory dir("bypass");
  int n = 0;
  for (const Case& each : cases) {
    SCOPED_TRACE(std::string(each.params) + " / " + each.page.pageSwitch);
    // Profile reads are cached: every variant goes to a file of its own name.
    std::string file = dir / ("p" + std::to_string(++n) + ".ini");
    WriteTextFile(file, std::string("[Main]\r\n") + each.params);
    SetParamsFileInForce(file);
    EXPECT_EQ(PageBypassed(each.page), each.bypassed);
  }
}
