#pragma once
// The suite the removal tests install and remove: a master SUITE, a product TOOLS on CD 1 that
// its setup program removes (UninstallCmdLine), a product ARCHIVE on CD 2 that its installation
// library removes (DoUninstall), and a core component SHAREDRT that both need and that a command
// of its own removes (UninstallCommand).
#include <string>

#include "support/SuiteTree.h"

namespace removal_tests {

struct RemovalSuite {
  explicit RemovalSuite(const std::string& hint) : tree(hint) {}
  // Writes the descriptions and copies the fixture programs and libraries; `coreCommand` is the
  // core component's UninstallCommand after its program path.
  void Write(const std::string& masterExtra = "", const std::string& toolsExtra = "",
             const std::string& coreExtra = "UninstallCommand=%CORE%\\fixture_product.exe /uninstall\r\n",
             const std::string& rootId = "SUITE") const;
  std::string PropIni(const std::string& directory) const { return tree.Dir(directory) + "\\prop.ini"; }
  std::string Common() const { return tree.UninstallFile("Corvant Common.ini"); }

  testing_support::SuiteTree tree;
};

}  // namespace removal_tests
