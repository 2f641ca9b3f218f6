#include "engine/Errors.h"

#include <windows.h>

#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/StepResult.h"
#include "engine/UserQuestions.h"

namespace {
struct ErrorPlace {
  std::string file, section, item;
};
ErrorPlace& Place() {
  static ErrorPlace place;
  return place;
}
const char kCaption[] = "Corvant Setup";
HWND& Owner() {
  static HWND owner = nullptr;
  return owner;
}
bool& BoxesShown() {
  static bool shown = true;
  return shown;
}
}  // namespace

void SetMessageBoxesShown(bool shown) { BoxesShown() = shown; }

int ShowSetupMessageBox(const std::string& text, unsigned style, int silentAnswer) {
  if (!BoxesShown()) return silentAnswer;
  return MessageBoxA(Owner(), text.c_str(), kCaption, style);
}

int ShowErrorText(const std::string& text, unsigned style) {
  LogLine("***** " + text);
  if (NoMessages()) return 1;
  return ShowSetupMessageBox(text, style);
}

ScopedMessageOwner::ScopedMessageOwner(HWND owner) : previous_(Owner()) { Owner() = owner; }
ScopedMessageOwner::~ScopedMessageOwner() { Owner() = previous_; }
HWND MessageOwner() { return Owner(); }

CMyError Win32Failure(const std::string& call) {
  unsigned long code = GetLastError();
  return CMyError(call + " failed with error " + std::to_string(code) + ".");
}

void LogCaughtError(std::exception_ptr caught) {
  try {
    std::rethrow_exception(caught);
  } catch (const CMyError& error) {
    // A check error without a message has already asked and said what it had to.
    if (!error.Message().empty()) error.LogError();
    return;
  } catch (...) {
  }
  LogLine("*** Error - " + CaughtErrorText(caught));
}

std::string CaughtErrorText(std::exception_ptr caught) {
  try {
    std::rethrow_exception(caught);
  } catch (const std::exception& error) {
    const char* text = error.what();
    if (text && *text) return text;
  } catch (...) {
  }
  return "an exception that says nothing about itself";
}

void CMyError::Report() { ShowErrorText(Message(), kStyleStop); }

void CMyError::LogError() const { LogLine("*** Error - " + Message()); }

void CPropError::SetFile(const std::string& file) { Place().file = file; }
void CPropError::SetSection(const std::string& section) { Place().section = section; }
void CPropError::SetItem(const std::string& item) { Place().item = item; }
const std::string& CPropError::File() { return Place().file; }
const std::string& CPropError::Section() { return Place().section; }
const std::string& CPropError::Item() { return Place().item; }

std::string CPropError::Text() const {
  std::string text = "Error in file " + File();
  if (!Section().empty()) text += " [" + Section() + "]";
  if (!Item().empty()) text += " " + Item();
  return text + " :" + Message();
}

void CPropError::Report() {
  std::string text = Text();
  // A description fault is shown whatever the message level: the run cannot go on without it.
  ShowSetupMessageBox(text, kStyleStop);
  LogLine("***** " + text);
}

void CCheckError::Report() {
  if (Message().empty()) return;
  code_ = Questions().AskAboutCheckError(kCaption, Message(), Detail());
  LogLine("***** " + Message() + "\n" + Detail());
}

ScopedErrorPlace::ScopedErrorPlace() : file_(Place().file), section_(Place().section), item_(Place().item) {}
ScopedErrorPlace::~ScopedErrorPlace() {
  Place().file = file_;
  Place().section = section_;
  Place().item = item_;
}
