// CRC-32 and validation codes, through the exports and through the authoring tool.
#include <gtest/gtest.h>

#include "engine/Paths.h"
#include "model/Crc32.h"
#include "support/TestSupport.h"

using namespace testing_support;

namespace {
using Crc32Fn = unsigned long(__stdcall*)(const char*, unsigned long);
using FileCrcFn = unsigned long(__stdcall*)(const char*, const char*, const char*);
using ValidateFn = int(__stdcall*)(const char*);

class ValidationTest : public ::testing::Test {
 protected:
  ScratchDirectory dir{"crc"};
  EngineInstance engine{dir.Path()};
  Crc32Fn crc32 = engine.Get<Crc32Fn>("TS_GetCRC32");
  FileCrcFn fileCrc = engine.Get<FileCrcFn>("TSGetFileCRC");
  ValidateFn validate = engine.Get<ValidateFn>("TSValidateFile");
  int runs_ = 0;

  // Runs the authoring tool; returns its exit status and what it printed.
  int RunTool(const std::string& arguments, std::string* output = nullptr) {
    // A fresh file per run: the last run's handle may still be closing.
    std::string outFile = dir / ("tool" + std::to_string(++runs_) + ".out");
    int code = RunProgram("\"" + JoinPath(BuildDirectory(), "tessaro-tool.exe") + "\" " + arguments, outFile, 60000);
    if (output) *output = ReadTextFile(outFile);
    return code;
  }
};

const char kDescription[] =
    "; Reports product\r\n"
    "[Main]\r\n"
    "Name=Reports\r\n"
    "RootFeature=REP\r\n"
    "InstallType=ISINSTALL\r\n"
    "\r\n"
    "[REP]\r\n"
    "Name=Reports\r\n";
}  // namespace

TEST_F(ValidationTest, Crc32IsTheStandardCrcAndContinues) {
  EXPECT_EQ(crc32("123456789", 0), 0xCBF43926UL);
  EXPECT_EQ(crc32("", 0x1234UL), 0x1234UL);
  EXPECT_EQ(crc32("6789", crc32("12345", 0)), 0xCBF43926UL);
}

TEST_F(ValidationTest, FileCrcSkipsLinesBeginningWithTheKeyInAnyCase) {
  std::string a = dir / "a.ini", b = dir / "b.ini", c = dir / "c.ini";
  WriteTextFile(a, "[Main]\nName=x\n");
  WriteTextFile(b, "[Main]\nVALIDATION=123\nName=x\nvalidationXYZ\n");
  WriteTextFile(c, "[Main]\n Validation=123\nName=x\n");
  unsigned long plain = fileCrc(a.c_str(), "Hold the tea", "Validation");
  EXPECT_EQ(plain, crc32("Name=x\n", crc32("[Main]\n", crc32("Hold the tea", 0))));
  EXPECT_EQ(fileCrc(b.c_str(), "Hold the tea", "Validation"), plain);
  EXPECT_NE(fileCrc(c.c_str(), "Hold the tea", "Validation"), plain);
}

TEST_F(ValidationTest, FileCrcReadsLongLinesInPiecesOf254) {
  std::string file = dir / "long.ini";
  std::string line(600, 'a');
  WriteTextFile(file, line + "\n");
  unsigned long expected = crc32("Hold the tea", 0);
  expected = crc32(std::string(254, 'a').c_str(), expected);
  expected = crc32(std::string(254, 'a').c_str(), expected);
  expected = crc32((std::string(92, 'a') + "\n").c_str(), expected);
  EXPECT_EQ(fileCrc(file.c_str(), "Hold the tea", "Validation"), expected);
}

TEST_F(ValidationTest, MissingFileGivesZeroAndReportsIt) {
  MessageBoxWatcher boxes;
  std::string missing = dir / "missing.ini";
  EXPECT_EQ(fileCrc(missing.c_str(), "Hold the tea", "Validation"), 0UL);
  auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Error in file " + missing + " [Main] Validation :Unable to open the file");
}

TEST_F(ValidationTest, StampedCodeValidatesAndSurvivesLineEndingChanges) {
  std::string file = dir / "prop.ini";
  WriteTextFile(file, kDescription);
  std::string output;
  ASSERT_EQ(RunTool("stamp \"" + file + "\"", &output), 0) << output;
  EXPECT_EQ(validate(file.c_str()), 1);
  std::string stamped = ReadTextFile(file);
  size_t at = stamped.find("Validation=");
  ASSERT_NE(at, std::string::npos);
  std::string code = stamped.substr(at + 11, stamped.find('\r', at) - at - 11);
  EXPECT_NE(output.find("Validation=" + code), std::string::npos);
  EXPECT_EQ(code.find_first_not_of("0123456789ABCDEF"), std::string::npos);
  EXPECT_NE(code[0], '0');

  // Only line endings change: the code still holds.
  std::string unix = stamped;
  for (size_t p; (p = unix.find("\r\n")) != std::string::npos;) unix.replace(p, 2, "\n");
  std::string unixFile = dir / "unix.ini";
  WriteTextFile(unixFile, unix);
  EXPECT_EQ(validate(unixFile.c_str()), 1);

  // Any other byte, a comment included, breaks it.
  std::string changed = stamped;
  changed[2] = 'X';
  std::string changedFile = dir / "changed.ini";
  WriteTextFile(changedFile, changed);
  EXPECT_EQ(validate(changedFile.c_str()), 0);
}

