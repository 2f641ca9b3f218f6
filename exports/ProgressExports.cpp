// Progress window exports.
#include "exports/ExportFrame.h"
#include "ui/ProgressDlg.h"

TS_EXPORT int TS_ProgressDlgStart(int steps, long totalKb) {
  return Quietly(0, [&] {
    StartProgress(steps, totalKb);
    return 0;
  });
}

TS_EXPORT int TS_ProgressDlgStep(const char* text, int step, long kbRemaining) {
  return Quietly(0, [&] {
    StepProgress(text ? text : "", step, kbRemaining);
    return 0;
  });
}

TS_EXPORT int TS_ProgressDlgStop() {
  return Quietly(0, [] {
    StopProgress();
    return 0;
  });
}

TS_EXPORT int TS_ProgressDlgPause() {
  return Quietly(0, [] {
    PauseProgress();
    return 0;
  });
}

TS_EXPORT int TS_ProgressDlgResume() {
  return Quietly(0, [] {
    ResumeProgress();
    return 0;
  });
}
