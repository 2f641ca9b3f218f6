#include "install/Answers.h"

#include "model/FeatureTree.h"
#include "model/Model.h"
#include "model/Selection.h"

std::vector<ParamAnswer> FeatureAnswers(CSetup& master, bool choicesOnly) {
  std::vector<ParamAnswer> answers;
  WalkFeatures(master.rootFeature, [&](CFeature& feature) {
    if (choicesOnly && &feature == &master.rootFeature) return true;
    answers.push_back({"Feature" + std::to_string(answers.size()),
                       feature.ID.UpperTranslated(*feature.setup) + (feature.selected ? ";YES" : ";NO")});
    return true;
  });
  return answers;
}

std::vector<ParamAnswer> TargetAnswers(const CSetup& master, bool shownOnly) {
  std::vector<ParamAnswer> answers;
  for (const CTarget& target : master.targets) {
    if (shownOnly && !target.Shown()) continue;
    answers.push_back(
        {"Target" + std::to_string(answers.size()), target.ID.UpperTranslated(*target.setup) + ";" + target.path});
  }
  return answers;
}

std::vector<ParamAnswer> PasswordAnswers(CSetup& master) {
  // Which accounts are needed follows from the selection as it stands now.
  MarkNeededPasswords(master);
  std::vector<ParamAnswer> answers;
  for (const CPassword& password : master.passwords) {
    if (!password.needed) continue;
    answers.push_back({"Password" + std::to_string(answers.size()),
                       password.ID.Raw() + ";" + password.userName + ";" + password.password});
  }
  return answers;
}
