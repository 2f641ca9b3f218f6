// Log exports.
#include "engine/Log.h"
#include "exports/ExportFrame.h"

TS_EXPORT int TSSetLogLevel(int level) {
  return Quietly(0, [&] {
    SetLogIndentLevel(level);
    return 0;
  });
}

TS_EXPORT int TSIndentLog() {
  return Quietly(0, [] {
    LogIndent();
    return 0;
  });
}

TS_EXPORT int TSUnindentLog() {
  return Quietly(0, [] {
    LogUnindent();
    return 0;
  });
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
