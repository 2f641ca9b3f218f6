#pragma once
// A push button drawn from bitmaps. Its window text names the bitmaps' base: base + "U" (up),
// "D" (pressed), "F" (focused) and, where present, "X" (disabled). The button does not own
// them; this object does, for as long as the page that holds it.
#include <windows.h>

#include <string>

#include "engine/Win32Handles.h"

class BitmapButton {
 public:
  // Loads the bitmaps named by the button's text from `resources`.
  void Attach(HINSTANCE resources, HWND button);
  bool Draws(const DRAWITEMSTRUCT& item) const { return button_ && item.hwndItem == button_; }
  void Draw(const DRAWITEMSTRUCT& item) const;

 private:
  HWND button_ = nullptr;
  UniqueBitmap up_, down_, focused_, disabled_;
};
