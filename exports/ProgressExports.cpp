// Progress window exports.
#include "exports/ExportFrame.h"
#include "ui/ProgressDlg.h"

TS_EXPORT int TS_ProgressDlgStart(int steps, long totalKb) {
  return Quietly(__func__, 0, [&] {
    StartProgress(steps, totalKb);
    return 0;
  });
}

TS_EXPORT int TS_ProgressDlgStep(const char* text, int step, long kbRemaining) {
  return Quietly(__func__, 0, [&] {
    StepProgress(text ? text : "", step, kbRemaining);
    return 0;
  });
}

TS_EXPORT int TS_ProgressDlgStop() {
  return Quietly(__func__, 0, [] {
    StopProgress();
    return 0;
  });
}

TS_EXPORT int TS_ProgressDlgPause() {
  return Quietly(__func__, 0, [] {
    PauseProgress();
    return 0;
  });
}

TS_EXPORT int TS_ProgressDlgResume() {
  return Quietly(__func__, 0, [] {
    ResumeProgress();
    return 0;
  });
}
