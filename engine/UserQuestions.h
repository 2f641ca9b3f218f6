#pragma once
// The questions the engine's own checks put to the user: the message page of a check error,
// the disk-space question and the dependency error report. The engine owns this interface and
// the wizard's pages provide it, so that the engine, the filters and the installation reach the
// windows without knowing them.
#include <string>

#include "engine/StepResult.h"

class UserQuestions {
 public:
  virtual ~UserQuestions() = default;
  // Shows the message and its detail on the message page; answers the step result (1, 12 or 9).
  virtual int AskAboutCheckError(const std::string& caption, const std::string& message,
                                 const std::string& detail) = 0;
  // The question page with two answers, started on the first.
  virtual QuestionEnd AskQuestion(const std::string& caption, const std::string& text1, const std::string& text2,
                                  const std::string& yesText, const std::string& noText) = 0;
  // The dependency error page with the report's lines.
  virtual PageEnd ShowDependencyErrors(const std::string& title, const std::string& text, int group) = 0;
  // Tells the user of a failure (message box style `style`) and logs it after "***** ", as
  // ShowErrorText does; an unattended run only logs it. Answers the box's result (1 when none
  // was shown).
  virtual int TellFailure(const std::string& text, unsigned style) = 0;
};

// The provider in force. Without one, every question stops the run (there is nobody to ask), and
// a failure is told as the pages tell it.
UserQuestions& Questions();
// Installs the provider; nullptr removes it.
void SetUserQuestions(UserQuestions* provider);

// How both the pages and a run without them tell a failure: ShowErrorText, except that an
// unattended run only logs it (and answers 1).
int ShowFailureText(const std::string& text, unsigned style);
