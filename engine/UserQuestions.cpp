#include "engine/UserQuestions.h"

#include "engine/Errors.h"
#include "engine/Log.h"
#include "engine/Params.h"

namespace {
class NobodyToAsk : public UserQuestions {
 public:
  int AskAboutCheckError(const std::string&, const std::string&, const std::string&) override { return kStepStop; }
  QuestionEnd AskQuestion(const std::string&, const std::string&, const std::string&, const std::string&,
                          const std::string&) override {
    return QuestionEnd{};
  }
  PageEnd ShowDependencyErrors(const std::string&, const std::string&, int) override { return PageEnd::Cancel; }
  int TellFailure(const std::string& text, unsigned style) override { return ShowFailureText(text, style); }
};

UserQuestions*& Installed() {
  static UserQuestions* provider = nullptr;
  return provider;
}
}  // namespace

UserQuestions& Questions() {
  static NobodyToAsk nobody;
  UserQuestions* provider = Installed();
  return provider ? *provider : nobody;
}

void SetUserQuestions(UserQuestions* provider) { Installed() = provider; }

int ShowFailureText(const std::string& text, unsigned style) {
  if (!Unattended()) return ShowErrorText(text, style);
  LogLine("***** " + text);
  return IDOK_ANSWER;
}
