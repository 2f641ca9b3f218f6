// tessaro-stamp FILE...: writes the validation code into section Main of each description file,
// byte for byte as "tessaro-tool stamp" does, on the build machine.
#include <cstdio>
#include <optional>
#include <string>

#include "engine/FileBytes.h"
#include "model/Crc32.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: tessaro-stamp FILE...\n");
    return 2;
  }
  int failures = 0;
  for (int i = 1; i < argc; ++i) {
    std::string file = argv[i];
    std::optional<std::string> bytes = ReadFileBytes(file);
    if (!bytes) {
      std::fprintf(stderr, "tessaro-stamp: %s: cannot be read\n", file.c_str());
      ++failures;
      continue;
    }
    std::optional<StampedDescription> stamped = StampDescription(*bytes);
    if (!stamped) {
      std::fprintf(stderr, "tessaro-stamp: %s has no [Main] section\n", file.c_str());
      ++failures;
    } else if (!WriteFileBytes(file, stamped->bytes)) {
      std::fprintf(stderr, "tessaro-stamp: %s: cannot be written\n", file.c_str());
      ++failures;
    } else {
      std::printf("%s: Validation=%s\n", file.c_str(), stamped->code.c_str());
    }
  }
  return failures ? 1 : 0;
}
