#include "model/Loader.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "engine/Application.h"
#include "engine/Errors.h"
#include "engine/IniCache.h"
#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/Paths.h"
#include "engine/Text.h"
#include "model/ConsistencyCheck.h"
#include "model/Validation.h"
#include "model/Keywords.h"
#include "model/Model.h"
#include "model/SetupDump.h"
#include "state/Detection.h"
#include "state/Registry.h"

namespace {
const std::string kSeparator(69, '=');
// Deeper nesting of feature sections or included component sections is refused: the load
// walks them recursively.
constexpr size_t kMaxSectionDepth = 64;

const char* const kBuiltinTargets[] = {
    "CORVAROOT;Corva;%CORVANTDIR%;Setup will install Corva files to the following root directory.   Corva "
    "products will be stored in subdirectories of this directory.;NORECALC;BEFORE",
    "WINSYSDIR;Windows System;%WINSYSDIR%;Setup will install system files to the following "
    "directory.;NORECALC;READONLY;HIDE",
    "WINDIR;Windows;%WINDIR%;Setup will install Windows files to the following directory.;NORECALC;READONLY;HIDE",
    "CORVACOMMON;Corva Common;%CORVANTCOMMONDIR%;Setup will install common Corva files to the following root "
    "directory.   Corva products will be stored in subdirectories of this directory.;NORECALC;READONLY;HIDE",
};

bool IsBuiltinSetupType(const std::string& id) { return id == "STANDARD" || id == "SERVER" || id == "LITECLIENT"; }

std::string Numbered(const char* base, int index) { return base + std::to_string(index); }

[[noreturn]] void Fail(const std::string& message) { throw CPropError(message); }

// Every feature section and every included component section the load reads counts against one
// budget for the whole load (the master, its subsetups and core setups): a description that lists
// the same section twice at each of many levels would otherwise make the load grow exponentially.
// Suites of thousands of features stay far below it.
constexpr int kMaxSectionReads = 25000;

struct SectionBudget {
  int loadsOpen = 0;
  int used = 0;
};

SectionBudget& Budget() {
  static SectionBudget budget;
  return budget;
}

// The outermost load starts the budget afresh.
class SectionBudgetScope {
 public:
  SectionBudgetScope() {
    if (Budget().loadsOpen++ == 0) Budget().used = 0;
  }
  ~SectionBudgetScope() { --Budget().loadsOpen; }
  SectionBudgetScope(const SectionBudgetScope&) = delete;
  SectionBudgetScope& operator=(const SectionBudgetScope&) = delete;
};

void SpendSectionRead(const std::string& section) {
  if (++Budget().used > kMaxSectionReads)
    Fail("Section [" + section + "] exceeds the limit of " + std::to_string(kMaxSectionReads) +
         " section reads in one load");
}

// Names that become file names (the staged parameters file, uninstall and status files) must not
// lead out of the directory the engine puts them in. An empty name is left to its default.
void RequireFileName(const char* key, const std::string& name) {
  if (!name.empty() && !IsPlainFileName(name)) Fail(std::string(key) + " " + name + " is not a valid file name");
}

// The place of later description errors: a new file, no section, no item.
void EnterFile(const std::string& file) {
  CPropError::SetFile(file);
  CPropError::SetSection("");
  CPropError::SetItem("");
}

// Reads one description file into one setup.
class DescriptionReader {
 public:
  DescriptionReader(CSetup& setup, const std::string& file) : setup_(setup), file_(file) {}

  void ReadMain();
  void ReadTargets();
  void ReadSetupTypes();
  void ReadCoreComponentList() { ReadComponentList(setup_.coreComponentList, "Main", nullptr, true); }
  void LoadFeature(CFeature& feature, const std::string& section, const CFeature* parent);

 private:
  std::string Read(const std::string& section, const std::string& key) const {
    return ReadIniString(file_, section, key);
  }
  std::string Translated(const std::string& value) const { return TranslateKeywordText(setup_, value, false); }
  std::string Upper(const std::string& value) const { return ToUpper(Translated(value)); }

