// Operating system detection, the dotted version comparison and the list-text rules.
#include <gtest/gtest.h>
#include <windows.h>

#include "filters/ListText.h"
#include "filters/OsInfo.h"
#include "filters/VersionCompare.h"

namespace {
OSVERSIONINFOA SystemVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  EXPECT_TRUE(GetVersionExA(&info));
#pragma GCC diagnostic pop
  return info;
}

OsVersionFacts Facts(unsigned long platform, unsigned long major, unsigned long minor, unsigned long build,
                     const std::string& csd) {
  OsVersionFacts facts;
  facts.platformId = platform;
  facts.major = major;
  facts.minor = minor;
  facts.build = build;
  facts.csdVersion = csd;
  return facts;
}
}  // namespace

TEST(OsInfo, AnswersWhatTheRunningSystemReports) {
  OSVERSIONINFOA info = SystemVersion();
  EXPECT_EQ(sizeof info, 148u);
  std::string expectedName = info.dwPlatformId == VER_PLATFORM_WIN32_NT        ? "WNT"
                             : info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? (info.dwMinorVersion ? "W98" : "W95")
                             : info.dwPlatformId == VER_PLATFORM_WIN32s        ? "W32s"
                                                                               : "";
  EXPECT_EQ(GetOSName(), expectedName);
  char version[64];
  std::snprintf(version, sizeof version, "%lu.%lu.%lu", info.dwMajorVersion, info.dwMinorVersion,
                info.dwBuildNumber & 0xFFFF);
  EXPECT_EQ(GetOSVersion(), version);
  std::string csd = info.szCSDVersion;
  std::string expectedPack;
  if (info.dwPlatformId == VER_PLATFORM_WIN32_NT && _strnicmp(csd.c_str(), "Service Pack ", 13) == 0)
    expectedPack = csd.substr(13);
  EXPECT_EQ(GetServicePack(), expectedPack);
  OsIdentity identity = RunningOsIdentity();
  EXPECT_EQ(identity.name, expectedName);
  EXPECT_EQ(identity.version, version);
  EXPECT_EQ(identity.servicePack, expectedPack);
}

TEST(OsInfo, NamesThePlatformFamily) {
  EXPECT_EQ(OsNameOf(Facts(0, 3, 11, 0, "")), "W32s");
  EXPECT_EQ(OsNameOf(Facts(1, 4, 0, 950, "")), "W95");
  EXPECT_EQ(OsNameOf(Facts(1, 4, 10, 1998, "")), "W98");
  EXPECT_EQ(OsNameOf(Facts(1, 4, 90, 3000, "")), "W98");
  EXPECT_EQ(OsNameOf(Facts(2, 4, 0, 1381, "")), "WNT");
  EXPECT_EQ(OsNameOf(Facts(2, 5, 0, 2195, "")), "WNT");
  EXPECT_EQ(OsNameOf(Facts(3, 10, 0, 0, "")), "");
}

TEST(OsInfo, VersionJoinsMajorMinorAndTheLowWordOfTheBuild) {
  EXPECT_EQ(OsVersionOf(Facts(2, 4, 0, 1381, "")), "4.0.1381");
  EXPECT_EQ(OsVersionOf(Facts(1, 4, 0, 0x040003B6, "")), "4.0.950");
  EXPECT_EQ(OsVersionOf(Facts(2, 5, 0, 2195, "")), "5.0.2195");
}

TEST(OsInfo, ServicePackIsTheTextAfterServicePackOnNtOnly) {
  EXPECT_EQ(ServicePackOf(Facts(2, 4, 0, 1381, "Service Pack 6a")), "6a");
  EXPECT_EQ(ServicePackOf(Facts(2, 4, 0, 1381, "SERVICE PACK 3")), "3");
  EXPECT_EQ(ServicePackOf(Facts(2, 5, 1, 2600, "Update Rollup 1")), "");
  EXPECT_EQ(ServicePackOf(Facts(2, 5, 1, 2600, "")), "");
  EXPECT_EQ(ServicePackOf(Facts(1, 4, 10, 1998, "Service Pack 1")), "");
}

