// The OS filter: its items, every relation with and without service packs, on given systems
// and on the running one.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "engine/Errors.h"
#include "filters/FilterList.h"
#include "tests/filters/FilterModel.h"

namespace {
const OsIdentity kNt4Sp3{"WNT", "4.0.1381", "3"};
const OsIdentity kNt4Sp6a{"WNT", "4.0.1381", "6a"};
const OsIdentity kNt4NoPack{"WNT", "4.0.1381", ""};
const OsIdentity kWin2000{"WNT", "5.0.2195", ""};
const OsIdentity kXpSp2{"WNT", "5.1.2600", "2"};
const OsIdentity kWin98{"W98", "4.10.1998", ""};

// What GetVersionExA reports, independently of the engine's own reading.
struct SystemFacts {
  std::string name;
  unsigned long major = 0, minor = 0;
  std::string servicePack;
};
SystemFacts RunningSystem() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExA(&info);
#pragma GCC diagnostic pop
  SystemFacts facts;
  facts.name = info.dwPlatformId == VER_PLATFORM_WIN32_NT        ? "WNT"
               : info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? (info.dwMinorVersion ? "W98" : "W95")
                                                                 : "W32s";
  facts.major = info.dwMajorVersion;
  facts.minor = info.dwMinorVersion;
  std::string csd = info.szCSDVersion;
  if (info.dwPlatformId == VER_PLATFORM_WIN32_NT && _strnicmp(csd.c_str(), "Service Pack ", 13) == 0)
    facts.servicePack = csd.substr(13);
  return facts;
}

class OsFilterTest : public FilterModelTest {
 protected:
  unsigned Evaluate(const std::string& list) {
    COSFilter filter(master_);
    filter.Parse(list);
    return filter.Evaluate();
  }
};
}  // namespace

TEST(OsFilterItem, SplitsNameRelationVersionAndServicePack) {
  OsFilterItem item = ParseOsFilterItem("WNT>=4.0SP4");
  EXPECT_EQ(item.name, "WNT");
  EXPECT_EQ(item.relation, ">=");
  EXPECT_EQ(item.version, "4.0");
  EXPECT_TRUE(item.namesServicePack);
  EXPECT_EQ(item.servicePack, "4");
  item = ParseOsFilterItem("W95");
  EXPECT_EQ(item.name, "W95");
  EXPECT_EQ(item.relation, "");
  EXPECT_EQ(item.version, "");
  EXPECT_FALSE(item.namesServicePack);
  item = ParseOsFilterItem("WNT=>4.0");
  EXPECT_EQ(item.relation, "=>");
  EXPECT_EQ(item.version, "4.0");
  item = ParseOsFilterItem("WNT<5");
  EXPECT_EQ(item.relation, "<");
  EXPECT_EQ(item.version, "5");
  EXPECT_FALSE(item.namesServicePack);
  // A lone "S" ends the version without a pack number behind it.
  item = ParseOsFilterItem("WNT=4.0S");
  EXPECT_EQ(item.version, "4.0");
  EXPECT_TRUE(item.namesServicePack);
  EXPECT_EQ(item.servicePack, "");
}

