#pragma once
// What every test of the engine needs: scratch folders, files, stamped descriptions, a fresh
// engine instance loaded from a master directory, the registry cleaned, and a watcher that
// answers message boxes so that no test waits on a window.
#include <windows.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/Win32Handles.h"

namespace testing_support {

// Directory of the running test program: the engine, the tool and the fixtures lie there.
std::string BuildDirectory();
std::string FixturePath(const std::string& name);

// A folder under the system's temporary directory, removed with everything in it.
class ScratchDirectory {
 public:
  explicit ScratchDirectory(const std::string& hint = "t");
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const;

 private:
  std::string path_;
};

void RemoveTree(const std::string& path);
void WriteTextFile(const std::string& path, const std::string& content);
std::string ReadTextFile(const std::string& path);
std::vector<std::string> ReadLines(const std::string& path);
// The lines of a text, without their line ends (CR LF or LF).
std::vector<std::string> SplitLines(const std::string& content);
void CopyFileTo(const std::string& from, const std::string& to);
// Copies a folder with everything in it.
void CopyTree(const std::string& from, const std::string& to);

// Runs a program and waits for it (at most `timeoutMs`); returns its exit code, or -1 when it
// could not start or did not end in time. Its console output goes to `outputFile` when given.
int RunProgram(const std::string& commandLine, const std::string& outputFile = std::string(),
               unsigned timeoutMs = 300000);
// Writes a description file and stamps its validation code, as the authoring tool does.
void WritePropIni(const std::string& path, const std::string& content);

// Removes the engine's registry records (HKLM\Software\Corvant) before and after a test.
void CleanCorvantRegistry();

// What a run leaves behind, to compare two machines: every text value below a key, named
// "subkey\name", and every file below a folder, named by its path relative to it, with its
// contents.
std::map<std::string, std::string> RegistryValuesBelow(HKEY root, const std::string& key);
std::map<std::string, std::string> FilesBelow(const std::string& folder);
// A map kept in a text file, a line per entry: the name, a tab and the value, with backslash,
// tab, CR and LF escaped in both.
void WriteTextMap(const std::string& path, const std::map<std::string, std::string>& entries);
std::map<std::string, std::string> ReadTextMap(const std::string& path);

// A fresh engine: Tessaro.dll copied into a master directory and loaded from there.
class EngineInstance {
 public:
  explicit EngineInstance(const std::string& masterDirectory);
  ~EngineInstance();
  EngineInstance(const EngineInstance&) = delete;
  EngineInstance& operator=(const EngineInstance&) = delete;

  template <typename Fn>
  Fn Get(const char* name) const {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_.get(), name)));
  }
  HMODULE Module() const { return module_.get(); }

 private:
  UniqueModule module_;
};

// Answers every message box of this process (not the pages) from a thread of its own, and records each box's
// caption and text. The answer is the box's default button unless told otherwise.
class MessageBoxWatcher {
 public:
  struct Box {
    std::string caption;
    std::string text;
    HWND owner;
  };
  // `answerId` is the button id to press (IDOK, IDYES, IDNO...); 0 presses the default.
  explicit MessageBoxWatcher(int answerId = 0);
  ~MessageBoxWatcher();
  std::vector<Box> Boxes() const;
  void SetAnswer(int answerId) { answer_ = answerId; }

 private:
  void Watch();
  std::atomic<bool> stop_{false};
  // Set once the thread has looked for boxes the first time: its first use of windows must not
  // overlap the start of a test's engine.
  std::atomic<bool> watching_{false};
  std::atomic<int> answer_;
  mutable std::mutex mutex_;
  std::vector<Box> boxes_;
  std::thread thread_;
};

// The visible dialogs of this process (class #32770) that hold a control of the given id.
std::vector<HWND> VisibleDialogsWithControl(int controlId);

// Lines of the log file without their line feeds.
std::vector<std::string> LogLines(const std::string& logPath);
bool ContainsLine(const std::vector<std::string>& lines, const std::string& line);

}  // namespace testing_support