TEST(VersionComparison, FirstDifferingFieldDecidesNumerically) {
  EXPECT_EQ(CompareVersions("4.1", "4.0"), 1);
  EXPECT_EQ(CompareVersions("4.0", "4.1"), -1);
  EXPECT_EQ(CompareVersions("10.0", "9.9"), 1);
  EXPECT_EQ(CompareVersions("2.10", "2.9"), 1);
  EXPECT_EQ(CompareVersions("5.0.2195", "5.0.2196"), -1);
}

TEST(VersionComparison, ASideThatRunsOutOfFieldsIsEqual) {
  EXPECT_EQ(CompareVersions("4.0", "4.0.1381"), 0);
  EXPECT_EQ(CompareVersions("4.0.1381", "4.0"), 0);
  EXPECT_EQ(CompareVersions("5", "5.0.2195"), 0);
  EXPECT_EQ(CompareVersions("", "7.3"), 0);
  EXPECT_EQ(CompareVersions("7.3", ""), 0);
  EXPECT_EQ(CompareVersions("4.", "4.5"), 0);
}

TEST(VersionComparison, FieldsCountByTheirLeadingDigits) {
  EXPECT_EQ(CompareVersions("6a", "6"), 0);
  EXPECT_EQ(CompareVersions("6a", "4"), 1);
  EXPECT_EQ(CompareVersions("beta", "0"), 0);
  EXPECT_EQ(CompareVersions("x.1", "0.2"), -1);
  EXPECT_EQ(CompareVersions("4..1", "4.0.2"), -1);
}

TEST(VersionComparison, HugeFieldsDoNotWrapAround) {
  EXPECT_EQ(CompareVersions("99999999999999999999999", "4294967294"), 1);
  EXPECT_EQ(CompareVersions("1.99999999999999999999", "1.99999999999999999999"), 0);
}

TEST(VersionComparison, RelationsHoldByTheComparison) {
  EXPECT_TRUE(RelationHolds("<", -1));
  EXPECT_TRUE(RelationHolds("<=", -1));
  EXPECT_FALSE(RelationHolds("=", -1));
  EXPECT_TRUE(RelationHolds("<=", 0));
  EXPECT_TRUE(RelationHolds(">=", 0));
  EXPECT_TRUE(RelationHolds("=", 0));
  EXPECT_FALSE(RelationHolds("<", 0));
  EXPECT_FALSE(RelationHolds(">", 0));
  EXPECT_TRUE(RelationHolds(">", 1));
  EXPECT_TRUE(RelationHolds(">=", 1));
  EXPECT_FALSE(RelationHolds("<=", 1));
  EXPECT_FALSE(RelationHolds("=>", 0));
  EXPECT_TRUE(IsKnownRelation("<="));
  EXPECT_FALSE(IsKnownRelation("=<"));
  EXPECT_FALSE(IsKnownRelation(""));
}

TEST(ListText, CommaWinsOverSemicolonAndBlanksStay) {
  EXPECT_EQ(ListSeparator("W95;WNT"), ';');
  EXPECT_EQ(ListSeparator("W95;WNT,W98"), ',');
  EXPECT_EQ(ListItems("W95, WNT"), (std::vector<std::string>{"W95", " WNT"}));
  EXPECT_EQ(ListItems("W95;WNT,W98"), (std::vector<std::string>{"W95;WNT", "W98"}));
  EXPECT_EQ(ListItems("SERVER;STANDARD"), (std::vector<std::string>{"SERVER", "STANDARD"}));
}

TEST(ListText, EmptyItemsInsideCountButATrailingSeparatorAddsNone) {
  EXPECT_EQ(ListItems("WNT;"), (std::vector<std::string>{"WNT"}));
  EXPECT_EQ(ListItems("WNT;;W95"), (std::vector<std::string>{"WNT", "", "W95"}));
  EXPECT_TRUE(ListItems("").empty());
}
