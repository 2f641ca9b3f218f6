#pragma once
// The frame of every export: nothing thrown inside the engine leaves the library.
#include <exception>
#include <string>
#include <vector>

#include "engine/Errors.h"
#include "engine/Log.h"
#include "engine/Text.h"
// The published prototypes: a definition that differs from its declaration there does not compile.
#include "include/tessaro.h"

#define TS_EXPORT extern "C" TESSARO_CALL

// A text argument of the script; a null pointer reads as the empty text.
inline std::string TextArg(const char* text) { return text ? text : ""; }

// Writes a value answer into the script's buffer, which holds a description or parameter value
// (read through a 512-byte buffer, so it always fits). A null buffer is left alone.
inline void ValueOut(char* buffer, const std::string& value) { CopyToBuffer(value, buffer, TS_VALUE_BUFFER_SIZE); }

// Writes a path or command line answer of the export `exportName` into the script's buffer of
// `size` bytes. A text that does not fit is refused, not cut (a cut path or command line would name
// something else): the buffer is left empty, the refusal logged, and the answer is false. A null
// buffer is left alone.
inline bool WholeTextOut(const char* exportName, const std::string& text, char* buffer, size_t size) {
  if (!buffer) return true;
  buffer[0] = '\0';
  if (text.size() >= size) {
    LogLine("*** " + std::string(exportName) + ": " + std::to_string(text.size()) + " characters do not fit its " +
            std::to_string(size) + "-byte buffer: " + text.substr(0, 80) + "...");
    return false;
  }
  CopyToBuffer(text, buffer, size);
  return true;
}

// Copies a list answer of the export `exportName` into the script's buffer of `size` bytes. A list
// that does not fit ends at its last whole item, and the log says how many items were left out.
inline void CopyListOut(const char* exportName, const std::vector<std::string>& items, const char* separator,
                        char* buffer, size_t size) {
  FittedList fitted = FitList(items, separator, size);
  if (fitted.kept < items.size())
    LogLine("*** Warning - " + std::string(exportName) + " list cut to " + std::to_string(fitted.kept) + " of " +
            std::to_string(items.size()) + " items to fit the buffer");
  CopyToBuffer(fitted.text, buffer, size);
}

// Runs the body of the export `exportName`; an exception is logged ("*** <export>: <what>") and
// the export answers `fallback`. For exports whose contract is that they never fail (parameter
// reads and writes, queries): the script goes on, and the log says what went wrong.
template <typename R, typename Body>
R Quietly(const char* exportName, R fallback, Body&& body) {
  try {
    return body();
  } catch (...) {
    try {
      LogLine("*** " + std::string(exportName) + ": " + CaughtErrorText(std::current_exception()));
    } catch (...) {
    }
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
