// The question that guards Cancel on every page.
#include "pages/PageStepFixture.h"
#include "support/TestSupport.h"
#include "ui/ExitConfirmation.h"

using namespace testing_support;

using ExitConfirmationTest = PageStepTest;

TEST_F(ExitConfirmationTest, NamesTheSuiteTwice) {
  EXPECT_EQ(ExitConfirmationText("Quelwise Office"),
            "Setup has not completed installing Quelwise Office.  You will have to run Setup again before you are "
            "able to run Quelwise Office.\n\nDo you wish to exit Setup now?");
}

TEST_F(ExitConfirmationTest, YesLeavesAndNoStays) {
  master().Name.Set("Quelwise Office");
  MessageBoxWatcher boxes(IDYES);
  EXPECT_TRUE(ConfirmExit());
  boxes.SetAnswer(IDNO);
  EXPECT_FALSE(ConfirmExit());
  std::vector<MessageBoxWatcher::Box> shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].caption, "Corvant Setup");
  EXPECT_EQ(shown[0].text, ExitConfirmationText("Quelwise Office"));
}