  void ReadTarget(const std::string& value);
  void RegisterCD(const std::string& value);
  void RegisterPassword(const std::string& value);
  void ReadComponentList(std::vector<CComponentRef>& list, const std::string& section, const CFeature* feature,
                         bool coreMain);
  void IncludeSection(std::vector<CComponentRef>& list, const std::string& section, const CFeature* feature);
  CComponent* FindOrCreateComponent(const std::string& id, const std::string& type, const std::string& section);
  void ReadTargetNeeds(CComponent& component, const std::string& section);
  void LoadCoreSetup(CComponent& component);

  CSetup& setup_;
  std::string file_;
  // Sections whose component lists are being read, to refuse a section that includes itself.
  std::vector<std::string> includes_;
};

void DescriptionReader::ReadMain() {
  std::string dll = Read("Main", "SetupDLL");
  if (dll.empty()) {
    if (FileExists(JoinPath(setup_.SrcDir, "prop.dll"))) dll = "prop.dll";
  } else if (!FileExists(JoinPath(setup_.SrcDir, dll))) {
    Fail("Setup DLL " + JoinPath(setup_.SrcDir, dll) + " not found");
  }
  setup_.SetupDLL = dll;

  std::string root = Upper(Read("Main", "RootFeature"));
  RequireFileName("RootFeature", root);
  setup_.ID.Set(root.empty() ? ToUpper(LastPathName(setup_.SrcDir)) : root);
  setup_.Name.Set(Translated(Read("Main", "Name")));
  if (setup_.Name.Empty()) Fail("Name field is empty");
  std::string uninstallId = Translated(Read("Main", "UninstallID"));
  RequireFileName("UninstallID", uninstallId);
  setup_.UninstallID.Set(uninstallId.empty() ? setup_.ID.Raw() : uninstallId);
  setup_.Version.Set(Translated(Read("Main", "Version")));
  std::string cd = Read("Main", "CD");
  RegisterCD(Translated(cd.empty() ? "CORVANTCD;Corvant Setup CD" : cd));
  std::string needsFolder = Upper(Read("Main", "NeedsFolder"));
  setup_.NeedsFolder.Set(needsFolder.empty() ? "YES" : needsFolder);
  std::string skipRoot = Upper(Read("Main", "SkipRoot"));
  setup_.SkipRoot.Set(skipRoot.empty() ? "NO" : skipRoot);
  std::string mifName = Translated(Read("Main", "MifName"));
  RequireFileName("MifName", mifName);
  setup_.MifName.Set(mifName.empty() ? setup_.ID.Raw() : mifName);

  std::string installType = Upper(Read("Main", "InstallType"));
  setup_.InstallType.Set(installType);
  setup_.installKind = ParseInstallKind(installType);
  if (StartsSetupProgram(setup_.installKind)) {
    std::string exe = Translated(Read("Main", "SetupExe"));
    setup_.SetupExe.Set(exe.empty() ? "setup.exe" : exe);
    setup_.SetupCmdLine.Set(Read("Main", "SetupCmdLine"));
    setup_.WindowClass.Set(Translated(Read("Main", "WindowClass")));
    setup_.WindowName.Set(Translated(Read("Main", "WindowName")));
  } else if (setup_.installKind == InstallKind::InstallationLibrary) {
    auto requiredFile = [&](const char* key, CKeywordString& field) {
      std::string value = Translated(Read("Main", key));
      if (value.empty()) Fail(std::string("Missing ") + key + " entry");
      if (!FileExists(JoinPath(setup_.SrcDir, value))) Fail("File " + value + " not found");
      field.Set(value);
    };
    requiredFile("InfFile", setup_.InfFile);
    requiredFile("InfDLL", setup_.InfDLL);
  } else {
    Fail("Unrecognized InstallType entry " + installType);
  }
  setup_.OS.Set(Translated(Read("Main", "OS")));
}

void DescriptionReader::RegisterCD(const std::string& value) {
  FieldReader fields(value);
  std::string id = ToUpper(fields.Next());
  if (id.empty()) Fail("Missing CD ID");
  setup_.CD.Set(id);
  Collection<CSetupCD>& cds = Master().cds;
  if (cds.Find(id)) return;
  std::string description = ExpandLineBreaks(fields.Next());
  if (description.empty()) Fail("Missing description for CD " + id);
  auto cd = std::make_unique<CSetupCD>();
  cd->ID.Set(id);
  cd->Description.Set(description);
  cds.Append(std::move(cd));
  LogLine("Load CD " + id + " (\"" + description + "\")");
}

void DescriptionReader::ReadTargets() {
  CPropError::SetSection("Targets");
  for (const char* builtin : kBuiltinTargets) ReadTarget(builtin);
  ScopedLogIndent indent;
  for (int index = 0;; ++index) {
    std::string value = Read("Targets", Numbered("Target", index));
    if (value.empty()) break;
    ReadTarget(value);
  }
}

void DescriptionReader::ReadTarget(const std::string& value) {
  FieldReader fields(value);
  std::string id = Upper(fields.Next());
  if (id.empty()) Fail("Missing target ID");
  if (setup_.targets.Find(id)) return;  // the first definition wins
  auto target = std::make_unique<CTarget>();
  target->setup = &setup_;
  target->ID.Set(id);
  target->Name.Set(Translated(fields.Next()));
  target->defaultPath = fields.Next();
  if (target->defaultPath.empty()) Fail("Missing default path expression");
  target->Description.Set(Translated(fields.Next()));
  while (!fields.AtEnd()) {
    std::string flag = fields.Next();
    struct Assigned {
      const char* prefix;
      CKeywordString CTarget::*field;
    };
    static const Assigned assigned[] = {{"SHOW=", &CTarget::show},
                                        {"PROMPTPOS=", &CTarget::promptPosition},
                                        {"RECALC=", &CTarget::recalc},
                                        {"EDITABLE=", &CTarget::editable}};
    static const Assigned words[] = {
        {"SHOW", &CTarget::show},           {"HIDE", &CTarget::show},         {"BEFORE", &CTarget::promptPosition},
        {"AFTER", &CTarget::promptPosition}, {"RECALC", &CTarget::recalc},     {"NORECALC", &CTarget::recalc},
        {"EDITABLE", &CTarget::editable},   {"READONLY", &CTarget::editable}, {"MULTIPLE", &CTarget::multiplicity},
        {"SINGLE", &CTarget::multiplicity}};
    bool matched = false;
    for (const Assigned& entry : assigned) {
      if (StartsWithNoCase(flag, entry.prefix)) {
        ((*target).*entry.field).Set(Upper(flag.substr(std::char_traits<char>::length(entry.prefix))));
        matched = true;
        break;
      }
    }
    for (const Assigned& entry : words) {
      if (matched) break;
      if (StartsWithNoCase(flag, entry.prefix)) {
        ((*target).*entry.field).Set(entry.prefix);
        matched = true;
      }
    }
  }
  // A path recorded by an earlier installation is kept.
  std::string recorded = ReadRegString(HKEY_LOCAL_MACHINE, kSetupKey, id + "dir");
  target->path = recorded.empty() ? target->defaultPath : recorded;
  target->fixed = recorded.empty() ? 0 : 1;
  setup_.targets.Append(std::move(target));
}

void DescriptionReader::ReadSetupTypes() {
  CPropError::SetSection("SetupTypes");
  ScopedLogIndent indent;
  for (int index = 0;; ++index) {
    std::string value = Read("SetupTypes", Numbered("SetupType", index));
    if (value.empty()) break;
    FieldReader fields(value);
    std::string id = Upper(fields.Next());
    if (id.empty()) Fail("Missing setup type ID");
    if (setup_.setupTypes.Find(id)) continue;
    std::string description = ExpandLineBreaks(Translated(fields.Next()));
    if (description.empty() && !IsBuiltinSetupType(id)) Fail("Missing description for setup type " + id);
    auto type = std::make_unique<CSetupType>();
    type->ID.Set(id);
    type->Description.Set(description);
    setup_.setupTypes.Append(std::move(type));
  }
}

void DescriptionReader::RegisterPassword(const std::string& value) {
  FieldReader fields(value);
  std::string id = Upper(fields.Next());
  if (id.empty()) Fail("Missing password ID");
  Collection<CPassword>& passwords = Master().passwords;
  CPassword* password = passwords.Find(id);
  bool descriptionOpen = !password || password->Description.Empty();
  if (!password) {
    auto created = std::make_unique<CPassword>();
    created->setup = &setup_;
    created->ID.Set(id);
    password = &passwords.Append(std::move(created));
  }
  while (!fields.AtEnd()) {
    std::string field = Translated(fields.Next());
    if (EqualsNoCase(field, "VERIFY")) {
      password->verify = 1;
    } else if (EqualsNoCase(field, "VERIFYSERVICELOGON")) {
      password->verifyServiceLogon = 1;
    } else if (EqualsNoCase(field, "NOVERIFY") || EqualsNoCase(field, "NOVERIFYSERVICELOGON")) {
    } else if (descriptionOpen && !field.empty()) {
      // An empty field (a trailing ";") describes nothing and keeps the description given.
      password->Description.Set(field);
    }
  }
}

void DescriptionReader::LoadFeature(CFeature& feature, const std::string& section, const CFeature* parent) {
  feature.setup = &setup_;
  std::string uninstallId = Upper(Read(section, "UninstallID"));
  feature.UninstallID.Set(!uninstallId.empty() ? uninstallId
                          : parent         ? parent->UninstallID.Raw()
                                           : ToUpper(setup_.UninstallID.Raw()));
  std::string version = Translated(Read(section, "Version"));
  feature.Version.Set(!version.empty() ? version : parent ? parent->Version.Raw() : setup_.Version.Raw());
  std::string needsFolder = Upper(Read(section, "NeedsFolder"));
  if (needsFolder.empty())
    needsFolder = parent ? parent->NeedsFolder.Raw() : setup_.NeedsFolder.UpperTranslated(setup_) == "NO" ? "NO" : "YES";
  feature.NeedsFolder.Set(needsFolder);

  CPropError::SetSection(section);
  SpendSectionRead(section);
  RequireFileName("UninstallID", uninstallId);
  feature.ID.Set(ToUpper(section));
  feature.Name.Set(Translated(Read(section, "Name")));
  if (feature.Name.Empty()) Fail("Name field is empty");
  feature.Description.Set(Translated(Read(section, "Description")));
  std::string visible = Upper(Read(section, "Visible"));
  feature.Visible.Set(visible.empty() ? "YES" : visible);
  std::string password = Read(section, "Password");
  if (!password.empty()) {
    RegisterPassword(password);
    feature.Password = Upper(FieldReader(password).Next());
  }
  feature.defaultSelection = Upper(Read(section, "Selected")) == "YES" ? 1 : 0;
  feature.selected = 0;
  feature.selectionSet = 0;
  feature.savedSelection = 0;
  feature.installed = 0;
  feature.filters.Load(setup_, section);

  LogLine(feature.ID.Raw() + " (" + feature.Name.Raw() + " " + feature.Version.Raw() + ")");
  ScopedLogIndent indent;
  ReadComponentList(feature.components, section, &feature, false);
  for (int index = 0;; ++index) {
    std::string child = Read(section, Numbered("Feature", index));
    if (child.empty()) break;
    size_t depth = 1;
    for (const CFeature* ancestor = &feature; ancestor; ancestor = ancestor->parent, ++depth) {
      if (EqualsNoCase(ancestor->ID.Raw(), child)) Fail("Section [" + child + "] includes itself");
    }
    if (depth > kMaxSectionDepth) Fail("Section [" + child + "] is nested too deeply");
    auto subfeature = std::make_unique<CFeature>();
    subfeature->parent = &feature;
    LoadFeature(*subfeature, child, &feature);
    feature.subfeatures.Append(std::move(subfeature));
    CPropError::SetSection(section);
  }
}

void DescriptionReader::ReadComponentList(std::vector<CComponentRef>& list, const std::string& section,
                                          const CFeature* feature, bool coreMain) {
  includes_.push_back(section);
  for (int index = 0;; ++index) {
    std::string value = Read(section, Numbered("Component", index));
    if (value.empty()) break;
    FieldReader fields(value);
    std::string id = Upper(fields.Next());
    std::string type = Upper(fields.Next());
    std::string flag = fields.Next();
    if (id.empty()) Fail("Missing component ID");
    if (type == "SECTION") {
      IncludeSection(list, id, feature);
      continue;
    }
    CComponent* component = FindOrCreateComponent(id, type, section);
    if (!component) continue;  // a core component left out of this run
    CComponentRef entry;
    entry.component = component;
    entry.ID.Set(id);
    entry.installDependency = EqualsNoCase(flag, "INSTALLDEPENDENCY") ? 1 : 0;
    list.push_back(entry);
  }
  if (!coreMain) {
    CComponent* implicit = FindOrCreateComponent(ToUpper(section), "DUMMY", section);
    CComponentRef entry;
    entry.component = implicit;
    entry.ID.Set(implicit->ID.Raw());
    list.push_back(entry);
    bool hasInstallShieldComponent = std::any_of(list.begin(), list.end(), [](const CComponentRef& ref) {
      return ref.component && EqualsNoCase(ref.component->type.Raw(), "IS");
    });
    unsigned long needed = 0;
    for (const CTargetNeed& need : implicit->targetNeeds) needed += need.SizeKB();
    if (!hasInstallShieldComponent && needed > 0 && !EqualsNoCase(section, "Main"))
      LogLine("*** Warning - Section [" + section + "] has Target Needs with no InstallShield Component.");
  }
  if (Read(section, "Component0").empty() && !Read(section, "Component1").empty())
    LogLine("*** Warning - Section [" + section + "] starts Component count at 1, not 0");
  if (!Read(section, "Component").empty())
    LogLine("*** Warning - Section [" + section + "] must use Component0= and not Component=.");
  includes_.pop_back();
}

void DescriptionReader::IncludeSection(std::vector<CComponentRef>& list, const std::string& section,
                                       const CFeature* feature) {
  for (const std::string& including : includes_)
    if (EqualsNoCase(including, section)) Fail("Section [" + section + "] includes itself");
  if (includes_.size() >= kMaxSectionDepth) Fail("Section [" + section + "] is nested too deeply");
  SpendSectionRead(section);
  if (Read(section, "Component0").empty()) return;
  std::vector<CComponentRef> included;
  ReadComponentList(included, section, feature, false);
  list.insert(list.end(), included.begin(), included.end());
}

CComponent* DescriptionReader::FindOrCreateComponent(const std::string& id, const std::string& type,
                                                     const std::string& section) {
  Collection<CComponent>& components = Master().components;
  if (CComponent* existing = components.Find(id)) return existing;
  auto component = std::make_unique<CComponent>();
  component->setup = &setup_;
  component->ID.Set(id);
  component->type.Set(type);
  if (type == "IS") {
    size_t slash = id.find('\\');
    if (!EqualsNoCase(id.substr(0, slash), setup_.ID.Raw()))
      Fail("InstallShield Component ID " + id + " is not prefixed with the Setup ID");
    if (slash == std::string::npos || slash + 1 == id.size())
      Fail("InstallShield Component ID is missing from " + id);
  } else if (type == "CORE") {
    // The ID names the core setup's folder below Core.
    RequireFileName("Core component ID", id);
    if (!GetParamYesNo("InstallCoreComponents", true)) return nullptr;
    component->setup = nullptr;
    LoadCoreSetup(*component);
  } else if (type == "DUMMY") {
    ReadTargetNeeds(*component, section);
  } else {
    Fail("Unrecognized component type " + type);
  }
  return &components.Append(std::move(component));
}

// A core component's setup lies beside the setup's directory or inside it.
std::string FindCoreSetupDirectory(const CSetup& setup, const std::string& id) {
  for (const std::string& base : {ParentDirectory(setup.SrcDir), setup.SrcDir}) {
    std::string directory = JoinPath(base, "Core\\" + id);
    if (FileExists(JoinPath(directory, "prop.ini"))) return directory;
  }
  return std::string();
}

void DescriptionReader::LoadCoreSetup(CComponent& component) {
  std::string directory = FindCoreSetupDirectory(setup_, component.ID.Raw());
  if (directory.empty()) throw CPropError("Unable to locate setup for Core component", setup_.PropIniFile);
  // An error inside the core setup names the core setup's file; after it loaded, errors name
  // this description again.
  std::string file = CPropError::File(), section = CPropError::Section(), item = CPropError::Item();
  auto core = std::make_unique<CSetup>();
  bool loaded = LoadMaster(*core, directory, FindParamsIniFile(directory, ""), true);
  CPropError::SetFile(file);
  CPropError::SetSection(section);
  CPropError::SetItem(item);
  if (!loaded) return;
  component.setup = core.get();
  component.coreSetup = std::move(core);
  DescriptionReader coreReader(*component.setup, component.setup->PropIniFile);
  coreReader.ReadTargetNeeds(component, "Main");
}

void DescriptionReader::ReadTargetNeeds(CComponent& component, const std::string& section) {
  for (int index = 0;; ++index) {
    std::string value = Read(section, Numbered("TargetNeed", index));
    if (value.empty()) break;
    FieldReader fields(value);
    auto need = std::make_unique<CTargetNeed>();
    need->setup = &setup_;
    need->component = &component;
    need->targetID.Set(Upper(fields.Next()));
    if (need->targetID.Empty()) Fail("Missing TARGETNEED target ID");
    std::string size = Translated(fields.Next());
    need->size.Set(size.empty() ? "0" : size);
    while (!fields.AtEnd()) {
      std::string flag = fields.Next();
      if (StartsWithNoCase(flag, "SHOW="))
        need->show.Set(Upper(flag.substr(5)));
      else if (StartsWithNoCase(flag, "EDITABLE="))
        need->editable.Set(Upper(flag.substr(9)));
      else if (StartsWithNoCase(flag, "SHOW"))
        need->show.Set("SHOW");
      else if (StartsWithNoCase(flag, "HIDE"))
        need->show.Set("HIDE");
      else if (StartsWithNoCase(flag, "EDITABLE"))
        need->editable.Set("EDITABLE");
      else if (StartsWithNoCase(flag, "READONLY"))
        need->editable.Set("READONLY");
    }
    component.targetNeeds.Append(std::move(need));
  }
}

// Resets a setup's run flags when its description has been read, however the read ended.
class RunFlagsReset {
 public:
  explicit RunFlagsReset(CSetup& setup) : setup_(setup) {}
  ~RunFlagsReset() {
    setup_.selectionsDone = 0;
    setup_.installed = 0;
    setup_.installError = 0;
  }
  RunFlagsReset(const RunFlagsReset&) = delete;
  RunFlagsReset& operator=(const RunFlagsReset&) = delete;

