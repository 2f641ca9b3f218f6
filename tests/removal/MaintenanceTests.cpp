// The maintenance folder an install run keeps below the main directory, laid out like CD 1, with
// exactly the files a removal needs.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>

#include "RemovalSuite.h"
#include "engine/Application.h"
#include "engine/Paths.h"
#include "include/tessaro.h"

using namespace testing_support;
using namespace removal_tests;

namespace {
// The files below a folder, by their paths relative to it.
void ListFiles(const std::string& folder, const std::string& prefix, std::set<std::string>& files) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      ListFiles(folder + "\\" + name, prefix + name + "\\", files);
    else
      files.insert(prefix + name);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
}

class MaintenanceTest : public InProcessModelTest {
 protected:
  void Load(const std::string& toolsExtra = "MaintenanceFiles=extra.txt\r\n") {
    suite.Write("", toolsExtra);
    WriteTextFile(suite.tree.Dir("Tools") + "\\extra.txt", "extra");
    suite.tree.LoadInProcess(suite.tree.WriteParams("MessageLevel=NONE\r\n"));
  }
  std::string Folder() const { return suite.tree.CorvaRoot() + "\\setup\\maintenance"; }
  std::set<std::string> Kept() const {
    std::set<std::string> files;
    ListFiles(Folder(), "", files);
    return files;
  }
  bool Logged(const std::string& line) const { return ContainsLine(suite.tree.Log(), line); }

  MessageBoxWatcher boxes;
  RemovalSuite suite{"rmkeep"};
};
}  // namespace

TEST_F(MaintenanceTest, EachSetupKeepsExactlyWhatItsRemovalNeeds) {
  Load();
  char folder[TS_PATH_BUFFER_SIZE] = "junk";
  ASSERT_EQ(TS_GetMaintenanceFolder(folder), 0);
  EXPECT_EQ(folder, Folder());

  ASSERT_EQ(TS_KeepForMaintenance(suite.PropIni("master").c_str()), 0);
  std::string engine = "master\\" + LastPathName(EngineModulePath());
  EXPECT_EQ(Kept(), (std::set<std::string>{"master\\prop.ini", "master\\host.exe", "master\\license.txt", engine,
                                           "Tools\\prop.ini", "Archive\\prop.ini", "Core\\SHAREDRT\\prop.ini"}));
  for (const char* directory : {"Tools", "Archive", "Core\\SHAREDRT"})
    ASSERT_EQ(TS_KeepForMaintenance(suite.PropIni(directory).c_str()), 0) << directory;
  EXPECT_EQ(Kept(), (std::set<std::string>{"master\\prop.ini", "master\\host.exe", "master\\license.txt", engine,
                                           "Tools\\prop.ini", "Tools\\fixture_product.exe", "Tools\\extra.txt",
                                           "Archive\\prop.ini", "Archive\\fixture_inf.dll", "Archive\\archive.inf",
                                           "Core\\SHAREDRT\\prop.ini"}));
  EXPECT_EQ(ReadTextFile(Folder() + "\\Tools\\prop.ini"), ReadTextFile(suite.PropIni("Tools")));
  // Kept again by a later run, over the earlier copies.
  EXPECT_EQ(TS_KeepForMaintenance(suite.PropIni("Tools").c_str()), 0);
}

TEST_F(MaintenanceTest, AFileTheRemovalNeedsThatIsMissingFails) {
  Load("MaintenanceFiles=extra.txt, missing.txt\r\n");
  EXPECT_EQ(TS_KeepForMaintenance(suite.PropIni("Tools").c_str()), -1);
  EXPECT_TRUE(Logged("   *** " + suite.tree.Dir("Tools") + "\\missing.txt is missing: the removal needs it"));
  // The rest is kept all the same.
  EXPECT_TRUE(FileExists(Folder() + "\\Tools\\extra.txt"));
}

TEST_F(MaintenanceTest, AMaintenanceFolderThatCannotBeMadeFails) {
  Load();
  ASSERT_TRUE(CreateDirectoryTree(suite.tree.CorvaRoot()));
  WriteTextFile(suite.tree.CorvaRoot() + "\\setup", "not a folder");
  EXPECT_EQ(TS_KeepForMaintenance(suite.PropIni("Archive").c_str()), -1);
  EXPECT_TRUE(Logged("   *** Unable to create the directory " + Folder() + "\\Archive (CreateDirectoryA error " +
                     std::to_string(ERROR_ALREADY_EXISTS) + ")"));
}
