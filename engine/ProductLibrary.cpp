#include "engine/ProductLibrary.h"

HMODULE LoadProductLibrary(const std::string& path) {
  if (path.empty()) return nullptr;
  // A product library's own dependencies are found beside it.
  return LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
