// The published header used from C: the same calls through the prototypes (the engine linked in)
// and through the pointer types (Tessaro.dll loaded by the C code) answer what the engine does.
#include <gtest/gtest.h>

#include <string>

#include "engine/Paths.h"
#include "header/HeaderCall.h"
#include "model/Keywords.h"
#include "support/TestSupport.h"
#include "ui/PageHost.h"

using namespace testing_support;

static_assert(kKeywordBufferSize == TS_KEYWORD_BUFFER_SIZE, "keyword buffer differs from the header's");

namespace {
enum class Way { Prototypes, Library };

class HeaderCallTest : public ::testing::TestWithParam<Way> {
 protected:
  HeaderCallTest() { WritePropIni(propIni, "[Main]\r\nName=Header\r\n"); }
  // None of these calls asks anything.
  void TearDown() override { EXPECT_TRUE(boxes.Boxes().empty()); }
  HeaderCallResults Call() {
    HeaderCallResults results{};
    if (GetParam() == Way::Prototypes) {
      CallThroughPrototypes(ini.c_str(), propIni.c_str(), &results);
    } else {
      std::string dll = JoinPath(BuildDirectory(), "Tessaro.dll");
      EXPECT_EQ(CallThroughLibrary(dll.c_str(), ini.c_str(), propIni.c_str(), &results), 1);
    }
    return results;
  }
  std::string Read(const char* section, const char* key) {
    char value[TS_VALUE_BUFFER_SIZE] = "";
    GetPrivateProfileStringA(section, key, "", value, sizeof value, ini.c_str());
    return value;
  }

  MessageBoxWatcher boxes;
  ScratchDirectory dir{"header"};
  std::string ini = dir / "answers.ini";
  std::string propIni = dir / "prop.ini";
};
}  // namespace

TEST_P(HeaderCallTest, ChecksumsChainAsTheEngineComputesThem) {
  HeaderCallResults results = Call();
  EXPECT_EQ(results.crc, 0xCBF43926UL);
  EXPECT_EQ(results.chainedCrc, 0xCBF43926UL);
}

TEST_P(HeaderCallTest, AnUnknownKeywordComesBackBetweenPercentSignsAndFinal) {
  HeaderCallResults results = Call();
  EXPECT_EQ(results.translated, -1);
  EXPECT_STREQ(results.keyword, "%NOSUCHKEYWORD%");
  EXPECT_EQ(results.final, 1);
}

TEST_P(HeaderCallTest, WritesReachTheNamedParametersFile) {
  HeaderCallResults results = Call();
  EXPECT_EQ(results.written, 0);
  EXPECT_EQ(results.writtenYesNo, 0);
  EXPECT_EQ(results.writtenTarget, 0);
  EXPECT_EQ(Read("Main", "Folder"), "Corvant Tools");
  EXPECT_EQ(Read("Main", "Unattended"), "YES");
  EXPECT_EQ(Read("Targets", "Target2"), "DATADIR;C:\\Data");
}

TEST_P(HeaderCallTest, TheTemporaryFolderIsTheEnginesAndAStampedDescriptionValidates) {
  HeaderCallResults results = Call();
  EXPECT_EQ(std::string(results.tempDir), TempDirectory());
  EXPECT_EQ(results.valid, 1);
}

INSTANTIATE_TEST_SUITE_P(BothWays, HeaderCallTest, ::testing::Values(Way::Prototypes, Way::Library),
                         [](const ::testing::TestParamInfo<Way>& info) {
                           return info.param == Way::Prototypes ? "Prototypes" : "Library";
                         });
