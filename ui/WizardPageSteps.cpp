#include "ui/WizardPageSteps.h"

#include <fstream>

#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/Paths.h"
#include "engine/StepResult.h"
#include "engine/Text.h"
#include "install/DiskSpace.h"
#include "install/SystemIntegration.h"
#include "model/Model.h"
#include "state/Detection.h"
#include "ui/PageHost.h"

namespace {
constexpr size_t kAgreementLineLength = 255;
const std::string kListIndent = "   ";

void ListSelectedFeatures(const CSetup& master, const CFeature& feature, int depth, std::vector<std::string>& lines) {
  for (const CFeature& sub : feature.subfeatures) {
    if (sub.selected) lines.push_back(std::string(kListIndent.size() * depth, ' ') + sub.Name.Translated(master));
    ListSelectedFeatures(master, sub, depth + 1, lines);
  }
}

bool SelectedCore(const CComponent& component) { return component.IsCore() && component.selected; }
}  // namespace

std::string WelcomeText(const std::string& suiteName) {
  std::string products = EqualsNoCase(suiteName, "Corvant") ? " products" : "";
  return "Welcome to the " + suiteName + " Setup program.  This program will install " + suiteName + products +
         " on your computer.";
}

std::string FinishedText(const std::string& suiteName) {
  return "Setup has finished installing " + suiteName + " on your computer.";
}

std::vector<std::string> SummaryLines(CSetup& master) {
  std::vector<std::string> lines;
  if (master.setupTypes.Count() > 1) {
    lines.push_back("Computer type :");
    lines.push_back(kListIndent + master.setupType);
    lines.push_back("");
  }
  lines.push_back("Features selected :");
  ListSelectedFeatures(master, master.rootFeature, 1, lines);
  bool anyCore = false;
  for (const CComponent& component : master.components) anyCore = anyCore || SelectedCore(component);
  if (anyCore) {
    lines.push_back("");
    lines.push_back("Core Components selected :");
    for (const CComponent& component : master.components)
      if (SelectedCore(component)) lines.push_back(kListIndent + component.ID.Raw());
  }
  lines.push_back("");
  lines.push_back("Target Directories :");
  for (const CTarget& target : master.targets)
    if (target.Shown()) lines.push_back(kListIndent + target.Name.Translated(master) + "\t" + target.path);
  if (!master.programFolder.empty()) {
    lines.push_back("");
    lines.push_back("Program Folder :");
    lines.push_back(kListIndent + master.programFolder);
  }
  if (!master.serverName.empty() || master.serverActive) {
    lines.push_back("");
    if (!master.serverName.empty()) {
      lines.push_back("Corva Framework Server :");
      lines.push_back("    " + master.serverName);
    }
    lines.push_back("Corva Framework Server Configuration :");
    lines.push_back(master.serverActive ? "    Enabled" : "    Configure later");
  }
  for (const std::string& line : lines) LogLine(line);
  return lines;
}

std::vector<std::string> ReadAgreementLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    std::string text;
    for (char c : line)
      if (c != '\r') text += c;
    // A long line is listed in pieces, as a line buffer of fixed size reads it.
    do {
      lines.push_back(text.substr(0, kAgreementLineLength));
      text.erase(0, std::min(text.size(), kAgreementLineLength));
    } while (!text.empty());
  }
  return lines;
}

int RunWelcomeStep(int direction) {
  // An unattended run has nobody to greet; the page would hold it up.
  if (PageBypassed({"EnableWelcomeDlg", true})) {
    LogLine("Bypass dialog");
    return kStepNext;
  }
  CSetup& master = Master();
  if (Pages().WelcomePage(WelcomeText(master.Name.Translated(master))) == PageEnd::Next) return kStepNext;
  LogLine("User cancelled");
  return kStepStop;
}

int RunUninstallCheckStep(int direction) {
  CSetup& master = Master();
  AddRemoveChoice answer = AddRemoveChoice::Install;
  if (PageBypassed({"EnableUninstallCheckDlg"}) || !AnyInstalled(master.rootFeature))
    LogLine("Bypass dialog");
  else
    answer = Pages().AddRemovePage();
  if (answer == AddRemoveChoice::Install)
    LogLine("Option selected = Install/Reinstall");
  else if (answer == AddRemoveChoice::Uninstall)
    LogLine("Option selected = Uninstall");
  else
    LogLine("User cancelled");
  return static_cast<int>(answer);
}

int RunLicenseStep(int direction) {
  // An unattended run first learns whether there is an agreement at all.
  const PageRule page{"EnableLicenseDlg", true};
  PageRule attended = page;
  attended.unattendedBypasses = false;
  if (PageBypassed(attended)) {
    LogLine("Bypass dialog");
    return BypassResult(direction);
  }
  std::string path = JoinPath(Master().SrcDir, "license.txt");
  if (!FileExists(path)) {
    LogLine("License File not found - bypass dialog");
    return BypassResult(direction);
  }
  if (PageBypassed(page)) {
    LogLine("Bypass dialog");
    return BypassResult(direction);
  }
  std::vector<std::string> lines = ReadAgreementLines(path);
  LogLine("Display file " + path);
  return StepResultOf(Pages().LicensePage(lines));
}

int RunSummaryStep(int direction) {
  if (PageBypassed({"EnableShowSummaryDlg", true})) {
    LogLine("Bypass dialog");
    return BypassResult(direction);
  }
  CSetup& master = Master();
  SummaryAnswer answer = Pages().SummaryPage(SummaryLines(master));
  if (answer.end == PageEnd::Next) {
    if (answer.forceCoreComponents)
      CheckDiskSpace(master, true);
    else
      UnselectInstalledCoreComponents(master);
  }
  return StepResultOf(answer.end);
}

int RunFinalStep(int direction) {
  if (PageBypassed({"EnableFinalDlg", true})) {
    LogLine("Bypass dialog");
    return kStepNext;
  }
  CSetup& master = Master();
  bool restartOffered = IsRebootScheduled();
  FinalAnswer answer = Pages().FinalPage(master.Name.Translated(master), restartOffered);
  return restartOffered && answer.end == PageEnd::Next && answer.restartNow ? kStepNext : kStepStop;
}
