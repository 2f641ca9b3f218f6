#pragma once
// A page host that answers from a script: each page call takes the next answer, which names
// the page it expects, and is recorded. A page nobody scripted fails the step the way the
// default host does.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/Errors.h"
#include "ui/PageHost.h"

struct PageAnswer {
  std::string page;  // the page expected: "SetupType", "Target", "Features", "Folder", "ServerA" ...
  int end = kEndNext;
  std::string text;   // the chosen setup type, folder, server name
  bool flag = false;  // server active, advanced, force core components, restart now
  ServerOption option = ServerOption::UseNamedServer;
  std::function<void()> effect;  // what the user did on the page before it ended
};

class ScriptedPages : public PageHost {
 public:
  ScriptedPages() { SetPageHost(this); }
  ~ScriptedPages() override { SetPageHost(nullptr); }

  ScriptedPages& Then(PageAnswer answer) {
    script_.push_back(std::move(answer));
    return *this;
  }
  const std::vector<std::string>& Shown() const { return shown_; }
  size_t Unused() const { return script_.size(); }

  // What the pages were given.
  std::vector<std::string> offeredTypes, existingFolders, agreementLines, summaryLines, productLines;
  std::string welcomeText, finalSuite, pageBProducts;
  std::vector<std::string> targetsShown;
  ServerPageAAnswer pageAOpenedWith;
  bool restartOffered = false;

  int MessagePage(const std::string& caption, const std::string& text1, const std::string&, int) override {
    return Take("Message:" + text1).end;
  }
  int QuestionPage(const std::string&, const std::string& text1, const std::string&, const std::string&,
                   const std::string&, int& answer, int) override {
    PageAnswer a = Take("Question:" + text1);
    answer = a.flag ? 1 : 0;
    return a.end;
  }
  int UserPasswordPage(const std::string&, const std::string& prompt, const std::string&, const std::string&,
                       std::string& user, std::string& password) override {
    PageAnswer a = Take("Password:" + prompt);
    user = a.text;
    password = a.text;
    return a.end;
  }
  int DependencyErrorPage(const std::string&, const std::string& text, int group) override {
    return Take("Dependency" + std::to_string(group)).end;
  }
  int SetupTypePage(const std::vector<std::string>& offered, std::string& chosen) override {
    offeredTypes = offered;
    PageAnswer a = Take("SetupType");
    chosen = a.text;
    return a.end;
  }
  int TargetPage(CTarget& target) override;
  int FeatureSelectionPage(CFeature&) override { return Take("Features").end; }
  int FolderPage(const std::vector<std::string>& existing, std::string& folder) override {
    existingFolders = existing;
    PageAnswer a = Take("Folder");
    folder = a.text;
    return a.end;
  }
  int ServerPageA(ServerPageAAnswer& answer) override {
    pageAOpenedWith = answer;
    PageAnswer a = Take("ServerA");
    answer.option = a.option;
    answer.serverName = a.text;
    answer.advancedUsed = a.flag;
    return a.end;
  }
  int ServerPageB(const std::string& products, bool& active) override {
    pageBProducts = products;
    PageAnswer a = Take("ServerB");
    active = a.flag;
    return a.end;
  }
  int ServerPageC(std::string& serverName, bool& advancedUsed) override {
    PageAnswer a = Take("ServerC");
    serverName = a.text;
    advancedUsed = a.flag;
    return a.end;
  }
  int ServerPageD(const std::vector<std::string>& products) override {
    productLines = products;
    return Take("ServerD").end;
  }
  int WelcomePage(const std::string& text) override {
    welcomeText = text;
    return Take("Welcome").end;
  }
  int AddRemovePage() override { return Take("AddRemove").end; }
  int LicensePage(const std::vector<std::string>& lines) override {
    agreementLines = lines;
    return Take("License").end;
  }
  int SummaryPage(const std::vector<std::string>& lines, bool& force) override {
    summaryLines = lines;
    PageAnswer a = Take("Summary");
    force = a.flag;
    return a.end;
  }
  int FinalPage(const std::string& suite, bool offered, bool& restartNow) override {
    finalSuite = suite;
    restartOffered = offered;
    PageAnswer a = Take("Final");
    restartNow = a.flag;
    return a.end;
  }

 private:
  PageAnswer Take(const std::string& page);
  std::deque<PageAnswer> script_;
  std::vector<std::string> shown_;
};
