#pragma once
// The progress window that follows the product setups: which step of how many, the step's
// text, a bar over the kilobytes written and an estimate of the time remaining. The window
// runs modally on a thread of its own; a listener thread beside it copies the shared progress
// record into the controls whenever the machine-wide event "CorvaProgressDlgStep" is signalled.
#include <windows.h>

#include <ctime>
#include <memory>
#include <mutex>
#include <string>

#include "engine/Win32Handles.h"

// The three lines and the bar as the window shows them.
struct ProgressView {
  std::string top;
  std::string middle;
  std::string bottom;
  long total = 0;
  // Kilobytes done; kProgressEnd asks the window to close.
  long position = 0;
};
constexpr long kProgressEnd = -1;

// "< 1 minute", "N minute(s)" or "H hour(s), M minute(s)", then " remaining".
std::string TimeRemainingText(long seconds);
// The estimate for `remaining` of `total` kilobytes after `elapsed` running seconds; nothing
// written yet assumes 1400 kilobytes a second.
long SecondsRemaining(long total, long remaining, long elapsed);

// The record the caller's thread writes and the listener reads, under one lock.
class ProgressRecord {
 public:
  ProgressRecord(int steps, long total, std::time_t now);
  // Step `step` (from 0) of the announced count with `remaining` kilobytes still to write;
  // a step at or past the count shows "Completed" and a full bar.
  void Step(const std::string& text, int step, long remaining, std::time_t now);
  // Three empty lines and the end position.
  void End();
  // The running-time clock: a pause stops it, a resume starts it again.
  void Pause(std::time_t now);
  void Resume(std::time_t now);
  ProgressView View() const;

 private:
  // Running seconds so far; the caller holds the lock.
  long Elapsed(std::time_t now) const;

  mutable std::mutex lock_;
  ProgressView view_;
  int steps_;
  long accumulatedSeconds_ = 0;
  std::time_t periodStart_;
  bool paused_ = false;
};

// The dialog (template 102). Lives on the window thread for as long as its window is up.
class CProgressDlg {
 public:
  explicit CProgressDlg(std::shared_ptr<ProgressRecord> record);
  CProgressDlg(const CProgressDlg&) = delete;
  CProgressDlg& operator=(const CProgressDlg&) = delete;
  // Runs the window on the calling thread until the record asks it to close.
  void RunModal(HINSTANCE resources);

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static DWORD WINAPI ListenerMain(void* dialog);
  void OnInitDialog(HWND window);
  void Listen();
  void Show(const ProgressView& view);

  std::shared_ptr<ProgressRecord> record_;
  HWND window_ = nullptr;
  UniqueHandle listener_;
};

// The progress window of the run, driven from the script's thread. A second start closes the
// window that is up before opening the new one.
void StartProgress(int steps, long totalKb);
void StepProgress(const std::string& text, int step, long kbRemaining);
void StopProgress();
void PauseProgress();
void ResumeProgress();
