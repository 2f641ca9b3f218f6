#include "ui/windows/FeaturePage.h"

#include <algorithm>

#include "engine/Errors.h"
#include "engine/Paths.h"
#include "engine/Text.h"
#include "model/Model.h"
#include "model/SelectionRules.h"
#include "ui/FolderSelection.h"
#include "ui/PageHost.h"
#include "ui/resources/PageResource.h"
#include "ui/windows/CheckList.h"

namespace {
// Item-relative places of the line's parts, in pixels.
constexpr int kTextIndent = 2;
constexpr int kInstalledIconX = 200;
constexpr int kSystemIconX = 240;
constexpr int kSizeRightMargin = 20;
constexpr COLORREF kGreyText = RGB(128, 128, 128);
// The page opened from Select Subcomponents stands this far right of and below where it opens.
constexpr int kNestedOffset = 10;
// The group box draws its caption inset from both of its edges.
constexpr int kGroupCaptionMargin = 20;

constexpr int kLegendIcons[kLegendRows] = {IDC_LEGEND_ICON1, IDC_LEGEND_ICON2, IDC_LEGEND_ICON3};
constexpr int kLegendTexts[kLegendRows] = {IDC_LEGEND_TEXT1, IDC_LEGEND_TEXT2, IDC_LEGEND_TEXT3};
constexpr int kIconIds[] = {IDB_INSTALLED,  IDB_BLANK_ICON, IDB_NOT_FOR_THIS_OS,
                            IDB_NOT_FOR_95, IDB_NOT_FOR_98, IDB_NOT_FOR_NT};

// A copy of the icon whose surrounding colour (the colour of its top-left pixel, as far as it
// reaches) is replaced by `background`, so the icon looks transparent on it.
UniqueBitmap OnBackground(HDC like, HBITMAP icon, COLORREF background) {
  BITMAP size = {};
  if (!GetObjectA(icon, sizeof size, &size)) throw Win32Failure("GetObjectA of a state icon");
  UniqueMemoryDc source(CreateCompatibleDC(like)), target(CreateCompatibleDC(like));
  if (!source || !target) throw Win32Failure("CreateCompatibleDC");
  UniqueBitmap copy(CreateCompatibleBitmap(like, size.bmWidth, size.bmHeight));
  if (!copy) throw Win32Failure("CreateCompatibleBitmap");
  UniqueBrush brush(CreateSolidBrush(background));
  if (!brush) throw Win32Failure("CreateSolidBrush");
  {
    SelectedObject from(source.get(), icon), to(target.get(), copy.get()), fill(target.get(), brush.get());
    if (!BitBlt(target.get(), 0, 0, size.bmWidth, size.bmHeight, source.get(), 0, 0, SRCCOPY))
      throw Win32Failure("BitBlt of a state icon");
    COLORREF surround = GetPixel(target.get(), 0, 0);
    if (surround != background && !ExtFloodFill(target.get(), 0, 0, surround, FLOODFILLSURFACE))
      throw Win32Failure("ExtFloodFill of a state icon");
  }
  return copy;
}

void DrawIcon(HDC dc, HBITMAP icon, int left, const RECT& line, COLORREF background) {
  UniqueBitmap copy = OnBackground(dc, icon, background);
  BITMAP size = {};
  GetObjectA(copy.get(), sizeof size, &size);
  UniqueMemoryDc memory(CreateCompatibleDC(dc));
  if (!memory) throw Win32Failure("CreateCompatibleDC");
  SelectedObject selected(memory.get(), copy.get());
  int top = line.top + (line.bottom - line.top - size.bmHeight) / 2;
  if (!BitBlt(dc, left, top, size.bmWidth, size.bmHeight, memory.get(), 0, 0, SRCCOPY))
    throw Win32Failure("BitBlt of a state icon");
}
}  // namespace

CFeatureSelectionDlg::CFeatureSelectionDlg(CFeature& parent, bool nested) : parent_(parent), nested_(nested) {
  for (CFeature* feature : ListedFeatures(parent_)) lines_.push_back(LineOf(*feature));
}

