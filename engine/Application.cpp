#include "engine/Application.h"

#include <vector>

#include "engine/Paths.h"

namespace {
HMODULE& Module() {
  static HMODULE module = nullptr;
  return module;
}
std::string& DirectoryOverride() {
  static std::string directory;
  return directory;
}
}  // namespace

HMODULE EngineModule() { return Module(); }
void SetEngineModule(HMODULE module) { Module() = module; }

std::string EngineModulePath() {
  std::vector<char> buffer(MAX_PATH + 1);
  for (;;) {
    DWORD length = GetModuleFileNameA(Module(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::string();
    if (length < buffer.size() - 1) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

std::string EngineDirectory() {
  if (!DirectoryOverride().empty()) return DirectoryOverride();
  return StripTrailingBackslashes(DirectoryOf(EngineModulePath()));
}

void SetEngineDirectory(const std::string& directory) { DirectoryOverride() = StripTrailingBackslashes(directory); }
