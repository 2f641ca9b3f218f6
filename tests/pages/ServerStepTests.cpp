// The framework server step with scripted pages.
#include <algorithm>

#include "engine/Paths.h"
#include "engine/StepResult.h"
#include "pages/PageStepFixture.h"
#include "state/Registry.h"
#include "state/ServerRecords.h"
#include "support/TestSupport.h"
#include "ui/ServerStep.h"

using namespace testing_support;

namespace {
class ServerStepTest : public PageStepTest {
 protected:
  void SetUp() override {
    PageStepTest::SetUp();
    AddTarget("CORVAROOT", dir / "root");
  }
  void InstalledProduct(const std::string& id, const std::string& description) {
    WriteTextFile(dir / ("root\\setup\\uninstall\\" + id + ".ini"),
                  "[Main]\r\nDescription=" + description + "\r\nVisible=YES\r\n");
  }
  WizardPageAnswer PageA(int end, ServerOption option, const std::string& name) {
    WizardPageAnswer answer{"ServerA", end, name};
    answer.option = option;
    return answer;
  }
};
}  // namespace

TEST_F(ServerStepTest, SwitchAndUnattendedBypassInTheDirectionGiven) {
  for (const char* main : {"EnableNEXOSetup=No", "Unattended=Yes"}) {
    Params(main);
    EXPECT_EQ(RunServerStep(1), kStepNext) << main;
    EXPECT_EQ(RunServerStep(12), kStepBack) << main;
    EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog", "Bypass dialog"})) << main;
  }
  EXPECT_EQ(master().serverPagesShown, 0);
}

TEST_F(ServerStepTest, AComputerAlreadyRunningWithAServerNeverSeesThePages) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kFrameworkKey, "Active", "1"), ERROR_SUCCESS);
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kFrameworkServerKey, "WebServer", "central"), ERROR_SUCCESS);
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kFrameworkKey, "AdvancedSettings", "1"), ERROR_SUCCESS);
  EXPECT_EQ(RunServerStep(12), kStepBack);
  EXPECT_EQ(master().serverActive, 1);
  EXPECT_EQ(master().serverName, "central");
  EXPECT_EQ(master().serverAdvanced, 1);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Bypass dialog"}));
}

TEST_F(ServerStepTest, PresetAnswersOfABypassedStepLandInTheModel) {
  Params("Unattended=Yes\r\nServer=hub01\r\nServerActive=1");
  EXPECT_EQ(RunServerStep(1), kStepNext);
  EXPECT_EQ(master().serverName, "hub01");
  EXPECT_EQ(master().serverActive, 1);
  EXPECT_EQ(master().serverPagesShown, 1);
}

TEST_F(ServerStepTest, WithoutInstalledProductsOnlyPageAIsShown) {
  pages.Then(PageA(kEndNext, ServerOption::UseNamedServer, "hub01"));
  EXPECT_EQ(RunServerStep(1), kStepNext);
  EXPECT_EQ(pages.wizardPages, (std::vector<std::string>{"ServerA"}));
  EXPECT_EQ(master().serverName, "hub01");
  EXPECT_EQ(master().serverActive, 1);
  EXPECT_EQ(master().serverPagesShown, 1);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Server Dialog A :",
                                                "   The NEXO Library is not specified.  Locate on CD :",
                                                "   Unable to locate NEXO Library", "   Server = hub01",
                                                "   Server Active = YES"}));
  EXPECT_EQ(pages.pageAOpenedWith.nexoLibrary, "");
}

TEST_F(ServerStepTest, PageAOpensWithTheRegisteredServer) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kFrameworkServerKey, "WebServer", "old"), ERROR_SUCCESS);
  WizardPageAnswer answer = PageA(kEndNext, ServerOption::UseNamedServer, "old");
  answer.flag = true;
  pages.Then(answer);
  EXPECT_EQ(RunServerStep(1), kStepNext);
  EXPECT_EQ(pages.pageAOpenedWith.serverName, "old");
  EXPECT_EQ(master().serverAdvanced, 1);
  EXPECT_EQ(Log().back(), "        (Using advanced settings)");
}

TEST_F(ServerStepTest, BackOnPageAWithTheThirdChoiceStoresNone) {
  pages.Then(PageA(kEndBack, ServerOption::NoServer, "typed"));
  EXPECT_EQ(RunServerStep(1), kStepBack);
  EXPECT_EQ(master().serverName, "NONE");
  EXPECT_EQ(master().serverActive, 0);
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Server Dialog A :",
                                                "   The NEXO Library is not specified.  Locate on CD :",
                                                "   Unable to locate NEXO Library", "   Server = NONE",
                                                "   Server Active = NO", "return BACK"}));
}

TEST_F(ServerStepTest, NextOnPageAWithTheOtherChoices) {
  pages.Then(PageA(kEndNext, ServerOption::NoServer, "typed"));
  EXPECT_EQ(RunServerStep(1), kStepNext);
  EXPECT_EQ(master().serverName, "typed");
  EXPECT_EQ(master().serverActive, 0);
  pages.Then(PageA(kEndNext, ServerOption::SelectLater, "typed"));
  EXPECT_EQ(RunServerStep(1), kStepNext);
  EXPECT_EQ(master().serverName, "");
  EXPECT_EQ(master().serverActive, 1);
}

TEST_F(ServerStepTest, CancelOnPageAStops) {
  pages.Then(PageA(kEndCancel, ServerOption::UseNamedServer, "x"));
  EXPECT_EQ(RunServerStep(12), kStepStop);
  EXPECT_EQ(Log().back(), "User cancelled");
}