HBITMAP CFeatureSelectionDlg::Icon(int id) const {
  for (const LoadedIcon& icon : icons_)
    if (icon.id == id) return icon.bitmap.get();
  throw CMyError("The state icon " + std::to_string(id) + " is not loaded.");
}

void CFeatureSelectionDlg::OnInit() {
  for (int id : kIconIds) {
    UniqueBitmap bitmap(LoadBitmapA(Resources(), MAKEINTRESOURCEA(id)));
    if (!bitmap) throw Win32Failure("LoadBitmapA of state icon " + std::to_string(id));
    icons_.push_back({id, std::move(bitmap)});
  }
  FeatureListChoice choice = ChooseFeatureList(Master(), nested_);
  SetWindowTextA(Window(), choice.caption.c_str());
  SetText(IDC_MAIN_TEXT, FeatureInstruction(parent_));
  listId_ = choice.sorted ? IDC_PRODUCT_LIST : IDC_FEATURE_LIST;
  HWND list = Item(listId_);
  MakeCheckList(list);
  for (FeatureLine& line : lines_) {
    LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.text.c_str()));
    if (index == LB_ERR || index == LB_ERRSPACE) throw Win32Failure("LB_ADDSTRING");
    SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&line));
  }
  Show(listId_, true);
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  if (nested_) {
    Show(IDC_BACK, false);
    SetText(IDOK, "OK");
    RECT place = {};
    if (!GetWindowRect(Window(), &place)) throw Win32Failure("GetWindowRect of the subcomponents page");
    if (!SetWindowPos(Window(), nullptr, place.left + kNestedOffset, place.top + kNestedOffset, 0, 0,
                      SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE))
      throw Win32Failure("SetWindowPos of the subcomponents page");
  }
  // The list takes the focus once the dialog has set its own first focus.
  PostMessageA(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
  ShowAreas();
}

