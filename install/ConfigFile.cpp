#include "install/ConfigFile.h"

#include <string>

#include "engine/Log.h"
#include "engine/Params.h"
#include "install/Answers.h"
#include "model/Model.h"

namespace {
constexpr const char kMain[] = "Main";
// The ConfigIni key list is read in one piece.
constexpr size_t kConfigIniKeyListSize = 500;

class ConfigWriter {
 public:
  ConfigWriter(const std::string& target, const std::string& propIni) : target_(target), source_(propIni) {}

  // A page switch of the product's description: three-way rule, default no.
  bool SourceSays(const char* key) const { return YesByThreeWayRule(ReadIniString(source_, kMain, key), false); }
  void Write(const std::string& key, const std::string& value) const { WriteTo(kMain, key, value); }
  void WriteYesNo(const std::string& key, bool yes) const { Write(key, yes ? "YES" : "NO"); }
  // A page the product shows only when its description enables it.
  void WriteSwitchWhenYes(const char* key) const {
    if (SourceSays(key)) WriteYesNo(key, true);
  }
  // A page that the product shows, or else answers from what this run chose.
  template <typename Answers>
  void WriteSwitchOrAnswers(const char* key, Answers&& answers) const {
    if (SourceSays(key))
      WriteYesNo(key, true);
    else
      answers();
  }

  void WriteAll(const char* section, const std::vector<ParamAnswer>& answers) const {
    for (const ParamAnswer& answer : answers) WriteTo(section, answer.key, answer.value);
  }

  void CopyConfigIniSection() const {
    for (const std::string& key : ReadIniKeyNames(source_, "ConfigIni", kConfigIniKeyListSize))
      Write(key, ReadIniString(source_, "ConfigIni", key));
  }

  // Every key was written (a key that was not is in the log).
  bool Complete() const { return complete_; }

 private:
  void WriteTo(const char* section, const std::string& key, const std::string& value) const {
    if (!WriteIniString(target_, section, key, value)) complete_ = false;
  }

  std::string target_;
  std::string source_;
  mutable bool complete_ = true;
};
}  // namespace

bool WriteConfigFile(const std::string& target, const std::string& propIni, bool core) {
  CSetup& master = Master();
  ConfigWriter config(target, propIni);
  config.WriteAll("Targets", TargetAnswers(master, false));
  config.WriteYesNo("EnableBackground", config.SourceSays("EnableBackground"));
  config.WriteSwitchWhenYes("EnableWelcomeDlg");
  config.WriteSwitchWhenYes("EnableLicenseDlg");
  config.WriteSwitchWhenYes("EnableShowSummaryDlg");
  config.WriteSwitchWhenYes("EnableFinalDlg");
  config.WriteSwitchWhenYes("EnableUninstallCheck");
  config.WriteSwitchOrAnswers("EnableSetupTypeDlg", [&] { config.Write("SetupType", master.setupType); });
  config.WriteSwitchOrAnswers("EnableGetFolderDlg", [&] { config.Write("Folder", master.programFolder); });
  config.WriteSwitchOrAnswers("EnableNEXOSetup", [&] {
    config.Write("Server", master.serverName);
    config.Write("ServerActive", master.serverActive ? "1" : "0");
  });
  config.WriteSwitchOrAnswers("EnableGetSelectionsDlg", [&] { config.WriteAll(kMain, FeatureAnswers(master, false)); });
  config.WriteSwitchOrAnswers("EnableGetPasswordDlg", [&] { config.WriteAll(kMain, PasswordAnswers(master)); });

  config.WriteYesNo("EnableReboot", false);
  config.WriteYesNo("InstallCoreComponents", false);
  config.Write("AppendToLog", LogPath());
  config.WriteYesNo("LogUninstall", false);
  config.Write("MessageLevel", "SOME");
  config.WriteYesNo("Unattended", true);
  config.WriteYesNo("IgnorePendingReboot", true);
  config.WriteYesNo("SyntaxCheck", false);
  config.WriteYesNo("Core", core);
  if (master.NotifyCoreInstall) config.WriteYesNo("NotifyCoreInstall", true);
  config.CopyConfigIniSection();
  return config.Complete();
}
