// The parameters file exports, called through a loaded engine as a setup script calls them.
#include <gtest/gtest.h>

#include "engine/Paths.h"
#include "support/TestSupport.h"

using namespace testing_support;

namespace {
using FindParams = int(__stdcall*)(const char*, const char*, char*);
using GetText = int(__stdcall*)(const char*, char*);
using GetYesNo = int(__stdcall*)(const char*, int);
using NoArgs = int(__stdcall*)();
using WriteText = int(__stdcall*)(const char*, const char*, const char*);
using WriteYesNo = int(__stdcall*)(const char*, const char*, int);
using WriteTarget = int(__stdcall*)(const char*, unsigned, const char*);
using GetTarget = int(__stdcall*)(int, char*);
using PathOut = int(__stdcall*)(char*);

class ParamsExportsTest : public ::testing::Test {
 protected:
  // Before a load there is no parameters file in force: the writing exports are checked on
  // files of their own, the reading exports answer as for absent keys.
  ScratchDirectory dir{"params"};
  EngineInstance engine{dir.Path()};

  std::string Staged(const std::string& setupDir, const std::string& commandLine) {
    char out[MAX_PATH] = "junk";
    EXPECT_EQ(engine.Get<FindParams>("TS_FindParamsIniFile")(setupDir.c_str(), commandLine.c_str(), out), 0);
    return out;
  }
};
}  // namespace

TEST_F(ParamsExportsTest, StagesTheFileNamedByConfigOnTheCommandLine) {
  std::string product = dir / "product";
  WriteTextFile(JoinPath(dir / "with space", "my params.ini"), "[Main]\r\nFolder=Quoted\r\n");
  WriteTextFile(dir / "a.ini", "[Main]\r\nFolder=Plain\r\n");
  EXPECT_TRUE(CreateDirectoryTree(product));

  std::string staged = Staged(product, "-s config=\"" + (JoinPath(dir / "with space", "my params.ini")) + "\" -x");
  EXPECT_EQ(staged, JoinPath(TempDirectory(), "product.ini"));
  EXPECT_NE(ReadTextFile(staged).find("Folder=Quoted"), std::string::npos);

  staged = Staged(product, "config=  " + (dir / "a.ini") + " /other");
  EXPECT_NE(ReadTextFile(staged).find("Folder=Plain"), std::string::npos);
  DeleteFileA(staged.c_str());
}

TEST_F(ParamsExportsTest, NamesTheStagedFileAfterMifNameThenRootFeatureThenFolder) {
  std::string product = dir / "prod1";
  WriteTextFile(product + "\\prop.ini", "[Main]\r\nMIFName=\"Reports\"\r\nRootFeature=REP\r\n");
  EXPECT_EQ(Staged(product, ""), JoinPath(TempDirectory(), "Reports.ini"));
  WriteTextFile(product + "\\prop.ini", "[Main]\r\nRootFeature=REP\r\n");
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, (product + "\\prop.ini").c_str());
  std::string second = dir / "prod2";
  WriteTextFile(second + "\\prop.ini", "[Main]\r\nRootFeature=REP\r\n");
  EXPECT_EQ(Staged(second, ""), JoinPath(TempDirectory(), "REP.ini"));
  std::string bare = dir / "prod3";
  EXPECT_TRUE(CreateDirectoryTree(bare));
  EXPECT_EQ(Staged(bare + "\\", ""), JoinPath(TempDirectory(), "prod3.ini"));
  // A path with a dot is taken as a file: its folder names the setup.
  EXPECT_EQ(Staged(bare + "\\setup.exe", ""), JoinPath(TempDirectory(), "prod3.ini"));
}

TEST_F(ParamsExportsTest, ANameThatLeadsOutOfTheTemporaryDirectoryIsPassedOver) {
  std::string product = dir / "prod6";
  WriteTextFile(product + "\\prop.ini", "[Main]\r\nMIFName=..\\..\\Windows\\win\r\nRootFeature=SAFE\r\n");
  EXPECT_EQ(Staged(product, ""), JoinPath(TempDirectory(), "SAFE.ini"));
  std::string second = dir / "prod7";
  WriteTextFile(second + "\\prop.ini", "[Main]\r\nMIFName=C:evil\r\nRootFeature=a/b\r\n");
  EXPECT_EQ(Staged(second, ""), JoinPath(TempDirectory(), "prod7.ini"));
}

