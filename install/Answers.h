#pragma once
// The answers a parameters file gives the wizard's pages, taken from the model as it stands.
// The configuration files of product setups and recorded answer files both write them.
#include <string>
#include <vector>

class CSetup;

struct ParamAnswer {
  std::string key, value;
};

// "Feature<n>" = ID;YES or ID;NO for every feature, numbered from 0 in depth-first order;
// with `choicesOnly`, without the root feature, which nobody chooses.
std::vector<ParamAnswer> FeatureAnswers(CSetup& master, bool choicesOnly);
// "Target<n>" = ID;path for every target, numbered from 0 (section "Targets"); with
// `shownOnly`, only the targets a page may show, which leaves out the system's own directories.
std::vector<ParamAnswer> TargetAnswers(const CSetup& master, bool shownOnly);
// "Password<n>" = ID;user;password for every service account the selection needs, numbered
// from 0.
std::vector<ParamAnswer> PasswordAnswers(CSetup& master);
