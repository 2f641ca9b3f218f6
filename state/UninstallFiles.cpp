#include "state/UninstallFiles.h"

#include "engine/Paths.h"
#include "model/Model.h"

std::string UninstallDirectory() {
  const CTarget* root = Master().targets.Find("CORVAROOT");
  std::string rootPath = root ? CKeywordString(root->path).Translated(*root->setup) : std::string();
  return JoinPath(rootPath, "setup\\uninstall");
}

std::string UninstallFileOf(const std::string& registrationId) {
  return JoinPath(UninstallDirectory(), registrationId + ".ini");
}
