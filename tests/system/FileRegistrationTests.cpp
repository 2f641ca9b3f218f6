// TS_RegisterFile and TS_UnregisterFile with a COM server whose entry points succeed, return
// errors or fault, with a program that registers itself, and with a type library.
#include <gtest/gtest.h>

#include "include/tessaro.h"
#include "engine/Log.h"
#include "engine/Paths.h"
#include "state/Registry.h"
#include "support/TestSupport.h"

using namespace testing_support;

namespace {
constexpr char kFixtureLibraryKey[] = "TypeLib\\{6A1B2C3D-4E5F-4071-8293-A4B5C6D7E8F9}";

std::string CurrentDirectory() {
  char directory[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, directory);
  return directory;
}

class FileRegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLogPath(dir / "run.log");
    SetLogIndentLevel(0);
    serverDir = dir / "Com Server";
    server = JoinPath(serverDir, "com_server.dll");
    CopyFileTo(FixturePath("com_server.dll"), server);
    startDirectory = CurrentDirectory();
  }
  void TearDown() override {
    EXPECT_EQ(CurrentDirectory(), startDirectory) << "the current directory is restored";
    SetLogPath("");
    EXPECT_TRUE(DeleteRegKeyTree(HKEY_CLASSES_ROOT, kFixtureLibraryKey));
  }
  void Behave(const std::string& settings) { WriteTextFile(JoinPath(serverDir, "com_server.ini"), settings); }
  std::vector<std::string> ServerCalls() { return ReadLines(JoinPath(serverDir, "com_server_calls.log")); }
  std::vector<std::string> Log() { return ReadLines(dir / "run.log"); }
  std::string Regsvr32(const std::string& switches) {
    return "\"" + JoinPath(SystemDirectory(), "regsvr32.exe") + "\" " + switches + " \"" + server + "\"";
  }

  ScratchDirectory dir{"reg"};
  std::string serverDir, server, startDirectory;
};

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
}  // namespace

TEST_F(FileRegistrationTest, AServerIsRegisteredInItsDirectoryWithComInitialised) {
  Behave("[DllRegisterServer]\r\nOutcome=return\r\nResult=0\r\n");
  EXPECT_EQ(TS_RegisterFile(server.c_str()), 0);
  std::vector<std::string> calls = ServerCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_TRUE(Contains(calls[0], "DllRegisterServer host=tests_system.exe dir=" + serverDir + " com=yes"))
      << calls[0];
  EXPECT_TRUE(Log().empty());
}

TEST_F(FileRegistrationTest, AServerIsUnregisteredWithComInitialised) {
  Behave("[DllUnregisterServer]\r\nResult=0\r\n");
  EXPECT_EQ(TS_UnregisterFile(server.c_str()), 0);
  std::vector<std::string> calls = ServerCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_TRUE(Contains(calls[0], "DllUnregisterServer host=tests_system.exe dir=" + serverDir + " com=yes"))
      << calls[0];
}

TEST_F(FileRegistrationTest, AnErrorCodeOfDllRegisterServerIsLoggedAsASignedNumber) {
  Behave("[DllRegisterServer]\r\nResult=-2147467259\r\n");
  EXPECT_EQ(TS_RegisterFile(server.c_str()), -2);
  std::vector<std::string> expected = {"*** Registration of " + server +
                                       " failed - the function DllRegisterServer returned an error code "
                                       "-2147467259."};
  EXPECT_EQ(Log(), expected);
}

TEST_F(FileRegistrationTest, AnErrorCodeOfDllUnregisterServerIsLoggedWithoutStars) {
  Behave("[DllUnregisterServer]\r\nResult=-2147024891\r\n");
  EXPECT_EQ(TS_UnregisterFile(server.c_str()), -2);
  std::vector<std::string> expected = {"Unregistration of " + server +
                                       " failed - the function DllUnregisterServer returned an error code "
                                       "-2147024891."};
  EXPECT_EQ(Log(), expected);
}

TEST_F(FileRegistrationTest, AServerThatFaultsIsRegisteredByRegsvr32) {
  Behave("[DllRegisterServer]\r\nOutcome=fault\r\n");
  EXPECT_EQ(TS_RegisterFile(server.c_str()), 0);
  std::vector<std::string> calls = ServerCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_TRUE(Contains(calls[0], "DllRegisterServer host=tests_system.exe")) << calls[0];
  EXPECT_TRUE(Contains(calls[1], "DllRegisterServer host=regsvr32.exe")) << calls[1];
  EXPECT_TRUE(Contains(calls[1], " args=" + Regsvr32("/s"))) << calls[1];
  EXPECT_TRUE(Log().empty());
}

TEST_F(FileRegistrationTest, AServerThatRaisesAnExceptionIsRegisteredByRegsvr32) {
  Behave("[DllRegisterServer]\r\nOutcome=raise\r\n");
  EXPECT_EQ(TS_RegisterFile(server.c_str()), 0);
  std::vector<std::string> calls = ServerCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_TRUE(Contains(calls[1], " args=" + Regsvr32("/s"))) << calls[1];
}

TEST_F(FileRegistrationTest, AServerThatFaultsIsUnregisteredByRegsvr32) {
  Behave("[DllUnregisterServer]\r\nOutcome=fault\r\n");
  EXPECT_EQ(TS_UnregisterFile(server.c_str()), 0);
  std::vector<std::string> calls = ServerCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_TRUE(Contains(calls[1], "DllUnregisterServer host=regsvr32.exe")) << calls[1];
  EXPECT_TRUE(Contains(calls[1], " args=" + Regsvr32("/s /u"))) << calls[1];
}

