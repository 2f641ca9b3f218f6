#pragma once
// In-process page step tests: a model built by hand, a parameters file and a log of the test's
// own, the registry cleaned; PageStepTest answers the pages from a script, ModelStepTest leaves
// them to the real windows.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/Log.h"
#include "engine/Params.h"
#include "model/Model.h"
#include "support/ScriptedPages.h"
#include "support/TestSupport.h"

class ModelStepTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes a parameters file under a new name (the profile cache keeps old ones) and puts it in
  // force. `main` holds lines of section Main, `targets` lines of section Targets.
  void Params(const std::string& main, const std::string& targets = "");
  std::vector<std::string> Log() const;
  // The log lines written since the last call.
  std::vector<std::string> NewLog();

  CFeature& AddFeature(CFeature& parent, const std::string& id, bool selectedByDefault = false);
  CTarget& AddTarget(const std::string& id, const std::string& path);
  CSetupType& AddSetupType(const std::string& id);
  CComponent& AddComponent(CFeature& feature, const std::string& id, const std::string& targetId);

  CSetup& master() { return Master(); }
  testing_support::ScratchDirectory dir{"pages"};

 private:
  int paramsCount_ = 0;
  size_t logSeen_ = 0;
};

class PageStepTest : public ModelStepTest {
 protected:
  void TearDown() override;
  testing_support::ScopedScriptedPages scripted;
  testing_support::ScriptedPageHost& pages = scripted.host;
};
