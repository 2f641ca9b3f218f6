#include "ui/ProgressDlg.h"

#include <commctrl.h>
#include <objbase.h>

#include <climits>

#include "engine/Log.h"
#include "engine/SystemLibrary.h"
#include "engine/Text.h"
#include "ui/resources/ProgressResource.h"

namespace {
constexpr char kStartEvent[] = "CorvaProgressDlgStart";
constexpr char kStepEvent[] = "CorvaProgressDlgStep";
constexpr char kStopEvent[] = "CorvaProgressDlgStop";
// Posted by the listener to close the window on the window's own thread.
constexpr UINT kCloseMessage = WM_APP + 1;
// An estimate before anything was written assumes this throughput.
constexpr long kAssumedKbPerSecond = 1400;
// How long a stop waits for the window thread to say that its window has gone.
constexpr DWORD kStopWaitMs = 1000;
// A replaced or stopped window's thread ends about a second after its window; a new window
// waits for it so that the old threads cannot take the new window's events.
constexpr DWORD kRetiredThreadWaitMs = 5000;

long ClampToLong(long long value) {
  if (value > LONG_MAX) return LONG_MAX;
  if (value < LONG_MIN) return LONG_MIN;
  return static_cast<long>(value);
}

const char* Plural(long count) { return count == 1 ? "" : "s"; }

struct WindowThreadStart {
  std::shared_ptr<ProgressRecord> record;
  // A reference on the module that holds this code, so that the thread can finish even when
  // the host unloads the engine meanwhile.
  HMODULE module;
};

DWORD WINAPI ProgressWindowMain(void* parameter) {
  std::unique_ptr<WindowThreadStart> start(static_cast<WindowThreadStart*>(parameter));
  HMODULE module = start->module;
  {
    HRESULT com = CoInitialize(nullptr);
    CProgressDlg dialog(std::move(start->record));
    dialog.RunModal(module);
    if (SUCCEEDED(com)) CoUninitialize();
  }
  start.reset();
  Sleep(1000);
  UniqueHandle stopped(OpenEventA(EVENT_MODIFY_STATE, FALSE, kStopEvent));
  if (stopped) SetEvent(stopped.get());
  stopped.reset();
  FreeLibraryAndExitThread(module, 0);
}

struct ProgressSession {
  std::shared_ptr<ProgressRecord> record;
  UniqueHandle stepEvent;
  UniqueHandle windowThread;
};

struct ProgressState {
  std::unique_ptr<ProgressSession> session;
  UniqueHandle retiredWindowThread;
};

ProgressState& State() {
  static ProgressState state;
  return state;
}

// Asks the window to close and waits, briefly, for its thread to report it gone.
void EndSession(ProgressState& state) {
  ProgressSession& session = *state.session;
  UniqueHandle stopped(CreateEventA(nullptr, FALSE, FALSE, kStopEvent));
  session.record->End();
  if (session.stepEvent) SetEvent(session.stepEvent.get());
  if (stopped) WaitForSingleObject(stopped.get(), kStopWaitMs);
  state.retiredWindowThread = std::move(session.windowThread);
  state.session.reset();
}

void WaitForRetiredWindow(ProgressState& state) {
  if (state.retiredWindowThread) WaitForSingleObject(state.retiredWindowThread.get(), kRetiredThreadWaitMs);
  state.retiredWindowThread.reset();
}

UniqueHandle StartWindowThread(const std::shared_ptr<ProgressRecord>& record) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&ProgressWindowMain),
                          &module))
    return UniqueHandle();
  auto start = std::make_unique<WindowThreadStart>(WindowThreadStart{record, module});
  UniqueHandle thread(CreateThread(nullptr, 0, ProgressWindowMain, start.get(), 0, nullptr));
  if (thread) {
    start.release();
  } else {
    FreeLibrary(module);
  }
  return thread;
}
}  // namespace

std::string TimeRemainingText(long seconds) {
  std::string text;
  if (seconds < 60) {
    text = "< 1 minute";
  } else if (seconds >= 3600) {
    long hours = seconds / 3600;
    long minutes = seconds / 60 - 60 * hours;
    text = Format("%ld hour%s, %ld minute%s", hours, Plural(hours), minutes, Plural(minutes));
  } else {
    long minutes = seconds / 60;
    text = Format("%ld minute%s", minutes, Plural(minutes));
  }
  return text + " remaining";
}

