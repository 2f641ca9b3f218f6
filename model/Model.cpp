#include "model/Model.h"

#include <cstdlib>

#include "engine/Params.h"
#include "engine/Paths.h"
#include "engine/Text.h"
#include "model/Keywords.h"
#include "state/Registry.h"

CSetup* SetupData = nullptr;

namespace {
// The registry value that records a target's path: the target ID followed by "dir".
std::string TargetRegistryName(const CTarget& target) { return target.ID.Raw() + "dir"; }

// Deletes the parameters file of every setup of the tree; a file the script handed in from
// elsewhere is the user's own and stays, only the copies staged in the temporary directory go.
void CleanUp(CSetup& setup) {
  for (CSetup& subsetup : setup.subsetups) CleanUp(subsetup);
  for (CComponent& component : setup.components)
    if (component.IsCore() && component.coreSetup) CleanUp(*component.coreSetup);
  if (setup.PropIniFile.empty() || !FileExists(setup.ParamsFile)) return;
  if (!EqualsNoCase(StripTrailingBackslashes(DirectoryOf(setup.ParamsFile)), TempDirectory())) return;
  SetFileAttributesA(setup.ParamsFile.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(setup.ParamsFile.c_str());
}
}  // namespace

std::string CKeywordString::Translated(const CSetup& setup, bool force) const {
  return TranslateKeywordText(setup, text_, force);
}

std::string CKeywordString::UpperTranslated(const CSetup& setup) const { return ToUpper(Translated(setup, true)); }

bool CComponent::IsCore() const { return EqualsNoCase(type.Raw(), "CORE"); }

CFeature::CFeature(const CFeature& other)
    : setup(other.setup),
      parent(other.parent),
      ID(other.ID),
      Name(other.Name),
      Description(other.Description),
      Visible(other.Visible),
      UninstallID(other.UninstallID),
      Version(other.Version),
      NeedsFolder(other.NeedsFolder),
      Password(other.Password),
      defaultSelection(other.defaultSelection),
      subfeatures(other.subfeatures),
      components(other.components),
      filters(other.filters),
      dependencyErrors(other.dependencyErrors),
      selected(other.selected),
      selectionSet(other.selectionSet),
      savedSelection(other.savedSelection),
      installed(other.installed),
      fixedSelection(other.fixedSelection) {
  // The copied children belong to this copy, not to the original.
  for (CFeature& child : subfeatures) child.parent = this;
}

void CFeature::LinkChildren() {
  for (CFeature& child : subfeatures) {
    child.parent = this;
    child.LinkChildren();
  }
}

bool CTarget::Shown() const {
  if (show.UpperTranslated(*setup) != "SHOW") return false;
  if (Master().firstInstall) return true;
  // On a later install the roots are where the earlier one put them.
  return !EqualsNoCase(ID.Raw(), "CORVAROOT") && !EqualsNoCase(ID.Raw(), "CORVACOMMON");
}

std::string CTarget::PromptPosition() const {
  std::string position = promptPosition.UpperTranslated(*setup);
  return position.empty() ? "DURING" : position;
}

bool CTarget::Recalculated() const { return recalc.UpperTranslated(*setup) != "NORECALC"; }

bool CTarget::Multiple() const { return multiplicity.UpperTranslated(*setup) == "MULTIPLE"; }

bool CTarget::Editable() const {
  if (editable.UpperTranslated(*setup) == "READONLY") return false;
  if (Multiple() || Master().firstInstall) return true;
  return !RegValueExists(HKEY_LOCAL_MACHINE, kSetupKey, TargetRegistryName(*this));
}

namespace {
// The need's own answer, or its target's when the need leaves the answer to the target.
bool NeedAnswer(const CTargetNeed& need, const CKeywordString& field, const char* defaultWord, const char* yesWord,
                bool (CTarget::*targetAnswer)() const) {
  std::string value = field.UpperTranslated(*need.setup);
  if (value != defaultWord && !value.empty()) return value == yesWord;
  const CTarget* target = Master().targets.Find(need.targetID.UpperTranslated(*need.setup));
  return target && (target->*targetAnswer)();
}
}  // namespace

bool CTargetNeed::Shown() const { return NeedAnswer(*this, show, "DEFAULTSHOW", "SHOW", &CTarget::Shown); }

bool CTargetNeed::Editable() const {
  return NeedAnswer(*this, editable, "DEFAULTEDITABLE", "EDITABLE", &CTarget::Editable);
}

unsigned long CTargetNeed::SizeKB() const {
  long kilobytes = std::strtol(size.Translated(*setup, true).c_str(), nullptr, 10);
  return kilobytes > 0 ? static_cast<unsigned long>(kilobytes) : 0UL;
}

void CPassword::PrepareDefaultUser() {
  if (!userName.empty()) return;
  for (int index = 0;; ++index) {
    std::string entry = GetParam("Password" + std::to_string(index));
    if (entry.empty()) break;
    if (!StartsWithNoCase(entry, ID.Raw() + ";")) continue;
    FieldReader fields(entry);
    fields.Next();
    userName = fields.Next();
    password = fields.AtEnd() ? std::string() : fields.Rest();
    break;
  }
  if (!userName.empty()) return;
  std::string key = std::string(kSetupKey) + "\\Passwords\\" + ID.Raw();
  userName = ReadRegString(HKEY_LOCAL_MACHINE, key, "UserName");
  password = ReadRegString(HKEY_LOCAL_MACHINE, key, "Password");
}

CSetup::CSetup() { rootFeature.setup = this; }

CSetup::~CSetup() = default;

std::string CSetup::IdText() const { return ID.UpperTranslated(*this); }

bool CSetup::IsMaster() const { return this == SetupData; }

CSetup& Master() {
  if (!SetupData) CreateSetupData();
  return *SetupData;
}

void CreateSetupData() {
  delete SetupData;
  SetupData = new CSetup();
}

void DestroySetupData() {
  if (!SetupData) return;
  CleanUp(*SetupData);
  delete SetupData;
  // A later export finds no model instead of a freed one.
  SetupData = nullptr;
}
