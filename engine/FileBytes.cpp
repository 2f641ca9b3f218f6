#include "engine/FileBytes.h"

#include <cstdio>

#include "engine/UniqueResource.h"

std::optional<std::string> ReadFileBytes(const std::string& path) {
  UniqueStdFile file(std::fopen(path.c_str(), "rb"));
  if (!file) return std::nullopt;
  std::string bytes;
  char block[4096];
  size_t got;
  while ((got = std::fread(block, 1, sizeof block, file.get())) > 0) bytes.append(block, got);
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  UniqueStdFile file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return false;
  return std::fclose(file.release()) == 0;
}
