#include "host/EngineBinding.h"

namespace {
template <typename Fn>
void Bind(HMODULE engine, const char* name, Fn& slot, std::string& missing) {
  slot = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(engine, name)));
  if (!slot && missing.empty()) missing = name;
}
}  // namespace

HMODULE BindEngine(const std::string& dllPath, EngineExports& e, std::string& missing) {
  HMODULE engine = LoadLibraryA(dllPath.c_str());
  if (!engine) {
    missing = dllPath;
    return nullptr;
  }
#define TESSARO_HOST_EXPORT_BIND(member, name) Bind(engine, #name, e.member, missing);
  TESSARO_HOST_EXPORTS(TESSARO_HOST_EXPORT_BIND)
#undef TESSARO_HOST_EXPORT_BIND
  return engine;
}
