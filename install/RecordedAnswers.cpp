#include "install/RecordedAnswers.h"

#include <vector>

#include "engine/Log.h"
#include "engine/Paths.h"
#include "install/Answers.h"
#include "model/Model.h"

namespace {
void AddLine(std::string& text, const std::string& key, const std::string& value) {
  text += key + "=" + value + "\r\n";
}

void AddAll(std::string& text, const std::vector<ParamAnswer>& answers) {
  for (const ParamAnswer& answer : answers) AddLine(text, answer.key, answer.value);
}

// What an administrator reads instead of the passwords: which accounts the replay needs.
void AddPasswordNotice(std::string& text, const std::vector<ParamAnswer>& passwords) {
  if (passwords.empty()) return;
  text +=
      "; Passwords were not recorded. Before the replay, add one line per account, numbered from 0:\r\n"
      ";   Password<n>=ACCOUNT;USER NAME;PASSWORD\r\n"
      "; for these accounts:\r\n";
  for (const ParamAnswer& password : passwords) {
    std::string value = password.value;
    size_t userEnd = value.find(';', value.find(';') + 1);
    text += ";   " + value.substr(0, userEnd) + ";\r\n";
  }
}
}  // namespace

bool RecordAnswers(const std::string& path, bool withPasswords) {
  CSetup& master = Master();
  std::string text =
      "; Answers recorded by Corvant Setup for " + master.IdText() + ". Replay them unattended with\r\n"
      ";   TessaroSetup.exe config=\"" + path + "\"\r\n"
      "[Main]\r\n";
  AddLine(text, "Unattended", "YES");
  AddLine(text, "MessageLevel", "NONE");
  if (!LogPath().empty()) AddLine(text, "AppendToLog", LogPath());
  AddLine(text, "SetupType", master.setupType);
  AddLine(text, "Folder", master.programFolder);
  AddLine(text, "Server", master.serverName);
  AddLine(text, "ServerActive", master.serverActive ? "1" : "0");
  AddAll(text, FeatureAnswers(master, true));
  std::vector<ParamAnswer> passwords = PasswordAnswers(master);
  if (withPasswords)
    AddAll(text, passwords);
  else
    AddPasswordNotice(text, passwords);
  text += "[Targets]\r\n";
  AddAll(text, TargetAnswers(master, true));
  if (!ReplaceFileWhole(path, text)) return false;
  LogLine("Answers recorded in " + path);
  return true;
}