 private:
  CSetup& setup_;
};

// The sibling directories of the master, in name order.
std::vector<std::string> SubdirectoryNames(const std::string& parent) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  UniqueFindHandle find(FindFirstFileA(JoinPath(parent, "*.*").c_str(), &entry));
  if (!find) return names;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) names.push_back(entry.cFileName);
  } while (FindNextFileA(find.get(), &entry));
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return ToUpper(a) < ToUpper(b);
  });
  return names;
}

void LoadSubsetups(CSetup& master, const std::string& directory) {
  std::string parent = ParentDirectory(directory);
  LogLine("Searching subdirectories of " + parent + " :");
  ScopedLogIndent indent;
  for (const std::string& name : SubdirectoryNames(parent)) {
    LogLine("Subdirectory " + name + " ---");
    std::string path = JoinPath(parent, name);
    if (name[0] == '.' || EqualsNoCase(path, master.SrcDir)) continue;
    // A directory without a description is no product; nothing is staged for it.
    if (!FileExists(JoinPath(path, "prop.ini"))) continue;
    auto subsetup = std::make_unique<CSetup>();
    subsetup->ParamsFile = FindParamsIniFile(path, "");
    if (LoadDescriptionFile(*subsetup, JoinPath(path, "prop.ini"), false))
      master.subsetups.Append(std::move(subsetup));
  }
}

