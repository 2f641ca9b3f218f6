// Query exports: the wizard's answers and the model's facts, read by the setup script.
#include <string>

#include "engine/Text.h"
#include "exports/ExportFrame.h"
#include "install/Queries.h"

namespace {
// Copies the answer into the script's buffer; the buffer is empty when the query fails.
template <typename Query>
int Answer(const char* exportName, char* out, Query&& answer) {
  return Quietly(exportName, 0, [&] {
    if (out) *out = '\0';
    ValueOut(out, answer());
    return 0;
  });
}
// A query by ID: the script's ID is upper-cased first.
template <typename Query>
int AnswerById(const char* exportName, const char* id, char* out, Query&& query) {
  return Answer(exportName, out, [&] { return query(ToUpper(TextArg(id))); });
}
}  // namespace

TS_EXPORT int TSGetSetupType(char* out) { return Answer(__func__, out, ChosenSetupType); }
TS_EXPORT int TSGetFolder(char* out) { return Answer(__func__, out, ChosenFolder); }
TS_EXPORT int TSGetServer(char* out) { return Answer(__func__, out, ChosenServer); }
TS_EXPORT int TSGetRootSetupID(char* out) { return Answer(__func__, out, RootSetupId); }
TS_EXPORT int TSGetRootTargetPath(char* out) { return Answer(__func__, out, RootTargetPath); }

TS_EXPORT int TS_IsMasterInstaller() {
  return Quietly(__func__, 0, [] { return IsMasterInstaller() ? 1 : 0; });
}
// Accounts are not checked against the system: every account is accepted.
TS_EXPORT int TS_ValidateAccount(const char*, const char*) { return 1; }
TS_EXPORT int TS_ValidateAccountAccess(const char*, const char*, const char*) { return 1; }

TS_EXPORT int TSGetSetupID(int index, char* out) {
  return Answer(__func__, out, [&] { return SubsetupIdAt(index); });
}
TS_EXPORT int TSGetTargetID(int index, char* out) {
  return Answer(__func__, out, [&] { return TargetIdAt(index); });
}
TS_EXPORT int TSGetComponentID(int index, char* out) {
  return Answer(__func__, out, [&] { return ComponentIdAt(index); });
}

TS_EXPORT int TSGetSetupName(const char* setupId, char* out) {
  // The warning for an unknown setup names the ID as the script passed it.
  return Answer(__func__, out, [&] { return SetupName(TextArg(setupId)); });
}
TS_EXPORT int TSGetSetupPropIniFile(const char* id, char* out) { return AnswerById(__func__, id, out, SetupPropIniFile); }
TS_EXPORT int TSGetSetupSelected(const char* id, char* out) { return AnswerById(__func__, id, out, SetupSelected); }
TS_EXPORT int TSGetWindowClass(const char* id, char* out) { return AnswerById(__func__, id, out, SetupWindowClass); }
TS_EXPORT int TSGetWindowName(const char* id, char* out) { return AnswerById(__func__, id, out, SetupWindowName); }
TS_EXPORT int TSGetFeatureSelected(const char* id, char* out) { return AnswerById(__func__, id, out, FeatureSelected); }
TS_EXPORT int TSGetComponentType(const char* id, char* out) { return AnswerById(__func__, id, out, ComponentType); }
TS_EXPORT int TSGetComponentSelected(const char* id, char* out) { return AnswerById(__func__, id, out, ComponentSelected); }
TS_EXPORT int TSGetComponentPropIniFile(const char* id, char* out) {
  return AnswerById(__func__, id, out, CoreComponentPropIniFile);
}
TS_EXPORT int TSGetComponentName(const char* id, char* out) { return AnswerById(__func__, id, out, CoreComponentName); }
TS_EXPORT int TSGetTargetAttributes(const char* id, char* out) { return AnswerById(__func__, id, out, TargetAttributes); }
TS_EXPORT int TSGetTargetPath(const char* id, char* out) { return AnswerById(__func__, id, out, RegisteredTargetPath); }
// Service account IDs are passed on as the script gives them.
TS_EXPORT int TSGetPWUserName(const char* id, char* out) {
  return Answer(__func__, out, [&] { return PasswordUserName(TextArg(id)); });
}
TS_EXPORT int TSGetPWPassword(const char* id, char* out) {
  return Answer(__func__, out, [&] { return PasswordText(TextArg(id)); });
}
