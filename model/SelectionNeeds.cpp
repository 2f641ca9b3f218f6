#include "model/SelectionNeeds.h"

#include "engine/Text.h"
#include "model/Model.h"

namespace {
void MarkPasswordsOf(CSetup& master, const CFeature& feature) {
  if (feature.selected && !feature.Password.empty()) {
    CPassword* password = master.passwords.Find(feature.Password);
    if (password) password->needed = 1;
  }
  for (const CFeature& child : feature.subfeatures) MarkPasswordsOf(master, child);
}
}  // namespace

void MarkNeededPasswords(CSetup& master) {
  for (CPassword& password : master.passwords) password.needed = 0;
  MarkPasswordsOf(master, master.rootFeature);
}

bool SelectionNeedsFolder(const CFeature& feature) {
  if (feature.selected && !EqualsNoCase(feature.NeedsFolder.Raw(), "NO")) return true;
  for (const CFeature& child : feature.subfeatures)
    if (SelectionNeedsFolder(child)) return true;
  return false;
}
