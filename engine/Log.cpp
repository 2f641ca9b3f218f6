#include "engine/Log.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <limits>

#include "engine/Win32Handles.h"

namespace {
// Deeper levels are written at this depth: a line of a script's huge indent level must not
// need gigabytes of spaces.
constexpr int kMaxWrittenIndent = 100;

struct LogState {
  std::string path;
  UniqueStdFile held;
  int indent = 0;
  int batches = 0;
};

LogState& State() {
  static LogState state;
  return state;
}

BOOL CALLBACK LogOneWindow(HWND window, LPARAM) {
  char title[256] = {};
  char className[256] = {};
  GetWindowTextA(window, title, sizeof title);
  GetClassNameA(window, className, sizeof className);
  LogLine(std::string("--- Window=") + title + "; Class=" + className);
  return TRUE;
}
}  // namespace

void SetLogPath(const std::string& path) { State().path = path; }
const std::string& LogPath() { return State().path; }

void LogLine(const std::string& text) {
  LogState& state = State();
  if (state.path.empty()) return;
  std::string line;
  if (state.indent > 0) line.assign(static_cast<size_t>(std::min(state.indent, kMaxWrittenIndent)) * 3, ' ');
  line += text;
  line += '\n';
  if (state.held) {
    std::fputs(line.c_str(), state.held.get());
    if (state.batches == 0) std::fflush(state.held.get());
    return;
  }
  UniqueStdFile file(std::fopen(state.path.c_str(), "a+"));
  if (!file) return;
  std::fputs(line.c_str(), file.get());
}

void OpenLogFile() {
  LogState& state = State();
  if (state.path.empty() || state.held) return;
  state.held.reset(std::fopen(state.path.c_str(), "a+"));
}

void CloseLogFile() {
  LogState& state = State();
  if (state.path.empty()) return;
  state.held.reset();
}

ScopedLogBatch::ScopedLogBatch() { ++State().batches; }

ScopedLogBatch::~ScopedLogBatch() {
  LogState& state = State();
  if (--state.batches == 0 && state.held) std::fflush(state.held.get());
}

int LogIndentLevel() { return State().indent; }
void SetLogIndentLevel(int level) { State().indent = level; }
// The counter saturates instead of overflowing, whatever a script asks.
void LogIndent() {
  int& indent = State().indent;
  if (indent < std::numeric_limits<int>::max()) ++indent;
}
void LogUnindent() {
  int& indent = State().indent;
  if (indent > std::numeric_limits<int>::min()) --indent;
}

int LogTopLevelWindows() { return EnumWindows(LogOneWindow, 0) ? 1 : 0; }

std::string MaskedPassword(const std::string& password) {
  return password.empty() ? std::string() : std::string("********");
}
