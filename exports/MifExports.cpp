// Status file export: did the product setup that just ran report success?
#include "exports/ExportFrame.h"
#include "mif/StatusFiles.h"

TS_EXPORT int TS_MIFError(const char* descriptionFile) {
  return Quietly(__func__, 1, [&] { return ProductSetupSucceeded(descriptionFile ? descriptionFile : "") ? 0 : 1; });
}