TEST_F(ServerStepTest, InstalledProductsWalkPagesBToDForward) {
  InstalledProduct("WRITER", "Writer");
  InstalledProduct("CALC", "Calc");
  pages.Then({"ServerB", kEndNext, "", true}).Then({"ServerC", kEndNext, "hub02"}).Then({"ServerD", kEndNext});
  EXPECT_EQ(RunServerStep(1), kStepNext);
  EXPECT_EQ(pages.wizardPages, (std::vector<std::string>{"ServerB", "ServerC", "ServerD"}));
  EXPECT_EQ(pages.productLines.size(), 2u);
  EXPECT_EQ(master().serverActive, 1);
  EXPECT_EQ(master().serverName, "hub02");
  EXPECT_EQ(NewLog(), (std::vector<std::string>{"Server Dialog B :", "   Server Active = YES", "Server Dialog C :",
                                                "   The NEXO Library is not specified.  Locate on CD :",
                                                "   Unable to locate NEXO Library", "Server Dialog D :"}));
}

TEST_F(ServerStepTest, AnInactiveAnswerOnPageBSkipsTheOtherPages) {
  InstalledProduct("WRITER", "Writer");
  pages.Then({"ServerB", kEndNext, "", false});
  EXPECT_EQ(RunServerStep(1), kStepNext);
  EXPECT_EQ(pages.pageBProducts, "Writer");
  EXPECT_EQ(master().serverActive, 0);
}

TEST_F(ServerStepTest, BackwardsTheWalkStartsAtPageDAndBackOnBLeaves) {
  InstalledProduct("WRITER", "Writer");
  master().serverActive = 1;
  pages.Then({"ServerD", kEndBack}).Then({"ServerC", kEndBack, "hub"}).Then({"ServerB", kEndBack, "", true});
  EXPECT_EQ(RunServerStep(12), kStepBack);
  EXPECT_EQ(pages.wizardPages, (std::vector<std::string>{"ServerD", "ServerC", "ServerB"}));
  std::vector<std::string> log = NewLog();
  EXPECT_EQ(std::count(log.begin(), log.end(), "return BACK"), 3);
}

TEST_F(ServerStepTest, BackOnCThenNextAgainGoesForwardFromB) {
  InstalledProduct("WRITER", "Writer");
  pages.Then({"ServerB", kEndNext, "", true})
      .Then({"ServerC", kEndBack, "a"})
      .Then({"ServerB", kEndNext, "", true})
      .Then({"ServerC", kEndNext, "b"})
      .Then({"ServerD", kEndNext});
  EXPECT_EQ(RunServerStep(1), kStepNext);
  EXPECT_EQ(master().serverName, "b");
}

TEST_F(ServerStepTest, PagesAAndCAreGivenTheNexoLibraryOfTheCD) {
  std::string nexo = dir / "NEXO";
  WriteTextFile(JoinPath(nexo, "prop.ini"), "[Main]\r\nSetupDLL=nexo.dll\r\n");
  CopyFileTo(FixturePath("fixture_nexo.dll"), JoinPath(nexo, "nexo.dll"));
  master().currentCDRoot = dir.Path();
  pages.Then(PageA(kEndNext, ServerOption::SelectLater, ""));
  EXPECT_EQ(RunServerStep(1), kStepNext);
  EXPECT_EQ(pages.pageAOpenedWith.nexoLibrary, JoinPath(nexo, "nexo.dll"));
  InstalledProduct("WRITER", "Writer");
  pages.Then({"ServerB", kEndNext, "", true}).Then({"ServerC", kEndNext, "hub"}).Then({"ServerD", kEndNext});
  EXPECT_EQ(RunServerStep(1), kStepNext);
  EXPECT_EQ(pages.pageCLibrary, JoinPath(nexo, "nexo.dll"));
}

TEST_F(ServerStepTest, PageANeedsANameForANamedServer) {
  MessageBoxWatcher boxes;
  ServerPageAAnswer answer;
  answer.option = ServerOption::UseNamedServer;
  EXPECT_FALSE(ServerPageANextAllowed(answer, ""));
  EXPECT_EQ(Log(), (std::vector<std::string>{"***** A server name must be supplied."}));
  answer.option = ServerOption::SelectLater;
  EXPECT_TRUE(ServerPageANextAllowed(answer, ""));
}

TEST_F(ServerStepTest, PageAAsksBeforeChangingHowInstalledProductsRun) {
  MessageBoxWatcher boxes(IDNO);
  ServerPageAAnswer answer;
  answer.option = ServerOption::UseNamedServer;
  answer.serverName = "hub";
  EXPECT_FALSE(ServerPageANextAllowed(answer, "Writer,Calc"));
  boxes.SetAnswer(IDYES);
  answer.option = ServerOption::NoServer;
  EXPECT_TRUE(ServerPageANextAllowed(answer, "Writer,Calc"));
  std::vector<MessageBoxWatcher::Box> shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text,
            "Selecting these settings will change Writer,Calc to work with Quelwise Server hub.  Do you want to proceed?");
  EXPECT_EQ(shown[1].text,
            "Selecting these settings will change Writer,Calc to work independently of a Quelwise Server.  Do you want "
            "to proceed?");
}

TEST_F(ServerStepTest, PageAKeepingTheRegisteredChoiceDoesNotAsk) {
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kFrameworkKey, "Active", "1"), ERROR_SUCCESS);
  EXPECT_EQ(SetRegString(HKEY_LOCAL_MACHINE, kFrameworkServerKey, "WebServer", "Hub"), ERROR_SUCCESS);
  ServerPageAAnswer answer;
  answer.serverName = "hub";
  EXPECT_TRUE(ServerPageANextAllowed(answer, "Writer"));
}
