// Setup model exports: loading and unloading the model, keyword translation, and the yes/no
// keys of the root setup's description.
#include <string>

#include "engine/Application.h"
#include "engine/Errors.h"
#include "engine/Paths.h"
#include "engine/Text.h"
#include "exports/ExportFrame.h"
#include "model/Keywords.h"
#include "model/Loader.h"
#include "model/Model.h"

TS_EXPORT int TS_LoadSetupData(const char* parametersFile) {
  try {
    LoadSetupData(parametersFile ? parametersFile : "");
    return 0;
  } catch (CPropError& error) {
    error.Report();
  } catch (...) {
    try {
      LogCaughtError(std::current_exception());
      ShowErrorText("An unknown error occurred in loading setup data from " +
                        JoinPath(EngineDirectory(), "prop.ini") + ".",
                    kStyleExclamation);
    } catch (...) {
    }
  }
  return -1;
}

TS_EXPORT int TS_UnloadSetupData() {
  return Quietly(__func__, 0, [] {
    DestroySetupData();
    return 0;
  });
}

TS_EXPORT int TSTranslateKeyword(const char* keyword, char* buffer, int* final) {
  return Quietly(__func__, -1, [&] {
    std::string value;
    int isFinal = 1;
    int result = TranslateBuiltinKeyword(keyword ? keyword : "", value, isFinal);
    // A keyword's value is never longer than what is handed between translators.
    CopyToBuffer(value, buffer, TS_KEYWORD_BUFFER_SIZE);
    if (final) *final = isFinal;
    return result;
  });
}

TS_EXPORT int TSGetPropYesNo(const char* key, int defaultValue) {
  return Quietly(__func__, defaultValue ? 1 : 0, [&] { return GetPropYesNo(key ? key : "", defaultValue != 0) ? 1 : 0; });
}
