#include "ui/MessageSteps.h"

#include "engine/Log.h"
#include "engine/StepResult.h"
#include "ui/PageHost.h"

int RunMessageBoxStep(const std::string& caption, const std::string& text1, const std::string& text2,
                      int buttonMask) {
  LogLine(text1);
  ScopedLogIndent indent;
  if (!text2.empty()) LogLine(text2);
  int end = Pages().MessagePage(caption, text1, text2, buttonMask);
  return StepResultOfEndCode(end);
}
