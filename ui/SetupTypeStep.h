#pragma once
// The computer configuration type step: settles the run's setup type, then shows the page
// unless it is bypassed.
#include <string>
#include <vector>

class CSetup;

// Makes the model's current setup type valid: the parameters file, the description, the
// first listed type, "STANDARD"; a type the list does not know gives way to the first listed.
void ChooseCurrentSetupType(CSetup& master);
// The setup types offered on this computer, in list order, at most `limit` of them.
std::vector<std::string> OfferedSetupTypes(const CSetup& master, size_t limit);
// One row of the computer configuration type page. Places are pixels of the page at its design
// font (MS Sans Serif 8 at 96 dots an inch, where a dialog unit is 6/4 by 13/8 pixels); a page
// whose font measures otherwise scales them alike.
struct SetupTypeRow {
  std::string typeId;
  int buttonId = 0;
  int textId = 0;
  std::string bitmapBase;  // the button's bitmaps
  std::string text;
  int top = 0;  // of the text; the button stands a little lower
  int textHeight = 0;
};
constexpr int kDesignBaseUnitX = 6;
constexpr int kDesignBaseUnitY = 13;
constexpr int kTypeButtonLeft = 150;
constexpr int kTypeButtonDrop = 5;
constexpr int kTypeTextLeft = 200;
constexpr int kTypeTextWidth = 250;
constexpr int kTypeTextHeight = 50;
// Room between a text and the next row.
constexpr int kTypeRowGap = 5;
constexpr size_t kSetupTypeRows = 4;
// The rows for the offered types in order, at most four: spaced 82 apart for two, 81 for
// three, else 54; the first at 95 for two, else at 55. A text is 50 high, or, where the rows
// stand further apart, as high as its row allows: a built-in type's text takes five lines.
std::vector<SetupTypeRow> SetupTypeRows(const CSetup& master, const std::vector<std::string>& offeredTypes);

// The step: 1, 12 or 9.
int RunSetupTypeStep(int direction);
