#include "ui/windows/BitmapButton.h"

#include "engine/Errors.h"

namespace {
// Resource names are short; the base is cut to keep the name within this size.
constexpr int kMaxBaseName = 64;

UniqueBitmap LoadFace(HINSTANCE resources, const std::string& name, bool required) {
  UniqueBitmap bitmap(LoadBitmapA(resources, name.c_str()));
  if (!bitmap && required) throw Win32Failure("LoadBitmapA of " + name);
  return bitmap;
}
}  // namespace

void BitmapButton::Attach(HINSTANCE resources, HWND button) {
  char base[kMaxBaseName] = {};
  GetWindowTextA(button, base, sizeof base);
  std::string name = base;
  up_ = LoadFace(resources, name + "U", true);
  down_ = LoadFace(resources, name + "D", true);
  focused_ = LoadFace(resources, name + "F", true);
  disabled_ = LoadFace(resources, name + "X", false);
  button_ = button;
  InvalidateRect(button, nullptr, TRUE);
}

void BitmapButton::Draw(const DRAWITEMSTRUCT& item) const {
  HBITMAP face = up_.get();
  if ((item.itemState & ODS_DISABLED) && disabled_)
    face = disabled_.get();
  else if (item.itemState & ODS_SELECTED)
    face = down_.get();
  else if (item.itemState & ODS_FOCUS)
    face = focused_.get();

  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
  BITMAP size = {};
  if (!GetObjectA(face, sizeof size, &size)) throw Win32Failure("GetObjectA of a button bitmap");
  UniqueMemoryDc memory(CreateCompatibleDC(item.hDC));
  if (!memory) throw Win32Failure("CreateCompatibleDC");
  SelectedObject selected(memory.get(), face);
  int left = item.rcItem.left + (item.rcItem.right - item.rcItem.left - size.bmWidth) / 2;
  int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - size.bmHeight) / 2;
  if (!BitBlt(item.hDC, left, top, size.bmWidth, size.bmHeight, memory.get(), 0, 0, SRCCOPY))
    throw Win32Failure("BitBlt of a button bitmap");
}
