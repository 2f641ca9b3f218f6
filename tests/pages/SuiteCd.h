#pragma once
// A product CD for the page steps: a master description with two features, two targets of its
// own, two setup types and a service account, in a scratch folder with its parameters files.
#include <string>
#include <vector>

#include "engine/Paths.h"
#include "support/TestSupport.h"

namespace pages_tests {

inline const char kSuiteDescription[] =
    "[Main]\r\nName=Corvant\r\nRootFeature=SUITE\r\nInstallType=ISINSTALL\r\n"
    "[Targets]\r\n"
    "Target0=APPDIR;Applications;%CORVAROOT%\\App;Setup will install the applications here.\r\n"
    "Target1=DATADIR;Data;%APPDIR%\\Data;Setup will keep the data here.\r\n"
    "[SetupTypes]\r\nSetupType0=STANDARD;\r\nSetupType1=SERVER;\r\n"
    "[SUITE]\r\nName=Corvant Suite\r\nFeature0=WRITER\r\nFeature1=CALC\r\n"
    "[WRITER]\r\nName=Writer\r\nSelected=YES\r\nComponent0=SUITE\\WRITER;IS\r\nTargetNeed0=APPDIR;100\r\n"
    "[CALC]\r\nName=Calc\r\nPassword=CALCSVC;Calc service account\r\nComponent0=SUITE\\CALC;IS\r\n"
    "TargetNeed0=DATADIR;50\r\n";

class SuiteCd {
 public:
  explicit SuiteCd(const std::string& description = kSuiteDescription) {
    testing_support::WritePropIni(MasterFile(), description);
  }
  std::string MasterDir() const { return dir_ / "master"; }
  std::string MasterFile() const { return JoinPath(MasterDir(), "prop.ini"); }
  std::string LogPath() const { return dir_ / "setup.log"; }
  std::string Path(const std::string& name) const { return dir_ / name; }

  // A parameters file under a new name (the profile cache keeps old ones) that logs into
  // LogPath(); `main` and `targets` are lines of the sections Main and Targets.
  std::string Params(const std::string& main, const std::string& targets = "") {
    std::string path = dir_ / ("params" + std::to_string(++count_) + ".ini");
    std::string text = "[Main]\r\nAppendToLog=" + LogPath() + "\r\n" + main + "\r\n";
    if (!targets.empty()) text += "[Targets]\r\n" + targets + "\r\n";
    testing_support::WriteTextFile(path, text);
    return path;
  }
  std::vector<std::string> Log() const { return testing_support::LogLines(LogPath()); }

 private:
  testing_support::ScratchDirectory dir_{"cd"};
  int count_ = 0;
};

}  // namespace pages_tests
