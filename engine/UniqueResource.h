#pragma once
// The owner of a resource that must be closed exactly once, and the owner of a C library file.
// Pure C++: the native tools share it; the owners of Win32 handles build on it.
#include <cstdio>
#include <utility>

template <typename T, typename Traits>
class UniqueResource {
 public:
  UniqueResource() = default;
  explicit UniqueResource(T value) : value_(value) {}
  ~UniqueResource() { reset(); }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  T get() const { return value_; }
  T* put() {
    reset();
    return &value_;
  }
  explicit operator bool() const { return Traits::IsValid(value_); }
  T release() { return std::exchange(value_, Traits::Invalid()); }
  void reset(T value = Traits::Invalid()) {
    if (Traits::IsValid(value_)) Traits::Close(value_);
    value_ = value;
  }

 private:
  T value_ = Traits::Invalid();
};

struct StdFileTraits {
  static FILE* Invalid() { return nullptr; }
  static bool IsValid(FILE* f) { return f != nullptr; }
  static void Close(FILE* f) { std::fclose(f); }
};

using UniqueStdFile = UniqueResource<FILE*, StdFileTraits>;
