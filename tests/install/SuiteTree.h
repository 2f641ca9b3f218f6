#pragma once
// A product suite on disk for the installation tests: a master, core components and product
// setups, each with a stamped description, and the fixture programs and libraries that its
// descriptions name.
#include <string>

#include "engine/Paths.h"
#include "support/TestSupport.h"

namespace install_tests {

// One product setup beside the master.
struct ProductSpec {
  std::string directory;  // folder name beside the master
  std::string id;         // RootFeature
  std::string name;
  std::string cd = "CD1;First CD";
  std::string installType = "ISINSTALL";
  std::string extraMain;   // further lines of section Main
  std::string components;  // Component lines of the root feature section
};

class SuiteTree {
 public:
  explicit SuiteTree(const std::string& hint);

  const std::string& Root() const { return root_.Path(); }
  std::string Master() const { return root_ / "master"; }
  std::string Params() const { return root_ / "params.ini"; }
  std::string Log() const { return root_ / "setup.log"; }
  std::string ProductDir(const std::string& directory) const { return root_ / directory; }
  std::string PropIni(const std::string& directory) const { return JoinPath(ProductDir(directory), "prop.ini"); }
  std::string CoreDir(const std::string& id) const { return root_ / ("Core\\" + id); }

  // The master (RootFeature SUITE, on CD1, loading its subsetups).
  void WriteMaster(const std::string& extraMain = "", const std::string& extraTargets = "",
                   const std::string& cdLine = "CD=CD1;First CD\r\n");
  // The parameters file of the run, logging into Log().
  void WriteParams(const std::string& extraMain = "");
  void WriteProduct(const ProductSpec& product);
  // A core component (ISINSTALL, fixture_product.exe) with the given CD value.
  void WriteCoreComponent(const std::string& id, const std::string& cd);
  // Section [Product] of the fixture program's fixture.ini in a setup directory.
  void WriteFixtureSettings(const std::string& setupDir, const std::string& productSection);

 private:
  testing_support::ScratchDirectory root_;
};

// The product description that the suite's writer produces, for copies on other CDs.
std::string ProductDescription(const ProductSpec& product);

// A product that the fixture program installs, with its CD value and component lines.
ProductSpec ProductOnCD(const std::string& id, const std::string& cd, const std::string& components);

// The three-CD suite of the sequencing tests as CD 1 holds it: a core component CORELIB and a
// product PRODA on CD 1, a product PRODB on CD 2 that depends on CORELIB (INSTALLDEPENDENCY only
// when asked), and a product PRODC on CD 3.
void WriteThreeCDSuite(SuiteTree& suite, bool installDependency, const std::string& params);
ProductSpec ThreeCDSuiteProduct(const std::string& id, bool installDependency);

// Polls until the file exists (the product program runs in a process of its own).
bool WaitForFile(const std::string& path, int milliseconds);

}  // namespace install_tests
