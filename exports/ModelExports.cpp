// Setup model exports: keyword translation.
#include <string>

#include "engine/Text.h"
#include "exports/ExportFrame.h"
#include "model/Keywords.h"

TS_EXPORT int TSTranslateKeyword(const char* keyword, char* buffer, int* final) {
  return Quietly(-1, [&] {
    std::string value;
    int isFinal = 1;
    int result = TranslateBuiltinKeyword(keyword ? keyword : "", value, isFinal);
    // The engine's own callers hand 256 bytes; a longer value is cut to fit them.
    CopyToBuffer(value, buffer, kKeywordBufferSize);
    if (final) *final = isFinal;
    return result;
  });
}
