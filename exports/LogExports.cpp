// Log exports.
#include "engine/Log.h"
#include "exports/ExportFrame.h"

TS_EXPORT int TSSetLogLevel(int level) {
  SetLogIndentLevel(level);
  return 0;
}

TS_EXPORT int TSIndentLog() {
  LogIndent();
  return 0;
}

TS_EXPORT int TSUnindentLog() {
  LogUnindent();
  return 0;
}

TS_EXPORT int TSAddToLog(const char* text) {
  return Quietly(0, [&] {
    LogLine(text ? text : "");
    return 0;
  });
}

TS_EXPORT int LogWindows() {
  return Quietly(0, [] { return LogTopLevelWindows(); });
}
