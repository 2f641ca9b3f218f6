#pragma once
// The engine linked into the test program: a suite is loaded into this process's own model, so
// that a test can make the selections the wizard pages would make, and then call the exports
// exactly as the setup script does.
#include <string>

#include "SuiteTree.h"
#include "include/tessaro.h"

namespace install_tests {

// Loads the suite's master directory into the process's model with the suite's parameters
// file in force and its log in use; the model is freed at the end.
class InProcessModel {
 public:
  explicit InProcessModel(const SuiteTree& suite);
  ~InProcessModel();
  InProcessModel(const InProcessModel&) = delete;
  InProcessModel& operator=(const InProcessModel&) = delete;

  // What the feature page and the selection logic would decide.
  static void SelectFeature(const std::string& id);
  static void SelectComponent(const std::string& id);
  // The CD list in its current order, joined by ",".
  static std::string CDOrder();
};

std::string CallText(int (__stdcall* query)(char*));

}  // namespace install_tests
