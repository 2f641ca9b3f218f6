#pragma once
// Where the uninstall files of earlier runs lie: the path of the target CORVAROOT joined with
// setup\uninstall.
#include <string>

std::string UninstallDirectory();
// The uninstall file of an application or feature registration ID: <directory>\<ID>.ini.
std::string UninstallFileOf(const std::string& registrationId);
