#include "engine/SystemLibrary.h"

#include "engine/Log.h"
#include "engine/Paths.h"
#include "engine/Text.h"

HMODULE LoadSystemLibrary(const std::string& name) {
  std::string path = JoinPath(SystemDirectory(), name);
  // The library's own dependencies come from its directory too.
  HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!module) LogLine(Format("*** LoadLibraryEx of %s failed (error %lu)", path.c_str(), GetLastError()));
  return module;
}