TEST(OsFilterEvaluation, ServicePackDecidesBetweenEqualVersions) {
  EXPECT_EQ(EvaluateOsList("WNT>=4.0SP4", kNt4Sp3), kStatusOsVersion);
  EXPECT_EQ(EvaluateOsList("WNT>=4.0SP4", kNt4Sp6a), 0u);
  EXPECT_EQ(EvaluateOsList("WNT>=4.0SP4", kNt4NoPack), kStatusOsVersion);
  EXPECT_EQ(EvaluateOsList("WNT<4.0SP4", kNt4NoPack), 0u);
  EXPECT_EQ(EvaluateOsList("WNT<=4.0SP4", kNt4NoPack), 0u);
  EXPECT_EQ(EvaluateOsList("WNT=4.0SP4", kNt4NoPack), kStatusOsVersion);
  EXPECT_EQ(EvaluateOsList("WNT<4.0SP4", kNt4Sp3), 0u);
  EXPECT_EQ(EvaluateOsList("WNT<=4.0SP4", kNt4Sp3), 0u);
  EXPECT_EQ(EvaluateOsList("WNT>4.0SP4", kNt4Sp3), kStatusOsVersion);
  EXPECT_EQ(EvaluateOsList("WNT>4.0SP4", kNt4Sp6a), 0u);
  EXPECT_EQ(EvaluateOsList("WNT<4.0SP4", kNt4Sp6a), kStatusOsVersion);
  EXPECT_EQ(EvaluateOsList("WNT=5.1SP2", kXpSp2), 0u);
  EXPECT_EQ(EvaluateOsList("WNT<=5.1SP2", kXpSp2), 0u);
  EXPECT_EQ(EvaluateOsList("WNT>=5.1SP2", kXpSp2), 0u);
  EXPECT_EQ(EvaluateOsList("WNT<5.1SP2", kXpSp2), kStatusOsVersion);
  EXPECT_EQ(EvaluateOsList("WNT>5.1SP2", kXpSp2), kStatusOsVersion);
}

