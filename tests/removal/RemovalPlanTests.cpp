// The removal plan computed from the loaded suite, the features detection found installed and
// the core component records: products in the reverse of their CD order, then the core
// components no installed product needs any more.
#include <gtest/gtest.h>

#include "RemovalSuite.h"
#include "install/InstallPlan.h"
#include "install/SetupLookup.h"
#include "model/Model.h"

using namespace testing_support;
using namespace removal_tests;

namespace {
struct PlanCase {
  const char* name;
  std::vector<const char*> installedFeatures;
  std::vector<const char*> installedCores;
  // Each "CORE:PRODUCT" makes the product a recorded dependent; "CORE:" records a core
  // component without dependents; none at all means no dependents section.
  std::vector<const char*> dependents;
  const char* plan;
};

const PlanCase kPlanCases[] = {
    {"NothingInstalled", {}, {}, {}, ""},
    {"TheWholeSuiteLastCDFirst", {"TOOLS", "ARCHIVE"}, {"SHAREDRT"}, {"SHAREDRT:TOOLS", "SHAREDRT:ARCHIVE"},
     "ARCHIVE\nTOOLS\nSHAREDRT (core)\n"},
    // An installed sub-feature makes its product installed.
    {"AProductBySubFeature", {"TOOLS_EXTRA"}, {}, {}, "TOOLS\n"},
    // A product of another suite still needs the shared runtime.
    {"ACoreNeededByAnotherSuite", {"TOOLS", "ARCHIVE"}, {"SHAREDRT"}, {"SHAREDRT:TOOLS", "SHAREDRT:REPORTS"},
     "ARCHIVE\nTOOLS\nKeep SHAREDRT: still needed by REPORTS\n"},
    {"ACoreWhoseDependentsAllGo", {"TOOLS"}, {"SHAREDRT"}, {"SHAREDRT:TOOLS"}, "TOOLS\nSHAREDRT (core)\n"},
    {"ACoreWithAnEmptyDependentsRecord", {}, {"SHAREDRT"}, {"SHAREDRT:"}, "SHAREDRT (core)\n"},
    // Installed by an engine that recorded no dependents: the suite's installed products count.
    {"ACoreWithoutRecordsAndItsProductsGoing", {"ARCHIVE"}, {"SHAREDRT"}, {}, "ARCHIVE\nSHAREDRT (core)\n"},
    {"ACoreWithoutRecordsOnly", {}, {"SHAREDRT"}, {}, "SHAREDRT (core)\n"},
    // A core component the records name but this suite does not carry is not this suite's to remove.
    {"ACoreOfAnotherSuite", {"TOOLS"}, {"OTHERRT"}, {}, "TOOLS\n"},
};

class RemovalPlanTable : public InProcessModelTest, public ::testing::WithParamInterface<PlanCase> {
 protected:
  MessageBoxWatcher boxes;
  RemovalSuite suite{"rmplan"};
};
}  // namespace

TEST_P(RemovalPlanTable, OrdersTheSetupsAndKeepsWhatOthersNeed) {
  const PlanCase& each = GetParam();
  suite.Write();
  suite.tree.LoadInProcess(suite.tree.WriteParams("MessageLevel=NONE\r\n"));
  for (const char* id : each.installedFeatures) FindModelFeature(id)->installed = 1;
  CoreRecords records;
  for (const char* id : each.installedCores) records.installed.insert(id);
  for (std::string entry : each.dependents) {
    size_t colon = entry.find(':');
    std::set<std::string>& dependents = records.dependents[entry.substr(0, colon)];
    if (colon + 1 < entry.size()) dependents.insert(entry.substr(colon + 1));
  }
  EXPECT_EQ(RemovalPlanText(PlanRemovalOrder(Master(), records)), each.plan);
}

INSTANTIATE_TEST_SUITE_P(Cases, RemovalPlanTable, ::testing::ValuesIn(kPlanCases),
                         [](const ::testing::TestParamInfo<PlanCase>& info) { return std::string(info.param.name); });
