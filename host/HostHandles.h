#pragma once
// Owners of what the host opens: each closes what it holds exactly once. The host builds on the
// public header alone, so it keeps these few owners of its own.
#include <windows.h>

#include <cstdio>
#include <utility>

template <typename T, typename Traits>
class HostOwned {
 public:
  HostOwned() = default;
  explicit HostOwned(T value) : value_(value) {}
  ~HostOwned() { reset(); }
  HostOwned(const HostOwned&) = delete;
  HostOwned& operator=(const HostOwned&) = delete;
  T get() const { return value_; }
  explicit operator bool() const { return Traits::IsValid(value_); }
  void reset(T value = Traits::Invalid()) {
    if (Traits::IsValid(value_)) Traits::Close(value_);
    value_ = value;
  }

 private:
  T value_ = Traits::Invalid();
};

struct HostHandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct HostFindTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void Close(HANDLE h) { ::FindClose(h); }
};
struct HostFileTraits {
  static FILE* Invalid() { return nullptr; }
  static bool IsValid(FILE* f) { return f != nullptr; }
  static void Close(FILE* f) { std::fclose(f); }
};

using UniqueHandle = HostOwned<HANDLE, HostHandleTraits>;
using UniqueFindHandle = HostOwned<HANDLE, HostFindTraits>;
using UniqueStdFile = HostOwned<FILE*, HostFileTraits>;
