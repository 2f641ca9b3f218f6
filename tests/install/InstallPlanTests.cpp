// The install plan computed from a loaded three-CD suite: a core component CORELIB and a product
// PRODA on CD 1, a product PRODB on CD 2 that depends on CORELIB, and a product PRODC on CD 3.
#include <gtest/gtest.h>

#include "InProcessModel.h"
#include "install/InstallPlan.h"
#include "install/SetupLookup.h"
#include "model/Model.h"

using namespace testing_support;
using namespace install_tests;

namespace {
struct PlanCase {
  const char* name;
  bool installDependency;
  bool coreComponentSelected;
  bool installCoreComponents;
  const char* currentCD;
  std::vector<const char*> installed, failed;
  PlanStart start;
  const char* plan;
};

const PlanCase kPlanCases[] = {
    {"FromTheFirstCD", true, true, true, "CD1", {}, {}, PlanStart::InitializeInstallControl,
     "CD1: CORELIB (core) PRODA\nCD3: PRODC\nCD2: PRODB\n"},
    // The product on CD 2 waits for its core component on CD 1.
    {"FromTheDependentCD", true, true, true, "CD2", {}, {}, PlanStart::InitializeInstallControl,
     "CD2:\nCD1: CORELIB (core) PRODA\nCD3: PRODC\nCD2: PRODB\n"},
    {"WithoutTheDependencyFlag", false, true, true, "CD2", {}, {}, PlanStart::InitializeInstallControl,
     "CD2: PRODB\nCD1: CORELIB (core) PRODA\nCD3: PRODC\n"},
    // A failed core component is not retried, and what depends on it from another CD never comes.
    {"CoreComponentFailed", true, true, true, "CD1", {}, {"CORELIB"}, PlanStart::InitializeInstallControl,
     "CD1: PRODA\nCD3: PRODC\nnever handed out: PRODB\n"},
    // With the core component in place, CD 2 can run and comes before CD 3.
    {"CoreComponentInstalled", true, true, true, "CD1", {"CORELIB", "PRODA"}, {}, PlanStart::InitializeInstallControl,
     "CD1:\nCD2: PRODB\nCD3: PRODC\n"},
    {"EverythingInstalled", true, true, true, "CD3", {"CORELIB", "PRODA", "PRODB", "PRODC"}, {},
     PlanStart::InitializeInstallControl, "CD3:\n"},
    {"WithoutCoreComponents", true, false, false, "CD1", {}, {}, PlanStart::InitializeInstallControl,
     "CD1: PRODA\nCD2: PRODB\nCD3: PRODC\n"},
    // Without a CD in the drive, the first CD that can run is asked for.
    {"NoCurrentCD", true, true, true, "", {}, {}, PlanStart::AsItStands,
     "CD1: CORELIB (core) PRODA\nCD2: PRODB\nCD3: PRODC\n"},
};

class InstallPlanTest : public ::testing::Test {
 protected:
  void SetUp() override { CleanCorvantRegistry(); }
  void TearDown() override { CleanCorvantRegistry(); }

  static const CSetup* Setup(const char* id) {
    const CSetup* setup = FindSetup(id);
    EXPECT_NE(setup, nullptr) << id;
    return setup;
  }

  SuiteTree suite{"plan"};
};

class InstallPlanTable : public InstallPlanTest, public ::testing::WithParamInterface<PlanCase> {};
}  // namespace

TEST_P(InstallPlanTable, OrdersTheCDsAndTheirSetups) {
  const PlanCase& each = GetParam();
  WriteThreeCDSuite(suite, each.installDependency, each.installCoreComponents ? "" : "InstallCoreComponents=No\r\n");
  InProcessModel model(suite);
  for (const char* feature : {"PRODA", "PRODB", "PRODC"}) InProcessModel::SelectFeature(feature);
  if (each.coreComponentSelected) InProcessModel::SelectComponent("CORELIB");
  ASSERT_EQ(InProcessModel::CDOrder(), "CD1,CD2,CD3");

  SequencingState state = SequencingStateOf(Master());
  EXPECT_EQ(state.installCoreComponents, each.installCoreComponents);
  state.currentCD = each.currentCD;
  for (const char* id : each.installed) state.installed.insert(Setup(id));
  for (const char* id : each.failed) state.failed.insert(Setup(id));

  InstallPlan plan = PlanInstallOrder(Master(), state, each.start);
  EXPECT_EQ(PlanText(plan), each.plan);
  // Planning changes nothing in the model.
  EXPECT_EQ(InProcessModel::CDOrder(), "CD1,CD2,CD3");
  for (const char* id : {"CORELIB", "PRODA", "PRODB", "PRODC"}) {
    // Without core components the loader leaves CORELIB out altogether.
    const CSetup* setup = FindSetup(id);
    if (!setup) continue;
    EXPECT_EQ(setup->installed, 0) << id;
    EXPECT_EQ(setup->installError, 0) << id;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, InstallPlanTable, ::testing::ValuesIn(kPlanCases),
                         [](const ::testing::TestParamInfo<PlanCase>& info) { return std::string(info.param.name); });

namespace {
// The installation loop as a setup script runs it through the exports, every setup succeeding;
// a CD asked for is put in the drive at once. Written in the plan's text form.
std::string LoopThroughTheExports() {
  std::string text;
  TS_InitializeInstallControl();
  for (int guard = 0; guard < 20; ++guard) {
    text += Master().currentCD->ID.Raw() + ":";
    for (;;) {
      char id[512] = {};
      int core = TS_GetNextSetup(id);
      if (!*id) break;
      text += " " + std::string(id) + (core ? " (core)" : "");
      TS_SetInstalled(id);
    }
    text += "\n";
    if (TS_AllInstalled()) break;
    std::string next = CallText(TS_GetNextCD);
    if (next.empty()) break;
    Master().currentCD = Master().cds.Find(next);
  }
  return text;
}
}  // namespace

// The sequencing exports hand out exactly what the plan says, from either end of the suite.
TEST_F(InstallPlanTest, TheExportsHandOutThePlan) {
  WriteThreeCDSuite(suite, true, "");
  InProcessModel model(suite);
  for (const char* feature : {"PRODA", "PRODB", "PRODC"}) InProcessModel::SelectFeature(feature);
  InProcessModel::SelectComponent("CORELIB");
  Master().currentCD = Master().cds.Find("CD2");
  std::string planned = PlanText(PlanInstallOrder(Master(), SequencingStateOf(Master()), PlanStart::InitializeInstallControl));
  EXPECT_EQ(LoopThroughTheExports(), planned);
  EXPECT_EQ(planned, "CD2:\nCD1: CORELIB (core) PRODA\nCD3: PRODC\nCD2: PRODB\n");
}
