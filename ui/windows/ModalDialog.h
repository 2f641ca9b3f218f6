#pragma once
// The base of every modal dialog of the engine: one dialog procedure that keeps the object from
// WM_INITDIALOG to WM_NCDESTROY and hands messages to virtual handlers. Nothing thrown by a
// handler crosses the system's window procedures: the procedure catches it, ends the dialog,
// and Run throws it again once the modal loop is over.
#include <windows.h>

#include <exception>
#include <optional>
#include <string>

#include "engine/Errors.h"

class ModalDialog {
 public:
  virtual ~ModalDialog() = default;
  ModalDialog() = default;
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  // Lines of owner-drawn lists hold one line of the page's font or a state icon, whichever is
  // taller, with a little room around it.
  static constexpr int kListIconSize = 16;
  static constexpr int kListLinePadding = 4;

  // Shows the dialog of template `templateId`, owned by the window in force (a page that is up),
  // until a handler ends it; answers the end code.
  int Run(int templateId);

 protected:
  virtual void OnInit() = 0;
  // A command from a control; true when handled.
  virtual bool OnCommand(int id, int notification) = 0;
  // An owner-drawn control asks to be drawn; true when handled.
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& item) { return false; }

  void End(int code);
  HWND Window() const { return window_; }
  // The module that holds the templates and bitmaps: the one this code lives in.
  static HINSTANCE Resources();

  // Controls by id. A missing control is an error of the template.
  HWND Item(int id) const;
  void SetText(int id, const std::string& text);
  // The text, cut at its end with "..." where it would run more than `margin` pixels short of
  // the control's right edge: for captions that cannot cut themselves, such as a group box's.
  void SetFittedText(int id, const std::string& text, int margin);
  std::string Text(int id) const;
  void Enable(int id, bool enabled);
  bool Enabled(int id) const;
  void Show(int id, bool shown);
  bool Checked(int id) const;
  void Check(int id, bool checked);

 private:
  static bool MeasureListItem(HWND window, MEASUREITEMSTRUCT& item);
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  std::exception_ptr failure_;
  // While the dialog is up, the boxes and pages it raises are owned by it.
  std::optional<ScopedMessageOwner> owning_;
};