TEST(OsFilterEvaluation, EveryRelationAgainstALowerEqualAndHigherVersion) {
  struct Case {
    const char* list;
    unsigned expected;
  } cases[] = {
      {"WNT<6", 0},  {"WNT<=6", 0},        {"WNT=6", 2},        {"WNT>6", 2},
      {"WNT>=6", 2},  // running lower
      {"WNT<5", 2},  {"WNT<=5", 0},        {"WNT=5", 0},        {"WNT>5", 2},
      {"WNT>=5", 0},  // equal (5 = 5.0.2195)
      {"WNT<4", 2},  {"WNT<=4", 2},        {"WNT=4", 2},        {"WNT>4", 0},
      {"WNT>=4", 0},  // running higher
      {"WNT", 0},    {"WNT<=5.0.2195", 0}, {"WNT>5.0.2194", 0}, {"WNT<5.0.2196", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(EvaluateOsList(c.list, kWin2000), c.expected) << c.list;
}

TEST(OsFilterEvaluation, ASystemNotNamedGivesOneAndANamedOneWithoutAHoldingItemTwo) {
  EXPECT_EQ(EvaluateOsList("W95,W98", kWin2000), kStatusOsNotNamed);
  EXPECT_EQ(EvaluateOsList("W95;W98", kWin98), 0u);
  EXPECT_EQ(EvaluateOsList("W95;WNT<4;WNT>=5", kWin2000), 0u);
  EXPECT_EQ(EvaluateOsList("W95;WNT<4;WNT>=6", kWin2000), kStatusOsVersion);
  // The blank after the comma belongs to the item: WNT is named but no item begins with it.
  EXPECT_EQ(EvaluateOsList("W95, WNT", kWin2000), kStatusOsVersion);
  EXPECT_EQ(EvaluateOsList("WNT", OsIdentity{"W32s", "1.30.0", ""}), kStatusOsNotNamed);
  EXPECT_EQ(EvaluateOsList("WNT", OsIdentity{"", "", ""}), kStatusOsNotNamed);
}

TEST_F(OsFilterTest, ParseRaisesTheDescriptionErrorsOfOsFilters) {
  EXPECT_EQ(ParseError<COSFilter>("W2K"), "Unrecognized OS in filter expression W2K");
  EXPECT_EQ(ParseError<COSFilter>("WNT;W2K>=5"), "Unrecognized OS in filter expression W2K>=5");
  EXPECT_EQ(ParseError<COSFilter>("WNT=>4.0"), "Unrecognized relation in OS filter expression WNT=>4.0");
  EXPECT_EQ(ParseError<COSFilter>("W95, WNT"), "Unrecognized OS in filter expression  WNT");
  EXPECT_EQ(ParseError<COSFilter>("wnt>=4.0sp4;w95"), "(parsed)");
  COSFilter filter(master_);
  EXPECT_THROW(filter.Parse(""), CPropError);
  try {
    filter.Parse("");
  } catch (const CPropError& error) {
    EXPECT_EQ(error.Message(), "Missing OS specifiers in OS filter");
  }
}

TEST_F(OsFilterTest, KeepsTheListAsWrittenForTheDumpAndUsesItUpperCased) {
  COSFilter filter(master_);
  filter.Parse("wnt>=4.0sp4");
  EXPECT_EQ(filter.List(), "WNT>=4.0SP4");
  filter.Dump(4);
  EXPECT_TRUE(testing_support::ContainsLine(Log(), "OS - wnt>=4.0sp4"));
  EXPECT_STREQ(filter.TypeName(), "OS");
  EXPECT_EQ(filter.Validate(), 1);
}

TEST_F(OsFilterTest, EvaluatesAgainstTheRunningSystem) {
  SystemFacts system = RunningSystem();
  std::string version = std::to_string(system.major) + "." + std::to_string(system.minor);
  std::string next = std::to_string(system.major + 1);
  const std::string& name = system.name;
  EXPECT_EQ(Evaluate(name), 0u);
  EXPECT_EQ(Evaluate(name + ">=" + version), 0u);
  EXPECT_EQ(Evaluate(name + "<=" + version), 0u);
  EXPECT_EQ(Evaluate(name + "=" + version), 0u);
  EXPECT_EQ(Evaluate(name + ">" + version), kStatusOsVersion);
  EXPECT_EQ(Evaluate(name + "<" + version), kStatusOsVersion);
  EXPECT_EQ(Evaluate(name + "<" + next), 0u);
  EXPECT_EQ(Evaluate(name + ">=" + next), kStatusOsVersion);
  if (!system.servicePack.empty()) {
    std::string pack = system.servicePack;
    std::string nextPack = std::to_string(std::atoi(pack.c_str()) + 1);
    EXPECT_EQ(Evaluate(name + ">=" + version + "SP" + pack), 0u);
    EXPECT_EQ(Evaluate(name + "=" + version + "SP" + pack), 0u);
    EXPECT_EQ(Evaluate(name + ">" + version + "SP" + pack), kStatusOsVersion);
    EXPECT_EQ(Evaluate(name + "<" + version + "SP" + nextPack), 0u);
    EXPECT_EQ(Evaluate(name + ">=" + version + "SP" + nextPack), kStatusOsVersion);
  } else {
    EXPECT_EQ(Evaluate(name + ">=" + version + "SP1"), kStatusOsVersion);
    EXPECT_EQ(Evaluate(name + "<" + version + "SP1"), 0u);
  }
  std::string others = name == "WNT" ? "W95,W98" : name == "W95" ? "WNT;W98" : "WNT;W95";
  EXPECT_EQ(Evaluate(others), kStatusOsNotNamed);
}

TEST_F(OsFilterTest, StateWordNamesTheRunningSystemThatAFeatureIsNotFor) {
  SystemFacts system = RunningSystem();
  std::string others = system.name == "WNT" ? "W95,W98" : system.name == "W95" ? "WNT;W98" : "WNT;W95";
  WriteDescription("[ROOT]\r\nName=Root\r\n[ELSEWHERE]\r\nOS=" + others + "\r\n[WRONGVERSION]\r\nOS=" + system.name +
                   ">" + std::to_string(system.major + 1) + "\r\n[GOOD]\r\nOS=" + system.name + "\r\n");
  CFeature& root = SetRoot("ROOT");
  CFeature& elsewhere = AddFeature(root, "ELSEWHERE");
  CFeature& below = AddFeature(elsewhere, "GOOD");
  CFeature& wrongVersion = AddFeature(root, "WRONGVERSION");
  unsigned nameBit = system.name == "WNT" ? kStateNotForNT : system.name == "W95" ? kStateNotFor95 : kStateNotFor98;
  EXPECT_EQ(FeatureStateWord(root), 0u);
  EXPECT_EQ(FeatureStateWord(elsewhere), kStateGreyed | kStateDisabled | nameBit);
  // A feature inherits the status of its parent.
  EXPECT_EQ(FeatureStateWord(below), kStateGreyed | kStateDisabled | nameBit);
  EXPECT_EQ(FeatureStateWord(wrongVersion), kStateGreyed | kStateDisabled | kStateNotForThisOS);
}
