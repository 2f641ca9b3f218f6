#pragma once
// The frame of every export: nothing thrown inside the engine leaves the library.
#include <exception>
#include <string>

#include "engine/Errors.h"
// The published prototypes: a definition that differs from its declaration there does not compile.
#include "include/tessaro.h"

#define TS_EXPORT extern "C" TESSARO_CALL

// A text argument of the script; a null pointer reads as the empty text.
inline std::string TextArg(const char* text) { return text ? text : ""; }

// Runs an export's body; any exception yields `fallback` without a word. For exports whose
// contract is that they never fail (parameter reads and writes, queries).
template <typename R, typename Body>
R Quietly(R fallback, Body&& body) {
  try {
    return body();
  } catch (...) {
    return fallback;
  }
}

// Runs a step's body; any exception is reported with the step's own text at the stop icon,
// and the step answers `failure`. An engine error's own text is logged first, so that the log
// says what failed behind the fixed message the user sees.
template <typename Body>
int GuardedStep(const char* errorText, int failure, Body&& body) {
  try {
    return body();
  } catch (...) {
    try {
      LogCaughtError(std::current_exception());
      ShowErrorText(errorText, kStyleStop);
    } catch (...) {
    }
    return failure;
  }
}