TEST_F(FileRegistrationTest, TheProcessCarriesOnAfterAFaultAndRegistersAgain) {
  Behave("[DllRegisterServer]\r\nOutcome=fault\r\n");
  EXPECT_EQ(TS_RegisterFile(server.c_str()), 0);
  std::string secondDir = dir / "Second";
  std::string second = JoinPath(secondDir, "com_server.dll");
  CopyFileTo(FixturePath("com_server.dll"), second);
  WriteTextFile(JoinPath(secondDir, "com_server.ini"), "[DllRegisterServer]\r\nResult=1\r\n");
  EXPECT_EQ(TS_RegisterFile(second.c_str()), -2);
  EXPECT_TRUE(Contains(ReadTextFile(JoinPath(secondDir, "com_server_calls.log")), "host=tests_system.exe"));
  EXPECT_TRUE(ContainsLine(Log(), "*** Registration of " + second +
                                      " failed - the function DllRegisterServer returned an error code 1."));
}

TEST_F(FileRegistrationTest, ALibraryWithoutTheEntryPointFails) {
  std::string library = dir / "plain.dll";
  CopyFileTo(FixturePath("fixture_setup.dll"), library);
  EXPECT_EQ(TS_RegisterFile(library.c_str()), -2);
  EXPECT_EQ(TS_UnregisterFile(library.c_str()), -2);
  std::vector<std::string> expected = {
      "*** Registration of " + library + " failed - the entry point DllRegisterServer is missing.",
      "*** Unregistration of " + library + " failed - the entry point DllUnregisterServer is missing."};
  EXPECT_EQ(Log(), expected);
}

TEST_F(FileRegistrationTest, AFileThatIsNoLibraryFails) {
  std::string notLibrary = dir / "notes.ocx";
  WriteTextFile(notLibrary, "not a library");
  std::string missing = dir / "missing.dll";
  EXPECT_EQ(TS_RegisterFile(notLibrary.c_str()), -2);
  EXPECT_EQ(TS_UnregisterFile(missing.c_str()), -2);
  EXPECT_EQ(TS_RegisterFile(nullptr), -2);
  std::vector<std::string> expected = {
      "*** Registration of " + notLibrary + " failed - unable to load the file.",
      "*** Unregistration of " + missing + " failed - unable to load the file."};
  EXPECT_EQ(Log(), expected);
}

TEST_F(FileRegistrationTest, AProgramWithAnUpperCaseExtensionRunsWithRegserver) {
  std::string programDir = dir / "Program Dir";
  std::string program = JoinPath(programDir, "REGPROG.EXE");
  CopyFileTo(FixturePath("register_program.exe"), program);
  EXPECT_EQ(TS_RegisterFile(program.c_str()), 0);
  EXPECT_EQ(TS_UnregisterFile(program.c_str()), 0);
  std::vector<std::string> expected = {"args=\"" + program + "\" /REGSERVER dir=" + programDir,
                                       "args=\"" + program + "\" /UNREGSERVER dir=" + programDir};
  EXPECT_EQ(ReadLines(JoinPath(programDir, "register_program_calls.log")), expected);
}

TEST_F(FileRegistrationTest, AProgramPathWithoutSpacesIsNotQuoted) {
  std::string program = dir / "regprog.exe";
  CopyFileTo(FixturePath("register_program.exe"), program);
  EXPECT_EQ(TS_RegisterFile(program.c_str()), 0);
  std::vector<std::string> expected = {"args=" + program + " /REGSERVER dir=" + dir.Path()};
  EXPECT_EQ(ReadLines(dir / "register_program_calls.log"), expected);
}

TEST_F(FileRegistrationTest, AProgramThatCannotStartIsNotReported) {
  std::string missing = dir / "missing.exe";
  EXPECT_EQ(TS_RegisterFile(missing.c_str()), 0);
  EXPECT_TRUE(Log().empty());
}

TEST_F(FileRegistrationTest, ATypeLibraryIsRegisteredAtItsPathAndUnregisteredAgain) {
  std::string library = dir / "Type Libraries\\fixture.TLB";
  CopyFileTo(FixturePath("fixture_typelib.tlb"), library);
  ASSERT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, kFixtureLibraryKey));
  EXPECT_EQ(TS_RegisterFile(library.c_str()), 0);
  std::string versionKey = std::string(kFixtureLibraryKey) + "\\1.0";
  EXPECT_EQ(ReadRegString(HKEY_CLASSES_ROOT, versionKey, ""), "Tessaro fixture type library");
  std::string platform = sizeof(void*) == 8 ? "win64" : "win32";
  EXPECT_EQ(ReadRegString(HKEY_CLASSES_ROOT, versionKey + "\\0\\" + platform, ""), library);
  EXPECT_EQ(TS_UnregisterFile(library.c_str()), 0);
  EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, versionKey));
  EXPECT_TRUE(Log().empty());
}

TEST_F(FileRegistrationTest, ATypeLibraryThatCannotBeLoadedFailsSilently) {
  std::string library = dir / "broken.tlb";
  WriteTextFile(library, "not a type library");
  EXPECT_EQ(TS_RegisterFile(library.c_str()), -2);
  EXPECT_EQ(TS_UnregisterFile(library.c_str()), -2);
  EXPECT_TRUE(Log().empty());
}
