#pragma once
// The engine's error classes and the message routine through which errors reach the user.
#include <exception>
#include <string>

// Message box styles used by the engine.
constexpr unsigned kStyleStop = 16;
constexpr unsigned kStyleExclamation = 48;
constexpr int IDOK_ANSWER = 1;

// Logs "***** " + text, then shows it in a "Corvant Setup" box unless messages are off (then 1).
int ShowErrorText(const std::string& text, unsigned style);
// Shows a "Corvant Setup" message box, owned by the page that is up, unless boxes are switched
// off for a program that runs without anyone to answer them (the authoring tool); then answers
// `silentAnswer`.
int ShowSetupMessageBox(const std::string& text, unsigned style, int silentAnswer = IDOK_ANSWER);
void SetMessageBoxesShown(bool shown);

struct HWND__;
// The window that owns the message boxes and pages shown meanwhile: a page while it is up, so
// that what it raises stays in front of it. Scopes nest.
class ScopedMessageOwner {
 public:
  explicit ScopedMessageOwner(HWND__* owner);
  ~ScopedMessageOwner();
  ScopedMessageOwner(const ScopedMessageOwner&) = delete;
  ScopedMessageOwner& operator=(const ScopedMessageOwner&) = delete;

 private:
  HWND__* previous_;
};
// The owner in force (none when no page is up).
HWND__* MessageOwner();

// The engine's errors are standard exceptions: whatever frame catches one can say what it was.
class CMyError : public std::exception {
 public:
  CMyError() = default;
  explicit CMyError(std::string message) : message_(std::move(message)) {}
  ~CMyError() override = default;
  virtual void Report();
  void LogError() const;
  const std::string& Message() const { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// A Win32 call that failed, with the error code the system gave for it.
CMyError Win32Failure(const std::string& call);

// Logs the text of a caught error ("*** Error - " + text) when it has one.
void LogCaughtError(std::exception_ptr caught);
// What a caught exception says: its what() text, or a fixed text for anything that is no
// standard exception.
std::string CaughtErrorText(std::exception_ptr caught);

// A fault in a description file. Where the fault lies (file, section, item) is kept class-wide
// by whoever reads a file, and survives throws and reports.
class CPropError : public CMyError {
 public:
  explicit CPropError(std::string message) : CMyError(std::move(message)) {}
  CPropError(std::string message, const std::string& file) : CMyError(std::move(message)) { SetFile(file); }
  CPropError(std::string message, const std::string& file, const std::string& section)
      : CMyError(std::move(message)) {
    SetFile(file);
    SetSection(section);
  }
  void Report() override;
  // The box text: "Error in file F [S] I :message".
  std::string Text() const;

  static void SetFile(const std::string& file);
  static void SetSection(const std::string& section);
  static void SetItem(const std::string& item);
  static const std::string& File();
  static const std::string& Section();
  static const std::string& Item();
};

// A check that asks the user: its report shows the message page and takes its answer as code.
class CCheckError : public CMyError {
 public:
  CCheckError(std::string message, std::string detail, int code)
      : CMyError(std::move(message)), detail_(std::move(detail)), code_(code) {}
  void Report() override;
  const std::string& Detail() const { return detail_; }
  int Code() const { return code_; }

 private:
  std::string detail_;
  int code_;
};

// Saves the class-wide place of description errors and restores it at the end of a scope.
class ScopedErrorPlace {
 public:
  ScopedErrorPlace();
  ~ScopedErrorPlace();
  ScopedErrorPlace(const ScopedErrorPlace&) = delete;
  ScopedErrorPlace& operator=(const ScopedErrorPlace&) = delete;

 private:
  std::string file_, section_, item_;
};
