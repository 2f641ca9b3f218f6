#include "SuiteTree.h"

#include <windows.h>

using namespace testing_support;

namespace install_tests {

SuiteTree::SuiteTree(const std::string& hint) : root_(hint) {}

void SuiteTree::WriteMaster(const std::string& extraMain, const std::string& extraTargets,
                            const std::string& cdLine) {
  WritePropIni(Master() + "\\prop.ini",
               "[Main]\r\nRootFeature=SUITE\r\nName=Test Suite\r\nVersion=1.0\r\n" + cdLine +
                   "InstallType=ISINSTALL\r\nLoadSubsetups=YES\r\n" +
                   extraMain +
                   "[Targets]\r\nTarget0=APPDIR;Application;%CORVAROOT%\\App;Where the programs go\r\n" +
                   extraTargets + "[SetupTypes]\r\nSetupType0=STANDARD;\r\n[SUITE]\r\nName=Test Suite\r\n");
}

void SuiteTree::WriteParams(const std::string& extraMain) {
  WriteTextFile(Params(), "[Main]\r\nAppendToLog=" + Log() + "\r\nMessageLevel=ALL\r\n" + extraMain);
}

std::string ProductDescription(const ProductSpec& product) {
  return "[Main]\r\nRootFeature=" + product.id + "\r\nName=" + product.name + "\r\nVersion=2.0\r\nCD=" +
         product.cd + "\r\nInstallType=" + product.installType + "\r\n" + product.extraMain + "[" + product.id +
         "]\r\nName=" + product.name + "\r\nSelected=YES\r\n" + product.components;
}

void SuiteTree::WriteProduct(const ProductSpec& product) {
  std::string directory = ProductDir(product.directory);
  WritePropIni(JoinPath(directory, "prop.ini"), ProductDescription(product));
  CopyFileTo(FixturePath("fixture_product.exe"), JoinPath(directory, "fixture_product.exe"));
}

void SuiteTree::WriteCoreComponent(const std::string& id, const std::string& cd) {
  std::string directory = CoreDir(id);
  WritePropIni(JoinPath(directory, "prop.ini"),
               "[Main]\r\nRootFeature=" + id + "\r\nName=Core " + id + "\r\nVersion=3.1\r\nCD=" + cd +
                   "\r\nInstallType=ISINSTALL\r\nSetupExe=fixture_product.exe\r\n"
                   "SetupCmdLine=config=%CONFIGINIFILE%\r\n");
  CopyFileTo(FixturePath("fixture_product.exe"), JoinPath(directory, "fixture_product.exe"));
}

void SuiteTree::WriteFixtureSettings(const std::string& setupDir, const std::string& productSection) {
  WriteTextFile(JoinPath(setupDir, "fixture.ini"), "[Product]\r\n" + productSection);
}

bool WaitForFile(const std::string& path, int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += 50) {
    if (FileExists(path)) return true;
    Sleep(50);
  }
  return FileExists(path);
}

ProductSpec ProductOnCD(const std::string& id, const std::string& cd, const std::string& components) {
  ProductSpec product;
  product.directory = id;
  product.id = id;
  product.name = "Product " + id;
  product.cd = cd;
  product.extraMain = "SetupExe=fixture_product.exe\r\n";
  product.components = components;
  return product;
}

ProductSpec ThreeCDSuiteProduct(const std::string& id, bool installDependency) {
  if (id == "PRODA") return ProductOnCD("PRODA", "CD1;First CD", "Component0=CORELIB;CORE;INSTALLDEPENDENCY\r\n");
  if (id == "PRODB")
    return ProductOnCD("PRODB", "CD2;Second CD",
                       std::string("Component0=CORELIB;CORE") + (installDependency ? ";INSTALLDEPENDENCY" : "") + "\r\n");
  return ProductOnCD("PRODC", "CD3;Third\\nCD", "");
}

void WriteThreeCDSuite(SuiteTree& suite, bool installDependency, const std::string& params) {
  suite.WriteMaster();
  // The master directory of a CD holds the setup program that the setup host runs.
  testing_support::CopyFileTo(testing_support::FixturePath("fixture_product.exe"), JoinPath(suite.Master(), "setup.exe"));
  suite.WriteParams(params);
  suite.WriteCoreComponent("CORELIB", "CD1;First CD");
  for (const char* id : {"PRODA", "PRODB", "PRODC"}) suite.WriteProduct(ThreeCDSuiteProduct(id, installDependency));
}

}  // namespace install_tests
