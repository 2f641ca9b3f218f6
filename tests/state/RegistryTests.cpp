// The registry utilities and the path syntax test, in process against HKLM of the test prefix.
#include <gtest/gtest.h>

#include "state/Registry.h"
#include "support/TestSupport.h"

using namespace testing_support;

namespace {
const char kScratchKey[] = "Software\\Corvant\\RegistryTest";

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { EXPECT_TRUE(DeleteRegKeyTree(HKEY_LOCAL_MACHINE, kScratchKey)); }
  void TearDown() override { EXPECT_TRUE(DeleteRegKeyTree(HKEY_LOCAL_MACHINE, kScratchKey)); }
  std::string Key(const std::string& below) { return std::string(kScratchKey) + "\\" + below; }
};
}  // namespace

TEST_F(RegistryTest, CreateRegKeyCreatesEveryMissingParent) {
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, Key("a")));
  EXPECT_TRUE(CreateRegKey(HKEY_LOCAL_MACHINE, Key("a\\b\\c")));
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, Key("a")));
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, Key("a\\b\\c")));
  EXPECT_TRUE(CreateRegKey(HKEY_LOCAL_MACHINE, Key("a\\b\\c")));
  EXPECT_TRUE(CreateRegKey(HKEY_LOCAL_MACHINE, ""));
}

TEST_F(RegistryTest, SetRegStringStoresTextWithItsTerminatingZero) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, Key("deep\\er"), "Name", "value"), ERROR_SUCCESS);
  UniqueRegKey key = OpenRegKey(HKEY_LOCAL_MACHINE, Key("deep\\er"), KEY_QUERY_VALUE);
  ASSERT_TRUE(key);
  DWORD type = 0, size = 0;
  ASSERT_EQ(RegQueryValueExA(key.get(), "Name", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, Key("deep\\er"), "Name"), "value");
}

TEST_F(RegistryTest, MissingKeysAndValuesReadAsEmpty) {
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, Key("none"), "Name"), "");
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, Key("k"), "Other", "x"), ERROR_SUCCESS);
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, Key("k"), "Name"), "");
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, Key("k"), "Name"));
  EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, Key("k"), "Other"));
}

TEST_F(RegistryTest, ValueExistsOnlyWhenItFitsTheShortBuffer) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, Key("k"), "Short", std::string(254, 's')), ERROR_SUCCESS);
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, Key("k"), "Long", std::string(255, 'l')), ERROR_SUCCESS);
  EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, Key("k"), "Short"));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, Key("k"), "Long"));
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, Key("k"), "Long"), std::string(255, 'l'));
}

TEST_F(RegistryTest, AValueTooLongForTheReadBufferReadsAsEmpty) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, Key("k"), "Huge", std::string(5000, 'h')), ERROR_SUCCESS);
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, Key("k"), "Huge"), "");
  // The buffer holds 2000 bytes: 1999 characters and their terminator fit, one more does not.
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, Key("k"), "Full", std::string(1999, 'f')), ERROR_SUCCESS);
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, Key("k"), "Full"), std::string(1999, 'f'));
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, Key("k"), "Over", std::string(2000, 'o')), ERROR_SUCCESS);
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, Key("k"), "Over"), "");
}

TEST_F(RegistryTest, DeleteRegValueAnswersWhetherItDeleted) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, Key("k"), "Name", "v"), ERROR_SUCCESS);
  EXPECT_EQ(DeleteRegValue(HKEY_LOCAL_MACHINE, Key("k"), "Name"), RegDelete::Deleted);
  EXPECT_EQ(DeleteRegValue(HKEY_LOCAL_MACHINE, Key("k"), "Name"), RegDelete::Missing);
  EXPECT_EQ(DeleteRegValue(HKEY_LOCAL_MACHINE, Key("none"), "Name"), RegDelete::Missing);
}

TEST_F(RegistryTest, NamesByPositionAreEmptyPastTheEnd) {
  EXPECT_TRUE(CreateRegKey(HKEY_LOCAL_MACHINE, Key("k\\child")));
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, Key("k"), "Value0", "v"), ERROR_SUCCESS);
  EXPECT_EQ(GetRegSubKeyName(HKEY_LOCAL_MACHINE, Key("k"), 0), "child");
  EXPECT_EQ(GetRegSubKeyName(HKEY_LOCAL_MACHINE, Key("k"), 1), "");
  EXPECT_EQ(GetRegValueName(HKEY_LOCAL_MACHINE, Key("k"), 0), "Value0");
  EXPECT_EQ(GetRegValueName(HKEY_LOCAL_MACHINE, Key("k"), 1), "");
  EXPECT_EQ(GetRegSubKeyName(HKEY_LOCAL_MACHINE, Key("none"), 0), "");
  EXPECT_EQ(GetRegValueName(HKEY_LOCAL_MACHINE, Key("none"), 0), "");
}

