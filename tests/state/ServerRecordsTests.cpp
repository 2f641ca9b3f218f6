// The framework server records: through the exports of a loaded engine, and the log lines in
// process.
#include <gtest/gtest.h>

#include "engine/Log.h"
#include "state/Registry.h"
#include "state/ServerRecords.h"
#include "support/TestSupport.h"

using namespace testing_support;

namespace {
using IntNoArgs = int(__stdcall*)();
using IntInt = int(__stdcall*)(int);
using IntText = int(__stdcall*)(const char*);
using IntBuffer = int(__stdcall*)(char*);
using IntTextText = int(__stdcall*)(const char*, const char*);

class ServerRecordsTest : public ::testing::Test {
 protected:
  void SetUp() override { CleanCorvantRegistry(); }
  void TearDown() override {
    CleanCorvantRegistry();
    SetLogPath("");
  }
  ScratchDirectory dir{"server"};
};
}  // namespace

TEST_F(ServerRecordsTest, ExportsReadAndWriteTheServerValues) {
  EngineInstance engine(dir.Path());
  auto firstTime = engine.Get<IntNoArgs>("TSNEXOFirstTime");
  auto getActive = engine.Get<IntNoArgs>("TSGetNEXOServerActive");
  auto setActive = engine.Get<IntInt>("TSSetNEXOServerActive");
  auto getServer = engine.Get<IntBuffer>("TSGetNEXOServer");
  auto setServer = engine.Get<IntText>("TSSetNEXOServer");
  auto registerTask = engine.Get<IntTextText>("TSRegisterNEXOTask");
  ASSERT_TRUE(firstTime && getActive && setActive && getServer && setServer && registerTask);

  EXPECT_EQ(firstTime(), 1);
  EXPECT_EQ(getActive(), 0);
  EXPECT_EQ(setActive(1), 0);
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\CFW", "Active"), "1");
  EXPECT_EQ(getActive(), 1);
  EXPECT_EQ(firstTime(), 0);
  EXPECT_EQ(setActive(0), 0);
  EXPECT_EQ(getActive(), 0);
  EXPECT_EQ(firstTime(), 0);

  EXPECT_EQ(setServer("WEBHOST"), 0);
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\CFW\\Server", "WebServer"), "WEBHOST");
  char name[256] = "stale";
  EXPECT_EQ(getServer(name), 0);
  EXPECT_STREQ(name, "WEBHOST");

  EXPECT_EQ(registerTask("Mailer", "C:\\mailer.exe"), 0);
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Corvant\\NEXO\\Tasks", "Mailer"), "C:\\mailer.exe");
}

TEST_F(ServerRecordsTest, ActiveIsOneWithoutRegardToCaseOnly) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kFrameworkKey, "Active", "yes"), ERROR_SUCCESS);
  EXPECT_FALSE(NexoServerActive());
  EXPECT_FALSE(ServerChoiceMissing());
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kFrameworkKey, "Active", ""), ERROR_SUCCESS);
  EXPECT_TRUE(ServerChoiceMissing());
}

TEST_F(ServerRecordsTest, RecordsLogTheirChoice) {
  SetLogPath(dir / "run.log");
  EXPECT_TRUE(RecordServerActive(true));
  EXPECT_TRUE(RecordServerActive(false));
  EXPECT_TRUE(RecordServerAdvancedSettings(true));
  EXPECT_TRUE(RecordServerAdvancedSettings(false));
  EXPECT_TRUE(RecordServerName("HOST"));
  EXPECT_TRUE(!NexoAdvancedSettingsUsed());
  EXPECT_EQ(ReadLines(dir / "run.log"),
            (std::vector<std::string>{"Register NEXO Server = Active", "Register NEXO Server = Inactive",
                                      "Register NEXO Server = Advanced Settings",
                                      "Register NEXO Server = Inactive", "Register NEXO Server name = HOST"}));
}