long SecondsRemaining(long total, long remaining, long elapsed) {
  if (remaining == total) return total / kAssumedKbPerSecond;
  double estimate = static_cast<double>(elapsed) * total / (static_cast<double>(total) - remaining);
  long long whole = estimate >= static_cast<double>(LLONG_MAX / 2)    ? LLONG_MAX / 2
                    : estimate <= static_cast<double>(LLONG_MIN / 2) ? LLONG_MIN / 2
                                                                      : static_cast<long long>(estimate);
  return ClampToLong(whole - elapsed);
}

ProgressRecord::ProgressRecord(int steps, long total, std::time_t now) : steps_(steps), periodStart_(now) {
  view_.middle = "Starting installation...";
  view_.total = total;
}

void ProgressRecord::Step(const std::string& text, int step, long remaining, std::time_t now) {
  std::lock_guard<std::mutex> hold(lock_);
  if (step < steps_) {
    view_.top = "Step " + std::to_string(static_cast<long long>(step) + 1) + " of " + std::to_string(steps_);
    view_.middle = text;
    view_.bottom = step == 0 ? std::string()
                             : TimeRemainingText(SecondsRemaining(view_.total, remaining, Elapsed(now)));
    // The bar stays within its range: a position of -1 would close the window.
    long long done = static_cast<long long>(view_.total) - remaining;
    long long upper = view_.total > 0 ? view_.total : 0;
    view_.position = static_cast<long>(done < 0 ? 0 : done > upper ? upper : done);
  } else {
    view_.top = "Completed";
    view_.middle.clear();
    view_.bottom.clear();
    view_.position = view_.total;
  }
}

void ProgressRecord::End() {
  std::lock_guard<std::mutex> hold(lock_);
  view_.top.clear();
  view_.middle.clear();
  view_.bottom.clear();
  view_.position = kProgressEnd;
}

void ProgressRecord::Pause(std::time_t now) {
  std::lock_guard<std::mutex> hold(lock_);
  if (paused_) return;
  accumulatedSeconds_ = Elapsed(now);
  paused_ = true;
}

void ProgressRecord::Resume(std::time_t now) {
  std::lock_guard<std::mutex> hold(lock_);
  if (!paused_) return;
  periodStart_ = now;
  paused_ = false;
}

long ProgressRecord::Elapsed(std::time_t now) const {
  if (paused_) return accumulatedSeconds_;
  return ClampToLong(static_cast<long long>(accumulatedSeconds_) + (now - periodStart_));
}

ProgressView ProgressRecord::View() const {
  std::lock_guard<std::mutex> hold(lock_);
  return view_;
}

CProgressDlg::CProgressDlg(std::shared_ptr<ProgressRecord> record) : record_(std::move(record)) {}

void CProgressDlg::RunModal(HINSTANCE resources) {
  // The common controls are loaded here, on the window thread, instead of being imported: an
  // imported library would run its start-up code while the host loads the engine, under the
  // loader lock, and can deadlock with another thread of the host that starts using windows.
  UniqueModule commonControls(LoadSystemLibrary("comctl32.dll"));
  using InitControls = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  auto initControls = commonControls ? reinterpret_cast<InitControls>(reinterpret_cast<void*>(
                                           GetProcAddress(commonControls.get(), "InitCommonControlsEx")))
                                     : nullptr;
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_PROGRESS_CLASS};
  if (initControls) initControls(&classes);
  DialogBoxParamA(resources, MAKEINTRESOURCEA(IDD_PROGRESS), nullptr, DialogProc, reinterpret_cast<LPARAM>(this));
  // The listener closed the window as its last act; it touches this object until then.
  if (listener_) WaitForSingleObject(listener_.get(), INFINITE);
}

INT_PTR CALLBACK CProgressDlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(window, DWLP_USER, lParam);
      reinterpret_cast<CProgressDlg*>(lParam)->OnInitDialog(window);
      return TRUE;
    case kCloseMessage:
      EndDialog(window, 0);
      return TRUE;
    case WM_COMMAND:
      // No key closes the window: only the end of the run does.
      return LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL;
    default:
      return FALSE;
  }
}

