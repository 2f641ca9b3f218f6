// CRC-32 and validation code exports.
#include "exports/ExportFrame.h"
#include "model/Crc32.h"
#include "model/Validation.h"

TS_EXPORT unsigned long TS_GetCRC32(const char* text, unsigned long crc) {
  return Quietly(__func__, crc, [&] { return Crc32(text, crc); });
}

TS_EXPORT unsigned long TSGetFileCRC(const char* file, const char* salt, const char* skipKey) {
  return Quietly(__func__, 0UL, [&] { return FileCrc(file ? file : "", salt ? salt : "", skipKey ? skipKey : ""); });
}

TS_EXPORT int TSValidateFile(const char* file) {
  return Quietly(__func__, 0, [&] { return ValidateFile(file ? file : "") ? 1 : 0; });
}
