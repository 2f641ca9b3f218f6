#include "pages/PageStepFixture.h"

#include "engine/Paths.h"

using namespace testing_support;

void ModelStepTest::SetUp() {
  CleanCorvantRegistry();
  CreateSetupData();
  SetLogPath(dir / "run.log");
  SetLogIndentLevel(0);
  CSetup& m = Master();
  m.ID.Set("SUITE");
  m.Name.Set("Corvant");
  m.PropIniFile = dir / "prop.ini";
  m.SrcDir = dir.Path();
  m.rootFeature.setup = &m;
  m.rootFeature.ID.Set("SUITE");
  m.rootFeature.Name.Set("Corvant");
  m.firstInstall = 1;
  m.firstInstallOfTheseProducts = 1;
  WriteTextFile(m.PropIniFile, "[Main]\r\nRootFeature=SUITE\r\n");
  SetDescriptionInForce(m.PropIniFile);
  Params("");
}

void PageStepTest::TearDown() {
  EXPECT_TRUE(pages.wizardAnswers.empty()) << "scripted pages were not shown";
  ModelStepTest::TearDown();
}

void ModelStepTest::TearDown() {
  EXPECT_EQ(LogIndentLevel(), 0);
  // The model would delete the parameters file in force; the scratch folder goes anyway.
  Master().ParamsFile.clear();
  CreateSetupData();
  SetLogPath("");
  SetParamsFileInForce("");
  SetDescriptionInForce("");
  CleanCorvantRegistry();
}

void ModelStepTest::Params(const std::string& main, const std::string& targets) {
  std::string path = dir / ("params" + std::to_string(++paramsCount_) + ".ini");
  std::string text = "[Main]\r\n" + main + "\r\n";
  if (!targets.empty()) text += "[Targets]\r\n" + targets + "\r\n";
  WriteTextFile(path, text);
  SetParamsFileInForce(path);
}

std::vector<std::string> ModelStepTest::Log() const { return ReadLines(dir / "run.log"); }

std::vector<std::string> ModelStepTest::NewLog() {
  std::vector<std::string> all = Log();
  std::vector<std::string> fresh(all.begin() + static_cast<long>(std::min(logSeen_, all.size())), all.end());
  logSeen_ = all.size();
  return fresh;
}

CFeature& ModelStepTest::AddFeature(CFeature& parent, const std::string& id, bool selectedByDefault) {
  auto feature = std::make_unique<CFeature>();
  feature->setup = &Master();
  feature->parent = &parent;
  feature->ID.Set(id);
  feature->Name.Set(id + " name");
  feature->defaultSelection = selectedByDefault ? 1 : 0;
  return parent.subfeatures.Append(std::move(feature));
}

CTarget& ModelStepTest::AddTarget(const std::string& id, const std::string& path) {
  auto target = std::make_unique<CTarget>();
  target->setup = &Master();
  target->ID.Set(id);
  target->Name.Set(id + " label");
  target->defaultPath = path;
  target->path = path;
  return Master().targets.Append(std::move(target));
}

CSetupType& ModelStepTest::AddSetupType(const std::string& id) {
  auto type = std::make_unique<CSetupType>();
  type->ID.Set(id);
  return Master().setupTypes.Append(std::move(type));
}

CComponent& ModelStepTest::AddComponent(CFeature& feature, const std::string& id, const std::string& targetId) {
  auto component = std::make_unique<CComponent>();
  component->setup = &Master();
  component->ID.Set(id);
  component->type.Set("IS");
  auto need = std::make_unique<CTargetNeed>();
  need->setup = &Master();
  need->component = component.get();
  need->targetID.Set(targetId);
  need->size.Set("100");
  component->targetNeeds.Append(std::move(need));
  CComponent& added = Master().components.Append(std::move(component));
  CComponentRef ref;
  ref.component = &added;
  ref.ID.Set(id);
  feature.components.push_back(ref);
  return added;
}
