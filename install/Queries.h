#pragma once
// Answers to the setup script's questions about the wizard's choices and the loaded model.
// Texts from descriptions come keyword-translated; an item that is not found answers empty.
#include <string>

std::string ChosenSetupType();
std::string ChosenFolder();
std::string ChosenServer();
std::string RootSetupId();
// Current path of "CORVAROOT"; empty when the model has no such target.
std::string RootTargetPath();
bool IsMasterInstaller();

// By index; outside the collection the answer is empty.
std::string SubsetupIdAt(int index);
std::string TargetIdAt(int index);
std::string ComponentIdAt(int index);

// By ID as the script gives it; lookups ignore case.
// Logs a warning with the ID when no setup has it.
std::string SetupName(const std::string& setupId);
std::string SetupPropIniFile(const std::string& setupId);
std::string SetupSelected(const std::string& setupId);
std::string SetupWindowClass(const std::string& setupId);
std::string SetupWindowName(const std::string& setupId);
std::string FeatureSelected(const std::string& featureId);
std::string ComponentType(const std::string& componentId);
std::string ComponentSelected(const std::string& componentId);
std::string CoreComponentPropIniFile(const std::string& componentId);
std::string CoreComponentName(const std::string& componentId);
// Prompt position, SHOW/HIDE, RECALC/NORECALC and EDITABLE/READONLY joined by ";".
std::string TargetAttributes(const std::string& targetId);
// The registered path: that of the installation in progress, else that of an earlier one.
std::string RegisteredTargetPath(const std::string& targetId);
std::string PasswordUserName(const std::string& passwordId);
std::string PasswordText(const std::string& passwordId);
