#include "ui/SetupTypeStep.h"

#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/StepResult.h"
#include "engine/Text.h"
#include "filters/FilterList.h"
#include "model/Model.h"
#include "ui/PageHost.h"

namespace {
constexpr size_t kPageRows = 4;
constexpr size_t kAnyNumber = static_cast<size_t>(-1);
}  // namespace

void ChooseCurrentSetupType(CSetup& master) {
  if (master.setupType.empty()) master.setupType = GetParam("SetupType");
  if (master.setupType.empty()) master.setupType = ReadIniString(master.PropIniFile, "SetupTypes", "SetupType");
  if (master.setupType.empty() && !master.setupTypes.Empty()) master.setupType = master.setupTypes.At(0).ID.Raw();
  if (master.setupType.empty()) master.setupType = "STANDARD";
  if (master.setupTypes.Empty()) return;
  const CSetupType* known = master.setupTypes.Find(master.setupType);
  master.setupType = known ? known->ID.Raw() : master.setupTypes.At(0).ID.Raw();
}

std::vector<std::string> OfferedSetupTypes(const CSetup& master, size_t limit) {
  std::vector<std::string> offered;
  for (const CSetupType& type : master.setupTypes) {
    if (offered.size() >= limit) break;
    if (IsSetupTypeOffered(type.ID.Raw())) offered.push_back(type.ID.Raw());
  }
  return offered;
}

int RunSetupTypeStep(int direction) {
  CSetup& master = Master();
  ChooseCurrentSetupType(master);

  const char* bypass = nullptr;
  size_t available = OfferedSetupTypes(master, kAnyNumber).size();
  if (!GetParamYesNo("EnableSetupTypeDlg", true) || !GetParam("SetupType").empty() || Unattended())
    bypass = "Bypass dialog";
  else if (available == 1)
    bypass = "Only one setup type used - bypass dialog";
  else if (available == 0)
    // A page without a single type to click could only be left backwards.
    bypass = "Bypass dialog";

  int result;
  if (bypass) {
    LogLine(bypass);
    result = BypassResult(direction);
  } else {
    std::string chosen;
    int end = Pages().SetupTypePage(OfferedSetupTypes(master, kPageRows), chosen);
    if (end == kEndNext && !chosen.empty()) {
      std::string previous = master.setupType;
      master.setupType = chosen;
      if (!EqualsNoCase(previous, chosen)) master.setupTypeChanged = 1;
    }
    result = StepResultOfEndCode(end);
  }
  LogLine("SetupType = " + master.setupType);
  return result;
}