TEST_F(RegistryTest, DeleteRegKeyTreeRemovesEverySubKey) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, Key("t\\a\\x"), "V", "1"), ERROR_SUCCESS);
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, Key("t\\b"), "V", "2"), ERROR_SUCCESS);
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, Key("t"), "V", "3"), ERROR_SUCCESS);
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, Key("kept"), "V", "4"), ERROR_SUCCESS);
  EXPECT_TRUE(DeleteRegKeyTree(HKEY_LOCAL_MACHINE, Key("t")));
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, Key("t")));
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, Key("kept"), "V"), "4");
  EXPECT_TRUE(DeleteRegKeyTree(HKEY_LOCAL_MACHINE, Key("t")));
}

namespace {
// Gives a key an empty access list (nobody may open it), or back the default one.
void LockKey(const std::string& key, bool locked) {
  UniqueRegKey opened = OpenRegKey(HKEY_LOCAL_MACHINE, key, WRITE_DAC);
  ASSERT_TRUE(opened);
  SECURITY_DESCRIPTOR descriptor;
  InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  ACL empty;
  InitializeAcl(&empty, sizeof empty, ACL_REVISION);
  SetSecurityDescriptorDacl(&descriptor, TRUE, locked ? &empty : nullptr, FALSE);
  ASSERT_EQ(RegSetKeySecurity(opened.get(), DACL_SECURITY_INFORMATION, &descriptor), ERROR_SUCCESS);
}
}  // namespace

TEST_F(RegistryTest, DeleteRegKeyTreeGivesUpOnASubKeyItCannotOpen) {
  EXPECT_TRUE(CreateRegKey(HKEY_LOCAL_MACHINE, Key("t\\locked")));
  LockKey(Key("t\\locked"), true);
  ASSERT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, Key("t\\locked")));
  EXPECT_FALSE(DeleteRegKeyTree(HKEY_LOCAL_MACHINE, Key("t")));
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, Key("t")));
  LockKey(Key("t\\locked"), false);
  EXPECT_TRUE(DeleteRegKeyTree(HKEY_LOCAL_MACHINE, Key("t")));
}

TEST(IsValidPathTest, DriveRootNeedsItsFlag) {
  EXPECT_FALSE(IsValidPath("C:\\", 0));
  EXPECT_TRUE(IsValidPath("C:\\", kAllowDriveRoot));
  EXPECT_TRUE(IsValidPath("C:\\Program Files\\Corvant", 0));
  EXPECT_TRUE(IsValidPath("  C:\\Corvant\\  ", 0));
}

TEST(IsValidPathTest, NetworkPathNeedsItsFlagAndNonEmptyNames) {
  EXPECT_FALSE(IsValidPath("\\\\server\\share", 0));
  EXPECT_TRUE(IsValidPath("\\\\server\\share", kAllowNetworkPath));
  EXPECT_TRUE(IsValidPath("\\\\server\\sh?re", kAllowNetworkPath));
  EXPECT_FALSE(IsValidPath("\\\\server\\\\share", kAllowNetworkPath));
  EXPECT_FALSE(IsValidPath("\\\\server\\sh|re", kAllowNetworkPath));
  EXPECT_FALSE(IsValidPath("\\server\\share", kAllowNetworkPath));
  EXPECT_FALSE(IsValidPath("relative\\dir", kAllowNetworkPath));
}

TEST(IsValidPathTest, DrivePathSyntax) {
  EXPECT_FALSE(IsValidPath("C:", kAllowDriveRoot));
  EXPECT_FALSE(IsValidPath("C:dir", 0));
  EXPECT_FALSE(IsValidPath("C:\\a\\\\b", 0));
  EXPECT_FALSE(IsValidPath("C:\\a?b", 0));
  EXPECT_FALSE(IsValidPath("C:\\a\\b*", 0));
  EXPECT_FALSE(IsValidPath("C:\\a:b", 0));
  EXPECT_FALSE(IsValidPath("ab", kAllowNetworkPath | kAllowDriveRoot));
}

TEST(IsValidPathTest, DriveWithoutRootDirectoryIsInvalid) {
  std::string unused;
  for (char letter = 'Y'; letter > 'D'; --letter) {
    std::string root = std::string(1, letter) + ":\\";
    if (GetDriveTypeA(root.c_str()) == DRIVE_NO_ROOT_DIR) {
      unused = root;
      break;
    }
  }
  ASSERT_FALSE(unused.empty());
  EXPECT_FALSE(IsValidPath(unused + "dir", 0));
  EXPECT_FALSE(IsValidPath(unused, kAllowDriveRoot));
}
