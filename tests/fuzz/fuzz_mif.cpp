// The status-file reader on any bytes a product installer may leave.
#include <cstdint>
#include <cstdio>
#include <string>

#include "FuzzCheck.h"
#include "mif/Mif.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  std::FILE* file = fmemopen(bytes.empty() ? nullptr : &bytes[0], bytes.size(), "rb");
  if (!file) return 0;
  CMif mif;
  mif.Read(file);
  std::fclose(file);
  // Tokens are bounded, whatever the file holds.
  FUZZ_CHECK(mif.componentName.size() <= 1023);
  FUZZ_CHECK(mif.InstallStatus().size() <= 1023);
  FUZZ_CHECK(mif.groups.Count() <= size);
  return 0;
}
