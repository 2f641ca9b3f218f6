#include "model/SetupDump.h"

#include <string>

#include "engine/Log.h"
#include "engine/Text.h"
#include "filters/FilterList.h"
#include "model/FeatureTree.h"
#include "model/Model.h"
#include "model/Selection.h"

namespace {
const std::string kDashLine(37, '-');

std::string CDOf(const CSetup& setup) { return setup.CD.UpperTranslated(setup); }

void DumpIdentification(const CSetup& setup) {
  LogLine("Properties :");
  ScopedLogIndent properties;
  LogLine("Identification -");
  {
    ScopedLogIndent block;
    LogLine("Name =        " + setup.Name.Raw());
    LogLine("Version =     " + setup.Version.Raw());
    LogLine("PropIniFile = " + setup.PropIniFile);
    LogLine("CD =          " + setup.CD.Raw());
    LogLine("UninstallID = " + setup.UninstallID.Raw());
    LogLine("SetupDLL =    " + setup.SetupDLL);
  }
  LogLine("Product properties -");
  {
    ScopedLogIndent block;
    LogLine("Allowed OS's =" + setup.OS.Raw());
    LogLine("Skip Root =   " + setup.SkipRoot.Raw());
    LogLine("Needs Folder =" + setup.NeedsFolder.Raw());
  }
  LogLine("Launching paramaters -");
  ScopedLogIndent block;
  LogLine("Install Type =" + setup.InstallType.Raw());
  if (StartsSetupProgram(setup.installKind)) {
    LogLine("SetupExe =    " + setup.SetupExe.Raw());
    LogLine("Window Name = " + setup.WindowName.Raw());
    LogLine("Window Class =" + setup.WindowClass.Raw());
    LogLine("Setup Cmdline=" + setup.SetupCmdLine.Raw());
  } else if (setup.installKind == InstallKind::InstallationLibrary) {
    LogLine("InfFile =     " + setup.InfFile.Raw());
    LogLine("InfDLL =      " + setup.InfDLL.Raw());
  }
  LogLine("MifName =     " + setup.MifName.Raw());
}

void DumpCD(const CSetupCD& cd, int level) {
  CSetup& master = Master();
  LogLine(cd.ID.Raw() + " \"" + cd.Description.Raw() + "\"");
  ScopedLogIndent entry;
  LogLine("Setups on this CD :");
  {
    ScopedLogIndent setups;
    if (EqualsNoCase(CDOf(master), cd.ID.Raw())) LogLine(master.IdText() + " (Master Setup)");
    for (const CSetup& subsetup : master.subsetups) {
      if (!EqualsNoCase(CDOf(subsetup), cd.ID.Raw())) continue;
      bool needsInstall = SetupNeedsInstall(subsetup);
      if (needsInstall)
        LogLine(subsetup.IdText() + " (needs install)");
      else if (level >= 1)
        LogLine(subsetup.IdText());
    }
  }
  LogLine("Core Components on this CD :");
  ScopedLogIndent cores;
  for (const CComponent& component : master.components) {
    if (!component.IsCore() || !component.setup || !EqualsNoCase(CDOf(*component.setup), cd.ID.Raw())) continue;
    LogLine(component.ID.Raw() + (component.selected ? " (needs install)" : ""));
  }
}

void DumpTarget(const CTarget& target, int level) {
  LogLine(target.ID.Raw() + " (" + target.defaultPath + ") = " + target.path);
  if (level < 3) return;
  ScopedLogIndent properties;
  LogLine("Properties = " + target.show.Raw() + "; " + target.promptPosition.Raw() + "; " + target.recalc.Raw() + "; " +
          target.editable.Raw() + "; " + target.multiplicity.Raw());
}

void DumpComponentList(const std::vector<CComponentRef>& list) {
  LogLine("Component IDs :");
  ScopedLogIndent entries;
  for (const CComponentRef& entry : list)
    LogLine(entry.ID.Raw() + (entry.installDependency ? " (install-time dependency)" : ""));
}

// The state word as the flags the log shows, "HIDDEN; DISABLED" and so on.
std::string StateFlags(unsigned word) {
  static const struct {
    unsigned bit;
    const char* text;
  } flags[] = {{kStateHidden, "HIDDEN; "},     {kStateDisabled, "DISABLED; "},  {kStateGreyed, "GREYED; "},
               {kStateNotForNT, "NTNG; "},     {kStateNotFor98, "98NG; "},      {kStateNotFor95, "95NG; "},
               {kStateNotForThisOS, "OSNG; "}, {kStateInstalled, "INSTALLED; "}};
  std::string joined;
  for (const auto& flag : flags)
    if (word & flag.bit) joined += flag.text;
  if (joined.size() >= 2) joined.resize(joined.size() - 2);
  return joined;
}

void DumpFeature(CFeature& feature, int level);

void DumpSubfeatures(CFeature& feature, int level) {
  if (feature.subfeatures.Empty()) return;
  LogLine("Subfeatures :");
  ScopedLogIndent entries;
  for (CFeature& subfeature : feature.subfeatures) DumpFeature(subfeature, level);
}

void DumpFeatureProperties(CFeature& feature, int level) {
  {
    LogLine("Properties :");
    ScopedLogIndent properties;
    if (!feature.UninstallID.Empty()) LogLine("UninstallID = " + feature.UninstallID.Raw());
    if (!feature.Password.empty()) LogLine("PasswordID = " + feature.Password);
    std::string flags = StateFlags(FeatureStateWord(feature));
    if (!flags.empty()) LogLine("Feature UI = " + flags);
  }
  if (!feature.components.empty()) DumpComponentList(feature.components);
  feature.filters.Dump(level);
}

// The loader bounds the depth of a feature tree, and with it the depth of this walk.
void DumpFeature(CFeature& feature, int level) {
  if (level == 0 && !feature.selected) {
    ScopedLogIndent deeper;
    DumpSubfeatures(feature, level);
    return;
  }
  LogLine(feature.ID.Raw() + " (" + feature.Name.Raw() + ";" + feature.Version.Raw() + ") - " +
          (feature.selected ? "Selected" : "not Selected"));
  ScopedLogIndent entry;
  if (level >= 4) DumpFeatureProperties(feature, level);
  DumpSubfeatures(feature, level);
}

void DumpTargetNeeds(const CComponent& component) {
  if (component.targetNeeds.Empty()) return;
  LogLine("Target Needs :");
  ScopedLogIndent entries;
  for (const CTargetNeed& need : component.targetNeeds) {
    const std::string& show = need.show.Raw();
    const std::string& editable = need.editable.Raw();
    std::string showText = EqualsNoCase(show, "SHOW") ? "SHOW" : EqualsNoCase(show, "HIDE") ? "HIDE" : "";
    std::string editableText = EqualsNoCase(editable, "EDITABLE")   ? "EDITABLE"
                               : EqualsNoCase(editable, "READONLY") ? "READONLY"
                                                                    : "";
    LogLine(need.targetID.Raw() + " (" + need.size.Raw() + " K) " + showText + " " + editableText);
  }
}

void DumpComponent(const CComponent& component, int level) {
  if (component.setup)
    LogLine(component.ID.Raw() + " (" + component.type.Raw() + ")" + (component.selected ? " - Selected" : "") +
            " (Setup = " + component.setup->IdText() + ")");
  ScopedLogIndent needs;
  if (level >= 4) DumpTargetNeeds(component);
}

void DumpPassword(const CPassword& password) {
  // The log lies in the temporary directory: a password never goes into it in clear.
  if (password.needed)
    LogLine(password.ID.Raw() + " - " + password.userName + "/" + MaskedPassword(password.password));
  else
    LogLine(password.ID.Raw());
}

void DumpCoreComponents(const CSetup& setup) {
  bool any = false;
  for (const CComponent& component : setup.components) any = any || component.IsCore();
  if (!any) return;
  LogLine("Core Components :");
  ScopedLogIndent entries;
  for (const CComponent& component : setup.components) {
    if (!component.IsCore()) continue;
    if (component.setup)
      LogLine(component.ID.Raw() + " (Setup = " + component.setup->IdText() + " on CD " + CDOf(*component.setup) + ")");
    else
      LogLine(component.ID.Raw() + " (no setup)");
  }
}

void DumpOneSetup(CSetup& setup, int level) {
  CFeature& root = setup.rootFeature;
  bool hasRoot = !root.ID.Empty();
  if (level == 0 && hasRoot && !root.selected) return;
  LogLine(kDashLine);
  LogLine("SETUP " + setup.IdText() + " :");
  LogLine(kDashLine);
  {
    ScopedLogIndent body;
    LogLine("SrcDir =      " + setup.SrcDir);
    if (hasRoot && root.selected) LogLine("(SELECTED)");
    if (level >= 3) DumpIdentification(setup);
    if (!setup.cds.Empty()) {
      LogLine("CDs :");
      ScopedLogIndent entries;
      for (const CSetupCD& cd : setup.cds) DumpCD(cd, level);
    }
    if (level >= 2 && !setup.targets.Empty()) {
      LogLine("Targets :");
      ScopedLogIndent entries;
      for (const CTarget& target : setup.targets) DumpTarget(target, level);
    }
    if (hasRoot) {
      LogLine("FEATURES :");
      {
        ScopedLogIndent entries;
        DumpFeature(root, level);
      }
      LogLine("");
    }
    if (level >= 2 && !setup.components.Empty()) {
      LogLine("Components :");
      ScopedLogIndent entries;
      for (const CComponent& component : setup.components) DumpComponent(component, level);
    }
    if (level >= 4 && !setup.coreComponentList.empty()) DumpComponentList(setup.coreComponentList);
    if (level >= 6 && !setup.passwords.Empty()) {
      MarkNeededPasswords(Master());
      LogLine("Passwords :");
      ScopedLogIndent entries;
      for (const CPassword& password : setup.passwords) DumpPassword(password);
    }
    if (!setup.subsetups.Empty()) {
      LogLine("Subsetups :");
      ScopedLogIndent entries;
      for (CSetup& subsetup : setup.subsetups) DumpOneSetup(subsetup, level);
    }
    DumpCoreComponents(setup);
    LogLine(kDashLine);
  }
  LogLine("");
}
}  // namespace

void DumpSetup(CSetup& setup, int level) {
  // State words and install needs look features up by ID, for every feature of the tree.
  ScopedFeatureIndex index(Master().rootFeature);
  ScopedLogBatch batch;
  DumpOneSetup(setup, level);
}
