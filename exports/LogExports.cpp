// Log exports.
#include "engine/Log.h"
#include "exports/ExportFrame.h"

TS_EXPORT int TSSetLogLevel(int level) {
  return Quietly(__func__, 0, [&] {
    SetLogIndentLevel(level);
    return 0;
  });
}

TS_EXPORT int TSIndentLog() {
  return Quietly(__func__, 0, [] {
    LogIndent();
    return 0;
  });
}

TS_EXPORT int TSUnindentLog() {
  return Quietly(__func__, 0, [] {
    LogUnindent();
    return 0;
  });
}

TS_EXPORT int TSAddToLog(const char* text) {
  return Quietly(__func__, 0, [&] {
    LogLine(text ? text : "");
    return 0;
  });
}

TS_EXPORT int LogWindows() {
  return Quietly(__func__, 0, [] { return LogTopLevelWindows(); });
}
