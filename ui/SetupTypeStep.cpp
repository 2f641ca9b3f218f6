#include "ui/SetupTypeStep.h"

#include <algorithm>

#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/StepResult.h"
#include "engine/Text.h"
#include "filters/FilterList.h"
#include "model/Model.h"
#include "ui/PageHost.h"

#include "ui/resources/PageResource.h"

namespace {
constexpr size_t kAnyNumber = static_cast<size_t>(-1);

struct BuiltInType {
  const char* id;
  const char* bitmapBase;
  const char* text;
};
const BuiltInType kBuiltInTypes[] = {
    {"STANDARD", "IDB_STANDARD",
     "&Standard Install\n\nChoose this type if you are installing products for workstation or standalone use."},
    {"SERVER", "IDB_SERVER",
     "Ser&ver Install\n\nChoose this type if you are installing products to be used as an application server on a "
     "network."},
    {"LITECLIENT", "IDB_LITECLIENT",
     "&Lite Client Install\n\nChoose this type if you are installing products to be used as a client application on "
     "a network."},
};
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

std::vector<SetupTypeRow> SetupTypeRows(const CSetup& master, const std::vector<std::string>& offeredTypes) {
  size_t count = std::min(offeredTypes.size(), kSetupTypeRows);
  int spacing = count == 2 ? 82 : count == 3 ? 81 : 54;
  int top = count == 2 ? 95 : 55;
  std::vector<SetupTypeRow> rows;
  for (size_t index = 0; index < count; ++index) {
    SetupTypeRow row;
    row.typeId = offeredTypes[index];
    row.buttonId = IDC_TYPE_BUTTON1 + static_cast<int>(index);
    row.textId = row.buttonId + TYPE_TEXT_OFFSET;
    row.top = top;
    row.textHeight = std::max(kTypeTextHeight, spacing - kTypeRowGap);
    row.bitmapBase = "IDB_INSTALL";
    const CSetupType* type = master.setupTypes.Find(row.typeId);
    row.text = type ? type->Description.Translated(master) : "";
    for (const BuiltInType& builtIn : kBuiltInTypes) {
      if (!EqualsNoCase(row.typeId, builtIn.id)) continue;
      row.bitmapBase = builtIn.bitmapBase;
      row.text = builtIn.text;
    }
    row.text = ExpandLineBreaks(row.text);
    rows.push_back(row);
    top += spacing;
  }
  return rows;
}

int RunSetupTypeStep(int direction) {
  CSetup& master = Master();
  ChooseCurrentSetupType(master);

  const char* bypass = nullptr;
  size_t available = OfferedSetupTypes(master, kAnyNumber).size();
  if (PageBypassed({"EnableSetupTypeDlg", false, !GetParam("SetupType").empty()}))
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
    SetupTypeAnswer answer = Pages().SetupTypePage(OfferedSetupTypes(master, kSetupTypeRows));
    if (answer.end == PageEnd::Next && !answer.chosen.empty()) {
      std::string previous = master.setupType;
      master.setupType = answer.chosen;
      if (!EqualsNoCase(previous, answer.chosen)) master.setupTypeChanged = 1;
    }
    result = StepResultOf(answer.end);
  }
  LogLine("SetupType = " + master.setupType);
  return result;
}
