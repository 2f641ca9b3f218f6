#pragma once
// The run's log: one writer for every line, three spaces per indent step.
#include <string>

void SetLogPath(const std::string& path);
const std::string& LogPath();

// Appends one line; never fails towards its caller.
void LogLine(const std::string& text);
// Bracket many lines so that the file is opened once.
void OpenLogFile();
void CloseLogFile();

int LogIndentLevel();
void SetLogIndentLevel(int level);
void LogIndent();
void LogUnindent();

// Writes one line per top-level window; returns the enumeration's result.
int LogTopLevelWindows();

// While a batch is open, lines for the held log file are not flushed one by one; they reach the
// file when the last batch closes (a dump writes tens of thousands of lines).
class ScopedLogBatch {
 public:
  ScopedLogBatch();
  ~ScopedLogBatch();
  ScopedLogBatch(const ScopedLogBatch&) = delete;
  ScopedLogBatch& operator=(const ScopedLogBatch&) = delete;
};

// Indents for the life of a scope.
class ScopedLogIndent {
 public:
  ScopedLogIndent() { LogIndent(); }
  ~ScopedLogIndent() { LogUnindent(); }
  ScopedLogIndent(const ScopedLogIndent&) = delete;
  ScopedLogIndent& operator=(const ScopedLogIndent&) = delete;
};

// Writes a password into the log: a non-empty one never appears in clear.
std::string MaskedPassword(const std::string& password);
