// The consistency check as a setup script meets it: TS_LoadSetupData on stamped descriptions
// fails with the description error box naming file, section and message; the log holds the
// setup data dump after a load, and TS_LogSetupData writes it again at level 4.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "engine/Paths.h"
#include "load/CdTree.h"

using namespace testing_support;
using namespace load_tests;

namespace {
using LoadFn = int(__stdcall*)(const char*);
using NoArgsFn = int(__stdcall*)();

class ConsistencyExportsTest : public ::testing::Test {
 protected:
  ConsistencyExportsTest() { CleanCorvantRegistry(); }
  ~ConsistencyExportsTest() override { CleanCorvantRegistry(); }

  int Load(const std::string& paramsLines = "") {
    if (!engine) engine = std::make_unique<EngineInstance>(cd.MasterDir());
    return engine->Get<LoadFn>("TS_LoadSetupData")(cd.WriteParams(paramsLines).c_str());
  }
  // The one box that a failed load shows.
  std::string LoadError(const std::string& paramsLines = "") {
    MessageBoxWatcher boxes;
    int result = Load(paramsLines);
    auto shown = boxes.Boxes();
    if (result != -1) return "load answered " + std::to_string(result);
    if (shown.size() != 1) return std::to_string(shown.size()) + " boxes";
    EXPECT_EQ(shown[0].caption, "Corvant Setup");
    EXPECT_TRUE(ContainsLine(cd.Log(), "***** " + shown[0].text));
    return shown[0].text;
  }
  std::string FileOf(const std::string& directory) const { return JoinPath(cd.Dir(directory), "prop.ini"); }

  CdTree cd{"chk"};
  std::unique_ptr<EngineInstance> engine;
};
}  // namespace

TEST_F(ConsistencyExportsTest, AnUnresolvedTargetPathNamesTheFileThatDefinedIt) {
  cd.DescribeMaster(Product("SUITE", "LoadSubsetups=YES\r\n"));
  cd.Describe("alpha",
              Product("ALPHA", "", "[Targets]\r\nTarget0=ALPHADIR;Alpha;%NOSUCHPLACE%\\Alpha;Alpha files\r\n"));
  EXPECT_EQ(LoadError(), "Error in file " + FileOf("alpha") + " :Target path for ALPHADIR is not resolved");
}

TEST_F(ConsistencyExportsTest, ATargetNeedForAnUnknownTargetIsRefused) {
  cd.DescribeMaster(Product("SUITE", "", "TargetNeed0=NOWHERE;100\r\n"));
  EXPECT_EQ(LoadError(), "Error in file " + cd.MasterFile() + " :Unrecognized TARGETNEED target ID NOWHERE");
}

