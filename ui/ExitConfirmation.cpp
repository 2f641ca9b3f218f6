#include "ui/ExitConfirmation.h"

#include <windows.h>

#include "engine/Errors.h"
#include "model/Model.h"

namespace {
constexpr unsigned kYesNoExclamation = MB_YESNO | MB_ICONEXCLAMATION;  // 0x34
}

std::string ExitConfirmationText(const std::string& suiteName) {
  return "Setup has not completed installing " + suiteName + "." +
         "  You will have to run Setup again before you are able to run " + suiteName + "." +
         "\n\nDo you wish to exit Setup now?";
}

bool ConfirmExit() {
  CSetup& master = Master();
  std::string suite = master.Name.Translated(master);
  return ShowSetupMessageBox(ExitConfirmationText(suite), kYesNoExclamation, IDYES) == IDYES;
}