void MergeTargets(CSetup& master, const CSetup& subsetup) {
  ScopedLogIndent indent;
  for (const CTarget& target : subsetup.targets) {
    CTarget* merged = master.targets.Find(target.ID.Raw());
    if (!merged) {
      master.targets.Append(std::make_unique<CTarget>(target));
      continue;
    }
    std::string mine = merged->PromptPosition(), theirs = target.PromptPosition();
    bool shown = merged->Shown() || target.Shown();
    bool recalculated = merged->Recalculated() || target.Recalculated();
    bool editable = merged->Editable() && target.Editable();
    merged->show.Set(shown ? "SHOW" : "HIDE");
    merged->promptPosition.Set(mine == "BEFORE" || theirs == "BEFORE"  ? "BEFORE"
                               : mine == "AFTER" || theirs == "AFTER" ? "AFTER"
                                                                      : "DURING");
    merged->recalc.Set(recalculated ? "RECALC" : "NORECALC");
    merged->editable.Set(editable ? "EDITABLE" : "READONLY");
  }
}
}  // namespace

std::string CDMasterDescription(const std::string& cdRoot) {
  for (const char* candidate : {"prop.ini", "master\\prop.ini", "disk1\\prop.ini"}) {
    std::string path = JoinPath(cdRoot, candidate);
    if (FileExists(path)) return path;
  }
  return std::string();
}