TEST_F(ConsistencyExportsTest, ATargetNeedForATargetOfALaterSubsetupPasses) {
  cd.DescribeMaster(Product("SUITE", "LoadSubsetups=YES\r\n", "TargetNeed0=BETADIR;100\r\n"));
  cd.Describe("beta", Product("BETA", "", "[Targets]\r\nTarget0=BETADIR;Beta;%CORVAROOT%\\Beta;Beta files\r\n"));
  MessageBoxWatcher boxes;
  EXPECT_EQ(Load(), 0);
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(ConsistencyExportsTest, ASectionListedTwiceIsADuplicateFeature) {
  cd.DescribeMaster(Product("SUITE", "",
                            "Feature0=CLIENT\r\nFeature1=SERVER\r\n[CLIENT]\r\nName=Client\r\nFeature0=HELP\r\n"
                            "[SERVER]\r\nName=Server\r\nFeature0=HELP\r\n[HELP]\r\nName=Help\r\n"));
  EXPECT_EQ(LoadError(), "Error in file " + cd.MasterFile() + " [HELP] :Feature ID HELP is not unique");
}

TEST_F(ConsistencyExportsTest, TwoSubsetupsWithTheSameRootSectionAreDuplicates) {
  cd.DescribeMaster(Product("SUITE", "LoadSubsetups=YES\r\n"));
  cd.Describe("alpha", Product("SAME"));
  cd.Describe("beta", Product("SAME"));
  EXPECT_EQ(LoadError(), "Error in file " + FileOf("alpha") + " [SAME] :Feature ID SAME is not unique");
}

TEST_F(ConsistencyExportsTest, WithSyntaxCheckOffADuplicateFeatureLoads) {
  cd.DescribeMaster(Product("SUITE", "", "Feature0=HELP\r\nFeature1=HELP\r\n[HELP]\r\nName=Help\r\n"));
  MessageBoxWatcher boxes;
  EXPECT_EQ(Load("SyntaxCheck=NO\r\n"), 0);
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(ConsistencyExportsTest, AFilterNamingAnUnknownSetupTypeFailsInItsFeaturesSection) {
  cd.DescribeMaster(Product("SUITE", "LoadSubsetups=YES\r\n", "[SetupTypes]\r\nSetupType0=SERVER\r\n"));
  cd.Describe("alpha",
              Product("ALPHA", "", "Feature0=ADMIN\r\n[ADMIN]\r\nName=Admin\r\nComputerTypes=SERVER;KIOSK\r\n"));
  EXPECT_EQ(LoadError(),
            "Error in file " + FileOf("alpha") + " [ADMIN] :Unrecognized ID KIOSK in Computer Type filter");
}

TEST_F(ConsistencyExportsTest, AFilterNamingASetupTypeOfAnotherSubsetupPasses) {
  cd.DescribeMaster(Product("SUITE", "LoadSubsetups=YES\r\n"));
  cd.Describe("alpha", Product("ALPHA", "", "ComputerTypes=KIOSK\r\n"));
  cd.Describe("beta", Product("BETA", "", "[SetupTypes]\r\nSetupType0=KIOSK;Kiosk machine\r\n"));
  MessageBoxWatcher boxes;
  EXPECT_EQ(Load(), 0);
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(ConsistencyExportsTest, AFaultyFilterValueEndsTheLoadInItsSection) {
  cd.DescribeMaster(Product("SUITE", "", "Feature0=OLD\r\n[OLD]\r\nName=Old\r\nOS=W2K\r\n"));
  EXPECT_EQ(LoadError(), "Error in file " + cd.MasterFile() + " [OLD] :Unrecognized OS in filter expression W2K");
}

TEST_F(ConsistencyExportsTest, AFaultyCompatibilityValueIsQuotedWhole) {
  cd.DescribeMaster(Product("SUITE", "", "Compatibility0=MUSTHAVE;CORE;DATASERVER;=>2\r\n"));
  EXPECT_EQ(LoadError(), "Error in file " + cd.MasterFile() +
                             " [SUITE] :Incorrect syntax in Feature Compatibility filter MUSTHAVE;CORE;DATASERVER;=>2");
}

// The password is reported with the file that declared it; the section of the last feature
// checked has nothing to do with it.
TEST_F(ConsistencyExportsTest, APasswordWithoutDescriptionNamesItsFile) {
  cd.DescribeMaster(Product("SUITE", "LoadSubsetups=YES\r\n"));
  cd.Describe("alpha", Product("ALPHA", "", "Feature0=SVC\r\n[SVC]\r\nName=Service\r\nPassword=ALPHAACCOUNT\r\n"));
  cd.Describe("beta", Product("BETA"));
  EXPECT_EQ(LoadError(), "Error in file " + FileOf("alpha") + " :Missing description for password ALPHAACCOUNT");
}

TEST_F(ConsistencyExportsTest, AFlagAloneIsNoDescriptionOfAPassword) {
  cd.DescribeMaster(Product("SUITE", "", "Password=SVC;VERIFY\r\n"));
  EXPECT_EQ(LoadError(), "Error in file " + cd.MasterFile() + " :Missing description for password SVC");
}

TEST_F(ConsistencyExportsTest, ACoreRunChecksOnlyTheCDs) {
  cd.DescribeMaster(Product("SUITE", "", "[Targets]\r\nTarget0=LOST;Lost;%NOSUCHPLACE%;Lost files\r\n"));
  MessageBoxWatcher boxes;
  EXPECT_EQ(Load("Core=YES\r\n"), 0);
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(ConsistencyExportsTest, TheLoadLogEndsWithTheDumpAtLevelTenAndLogSetupDataAddsLevelFour) {
  cd.DescribeMaster(Product("SUITE", "",
                            "Feature0=TOOLS\r\nPassword=SVC;Service account\r\n[TOOLS]\r\nName=Tools\r\n"
                            "OS=WNT;W95;W98\r\nTargetNeed0=CORVAROOT;50;SHOW;EDITABLE\r\n"));
  MessageBoxWatcher boxes;
  ASSERT_EQ(Load(), 0);
  std::vector<std::string> log = cd.Log();
  auto heading = std::find(log.begin(), log.end(), "\t\tSETUP DATA FOR SUITE :");
  ASSERT_NE(heading, log.end());
  std::vector<std::string> dump(heading + 2, log.end() - 1);
  ASSERT_FALSE(dump.empty());
  EXPECT_EQ(dump.front(), std::string(37, '-'));
  EXPECT_EQ(dump[1], "SETUP SUITE :");
  for (const char* line : {"      Launching paramaters -", "   Passwords :", "      SVC",
                           "   FEATURES :", "            TOOLS (Tools;) - not Selected",
                           "                  OS - WNT;W95;W98", "            CORVAROOT (50 K) SHOW EDITABLE"})
    EXPECT_TRUE(ContainsLine(dump, line)) << line;
  EXPECT_EQ(log.back(), std::string(69, '='));

  auto logSetupData = engine->Get<NoArgsFn>("TS_LogSetupData");
  ASSERT_NE(logSetupData, nullptr);
  EXPECT_EQ(logSetupData(), 1);
  std::vector<std::string> after = cd.Log();
  std::vector<std::string> again(after.begin() + static_cast<long>(log.size()), after.end());
  ASSERT_FALSE(again.empty());
  EXPECT_EQ(again.front(), std::string(37, '-'));
  EXPECT_EQ(again.back(), "");
  EXPECT_FALSE(ContainsLine(again, "   Passwords :"));
  EXPECT_TRUE(ContainsLine(again, "         Properties = SHOW; BEFORE; NORECALC; EDITABLE; SINGLE"));
  EXPECT_TRUE(ContainsLine(again, "                  OS - WNT;W95;W98"));
  EXPECT_TRUE(boxes.Boxes().empty());
  engine->Get<NoArgsFn>("TS_UnloadSetupData")();
}
