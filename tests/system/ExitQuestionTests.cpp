// The exit question a script asks between steps.
#include <gtest/gtest.h>

#include "include/tessaro.h"
#include "model/Model.h"
#include "support/TestSupport.h"

using namespace testing_support;

TEST(ExitQuestion, AsksWithTheSuiteNameAndAnswersTheChoice) {
  CreateSetupData();
  Master().Name.Set("Quelwise Office");
  const std::string text =
      "Setup has not completed installing Quelwise Office.  You will have to run Setup again before you are able "
      "to run Quelwise Office.\n\nDo you wish to exit Setup now?";
  {
    MessageBoxWatcher boxes(IDYES);
    EXPECT_EQ(TS_ExitIfDesired(), 1);
    auto shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Corvant Setup");
    EXPECT_EQ(shown[0].text, text);
  }
  {
    MessageBoxWatcher boxes(IDNO);
    EXPECT_EQ(TS_ExitIfDesired(), 0);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
  }
  DestroySetupData();
}
