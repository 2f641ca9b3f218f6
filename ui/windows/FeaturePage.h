#pragma once
// The feature selection page (template 109): a check list of one feature's visible children with
// the description, state legend, folder and disk space of the highlighted line. The top-level
// page lists the root's children; Select Subcomponents opens the same page, nested, on the
// highlighted feature.
#include <vector>

#include "engine/Win32Handles.h"
#include "ui/FeatureSelectionStep.h"
#include "ui/windows/PageDialog.h"

class CFeatureSelectionDlg : public PageDialog {
 public:
  CFeatureSelectionDlg(CFeature& parent, bool nested);
  CFeatureSelectionDlg(const CFeatureSelectionDlg&) = delete;
  CFeatureSelectionDlg& operator=(const CFeatureSelectionDlg&) = delete;

 private:
  void OnInit() override;
  bool OnPageCommand(int id, int notification) override;
  bool OnNext() override;
  void OnLeave() override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

  FeatureLine* Current() const;
  void Toggle();
  void OpenSubcomponents();
  // One target: the folder selection; several: the target locations page.
  void ChangeFolders();
  // Sets every check mark again from the model and repaints the list.
  void RefreshLines();
  // The description, legend, folder and space areas for the highlighted line.
  void ShowAreas();
  void DrawLine(const DRAWITEMSTRUCT& item, const FeatureLine& line) const;
  HBITMAP Icon(int id) const;

  CFeature& parent_;
  bool nested_;
  int listId_ = 0;
  // The lines' item data point here; the vector is filled once, before the list.
  std::vector<FeatureLine> lines_;
  struct LoadedIcon {
    int id;
    UniqueBitmap bitmap;
  };
  std::vector<LoadedIcon> icons_;
  // The legend statics show these copies (on the page's background); the statics do not own them.
  UniqueBitmap legendImages_[kLegendRows];
};
