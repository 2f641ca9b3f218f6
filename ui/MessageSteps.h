#pragma once
// Step logic of the generic prompts: the message page, the yes/no question and the user name
// and password page. Shared by their exported steps and by the engine's own questions.
#include <string>

#include "ui/PageHost.h"

// Logs text1 (and text2, indented), runs the message page, maps its end: Cancel 9, Back 12,
// otherwise 1.
int RunMessageBoxStep(const std::string& caption, const std::string& text1, const std::string& text2,
                      int buttonMask);

// The question page's end code, (6 Yes or 7 No) * 4 + button or 2, split into the page end
// code and the answer.
QuestionEnd SplitQuestionCode(int combinedCode);
// The question page's end for Next (1) or Back (3) with its answer: (6 Yes or 7 No) * 4 + end.
int CombinedQuestionCode(bool yes, int endCode);

// Which frame buttons a caller's mask leaves usable: bit 1 disables Back, bit 2 Next and, on
// the question page only, bit 4 Cancel, unless it was the last way out.
struct PageButtons {
  bool back = true;
  bool next = true;
  bool cancel = true;
};
PageButtons QuestionPageButtons(int buttonMask);
PageButtons MessagePageButtons(int buttonMask);

// User names and passwords travel in the script's buffers of this size; the engine and its
// page never hold more.
constexpr size_t kAccountTextSize = 256;

// Logs "Prompt - " + text1, asks the question; `answer` (in: 1 starts on Yes) receives 1 or 0.
// Back 12, Cancel 9, Next 1.
int RunAskYesNoStep(const std::string& caption, const std::string& text1, const std::string& text2,
                    const std::string& yesText, const std::string& noText, int& answer, int buttonMask);

// Asks for a user name and password; the edited texts come back in every case. The password
// is never logged.
int RunUserPasswordStep(const std::string& caption, const std::string& prompt, const std::string& userLabel,
                        const std::string& passwordLabel, std::string& user, std::string& password);
