#pragma once
// Calls into a product's own libraries (setup library, installation library). A library is
// loaded from its directory for each single call and unloaded right after it.
#include <windows.h>

#include <string>
#include <type_traits>

#include "engine/Paths.h"
#include "engine/Win32Handles.h"

// Entry points, each with the exact __stdcall signature the products export; a wrong one
// would corrupt the stack of a 32-bit host.
namespace product_entry {
using Hook = int(__stdcall*)(int direction);
using TranslateKeyword = int(__stdcall*)(const char* keyword, char* buffer, int* final);
using SetupAlreadyInstalled = int(__stdcall*)();
using InfAlreadyInstalled = int(__stdcall*)(char* infPath);
using DoInstall = void(__stdcall*)(const char* infPath, int reserved);
using DoUninstall = void(__stdcall*)(char* infPath, int reserved);
}  // namespace product_entry

enum class LibraryCall { Called, NotLoaded, EntryMissing };

struct LibraryCallResult {
  LibraryCall status = LibraryCall::NotLoaded;
  int value = 0;
  bool Called() const { return status == LibraryCall::Called; }
};

HMODULE LoadProductLibrary(const std::string& path);

// A product library held for the steps of one call whose caller reports each step on its own:
// loaded, its entry point looked up, called; unloaded at the end of the scope.
class LoadedProductLibrary {
 public:
  explicit LoadedProductLibrary(const std::string& path) : module_(LoadProductLibrary(path)) {}
  bool Loaded() const { return static_cast<bool>(module_); }
  template <typename Fn>
  Fn Entry(const char* name) const {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_.get(), name)));
  }

 private:
  UniqueModule module_;
};

// Loads directory\file, looks `entry` up by name and hands the entry point to `call`, whose
// int answer becomes the result's value; unloads the library afterwards.
template <typename Fn, typename Call>
LibraryCallResult WithProductEntry(const std::string& directory, const std::string& file, const char* entry,
                                   Call&& call) {
  LoadedProductLibrary library(JoinPath(directory, file));
  if (!library.Loaded()) return {LibraryCall::NotLoaded, 0};
  auto function = library.Entry<Fn>(entry);
  if (!function) return {LibraryCall::EntryMissing, 0};
  return {LibraryCall::Called, call(function)};
}

// Loads directory\file, looks `entry` up by name, calls it with `args`, unloads the library.
template <typename Fn, typename... Args>
LibraryCallResult CallProductEntry(const std::string& directory, const std::string& file, const char* entry,
                                   Args... args) {
  return WithProductEntry<Fn>(directory, file, entry, [&](Fn function) {
    if constexpr (std::is_void_v<std::invoke_result_t<Fn, Args...>>) {
      function(args...);
      return 0;
    } else {
      return static_cast<int>(function(args...));
    }
  });
}
