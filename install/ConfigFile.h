#pragma once
// The configuration file of a product setup: a parameters file that hands the wizard's answers
// to the product's own engine and makes it run unattended, logging into this run's log.
#include <string>

// Writes the configuration file `target` for the product described by `propIni`; `core` tells
// whether the product is a core component. False when a key could not be written (the log names
// it): the product must then not run on a file that would not answer its pages.
[[nodiscard]] bool WriteConfigFile(const std::string& target, const std::string& propIni, bool core);