TEST_F(ParamsExportsTest, FallsBackToNameIniThenConfigIniAndMakesTheCopyWritable) {
  std::string product = dir / "prod4";
  WriteTextFile(product + "\\config.ini", "[Main]\r\nFolder=FromConfig\r\n");
  std::string staged = Staged(product, "");
  EXPECT_NE(ReadTextFile(staged).find("FromConfig"), std::string::npos);
  WriteTextFile(product + "\\prod4.ini", "[Main]\r\nFolder=FromName\r\n");
  SetFileAttributesA((product + "\\prod4.ini").c_str(), FILE_ATTRIBUTE_READONLY);
  staged = Staged(product, "");
  EXPECT_NE(ReadTextFile(staged).find("FromName"), std::string::npos);
  EXPECT_EQ(GetFileAttributesA(staged.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  SetFileAttributesA((product + "\\prod4.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(staged.c_str());

  std::string empty = dir / "prod5";
  EXPECT_TRUE(CreateDirectoryTree(empty));
  staged = Staged(empty, "");
  EXPECT_EQ(staged, JoinPath(TempDirectory(), "prod5.ini"));
  EXPECT_FALSE(FileExists(staged));
}

TEST_F(ParamsExportsTest, WritesYesNoAndTargetsAndFlushesAtOnce) {
  std::string file = dir / "written.ini";
  engine.Get<WriteText>("TSWriteParam")(file.c_str(), "Folder", "My Folder");
  engine.Get<WriteYesNo>("TSWriteParamYesNo")(file.c_str(), "Unattended", 7);
  engine.Get<WriteYesNo>("TSWriteParamYesNo")(file.c_str(), "EnableWelcomeDlg", 0);
  engine.Get<WriteTarget>("TSWriteParamTarget")(file.c_str(), 3, "CORVAROOT;C:\\Corva");
  std::string text = ReadTextFile(file);
  EXPECT_NE(text.find("Folder=My Folder"), std::string::npos);
  EXPECT_NE(text.find("Unattended=YES"), std::string::npos);
  EXPECT_NE(text.find("EnableWelcomeDlg=NO"), std::string::npos);
  EXPECT_NE(text.find("[Targets]"), std::string::npos);
  EXPECT_NE(text.find("Target3=CORVAROOT;C:\\Corva"), std::string::npos);
}

TEST_F(ParamsExportsTest, TempDirHasNoTrailingBackslash) {
  char out[MAX_PATH] = {};
  engine.Get<PathOut>("TSGetTempDir")(out);
  std::string temp = out;
  ASSERT_FALSE(temp.empty());
  EXPECT_NE(temp.back(), '\\');
  EXPECT_TRUE(DirectoryExists(temp));
}

TEST_F(ParamsExportsTest, WithoutAParametersFileEveryKeyReadsAsAbsent) {
  char out[512] = "junk";
  engine.Get<GetText>("TSGetParam")("Folder", out);
  EXPECT_STREQ(out, "");
  EXPECT_EQ(engine.Get<GetYesNo>("TSGetParamYesNo")("SyntaxCheck", 1), 1);
  EXPECT_EQ(engine.Get<GetYesNo>("TSGetParamYesNo")("Unattended", 0), 0);
  EXPECT_EQ(engine.Get<NoArgs>("TSAllMessages")(), 1);
  EXPECT_EQ(engine.Get<NoArgs>("TSSomeMessages")(), 0);
  EXPECT_EQ(engine.Get<NoArgs>("TSNoMessages")(), 0);
  EXPECT_EQ(engine.Get<NoArgs>("TSUnattended")(), 0);
  strcpy(out, "junk");
  engine.Get<GetTarget>("TSGetParamTarget")(0, out);
  EXPECT_STREQ(out, "");
}