FeatureLine* CFeatureSelectionDlg::Current() const {
  HWND list = Item(listId_);
  LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return nullptr;
  return reinterpret_cast<FeatureLine*>(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

bool CFeatureSelectionDlg::OnPageCommand(int id, int notification) {
  if (id == listId_) {
    if (notification == kCheckListToggle)
      Toggle();
    else if (notification == LBN_SELCHANGE)
      ShowAreas();
    return true;
  }
  if (id == IDC_SUBCOMPONENTS) {
    if (notification == BN_CLICKED) OpenSubcomponents();
    return true;
  }
  if (id == IDC_CHANGE_FOLDER) {
    if (notification == BN_CLICKED) ChangeFolders();
    return true;
  }
  // On the nested page Cancel, the close box and Escape close it like OK: its changes stay.
  if (id == IDCANCEL && nested_) {
    Leave(kEndNext);
    return true;
  }
  return false;
}

bool CFeatureSelectionDlg::OnNext() { return nested_ || FeatureSelectionNextAllowed(parent_); }

void CFeatureSelectionDlg::OnLeave() { NormaliseSelection(Master()); }

void CFeatureSelectionDlg::Toggle() {
  FeatureLine* line = Current();
  if (!line || line->CheckDisabled()) return;
  ToggleFeature(Master(), *line->feature, !line->checked);
  RefreshLines();
  ShowAreas();
}

void CFeatureSelectionDlg::OpenSubcomponents() {
  FeatureLine* line = Current();
  if (!line || !HasVisibleSubfeatures(*line->feature)) return;
  CFeatureSelectionDlg nested(*line->feature, true);
  nested.Run(IDD_FEATURES);
  RefreshLines();
  ShowAreas();
}

void CFeatureSelectionDlg::ChangeFolders() {
  FeatureLine* line = Current();
  if (!line) return;
  ChangeFeatureFolders(*line->feature);
  ShowAreas();
}

void CFeatureSelectionDlg::RefreshLines() {
  for (FeatureLine& line : lines_) RefreshLine(line);
  InvalidateRect(Item(listId_), nullptr, TRUE);
}

void CFeatureSelectionDlg::ShowAreas() {
  FeatureLine* line = Current();
  if (!line) return;
  CFeature& feature = *line->feature;
  SetText(IDC_DESCRIPTION, feature.Description.Translated(*feature.setup));
  Enable(IDC_SUBCOMPONENTS, HasVisibleSubfeatures(feature));

  std::vector<LegendRow> legend = FeatureLegend(line->state);
  WindowDc dc(Window());
  for (int row = 0; row < kLegendRows; ++row) {
    UniqueBitmap image = OnBackground(dc.get(), Icon(legend[row].icon), GetSysColor(COLOR_BTNFACE));
    SendMessageA(Item(kLegendIcons[row]), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image.get()));
    legendImages_[row] = std::move(image);
    SetText(kLegendTexts[row], legend[row].text);
  }

  FeatureFolder folder = FeatureFolderOf(feature);
  // A target's description is often a whole sentence; the box's caption would run out of it.
  SetFittedText(IDC_FOLDER_GROUP, folder.group, kGroupCaptionMargin);
  SetText(IDC_FOLDER_PATH, folder.path);
  if (!folder.button.empty()) SetText(IDC_CHANGE_FOLDER, folder.button);
  Enable(IDC_CHANGE_FOLDER, folder.buttonEnabled);

  FeatureSpace space = FeatureSpaceOn(Master(), folder.path, DriveOf(SystemDirectory()));
  SetText(IDC_SPACE_REQUIRED_LABEL, space.drive.requiredLabel);
  SetText(IDC_SPACE_REQUIRED, space.drive.required);
  SetText(IDC_SPACE_AVAILABLE_LABEL, space.drive.availableLabel);
  SetText(IDC_SPACE_AVAILABLE, space.drive.available);
  SetText(IDC_SYSTEM_REQUIRED_LABEL, space.systemDrive.requiredLabel);
  SetText(IDC_SYSTEM_REQUIRED, space.systemDrive.required);
  SetText(IDC_SYSTEM_AVAILABLE_LABEL, space.systemDrive.availableLabel);
  SetText(IDC_SYSTEM_AVAILABLE, space.systemDrive.available);
}

bool CFeatureSelectionDlg::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (static_cast<int>(item.CtlID) != listId_) return false;
  if (item.itemID == static_cast<UINT>(-1)) {
    // An empty list with the focus shows only the focus rectangle.
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return true;
  }
  DrawLine(item, *reinterpret_cast<const FeatureLine*>(item.itemData));
  return true;
}

void CFeatureSelectionDlg::DrawLine(const DRAWITEMSTRUCT& item, const FeatureLine& line) const {
  HDC dc = item.hDC;
  DrawCheckListBox(dc, item.rcItem, line.checked, line.CheckDisabled());
  RECT area = CheckListTextArea(item.rcItem);
  bool selected = (item.itemState & ODS_SELECTED) != 0;
  COLORREF background = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
  UniqueBrush brush(CreateSolidBrush(background));
  if (!brush) throw Win32Failure("CreateSolidBrush");
  FillRect(dc, &area, brush.get());

  COLORREF text = line.Greyed() ? kGreyText : GetSysColor(COLOR_WINDOWTEXT);
  if (selected) text = ~text & 0xFFFFFF;
  COLORREF oldText = SetTextColor(dc, text);
  int oldMode = SetBkMode(dc, TRANSPARENT);
  // The name stops short of the installed icon rather than running under it.
  RECT name = area;
  name.left += kTextIndent;
  name.right = std::min(area.right, area.left + kInstalledIconX - kTextIndent);
  DrawTextA(dc, line.text.c_str(), -1, &name, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  std::string size = Format("%lu K", line.size);
  RECT sizeArea = area;
  sizeArea.right -= kSizeRightMargin;
  DrawTextA(dc, size.c_str(), -1, &sizeArea, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldText);

  if (line.Installed()) DrawIcon(dc, Icon(IDB_INSTALLED), area.left + kInstalledIconX, area, background);
  if (int icon = line.SystemIcon()) DrawIcon(dc, Icon(icon), area.left + kSystemIconX, area, background);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &area);
}