bool LoadsSubsetups(const CSetup& setup) {
  return EqualsNoCase(ReadIniString(setup.PropIniFile, "Main", "LoadSubsetups"), "YES");
}

bool LoadDescriptionFile(CSetup& setup, const std::string& file, bool core) {
  if (!FileExists(file)) return false;
  if (!ValidateFile(file)) throw CPropError("Validation Code failure", file);
  RunFlagsReset resetFlags(setup);
  setup.SrcDir = StripTrailingBackslashes(DirectoryOf(file));
  LogLine("Load setup from " + file + (core ? " (core component)" : ""));
  ScopedLogIndent indent;
  EnterFile(file);
  setup.PropIniFile = file;

  DescriptionReader reader(setup, file);
  reader.ReadMain();
  reader.ReadTargets();
  if (core) {
    ScopedLogIndent listIndent;
    reader.ReadCoreComponentList();
  } else {
    reader.ReadSetupTypes();
    if (!ReadIniString(file, "Main", "RootFeature").empty())
      reader.LoadFeature(setup.rootFeature, setup.ID.Raw(), nullptr);
  }
  // What was read of the file goes before the next file is read, so that a large suite never
  // holds all its files at once.
  ForgetIniFile(file);
  return true;
}

void MergeSubsetups(CSetup& master) {
  for (const CSetup& subsetup : master.subsetups) MergeTargets(master, subsetup);
  for (const CSetup& subsetup : master.subsetups) {
    for (const CSetupType& type : subsetup.setupTypes)
      if (!master.setupTypes.Find(type.ID.Raw())) master.setupTypes.Append(std::make_unique<CSetupType>(type));
  }
  for (const CSetup& subsetup : master.subsetups) {
    // A setup without a root feature has no tree to contribute.
    if (subsetup.rootFeature.ID.Empty()) continue;
    if (subsetup.SkipRoot.UpperTranslated(subsetup) == "YES") {
      for (const CFeature& feature : subsetup.rootFeature.subfeatures)
        master.rootFeature.subfeatures.Append(std::make_unique<CFeature>(feature));
    } else {
      master.rootFeature.subfeatures.Append(std::make_unique<CFeature>(subsetup.rootFeature));
    }
  }
  master.rootFeature.parent = nullptr;
  master.rootFeature.LinkChildren();
}

