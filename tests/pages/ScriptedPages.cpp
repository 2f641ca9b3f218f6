#include "pages/ScriptedPages.h"

#include <gtest/gtest.h>

#include "model/Model.h"

int ScriptedPages::TargetPage(CTarget& target) {
  targetsShown.push_back(target.ID.Raw());
  PageAnswer a = Take("Target");
  if (!a.text.empty()) target.path = a.text;
  return a.end;
}

PageAnswer ScriptedPages::Take(const std::string& page) {
  shown_.push_back(page);
  if (script_.empty()) {
    ADD_FAILURE() << "unscripted page " << page;
    throw CMyError("unscripted page " + page);
  }
  PageAnswer answer = script_.front();
  script_.pop_front();
  EXPECT_EQ(answer.page, page) << "the script expected another page";
  if (answer.effect) answer.effect();
  return answer;
}
