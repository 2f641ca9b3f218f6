// The generic prompts a setup script shows between steps: message page, yes/no question and
// user name and password page.
#include <string>

#include "engine/StepResult.h"
#include "engine/Text.h"
#include "exports/ExportFrame.h"
#include "ui/MessageSteps.h"

// The page edits at most what the script's buffers hold.
static_assert(kAccountTextSize == TS_ACCOUNT_BUFFER_SIZE, "account texts and the script's buffers differ");

TS_EXPORT int TS_MessageBox(const char* caption, const char* text1, const char* text2, int buttonMask, int) {
  return GuardedStep("An unknown error occurred during the Message dialog.", kStepStop,
                     [&] { return RunMessageBoxStep(TextArg(caption), TextArg(text1), TextArg(text2), buttonMask); });
}

TS_EXPORT int _SdMessageBox(const char* caption, const char* text1, const char* text2, int reserved) {
  return TS_MessageBox(caption, text1, text2, 0, reserved);
}

TS_EXPORT int _SdAskYesNo(const char* caption, const char* text1, const char* text2, const char* yesText,
                          const char* noText, int* answer, int buttonMask) {
  return GuardedStep("An unknown error occurred during the Question dialog.", kStepStop, [&] {
    int value = answer ? *answer : 1;
    int result = RunAskYesNoStep(TextArg(caption), TextArg(text1), TextArg(text2), TextArg(yesText), TextArg(noText), value,
                                 buttonMask);
    if (answer) *answer = value;
    return result;
  });
}

TS_EXPORT int TS_UserPassDlg(const char* caption, const char* prompt, const char* userLabel,
                             const char* passwordLabel, char* user, char* password) {
  return GuardedStep("An unknown error occurred during the User Name and Password dialog.", kStepStop, [&] {
    std::string userText = TextArg(user), passwordText = TextArg(password);
    int result = RunUserPasswordStep(TextArg(caption), TextArg(prompt), TextArg(userLabel), TextArg(passwordLabel), userText,
                                     passwordText);
    CopyToBuffer(userText, user, TS_ACCOUNT_BUFFER_SIZE);
    CopyToBuffer(passwordText, password, TS_ACCOUNT_BUFFER_SIZE);
    return result;
  });
}