bool LoadMaster(CSetup& setup, const std::string& directory, const std::string& paramsFile, bool core) {
  SectionBudgetScope budget;
  // Every description is read section by section while the master loads.
  ScopedIniCache readSections;
  setup.SrcDir = StripTrailingBackslashes(directory);
  setup.ParamsFile = paramsFile;
  setup.NotifyCoreInstall = YesByAnyLetter(ReadIniString(paramsFile, "Main", "NotifyCoreInstall")) ? 1 : 0;
  if (!LoadDescriptionFile(setup, JoinPath(setup.SrcDir, "prop.ini"), core)) return false;
  setup.currentCD = Master().cds.Find(setup.CD.Raw());
  setup.currentCDRoot = directory;
  bool withSubsetups = LoadsSubsetups(setup);
  if (withSubsetups) LoadSubsetups(setup, directory);
  setup.firstInstall = RegKeyExists(HKEY_LOCAL_MACHINE, kSetupKey) ? 0 : 1;
  MergeSubsetups(setup);
  ResolveTargets(setup.targets);
  {
    ScopedLogIndent indent;
    CheckSetup(setup, false, core);
  }
  if (!core) {
    setup.rootFeature.LinkChildren();
    if (withSubsetups) {
      DetectInstalled(setup);
      // A first install of these products starts with nothing selected below the root.
      if (setup.firstInstallOfTheseProducts)
        for (CFeature& product : setup.rootFeature.subfeatures) product.defaultSelection = 0;
    }
  }
  return true;
}