TEST_F(ValidationTest, StampReplacesAnOldCodeAndKeepsTheRestOfTheFile) {
  std::string file = dir / "old.ini";
  WriteTextFile(file, std::string(kDescription) + "[Main2]\r\nx=1\r\n");
  ASSERT_EQ(RunTool("stamp \"" + file + "\""), 0);
  std::string first = ReadTextFile(file);
  ASSERT_EQ(RunTool("stamp \"" + file + "\""), 0);
  EXPECT_EQ(ReadTextFile(file), first);
  std::string withoutCode = first;
  size_t at = withoutCode.find("Validation=");
  withoutCode.erase(at, withoutCode.find("\r\n", at) + 2 - at);
  EXPECT_EQ(withoutCode, std::string(kDescription) + "[Main2]\r\nx=1\r\n");
}

TEST_F(ValidationTest, LeadingZeroCodeDoesNotMatch) {
  std::string file = dir / "zero.ini";
  WriteTextFile(file, kDescription);
  ASSERT_EQ(RunTool("stamp \"" + file + "\""), 0);
  std::string text = ReadTextFile(file);
  size_t at = text.find("Validation=") + 11;
  text.insert(at, "0");
  std::string padded = dir / "padded.ini";
  WriteTextFile(padded, text);
  EXPECT_EQ(validate(padded.c_str()), 0);
}

TEST_F(ValidationTest, ToolRefusesMissingFilesAndFilesWithoutMain) {
  std::string output;
  EXPECT_NE(RunTool("stamp \"" + (dir / "nothere.ini") + "\"", &output), 0);
  EXPECT_NE(output.find("no such file"), std::string::npos) << output;
  std::string noMain = dir / "nomain.ini";
  WriteTextFile(noMain, "[Other]\r\nx=1\r\n");
  EXPECT_NE(RunTool("stamp \"" + noMain + "\"", &output), 0);
  EXPECT_NE(output.find("has no [Main] section"), std::string::npos) << output;
  EXPECT_NE(RunTool("", &output), 0);
  EXPECT_NE(output.find("usage"), std::string::npos);
}

namespace {
// The CRC bit by bit, as the polynomial defines it.
unsigned long BitwiseCrc(const std::string& text, unsigned long crc) {
  unsigned long c = crc ^ 0xFFFFFFFFUL;
  for (unsigned char byte : text) {
    c ^= byte;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320UL ^ (c >> 1) : c >> 1;
  }
  return (c ^ 0xFFFFFFFFUL) & 0xFFFFFFFFUL;
}
}  // namespace

TEST_F(ValidationTest, Crc32EqualsTheBitwiseCrcAtEveryLengthAndStart) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += static_cast<char>(1 + (i * 37 + i / 7) % 255);
  for (size_t length : {1, 2, 7, 15, 16, 17, 31, 32, 33, 63, 64, 65, 79, 80, 127, 128, 129, 255, 300, 4096, 4999}) {
    std::string part = text.substr(0, length);
    for (unsigned long start : {0UL, 0xCBF43926UL, 0xFFFFFFFFUL}) {
      EXPECT_EQ(crc32(part.c_str(), start), BitwiseCrc(part, start)) << length << " from " << start;
    }
  }
}

// The stamp on bytes, as both the authoring tool and the build's native stamp command use it: a
// stamped file carries the code of its own bytes, and stamping it again changes nothing.
TEST(StampDescriptionTest, AStampedFileValidatesAndStampingAgainChangesNothing) {
  const char* const kTexts[] = {
      "[Main]\r\nName=x\r\n",
      "[Main]\nName=x",
      "; first\n[Main]",
      "x\n[Main]\r",                  // a last header with a CR and no LF
      "v[maAn]\n$ validation = me=x\x1A" "a\n[Main]\r\r\r\r\r",
      "[Main]\nName=x\r",             // a last line with a CR and no LF
      "[main]\n  Validation=1\nName=x\n[Main]\nValidation=2\n",
  };
  for (const char* text : kTexts) {
    std::optional<StampedDescription> first = StampDescription(text);
    ASSERT_TRUE(first) << text;
    EXPECT_EQ(DescriptionValidationCode(first->bytes), first->code) << text;
    std::optional<StampedDescription> second = StampDescription(first->bytes);
    ASSERT_TRUE(second) << text;
    EXPECT_EQ(second->bytes, first->bytes) << text;
  }
  EXPECT_FALSE(StampDescription("[Other]\nName=x\n"));
}
