#include "ui/AccountSteps.h"

#include "engine/Errors.h"
#include "engine/Log.h"
#include "engine/Params.h"
#include "model/SetupHooks.h"
#include "engine/StepWalk.h"
#include "engine/Text.h"
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
  return WalkPlaces(master.passwords.Count(), direction, true, [&](int place, int answer) {
    CPassword& account = master.passwords.At(place - 1);
    return account.needed ? AskForAccount(account, answer) : answer;
  });
}

int PostSelectionStep(CSetup& master, int direction) {
  return WalkPlaces(2, direction, false, [&](int subStep, int answer) {
    return subStep == 1 ? PromptForPasswords(master, answer) : RunSetupHooks(master, answer, "PostSelection");
  });
}
