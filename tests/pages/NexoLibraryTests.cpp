// Finding and calling the NEXO Library of a product CD.
#include "engine/Paths.h"
#include "pages/PageStepFixture.h"
#include "support/TestSupport.h"
#include "ui/NexoLibrary.h"

using namespace testing_support;

namespace {
class NexoLibraryTest : public PageStepTest {
 protected:
  void SetUp() override {
    PageStepTest::SetUp();
    master().SrcDir = dir / "cd\\master";
    master().currentCDRoot = master().SrcDir;
  }
  std::string NexoDirectory() const { return dir / "cd\\NEXO"; }
  void NexoOnCD(const std::string& setupDll, bool withLibrary) {
    WriteTextFile(JoinPath(NexoDirectory(), "prop.ini"), "[Main]\r\nSetupDLL=" + setupDll + "\r\n");
    if (withLibrary) CopyFileTo(FixturePath("fixture_nexo.dll"), JoinPath(NexoDirectory(), setupDll));
  }
};
}  // namespace

TEST_F(NexoLibraryTest, TheLibraryNamedOnTheCDIsFoundAndOffersAdvancedSettings) {
  NexoOnCD("nexo.dll", true);
  std::string library = LocateNexoLibrary(master());
  EXPECT_EQ(library, JoinPath(NexoDirectory(), "nexo.dll"));
  EXPECT_TRUE(NexoLibraryOffersAdvanced(library));
  EXPECT_EQ(Log(), (std::vector<std::string>{"The NEXO Library is not specified.  Locate on CD :",
                                             "NEXO Library = " + library, "Load the NEXO Library " + library + " :"}));
}

TEST_F(NexoLibraryTest, TheSetupLibraryOfTheNexoSetupComesFirst) {
  auto nexo = std::make_unique<CSetup>();
  nexo->ID.Set("NEXO");
  nexo->SrcDir = dir / "loaded";
  nexo->SetupDLL = "own.dll";
  master().subsetups.Append(std::move(nexo));
  CopyFileTo(FixturePath("fixture_nexo.dll"), dir / "loaded\\own.dll");
  EXPECT_EQ(LocateNexoLibrary(master()), dir / "loaded\\own.dll");
  EXPECT_EQ(Log(), (std::vector<std::string>{"NEXO Library = " + (dir / "loaded\\own.dll")}));
}

TEST_F(NexoLibraryTest, NoNexoDirectoryOrAMissingFileFindsNothing) {
  EXPECT_EQ(LocateNexoLibrary(master()), "");
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"The NEXO Library is not specified.  Locate on CD :",
                                                "Unable to locate NEXO Library"}));
  NexoOnCD("absent.dll", false);
  EXPECT_EQ(LocateNexoLibrary(master()), "");
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"The NEXO Library is not specified.  Locate on CD :",
                                                "The NEXO Library is not found."}));
  EXPECT_FALSE(NexoLibraryOffersAdvanced(""));
}

TEST_F(NexoLibraryTest, ALibraryWithoutTheEntryPointHidesTheAdvancedSettings) {
  std::string other = dir / "other\\other.dll";
  CopyFileTo(FixturePath("fixture_setup.dll"), other);
  EXPECT_FALSE(NexoLibraryOffersAdvanced(other));
  EXPECT_EQ(Log(), (std::vector<std::string>{"Load the NEXO Library " + other + " :",
                                             "   The function ShowFrameworkServerAdv is not in the Library"}));
  WriteTextFile(dir / "broken.dll", "not a library");
  EXPECT_FALSE(NexoLibraryOffersAdvanced(dir / "broken.dll"));
  EXPECT_EQ(Log().back(), "   Unable to load the NEXO library");
}

TEST_F(NexoLibraryTest, AdvancedSettingsGiveTheNameBackWhenConfirmed) {
  // Each library answers from the nexo.ini beside it.
  std::string declining = dir / "declining\\nexo.dll", confirming = dir / "confirming\\nexo.dll";
  CopyFileTo(FixturePath("fixture_nexo.dll"), declining);
  CopyFileTo(FixturePath("fixture_nexo.dll"), confirming);
  WriteTextFile(dir / "declining\\nexo.ini", "[Answer]\r\nConfirm=0\r\nServer=ignored\r\n");
  WriteTextFile(dir / "confirming\\nexo.ini", "[Answer]\r\nConfirm=1\r\nServer=hub07\r\nAdvanced=1\r\n");
  std::string name = "typed";
  bool advanced = false;
  EXPECT_FALSE(RunAdvancedServerSettings(declining, name, advanced));
  EXPECT_EQ(name, "typed");
  EXPECT_FALSE(advanced);
  EXPECT_TRUE(RunAdvancedServerSettings(confirming, name, advanced));
  EXPECT_EQ(name, "hub07");
  EXPECT_TRUE(advanced);
  EXPECT_EQ(Log(), (std::vector<std::string>{"Getting advanced Quelwise Server settings :",
                                             "Getting advanced Quelwise Server settings :"}));
}
