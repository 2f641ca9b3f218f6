#pragma once
// The frame every wizard page shares: Next runs the page's own checks before it ends the page,
// Back ends it, Cancel (also the close box and Escape) ends it only when the user confirms the
// exit question; No leaves the page as it was. A frame button that the page disabled or left
// out does nothing, however its command arrives.
#include "ui/windows/ModalDialog.h"

class PageDialog : public ModalDialog {
 protected:
  // The page's own commands, asked before the frame's; true when handled.
  virtual bool OnPageCommand(int id, int notification) { return false; }
  // Next: the page's checks; true lets the page end with Next.
  virtual bool OnNext() { return true; }
  // The code the page ends with for Next (1) or Back (3); the question page combines it with
  // its answer.
  virtual int EndCodeFor(int frameEnd) { return frameEnd; }
  // Runs before the page ends, whichever way: the place to read what the user entered.
  virtual void OnLeave() {}

  // Ends the page: reads what it holds, then closes it with `code`.
  void Leave(int code);

 private:
  bool OnCommand(int id, int notification) final;
};
