#pragma once
// A product CD in a scratch folder: the master directory with its description, product
// directories beside it, Core\<ID> directories, a parameters file and a log.
#include <string>

#include "engine/Paths.h"
#include "support/TestSupport.h"

namespace load_tests {

class CdTree {
 public:
  explicit CdTree(const std::string& hint) : dir_(hint) {}
  std::string Root() const { return dir_.Path(); }
  std::string Dir(const std::string& name) const { return dir_ / name; }
  std::string MasterDir() const { return Dir("master"); }
  std::string MasterFile() const { return JoinPath(MasterDir(), "prop.ini"); }
  std::string LogPath() const { return dir_ / "setup.log"; }
  std::string ParamsPath() const { return dir_ / "params.ini"; }

  // Writes <directory>\prop.ini with its validation code; returns its path.
  std::string Describe(const std::string& directory, const std::string& content) const {
    std::string file = JoinPath(Dir(directory), "prop.ini");
    testing_support::WritePropIni(file, content);
    return file;
  }
  std::string DescribeMaster(const std::string& content) const { return Describe("master", content); }

  // The run's parameters file: logs into LogPath(), plus the given lines of section Main.
  std::string WriteParams(const std::string& mainLines = "") const {
    testing_support::WriteTextFile(ParamsPath(), "[Main]\r\nAppendToLog=" + LogPath() + "\r\n" + mainLines);
    return ParamsPath();
  }

  std::vector<std::string> Log() const { return testing_support::LogLines(LogPath()); }

 private:
  testing_support::ScratchDirectory dir_;
};

// The smallest valid description of a product with a root feature.
inline std::string Product(const std::string& id, const std::string& extraMain = "",
                           const std::string& extraSections = "") {
  return "[Main]\r\nName=" + id + " product\r\nRootFeature=" + id + "\r\nInstallType=ISINSTALL\r\n" + extraMain +
         "\r\n[" + id + "]\r\nName=" + id + " feature\r\n" + extraSections;
}

// TSTranslateKeyword as a script calls it, with a buffer larger than any answer.
struct Translation {
  int result;
  std::string value;
  int final;
};
inline Translation TranslateThrough(const testing_support::EngineInstance& engine, const std::string& keyword) {
  using TranslateFn = int(__stdcall*)(const char*, char*, int*);
  char buffer[2048] = "junk";
  Translation translation{0, "", -5};
  translation.result = engine.Get<TranslateFn>("TSTranslateKeyword")(keyword.c_str(), buffer, &translation.final);
  translation.value = buffer;
  return translation;
}

inline int LoadThrough(const testing_support::EngineInstance& engine, const std::string& paramsFile) {
  return engine.Get<int(__stdcall*)(const char*)>("TS_LoadSetupData")(paramsFile.c_str());
}

}  // namespace load_tests
