/* A setup host's calls written in C against the published header; compiled as C89. */
#include "header/HeaderCall.h"

#include <string.h>

/* The exports these calls use, as a host holds them. */
struct Exports {
  PFN_TS_GetCRC32 getCrc32;
  PFN_TSTranslateKeyword translateKeyword;
  PFN_TSWriteParam writeParam;
  PFN_TSWriteParamYesNo writeParamYesNo;
  PFN_TSWriteParamTarget writeParamTarget;
  PFN_TSGetTempDir getTempDir;
  PFN_TSValidateFile validateFile;
};

static void Call(const struct Exports* exports, const char* iniFile, const char* propIni,
                 struct HeaderCallResults* results) {
  memset(results, 0, sizeof *results);
  results->crc = exports->getCrc32("123456789", 0);
  results->chainedCrc = exports->getCrc32("6789", exports->getCrc32("12345", 0));
  results->final = -1;
  results->translated = exports->translateKeyword("%NOSUCHKEYWORD%", results->keyword, &results->final);
  results->written = exports->writeParam(iniFile, "Folder", "Corvant Tools");
  results->writtenYesNo = exports->writeParamYesNo(iniFile, "Unattended", 1);
  results->writtenTarget = exports->writeParamTarget(iniFile, 2u, "DATADIR;C:\\Data");
  exports->getTempDir(results->tempDir);
  results->valid = exports->validateFile(propIni);
}

void CallThroughPrototypes(const char* iniFile, const char* propIni, struct HeaderCallResults* results) {
  struct Exports exports;
  exports.getCrc32 = TS_GetCRC32;
  exports.translateKeyword = TSTranslateKeyword;
  exports.writeParam = TSWriteParam;
  exports.writeParamYesNo = TSWriteParamYesNo;
  exports.writeParamTarget = TSWriteParamTarget;
  exports.getTempDir = TSGetTempDir;
  exports.validateFile = TSValidateFile;
  Call(&exports, iniFile, propIni, results);
}

int CallThroughLibrary(const char* dllPath, const char* iniFile, const char* propIni,
                       struct HeaderCallResults* results) {
  struct Exports exports;
  HMODULE engine = LoadLibraryA(dllPath);
  int found;
  if (!engine) return 0;
  exports.getCrc32 = (PFN_TS_GetCRC32)GetProcAddress(engine, "TS_GetCRC32");
  exports.translateKeyword = (PFN_TSTranslateKeyword)GetProcAddress(engine, "TSTranslateKeyword");
  exports.writeParam = (PFN_TSWriteParam)GetProcAddress(engine, "TSWriteParam");
  exports.writeParamYesNo = (PFN_TSWriteParamYesNo)GetProcAddress(engine, "TSWriteParamYesNo");
  exports.writeParamTarget = (PFN_TSWriteParamTarget)GetProcAddress(engine, "TSWriteParamTarget");
  exports.getTempDir = (PFN_TSGetTempDir)GetProcAddress(engine, "TSGetTempDir");
  exports.validateFile = (PFN_TSValidateFile)GetProcAddress(engine, "TSValidateFile");
  found = exports.getCrc32 && exports.translateKeyword && exports.writeParam && exports.writeParamYesNo &&
          exports.writeParamTarget && exports.getTempDir && exports.validateFile;
  if (found) Call(&exports, iniFile, propIni, results);
  FreeLibrary(engine);
  return found;
}
