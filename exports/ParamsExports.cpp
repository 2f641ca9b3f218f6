// Parameters file exports: reads and writes of the parameters file and the run switches.
#include <windows.h>

#include <string>

#include "engine/Params.h"
#include "engine/Paths.h"
#include "engine/Text.h"
#include "exports/ExportFrame.h"

namespace {
std::string TargetKey(unsigned index) { return "Target" + std::to_string(index); }
}  // namespace

TS_EXPORT int TS_FindParamsIniFile(const char* setupDir, const char* commandLine, char* out) {
  return Quietly(__func__, 0, [&] {
    if (out) *out = '\0';
    CopyToBuffer(FindParamsIniFile(TextArg(setupDir), TextArg(commandLine)), out, TS_PATH_BUFFER_SIZE);
    return 0;
  });
}

TS_EXPORT int TSGetParam(const char* key, char* out) {
  return Quietly(__func__, 0, [&] {
    if (out) *out = '\0';
    ValueOut(out, GetParam(TextArg(key)));
    return 0;
  });
}

TS_EXPORT int TSGetParamYesNo(const char* key, int defaultValue) {
  return Quietly(__func__, defaultValue ? 1 : 0, [&] { return GetParamYesNo(TextArg(key), defaultValue != 0) ? 1 : 0; });
}

TS_EXPORT int TSGetParamTarget(int index, char* out) {
  return Quietly(__func__, 0, [&] {
    if (out) *out = '\0';
    ValueOut(out, GetParamTarget(index));
    return 0;
  });
}

TS_EXPORT int TSWriteParam(const char* iniFile, const char* key, const char* value) {
  return Quietly(__func__, 0, [&] {
    // The answer is 0 either way; a value that could not be written is in the log.
    static_cast<void>(WriteIniString(TextArg(iniFile), "Main", TextArg(key), TextArg(value)));
    return 0;
  });
}

TS_EXPORT int TSWriteParamYesNo(const char* iniFile, const char* key, int yes) {
  return Quietly(__func__, 0, [&] {
    // The answer is 0 either way; a value that could not be written is in the log.
    static_cast<void>(WriteIniYesNo(TextArg(iniFile), "Main", TextArg(key), yes != 0));
    return 0;
  });
}

TS_EXPORT int TSWriteParamTarget(const char* iniFile, unsigned index, const char* value) {
  return Quietly(__func__, 0, [&] {
    // The answer is 0 either way; a value that could not be written is in the log.
    static_cast<void>(WriteIniString(TextArg(iniFile), "Targets", TargetKey(index), TextArg(value)));
    return 0;
  });
}

TS_EXPORT int TSWriteParam2(const char* key, const char* value) {
  return Quietly(__func__, 0, [&] { return TSWriteParam(ParamsFileInForce().c_str(), key, value); });
}

TS_EXPORT int TSWriteParamYesNo2(const char* key, int yes) {
  return Quietly(__func__, 0, [&] { return TSWriteParamYesNo(ParamsFileInForce().c_str(), key, yes); });
}

TS_EXPORT int TSWriteParamTarget2(unsigned index, const char* value) {
  return Quietly(__func__, 0, [&] { return TSWriteParamTarget(ParamsFileInForce().c_str(), index, value); });
}

TS_EXPORT int TSGetProp(const char* key, char* out) {
  return Quietly(__func__, 0, [&] {
    if (out) *out = '\0';
    ValueOut(out, ReadIniString(DescriptionInForce(), "Main", TextArg(key)));
    return 0;
  });
}

TS_EXPORT int TSAllMessages() {
  return Quietly(__func__, 1, [] { return AllMessages() ? 1 : 0; });
}
TS_EXPORT int TSSomeMessages() {
  return Quietly(__func__, 0, [] { return SomeMessages() ? 1 : 0; });
}
TS_EXPORT int TSNoMessages() {
  return Quietly(__func__, 0, [] { return NoMessages() ? 1 : 0; });
}
TS_EXPORT int TSUnattended() {
  return Quietly(__func__, 0, [] { return Unattended() ? 1 : 0; });
}

TS_EXPORT int TSGetConfigIniFile(char* out) {
  return Quietly(__func__, 0, [&] {
    CopyToBuffer(ParamsFileInForce(), out, TS_PATH_BUFFER_SIZE);
    return 0;
  });
}

TS_EXPORT int TSGetTempDir(char* out) {
  return Quietly(__func__, 0, [&] {
    CopyToBuffer(TempDirectory(), out, TS_PATH_BUFFER_SIZE);
    return 0;
  });
}