void CProgressDlg::OnInitDialog(HWND window) {
  window_ = window;
  RECT client = {};
  GetClientRect(window, &client);
  RECT desktop = {};
  GetWindowRect(GetDesktopWindow(), &desktop);
  int top = (desktop.bottom - desktop.top) - (client.bottom - client.top) - 40;
  SetWindowPos(window, HWND_TOPMOST, 10, top, 0, 0, SWP_NOSIZE);
  SendDlgItemMessageA(window, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, record_->View().position);
  SetDlgItemTextA(window, IDC_PROGRESS_STEP, "");
  SetDlgItemTextA(window, IDC_PROGRESS_TEXT, "");
  SetDlgItemTextA(window, IDC_PROGRESS_TIME, "");
  listener_.reset(CreateThread(nullptr, 0, ListenerMain, this, 0, nullptr));
  // A window nobody can update would never close.
  if (!listener_) PostMessageA(window, kCloseMessage, 0, 0);
  UniqueHandle started(OpenEventA(EVENT_MODIFY_STATE, FALSE, kStartEvent));
  if (started) SetEvent(started.get());
}

DWORD WINAPI CProgressDlg::ListenerMain(void* dialog) {
  static_cast<CProgressDlg*>(dialog)->Listen();
  return 0;
}

void CProgressDlg::Listen() {
  UniqueHandle stepped(OpenEventA(SYNCHRONIZE, FALSE, kStepEvent));
  if (stepped) {
    for (;;) {
      if (WaitForSingleObject(stepped.get(), INFINITE) != WAIT_OBJECT_0) break;
      ProgressView view = record_->View();
      Show(view);
      if (view.position == kProgressEnd) break;
    }
  }
  stepped.reset();
  PostMessageA(window_, kCloseMessage, 0, 0);
}

void CProgressDlg::Show(const ProgressView& view) {
  SetDlgItemTextA(window_, IDC_PROGRESS_STEP, view.top.c_str());
  SetDlgItemTextA(window_, IDC_PROGRESS_TEXT, view.middle.c_str());
  SetDlgItemTextA(window_, IDC_PROGRESS_TIME, view.bottom.c_str());
  SendDlgItemMessageA(window_, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, view.total);
  SendDlgItemMessageA(window_, IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(view.position), 0);
}

void StartProgress(int steps, long totalKb) {
  LogLine("Progress Bar : Create with " + std::to_string(steps) + " steps, Disk space = " + std::to_string(totalKb));
  ProgressState& state = State();
  if (state.session) EndSession(state);
  WaitForRetiredWindow(state);

  auto session = std::make_unique<ProgressSession>();
  session->record = std::make_shared<ProgressRecord>(steps, totalKb, std::time(nullptr));
  HWND focus = GetFocus();
  session->stepEvent.reset(CreateEventA(nullptr, FALSE, FALSE, kStepEvent));
  UniqueHandle started(CreateEventA(nullptr, FALSE, FALSE, kStartEvent));
  session->windowThread = StartWindowThread(session->record);
  if (session->windowThread && started) {
    // A window that fails to open ends its thread instead of signalling.
    HANDLE waits[2] = {started.get(), session->windowThread.get()};
    WaitForMultipleObjects(2, waits, FALSE, INFINITE);
  }
  started.reset();
  Sleep(100);
  if (focus) SetFocus(focus);
  state.session = std::move(session);
}

void StepProgress(const std::string& text, int step, long kbRemaining) {
  LogLine("Progress Bar : Step " + std::to_string(static_cast<long long>(step) + 1) + ", " + text + ", " +
          std::to_string(kbRemaining) + " Kb remaining");
  ProgressSession* session = State().session.get();
  if (!session) return;
  session->record->Step(text, step, kbRemaining, std::time(nullptr));
  if (session->stepEvent) SetEvent(session->stepEvent.get());
}

void StopProgress() {
  LogLine("Progress Bar : Stop");
  ProgressState& state = State();
  if (state.session) EndSession(state);
}

void PauseProgress() {
  LogLine("Progress Bar : Pause");
  if (ProgressSession* session = State().session.get()) session->record->Pause(std::time(nullptr));
}

void ResumeProgress() {
  LogLine("Progress Bar : Resume");
  if (ProgressSession* session = State().session.get()) session->record->Resume(std::time(nullptr));
}
