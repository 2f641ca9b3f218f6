// Answer recording: the parameters file that replays this run unattended elsewhere.
#include "exports/ExportFrame.h"
#include "install/RecordedAnswers.h"

// 1 when the file was written whole, 0 when not (the log says why).
TS_EXPORT int TS_RecordAnswers(const char* path, int withPasswords) {
  return GuardedStep("An unknown error occurred while recording the answers.", 0,
                     [&] { return RecordAnswers(TextArg(path), withPasswords != 0) ? 1 : 0; });
}
