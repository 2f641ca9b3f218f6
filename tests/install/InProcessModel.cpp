#include "InProcessModel.h"

#include <gtest/gtest.h>

#include "engine/Log.h"
#include "engine/Params.h"
#include "install/SetupLookup.h"
#include "model/Loader.h"
#include "model/Model.h"

namespace install_tests {

InProcessModel::InProcessModel(const SuiteTree& suite) {
  CreateSetupData();
  SetParamsFileInForce(suite.Params());
  SetDescriptionInForce(JoinPath(suite.Master(), "prop.ini"));
  SetLogPath(suite.Log());
  EXPECT_TRUE(LoadMaster(Master(), suite.Master(), suite.Params(), false));
}

InProcessModel::~InProcessModel() {
  DestroySetupData();
  SetLogPath("");
}

void InProcessModel::SelectFeature(const std::string& id) {
  CFeature* feature = FindModelFeature(id);
  ASSERT_TRUE(feature) << id;
  feature->selected = 1;
}

void InProcessModel::SelectComponent(const std::string& id) {
  CComponent* component = Master().components.Find(id);
  ASSERT_TRUE(component) << id;
  component->selected = 1;
}

std::string InProcessModel::CDOrder() {
  std::string order;
  for (const CSetupCD& cd : Master().cds) order += (order.empty() ? "" : ",") + cd.ID.Raw();
  return order;
}

std::string CallText(int(__stdcall* query)(char*)) {
  char out[1024] = "junk";
  query(out);
  return out;
}

}  // namespace install_tests
