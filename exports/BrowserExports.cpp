// The directory browser for the setup script.
#include <windows.h>

#include <cstring>
#include <string>

#include "exports/ExportFrame.h"
#include "ui/FolderText.h"
#include "ui/windows/DirBrowser.h"

// `path` is the caller's buffer, with no size given: the browser never writes more than
// kBrowserPathSize (MAX_PATH, 260) bytes into it, terminating zero included.
TS_EXPORT int REBrowseForFolder(HWND parent, const char* title, char* path) {
  return GuardedStep("An unknown error occurred in the folder browser.", 0, [&] {
    std::string given = TextArg(path);
    std::string folder = given.substr(0, kBrowserPathSize - 1);
    bool differs = BrowseForFolder(parent, TextArg(title), folder);
    // Written only when the browser chose a folder: Cancel leaves the buffer as it was.
    if (path && folder != given.substr(0, kBrowserPathSize - 1) && folder.size() < kBrowserPathSize)
      std::memcpy(path, folder.c_str(), folder.size() + 1);
    return differs ? 1 : 0;
  });
}
