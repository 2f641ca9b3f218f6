// TS_GetCurrentDomainName on the NT family, and the registry answer of the 9x family.
#include <gtest/gtest.h>

#include <cstring>

#include "include/tessaro.h"
#include "install/SystemIntegration.h"
#include "support/TestSupport.h"
#include "system/SavedRegistry.h"

namespace {
constexpr char kProviderKey[] = "SYSTEM\\CurrentControlSet\\Services\\MSNP32\\NetworkProvider";
constexpr char kNetworkSetupKey[] = "SYSTEM\\CurrentControlSet\\Services\\VxD\\VNETSUP";
}  // namespace

TEST(DomainName, OnTheNtFamilyItIsTheLogonDomainOfTheUser) {
  char expected[256] = {};
  ASSERT_GT(GetEnvironmentVariableA("USERDOMAIN", expected, sizeof expected), 0u);
  char out[300];
  std::memset(out, 'x', sizeof out);
  EXPECT_EQ(TS_GetCurrentDomainName(out), 0);
  EXPECT_STREQ(out, expected);
}

TEST(DomainName, The9xFamilyReadsTheAuthenticatingAgentThenTheWorkgroup) {
  RemovedIfNew provider(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\MSNP32");
  RemovedIfNew networkSetup(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\VxD");
  SavedRegistryValue agent(kProviderKey, "AuthenticatingAgent");
  SavedRegistryValue workgroup(kNetworkSetupKey, "Workgroup");
  EXPECT_NE(DeleteRegValue(HKEY_LOCAL_MACHINE, kProviderKey, "AuthenticatingAgent"), RegDelete::Failed);
  EXPECT_NE(DeleteRegValue(HKEY_LOCAL_MACHINE, kNetworkSetupKey, "Workgroup"), RegDelete::Failed);
  EXPECT_EQ(RegistryDomainName(), "");
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kNetworkSetupKey, "Workgroup", "FIXTUREGROUP"), ERROR_SUCCESS);
  EXPECT_EQ(RegistryDomainName(), "FIXTUREGROUP");
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kProviderKey, "AuthenticatingAgent", "FIXTUREDOMAIN"), ERROR_SUCCESS);
  EXPECT_EQ(RegistryDomainName(), "FIXTUREDOMAIN");
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kProviderKey, "AuthenticatingAgent", ""), ERROR_SUCCESS);
  EXPECT_EQ(RegistryDomainName(), "FIXTUREGROUP");
}
