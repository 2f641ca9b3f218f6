#pragma once
// The setup model: the master setup, its subsetups and core-component setups, and the
// features, components, targets, target needs, passwords, CDs and setup types they declare.
// One model per loaded engine, reached through SetupData.
#include <memory>
#include <string>
#include <vector>

#include "filters/FilterList.h"
#include "model/Collection.h"
#include "model/InstallKind.h"

class CSetup;

// A text field that may still hold keywords (a name between percent signs). It keeps the text
// as loaded; readers translate it through the record's setup.
class CKeywordString {
 public:
  CKeywordString() = default;
  CKeywordString(std::string text) : text_(std::move(text)) {}  // NOLINT: a text is a keyword text
  const std::string& Raw() const { return text_; }
  void Set(std::string text) { text_ = std::move(text); }
  bool Empty() const { return text_.empty(); }
  // Translated through `setup`; with force every keyword is replaced (use time).
  std::string Translated(const CSetup& setup, bool force = true) const;
  // Translated with force and upper-cased.
  std::string UpperTranslated(const CSetup& setup) const;

 private:
  std::string text_;
};

class CComponent;

class CComponentRef {
 public:
  CComponent* component = nullptr;  // not owned
  CKeywordString ID;
  int installDependency = 0;
};

class CTargetNeed {
 public:
  CSetup* setup = nullptr;
  CComponent* component = nullptr;  // the owning component
  CKeywordString targetID;
  CKeywordString size{"0"};
  CKeywordString show{"DEFAULTSHOW"};
  CKeywordString editable{"DEFAULTEDITABLE"};

  bool Shown() const;
  bool Editable() const;
  // The size in kilobytes: the size text translated with force, as a whole number.
  unsigned long SizeKB() const;
};

class CComponent {
 public:
  CSetup* setup = nullptr;  // the declaring setup; for "CORE", its own setup (owned below)
  CKeywordString ID;
  CKeywordString type;
  Collection<CTargetNeed> targetNeeds;
  int selected = 0;
  int installed = 0;
  std::unique_ptr<CSetup> coreSetup;  // owns `setup` for a "CORE" component

  bool IsCore() const;
};

class CFeature {
 public:
  CFeature() = default;
  // Deep copy: subfeatures, component references, filter list and error list are copied.
  CFeature(const CFeature& other);
  CFeature& operator=(const CFeature&) = delete;

  CSetup* setup = nullptr;
  CFeature* parent = nullptr;
  CKeywordString ID;
  CKeywordString Name;
  CKeywordString Description;
  CKeywordString Visible{"YES"};
  CKeywordString UninstallID;
  CKeywordString Version;
  CKeywordString NeedsFolder;
  std::string Password;
  int defaultSelection = 0;
  Collection<CFeature> subfeatures;
  std::vector<CComponentRef> components;
  CFilterList filters;
  DependencyErrorList dependencyErrors;
  int selected = 0;
  int selectionSet = 0;
  int savedSelection = 0;
  int installed = 0;
  // Set when a preset of the parameters file decided the selection; the default rules keep it.
  int fixedSelection = 0;

  // Sets the parent links of this feature's whole subtree from its shape.
  void LinkChildren();
};

class CTarget {
 public:
  CSetup* setup = nullptr;
  CKeywordString ID;
  CKeywordString Name;
  std::string defaultPath;
  CKeywordString Description;
  CKeywordString show{"SHOW"};
  CKeywordString promptPosition{"DURING"};
  CKeywordString recalc{"RECALC"};
  CKeywordString editable{"EDITABLE"};
  CKeywordString multiplicity{"SINGLE"};
  int fixed = 0;
  int customised = 0;
  std::string path;

  bool Shown() const;
  std::string PromptPosition() const;
  bool Recalculated() const;
  bool Editable() const;
  bool Multiple() const;
};

class CPassword {
 public:
  CSetup* setup = nullptr;
  CKeywordString ID;
  CKeywordString Description;
  int verify = 0;
  int verifyServiceLogon = 0;
  std::string userName;
  std::string password;
  int needed = 0;

  // Takes the answers from the parameters file, then the registry, while the user name is empty.
  void PrepareDefaultUser();
};

class CSetupCD {
 public:
  CKeywordString ID;
  CKeywordString Description;
};

class CSetupType {
 public:
  CKeywordString ID;
  CKeywordString Description;
};

class CSetup {
 public:
  CSetup();
  ~CSetup();
  CSetup(const CSetup&) = delete;
  CSetup& operator=(const CSetup&) = delete;

  CSetup* setup = this;
  std::string PropIniFile;
  std::string SetupDLL;
  CKeywordString ID;
  CKeywordString Name;
  CKeywordString Version;
  CKeywordString UninstallID;
  CKeywordString CD;
  CKeywordString SetupCmdLine;
  CKeywordString WindowName;
  CKeywordString WindowClass;
  CKeywordString InfDLL;
  CKeywordString InfFile;
  CKeywordString SetupExe;
  CKeywordString MifName;
  CKeywordString InstallType;
  // The install type as parsed when the description was loaded.
  InstallKind installKind = InstallKind::None;
  CKeywordString OS;
  CKeywordString SkipRoot{"NO"};
  CKeywordString NeedsFolder{"YES"};
  CFeature rootFeature;
  Collection<CTarget> targets;
  Collection<CSetupType> setupTypes;
  std::vector<CComponentRef> coreComponentList;

  std::string SrcDir;
  std::string ParamsFile;
  int NotifyCoreInstall = 0;
  // Owned by the master: components of every setup, subsetups, passwords, CDs.
  Collection<CComponent> components;
  Collection<CSetup> subsetups;
  Collection<CPassword> passwords;
  Collection<CSetupCD> cds;
  std::string programFolder;
  std::string serverName;
  int selectionsDone = 0;
  int firstInstallOfTheseProducts = 0;
  int firstInstall = 0;
  CSetupCD* currentCD = nullptr;
  std::string currentCDRoot;
  int installed = 0;
  int installError = 0;
  // The chosen computer configuration type (setup type page).
  std::string setupType;
  // Set when the setup type page answers with another type; the feature page reacts to it.
  int setupTypeChanged = 0;
  // Set when the framework server pages were shown in this run.
  int serverPagesShown = 0;
  int serverActive = 0;
  int serverAdvanced = 0;

  // The ID translated with force and upper-cased.
  std::string IdText() const;
  bool IsMaster() const;
};

// The process-wide model: the master setup. Created empty when the engine is loaded.
extern CSetup* SetupData;
// The master of the model in use.
CSetup& Master();
// Creates the empty model (at engine start); replaces an earlier one (tests in one process).
void CreateSetupData();
// Cleans up and frees the model.
void DestroySetupData();
