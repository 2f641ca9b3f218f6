#include "engine/WizardSteps.h"

#include "engine/Errors.h"
#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/SetupHooks.h"
#include "engine/StepResult.h"
#include "engine/Text.h"
#include "install/DiskSpace.h"
#include "model/Model.h"
#include "model/Selection.h"
#include "ui/MessageSteps.h"

namespace {
// Asks for one account until both texts are given or the user leaves the page.
int AskForAccount(CPassword& account, int answer) {
  LogLine("Get Password for " + account.ID.Raw() + " :");
  ScopedLogIndent indent;
  account.PrepareDefaultUser();
  bool preset = !GetParamYesNo("EnableGetPasswordDlg", true) && !account.password.empty();
  if (preset || Unattended()) {
    LogLine("Bypass dialog - Username = " + account.userName + "; Password = " + MaskedPassword(account.password));
    return answer;
  }
  for (;;) {
    std::string user = account.userName, password = account.password;
    int result = RunUserPasswordStep("", account.Description.Translated(*account.setup), "Username", "Password",
                                     user, password);
    if (result != kStepNext) return result;
    user = Trim(user);
    password = Trim(password);
    if (!user.empty() && !password.empty()) {
      account.userName = user;
      account.password = password;
      LogLine("User Name = " + user + "; Password = " + MaskedPassword(password));
      return result;
    }
    ShowErrorText("You must supply a UserName and Password.", kStyleExclamation);
  }
}
}  // namespace

int PromptForPasswords(CSetup& master, int direction) {
  LogLine("Prompt for Passwords :");
  ScopedLogIndent indent;
  MarkNeededPasswords(master);
  int count = master.passwords.Count();
  int account = direction == kStepNext ? 1 : count;
  int answer = direction;
  for (;;) {
    if (account < 1) {
      LogLine("return BACK");
      return kStepBack;
    }
    if (account > count) return kStepNext;
    CPassword& password = master.passwords.At(account - 1);
    if (password.needed) answer = AskForAccount(password, answer);
    if (answer == kStepNext) {
      ++account;
    } else if (answer == kStepBack) {
      --account;
    } else {
      LogLine("Exit setup");
      return kStepStop;
    }
  }
}

int PostSelectionStep(CSetup& master, int direction) {
  int subStep = direction == kStepNext ? 1 : 2;
  int answer = direction;
  for (;;) {
    if (subStep < 1) return kStepBack;
    if (subStep > 2) return kStepNext;
    answer = subStep == 1 ? PromptForPasswords(master, answer) : RunSetupHooks(master, answer, "PostSelection");
    if (answer == kStepNext) {
      ++subStep;
    } else if (answer == kStepBack) {
      --subStep;
    } else {
      LogLine("Exit setup");
      return kStepStop;
    }
  }
}

int FinalChecksStep(CSetup& master) {
  LogLine("Check disk space :");
  LogIndent();
  try {
    CheckDiskSpace(master, false);
  } catch (CCheckError& error) {
    error.Report();
    if (error.Code() == kStepStop) {
      LogUnindent();
      return kStepStop;
    }
    LogLine("return BACK");
    LogUnindent();
    return kStepBack;
  } catch (...) {
    LogUnindent();
    throw;
  }
  LogUnindent();
  LogLine("Calling Custom dll FinalChecks");
  return RunSetupHooks(master, kStepNext, "FinalChecks");
}
