#pragma once
// A small model built in process for the filter tests: a master with the CORVAROOT target in a
// scratch folder, a description file whose feature sections carry the filter keys, and a log.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/Errors.h"
#include "engine/Log.h"
#include "engine/Params.h"
#include "filters/FilterList.h"
#include "model/Model.h"
#include "support/TestSupport.h"
#include "ui/NoWindowPageHost.h"

// The message of the description error that parsing `value` raises, or "(parsed)".
template <typename Filter>
std::string ParseError(const std::string& value) {
  Filter filter(&Master());
  try {
    filter.Parse(value);
  } catch (const CPropError& error) {
    return error.Message();
  }
  return "(parsed)";
}

class FilterModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateSetupData();
    master_ = &Master();
    master_->PropIniFile = dir_ / "prop.ini";
    auto root = std::make_unique<CTarget>();
    root->setup = master_;
    root->ID.Set("CORVAROOT");
    root->path = dir_ / "corva";
    master_->targets.Append(std::move(root));
    SetLogPath(dir_ / "run.log");
    SetLogIndentLevel(0);
  }
  void TearDown() override {
    CloseLogFile();
    SetLogPath("");
    SetLogIndentLevel(0);
    SetPageHost(nullptr);
    DestroySetupData();
  }

  // The description file read by the feature sections below (written under a new name each
  // time, because the profile functions cache files).
  void WriteDescription(const std::string& content) {
    master_->PropIniFile = dir_ / ("prop" + std::to_string(++descriptions_) + ".ini");
    testing_support::WriteTextFile(master_->PropIniFile, content);
  }

  // A feature of the master's tree whose filters are read from the section of its ID.
  CFeature& AddFeature(CFeature& parent, const std::string& id, const std::string& name = "") {
    auto feature = std::make_unique<CFeature>();
    feature->setup = master_;
    feature->parent = &parent;
    feature->ID.Set(id);
    feature->Name.Set(name.empty() ? id : name);
    feature->filters.Load(*master_, id);
    return parent.subfeatures.Append(std::move(feature));
  }
  CFeature& SetRoot(const std::string& id) {
    CFeature& root = master_->rootFeature;
    root.setup = master_;
    root.ID.Set(id);
    root.Name.Set(id);
    root.subfeatures = Collection<CFeature>();
    root.filters = CFilterList();
    root.filters.Load(*master_, id);
    return root;
  }
  void AddSetupType(const std::string& id) {
    auto type = std::make_unique<CSetupType>();
    type->ID.Set(id);
    master_->setupTypes.Append(std::move(type));
  }
  // Records that an earlier run installed a feature of an application at a version.
  void WriteUninstallFile(const std::string& application, const std::string& feature, const std::string& version) {
    std::string file = dir_ / ("corva\\setup\\uninstall\\" + application + ".ini");
    testing_support::WriteTextFile(file, "[Features Installed]\r\n" + feature + "=" + version + "\r\n");
  }
  std::vector<std::string> Log() const { return testing_support::ReadLines(dir_ / "run.log"); }

  testing_support::ScratchDirectory dir_{"flt"};
  CSetup* master_ = nullptr;
  int descriptions_ = 0;
};

// A page host whose dependency error page answers a given end code and records what it showed.
class ScriptedDependencyPage : public NoWindowPageHost {
 public:
  explicit ScriptedDependencyPage(int endCode) : endCode_(endCode) {}
  PageEnd DependencyErrorPage(const std::string& title, const std::string& text, int group) override {
    ++shown;
    this->title = title;
    this->text = text;
    this->group = group;
    return PageEndOf(endCode_);
  }
  int shown = 0;
  std::string title, text;
  int group = -1;

 private:
  int endCode_;
};
