#include "model/Validation.h"

#include "engine/Errors.h"
#include "engine/FileBytes.h"
#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/Text.h"
#include "model/Crc32.h"

unsigned long FileCrc(const std::string& file, const std::string& salt, const std::string& skipKey) {
  CPropError::SetFile(file);
  CPropError::SetSection("Main");
  CPropError::SetItem(skipKey);
  std::optional<std::string> bytes = ReadFileBytes(file);
  if (!bytes) {
    CPropError("Unable to open the file").Report();
    return 0;
  }
  return TextModeCrc(*bytes, Crc32(salt.c_str(), 0), skipKey);
}

bool ValidateFile(const std::string& file) {
  ScopedLogIndent indent;
  std::string code = ValidationCodeText(FileCrc(file, kValidationSalt, kValidationKey));
  return EqualsNoCase(code, ReadIniString(file, "Main", kValidationKey));
}

std::string StampValidationCode(const std::string& file) {
  std::optional<std::string> bytes = ReadFileBytes(file);
  if (!bytes) throw CMyError("Unable to open " + file);
  std::optional<StampedDescription> stamped = StampDescription(*bytes);
  if (!stamped) throw CMyError(file + " has no [Main] section");
  if (!WriteFileBytes(file, stamped->bytes)) throw CMyError("Unable to write " + file);
  return stamped->code;
}
