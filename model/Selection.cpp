#include "model/Selection.h"

#include "engine/Params.h"
#include "engine/Text.h"
#include "model/FeatureTree.h"
#include "model/Loader.h"
#include "model/Model.h"

bool SelectedWithin(CFeature& feature) {
  return AnyFeatureWithin(feature, [](const CFeature& each) { return each.selected != 0; });
}

void MarkNeededPasswords(CSetup& master) {
  for (CPassword& password : master.passwords) password.needed = 0;
  WalkFeatures(master.rootFeature, [&](CFeature& feature) {
    if (feature.selected && !feature.Password.empty())
      if (CPassword* password = master.passwords.Find(feature.Password)) password->needed = 1;
    return true;
  });
}

bool SelectionNeedsFolder(CFeature& feature) {
  return AnyFeatureWithin(feature, [](const CFeature& each) {
    return each.selected && !EqualsNoCase(each.NeedsFolder.Raw(), "NO");
  });
}

bool SetupNeedsInstall(const CSetup& setup) {
  if (setup.installed || setup.installError) return false;
  return SetupWantedByRun(Master(), setup, GetParamYesNo("InstallCoreComponents", true));
}

bool SetupWantedByRun(CSetup& master, const CSetup& setup, bool installCoreComponents) {
  // A core component's setup has no feature tree of its own.
  if (setup.rootFeature.ID.Empty()) return installCoreComponents;
  if (!LoadsSubsetups(master)) return false;
  auto selectedInModel = [&](const std::string& id) {
    CFeature* feature = FindFeatureInTree(master.rootFeature, id);
    return feature && SelectedWithin(*feature);
  };
  if (setup.SkipRoot.UpperTranslated(setup) != "YES") return selectedInModel(setup.IdText());
  for (const CFeature& top : setup.rootFeature.subfeatures)
    if (selectedInModel(top.ID.Raw())) return true;
  return false;
}
