#include "support/SuiteTree.h"

#include <gtest/gtest.h>

#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/Paths.h"
#include "model/Loader.h"
#include "model/Model.h"

namespace testing_support {

SuiteTree::SuiteTree(const std::string& hint) : dir_(hint) {}

std::string SuiteTree::UninstallFile(const std::string& name) const {
  return JoinPath(CorvaRoot(), "setup\\uninstall\\" + name);
}

void SuiteTree::Describe(const std::string& directory, const std::string& content) const {
  WritePropIni(JoinPath(Dir(directory), "prop.ini"), content);
}

void SuiteTree::AddSetupLibrary(const std::string& directory, const std::string& answerLines) const {
  CopyFileTo(FixturePath("fixture_setup.dll"), JoinPath(Dir(directory), "prop.dll"));
  WriteTextFile(JoinPath(Dir(directory), "fixture.ini"), "[Answers]\r\n" + answerLines);
}

void SuiteTree::AddMasterLibrary(const std::string& answerLines) const {
  AddSetupLibrary("master", answerLines);
  std::string ini = ReadTextFile(JoinPath(MasterDir(), "fixture.ini"));
  WriteTextFile(JoinPath(MasterDir(), "fixture.ini"), ini + "[Keywords]\r\n%CORVANTDIR%=" + CorvaRoot() + "\r\n");
}

std::string SuiteTree::WriteParams(const std::string& mainLines) const {
  WriteTextFile(ParamsPath(), "[Main]\r\nAppendToLog=" + LogPath() + "\r\n" + mainLines);
  return ParamsPath();
}

void SuiteTree::LoadInProcess(const std::string& paramsFile) const {
  CreateSetupData();
  SetParamsFileInForce(paramsFile);
  SetDescriptionInForce(JoinPath(MasterDir(), "prop.ini"));
  SetLogPath(ReadIniString(paramsFile, "Main", "AppendToLog"));
  LoadMaster(Master(), MasterDir(), paramsFile, false);
}

std::vector<std::string> SuiteTree::Calls(const std::string& directory) const {
  std::vector<std::string> calls;
  for (const std::string& line : ReadLines(JoinPath(Dir(directory), "fixture_calls.log")))
    if (line.rfind("TranslateKeyword", 0) != 0) calls.push_back(line);
  return calls;
}

void SuiteTree::ClearCalls(const std::string& directory) const {
  DeleteFileA(JoinPath(Dir(directory), "fixture_calls.log").c_str());
}

std::string ProductDescription(const std::string& id, const std::string& extraMain,
                               const std::string& extraSections) {
  return "[Main]\r\nName=" + id + " product\r\nRootFeature=" + id + "\r\nInstallType=ISINSTALL\r\n" + extraMain +
         "\r\n[" + id + "]\r\nName=" + id + " feature\r\n" + extraSections;
}

InProcessModelTest::InProcessModelTest() {
  CleanCorvantRegistry();
  SetLogIndentLevel(0);
}

InProcessModelTest::~InProcessModelTest() {
  DestroySetupData();
  SetLogPath("");
  SetLogIndentLevel(0);
  CleanCorvantRegistry();
}

namespace {
template <typename Fn>
Fn Step(const EngineInstance& engine, const char* name) {
  Fn step = engine.Get<Fn>(name);
  EXPECT_NE(step, nullptr) << name << " is not exported";
  return step;
}
}  // namespace

EngineSteps::EngineSteps(const EngineInstance& engine)
    : load(Step<decltype(load)>(engine, "TS_LoadSetupData")),
      unload(Step<decltype(unload)>(engine, "TS_UnloadSetupData")),
      initialization(Step<decltype(initialization)>(engine, "TS_Initialization")),
      detectComponents(Step<decltype(detectComponents)>(engine, "TS_DetectComponents")),
      initialChecks(Step<decltype(initialChecks)>(engine, "TS_InitialChecks")),
      preSelection(Step<decltype(preSelection)>(engine, "TS_PreSelection")),
      postSelection(Step<decltype(postSelection)>(engine, "TS_PostSelection")),
      finalChecks(Step<decltype(finalChecks)>(engine, "TS_FinalChecks")),
      configuration(Step<decltype(configuration)>(engine, "TS_Configuration")),
      commitFeatures(Step<decltype(commitFeatures)>(engine, "TSCommitFeatures")),
      registerTargets(Step<decltype(registerTargets)>(engine, "TS_RegisterTargets")),
      cleanRegistry(Step<decltype(cleanRegistry)>(engine, "TS_CleanRegistry")),
      firstTimeInstall(Step<decltype(firstTimeInstall)>(engine, "TS_FirstTimeInstall")) {}

}  // namespace testing_support
