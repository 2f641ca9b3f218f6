/* Calls made from C through the published header, for the tests to check. */
#ifndef TESSARO_TESTS_HEADER_CALL_H
#define TESSARO_TESTS_HEADER_CALL_H

#include "include/tessaro.h"

#ifdef __cplusplus
extern "C" {
#endif

/* What the calls answered. */
struct HeaderCallResults {
  unsigned long crc;        /* TS_GetCRC32("123456789", 0) */
  unsigned long chainedCrc; /* TS_GetCRC32("6789", TS_GetCRC32("12345", 0)) */
  int translated;           /* TSTranslateKeyword("%NOSUCHKEYWORD%", ...) */
  char keyword[TS_KEYWORD_BUFFER_SIZE];
  int final;
  int written;       /* TSWriteParam(iniFile, "Folder", "Corvant Tools") */
  int writtenYesNo;  /* TSWriteParamYesNo(iniFile, "Unattended", 1) */
  int writtenTarget; /* TSWriteParamTarget(iniFile, 2, "DATADIR;C:\Data") */
  char tempDir[TS_PATH_BUFFER_SIZE];
  int valid; /* TSValidateFile(propIni) */
};

/* Through the prototypes: the engine linked into this program. */
void CallThroughPrototypes(const char* iniFile, const char* propIni, struct HeaderCallResults* results);
/* Through the pointer types on the library at dllPath, loaded for the calls; 0 when it or one of
   the exports was not found. */
int CallThroughLibrary(const char* dllPath, const char* iniFile, const char* propIni,
                       struct HeaderCallResults* results);

#ifdef __cplusplus
}
#endif

#endif
