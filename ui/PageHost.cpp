#include "ui/PageHost.h"

#include "engine/Errors.h"
#include "ui/MessageSteps.h"
#include "ui/windows/WindowPageHost.h"

namespace {
// Bit 2 of a message page's mask: the user may go back or leave, not on.
constexpr int kNextDisabled = 2;

// The engine's check errors ask on the message page of the host in force, from the start.
class MessagePageForCheckErrors : public CheckErrorPage {
 public:
  MessagePageForCheckErrors() { SetCheckErrorPage(this); }
  ~MessagePageForCheckErrors() override { SetCheckErrorPage(nullptr); }
  int AskAboutCheckError(const std::string& caption, const std::string& message, const std::string& detail) override {
    return RunMessageBoxStep(caption, message, detail, kNextDisabled);
  }
};
MessagePageForCheckErrors checkErrorPage;

PageHost*& Installed() {
  static PageHost* host = nullptr;
  return host;
}
}  // namespace

PageHost& Pages() {
  static WindowPageHost windows;
  PageHost* host = Installed();
  return host ? *host : windows;
}

void SetPageHost(PageHost* host) { Installed() = host; }
