// The consistency check on models that loading cannot produce, and the cost of its duplicate
// checks' order: the first failure in walking order is the one reported.
#include <gtest/gtest.h>

#include <memory>

#include "engine/Errors.h"
#include "engine/Params.h"
#include "model/ConsistencyCheck.h"
#include "model/Model.h"
#include "support/TestSupport.h"

using namespace testing_support;

namespace {
class ConsistencyCheckTest : public ::testing::Test {
 protected:
  ConsistencyCheckTest() {
    CreateSetupData();
    master = &Master();
    master->PropIniFile = "C:\\cd\\master\\prop.ini";
    WriteTextFile(dir / "params.ini", "[Main]\r\nSyntaxCheck=YES\r\n");
    SetParamsFileInForce(dir / "params.ini");
  }
  ~ConsistencyCheckTest() override {
    SetParamsFileInForce("");
    DestroySetupData();
  }
  CComponent& AddComponent(const std::string& id, CSetup* setup) {
    auto component = std::make_unique<CComponent>();
    component->ID.Set(id);
    component->type.Set("IS");
    component->setup = setup;
    return master->components.Append(std::move(component));
  }
  std::string CheckError(bool subsetup = false, bool core = false) {
    try {
      CheckSetup(*master, subsetup, core);
    } catch (const CPropError& error) {
      return error.Text();
    }
    return "passed";
  }

  ScratchDirectory dir{"cc"};
  CSetup* master = nullptr;
};
}  // namespace

TEST_F(ConsistencyCheckTest, TwoComponentsWithOneIdAreReportedAtTheFirst) {
  CSetup other;
  other.PropIniFile = "C:\\cd\\other\\prop.ini";
  AddComponent("SUITE\\A", master);
  AddComponent("SUITE\\B", &other);
  AddComponent("suite\\b", master);
  EXPECT_EQ(CheckError(), "Error in file C:\\cd\\other\\prop.ini :Component ID SUITE\\B is not unique");
}

TEST_F(ConsistencyCheckTest, AComponentWithoutSetupIsSkipped) {
  AddComponent("SHARED", nullptr);
  AddComponent("SHARED", master);
  // The second one is counted twice as well, and has a setup to name.
  EXPECT_EQ(CheckError(), "Error in file C:\\cd\\master\\prop.ini :Component ID SHARED is not unique");
}

TEST_F(ConsistencyCheckTest, ACDWithoutDescriptionIsReported) {
  auto cd = std::make_unique<CSetupCD>();
  cd->ID.Set("CD2");
  master->cds.Append(std::move(cd));
  EXPECT_EQ(CheckError(), "Error in file C:\\cd\\master\\prop.ini :CD CD2 is missing a description");
  EXPECT_EQ(CheckError(false, true), "Error in file C:\\cd\\master\\prop.ini :CD CD2 is missing a description");
}

TEST_F(ConsistencyCheckTest, ASetupWithoutCDTakesTheCurrentOne) {
  auto cd = std::make_unique<CSetupCD>();
  cd->ID.Set("CD1");
  cd->Description.Set("First CD");
  master->currentCD = &master->cds.Append(std::move(cd));
  auto subsetup = std::make_unique<CSetup>();
  CSetup& child = master->subsetups.Append(std::move(subsetup));
  EXPECT_EQ(CheckError(), "passed");
  EXPECT_EQ(child.CD.Raw(), "CD1");
}

TEST_F(ConsistencyCheckTest, SyntaxCheckNoSkipsEverything) {
  WriteTextFile(dir / "off.ini", "[Main]\r\nSyntaxCheck=no\r\n");
  SetParamsFileInForce(dir / "off.ini");
  AddComponent("X\\A", master);
  AddComponent("X\\A", master);
  EXPECT_EQ(CheckError(), "passed");
}
