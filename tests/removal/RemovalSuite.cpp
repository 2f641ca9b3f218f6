#include "RemovalSuite.h"

#include "engine/Paths.h"

using namespace testing_support;

namespace removal_tests {

namespace {
std::string Replaced(std::string text, const std::string& what, const std::string& with) {
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
    text.replace(at, what.size(), with);
  return text;
}
}  // namespace

void RemovalSuite::Write(const std::string& masterExtra, const std::string& toolsExtra,
                         const std::string& coreExtra, const std::string& rootId) const {
  tree.Describe("master", "[Main]\r\nName=Corvant\r\nRootFeature=" + rootId +
                              "\r\nVersion=4.0\r\nLoadSubsetups=YES\r\n"
                              "CD=CD1;First CD\r\nInstallType=ISINSTALL\r\nSetupExe=host.exe\r\n" +
                              masterExtra + "[" + rootId + "]\r\nName=Test Suite\r\nTargetNeed0=CORVAROOT;8\r\n");
  tree.AddMasterLibrary();
  CopyFileTo(FixturePath("fixture_product.exe"), tree.Dir("master") + "\\host.exe");
  WriteTextFile(tree.Dir("master") + "\\license.txt", "Terms");
  tree.Describe("Tools",
                "[Main]\r\nName=Tools product\r\nRootFeature=TOOLS\r\nVersion=2.0\r\nCD=CD1;First CD\r\n"
                "InstallType=ISINSTALL\r\nSetupExe=fixture_product.exe\r\nSetupCmdLine=/install config=%CONFIGINIFILE%\r\n"
                "UninstallCmdLine=/remove config=%CONFIGINIFILE%\r\nMifName=TOOLS\r\n" +
                    toolsExtra +
                    "[TOOLS]\r\nName=Tools\r\nSelected=YES\r\nFeature0=TOOLS_EXTRA\r\nComponent0=TOOLS\\Files;IS\r\n"
                    "Component1=SHAREDRT;CORE\r\nTargetNeed0=CORVAROOT;100\r\n"
                    "[TOOLS_EXTRA]\r\nName=Extra tools\r\nSelected=YES\r\nUninstallID=TOOLSX\r\n"
                    "Component0=TOOLS\\Extra;IS\r\nTargetNeed0=CORVAROOT;20\r\n");
  CopyFileTo(FixturePath("fixture_product.exe"), tree.Dir("Tools") + "\\fixture_product.exe");
  tree.Describe("Archive",
                "[Main]\r\nName=Archive product\r\nRootFeature=ARCHIVE\r\nVersion=1.2\r\nCD=CD2;Second CD\r\n"
                "InstallType=INFINSTALL\r\nInfDLL=fixture_inf.dll\r\nInfFile=archive.inf\r\nMifName=ARCHIVE\r\n"
                "[ARCHIVE]\r\nName=Archive\r\nSelected=YES\r\nComponent0=ARCHIVE\\Files;IS\r\n"
                "Component1=SHAREDRT;CORE\r\nTargetNeed0=CORVAROOT;700\r\n");
  CopyFileTo(FixturePath("fixture_inf.dll"), tree.Dir("Archive") + "\\fixture_inf.dll");
  WriteTextFile(tree.Dir("Archive") + "\\archive.inf", "[Version]\r\n");
  WriteTextFile(tree.Dir("Archive") + "\\fixture.ini",
                "[Answers]\r\nMifName=ARCHIVE\r\nUninstallStatus=Success\r\n");
  tree.Describe("Core\\SHAREDRT", "[Main]\r\nName=Shared runtime\r\nVersion=1.5\r\nCD=CD1;First CD\r\n"
                                  "InstallType=ISINSTALL\r\nSetupExe=fixture_product.exe\r\nMifName=SHAREDRT\r\n"
                                  "TargetNeed0=CORVAROOT;300\r\n" +
                                      Replaced(coreExtra, "%CORE%", tree.Dir("Core\\SHAREDRT")));
  CopyFileTo(FixturePath("fixture_product.exe"), tree.Dir("Core\\SHAREDRT") + "\\fixture_product.exe");
}

}  // namespace removal_tests