void LoadSetupData(const std::string& paramsFile) {
  std::string engineDirectory = EngineDirectory();
  std::string description = JoinPath(engineDirectory, "prop.ini");
  SetDescriptionInForce(description);
  SetParamsFileInForce(paramsFile);
  SetLogPath(ReadIniString(paramsFile, "Main", "AppendToLog"));
  OpenLogFile();
  // A line per setup and feature, then the dump: they reach the file together, also when the
  // load fails.
  ScopedLogBatch batch;
  LogLine("");
  LogLine(kSeparator);
  LogLine("\t\t\t\tLOAD SETUP DATA :");
  LogLine(kSeparator);
  if (!FileExists(description)) throw CPropError("Configuration file not found", description);
  bool core = YesByAnyLetter(GetParam("Core"));
  CSetup& master = Master();
  LoadMaster(master, engineDirectory, paramsFile, core);
  LogLine(kSeparator);
  LogLine(kSeparator);
  LogLine("\t\tSETUP DATA FOR " + master.IdText() + " :");
  LogLine(kSeparator);
  DumpSetup(master, 10);
  LogLine(kSeparator);
  CloseLogFile();
}

void VerifySetupOnCD(const CSetup& setup, const std::string& directory) {
  if (!FileExists(setup.PropIniFile))
    throw CMyError("The properties file for " + setup.Name.Translated(setup) + " is missing from this CD.");
  auto mustExist = [](const std::string& path) {
    if (!FileExists(path)) throw CMyError("Setup is unable to locate " + path + " on this CD.");
  };
  if (!setup.SetupDLL.empty()) mustExist(JoinPath(directory, setup.SetupDLL));
  const CSetupCD* current = Master().currentCD;
  if (!EqualsNoCase(setup.CD.Translated(setup), current ? current->ID.Raw() : std::string())) return;
  if (StartsSetupProgram(setup.installKind)) {
    mustExist(JoinPath(directory, setup.SetupExe.Translated(setup)));
  } else if (setup.installKind == InstallKind::InstallationLibrary) {
    mustExist(JoinPath(directory, setup.InfFile.Translated(setup)));
    mustExist(JoinPath(directory, setup.InfDLL.Translated(setup)));
  }
  std::string setupIni = JoinPath(directory, "setup.ini");
  if (!FileExists(setupIni)) return;
  std::string mifName = ReadIniString(setupIni, "Mif", "Filename");
  if (mifName.empty()) mifName = ReadIniString(setupIni, "Startup", "AppName");
  if (mifName.empty()) mifName = "Status";
  mifName = Trim(mifName);
  if (mifName.find(' ') != std::string::npos && mifName[0] != '"')
    throw CMyError("Illegal MIF File name " + mifName + " in " + setupIni);
  std::string described = ReadIniString(setup.PropIniFile, "Main", "MifName");
  if (described.empty()) described = ReadIniString(setup.PropIniFile, "Main", "MifID");
  if (!EqualsNoCase(mifName, described))
    LogLine("*** Warning - MIF File name mismatch between " + setupIni + " and " + setup.PropIniFile);
}

bool GetPropYesNo(const std::string& key, bool defaultValue) {
  return YesByThreeWayRule(ReadIniString(Master().PropIniFile, "Main", key), defaultValue);
}
