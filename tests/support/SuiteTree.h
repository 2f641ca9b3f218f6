#pragma once
// A suite on a product CD in a scratch folder, for whole runs through the engine's exports: the
// master directory (where the engine is copied), product directories beside it, Core\<ID>
// directories, product setup libraries (the fixture library as prop.dll), the parameters file
// and the log. The main installation directory lies in the scratch folder too: the master's
// library translates %CORVANTDIR% to it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace testing_support {

class SuiteTree {
 public:
  explicit SuiteTree(const std::string& hint);

  std::string Dir(const std::string& name) const { return dir_ / name; }
  std::string MasterDir() const { return Dir("master"); }
  std::string LogPath() const { return dir_ / "setup.log"; }
  std::string ParamsPath() const { return dir_ / "params.ini"; }
  // Where this suite installs: the path of the target CORVAROOT.
  std::string CorvaRoot() const { return dir_ / "installed\\Corvant"; }
  std::string UninstallFile(const std::string& name) const;

  // Writes <directory>\prop.ini, stamped with its validation code.
  void Describe(const std::string& directory, const std::string& content) const;
  // Copies the fixture library into <directory> as prop.dll, with the given [Answers] lines.
  void AddSetupLibrary(const std::string& directory, const std::string& answerLines = "") const;
  // The master's library: hooks answered as given, %CORVANTDIR% translated to CorvaRoot().
  void AddMasterLibrary(const std::string& answerLines = "") const;

  // The run's parameters file: logs into LogPath(), plus the given lines of section Main.
  std::string WriteParams(const std::string& mainLines = "") const;

  // Loads the suite into this process's own model, as the engine's load does, with the run's
  // parameters file and log in force (the master's directory stands in for the engine's).
  void LoadInProcess(const std::string& paramsFile) const;

  std::vector<std::string> Log() const { return LogLines(LogPath()); }
  // The hook and AlreadyInstalled calls the library in <directory> recorded, in order.
  std::vector<std::string> Calls(const std::string& directory) const;
  void ClearCalls(const std::string& directory) const;

 private:
  ScratchDirectory dir_;
};

// A product description with a root feature of the same ID.
std::string ProductDescription(const std::string& id, const std::string& extraMain = "",
                               const std::string& extraSections = "");

// Tests that load a suite into this process's model: the registry records, the model and the
// log settle back to nothing around each test.
class InProcessModelTest : public ::testing::Test {
 protected:
  InProcessModelTest();
  ~InProcessModelTest() override;
};

// The steps of a run as a setup script calls them, from one engine instance.
struct EngineSteps {
  explicit EngineSteps(const EngineInstance& engine);
  int(__stdcall* load)(const char*);
  int(__stdcall* unload)();
  int(__stdcall* initialization)();
  int(__stdcall* detectComponents)();
  int(__stdcall* initialChecks)(int);
  int(__stdcall* preSelection)(int);
  int(__stdcall* postSelection)(int);
  int(__stdcall* finalChecks)(int);
  int(__stdcall* configuration)();
  int(__stdcall* commitFeatures)();
  int(__stdcall* registerTargets)();
  int(__stdcall* cleanRegistry)();
  int(__stdcall* firstTimeInstall)();
};

}  // namespace testing_support
