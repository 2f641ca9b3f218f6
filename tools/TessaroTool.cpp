// tessaro-tool: the setup author's command line.
#include <cstdio>
#include <string>
#include <vector>

#include "engine/Errors.h"
#include "engine/Paths.h"
#include "model/Crc32.h"

namespace {
int Usage() {
  std::fprintf(stderr,
               "usage: tessaro-tool stamp FILE...\n"
               "  stamp   writes the validation code into section Main of each description file\n");
  return 2;
}

int Stamp(const std::vector<std::string>& files) {
  if (files.empty()) return Usage();
  int failures = 0;
  for (const std::string& file : files) {
    if (!FileExists(file)) {
      std::fprintf(stderr, "tessaro-tool: %s: no such file\n", file.c_str());
      ++failures;
      continue;
    }
    try {
      std::string code = StampValidationCode(file);
      std::printf("%s: Validation=%s\n", file.c_str(), code.c_str());
    } catch (const CMyError& error) {
      std::fprintf(stderr, "tessaro-tool: %s\n", error.Message().c_str());
      ++failures;
    }
  }
  return failures ? 1 : 0;
}
}  // namespace

int main(int argc, char** argv) {
  SetMessageBoxesShown(false);
  if (argc < 2) return Usage();
  std::string command = argv[1];
  std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "stamp") return Stamp(args);
  std::fprintf(stderr, "tessaro-tool: unknown command %s\n", command.c_str());
  return Usage();
}
