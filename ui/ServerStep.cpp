#include "ui/ServerStep.h"

#include <windows.h>

#include "engine/Errors.h"
#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/StepResult.h"
#include "engine/Text.h"
#include "model/Model.h"
#include "state/Detection.h"
#include "state/ServerRecords.h"
#include "state/UninstallFiles.h"
#include "ui/NexoLibrary.h"

namespace {
const char* YesNo(bool yes) { return yes ? "YES" : "NO"; }

std::vector<std::string> ProductLines(const std::string& products) {
  std::vector<std::string> lines;
  if (products.empty()) return lines;
  FieldReader fields(products, ',');
  while (!fields.AtEnd()) lines.push_back(fields.Next());
  return lines;
}

// The parameters file answers the pages when they are not asked.
void ApplyServerPresets(CSetup& master) {
  std::string server = GetParam("Server");
  std::string active = GetParam("ServerActive");
  if (server.empty() && active.empty()) return;
  if (!server.empty()) master.serverName = server;
  if (!active.empty()) master.serverActive = EqualsNoCase(active, "1") ? 1 : 0;
  master.serverPagesShown = 1;
}

// The NEXO Library when it offers advanced settings, else empty.
std::string AdvancedSettingsLibrary(const CSetup& master) {
  std::string library = LocateNexoLibrary(master);
  return NexoLibraryOffersAdvanced(library) ? library : std::string();
}

void StoreServerChoice(CSetup& master, const ServerPageAAnswer& answer, bool back) {
  switch (answer.option) {
    case ServerOption::UseNamedServer:
      master.serverName = answer.serverName;
      master.serverActive = 1;
      break;
    case ServerOption::SelectLater:
      master.serverName.clear();
      master.serverActive = 1;
      break;
    case ServerOption::NoServer:
      master.serverName = back ? "NONE" : answer.serverName;
      master.serverActive = 0;
      break;
  }
  master.serverAdvanced = answer.advancedUsed ? 1 : 0;
}

PageEnd RunPageA(CSetup& master, const std::string& products) {
  LogLine("Server Dialog A :");
  ScopedLogIndent indent;
  ServerPageAAnswer answer;
  answer.serverName = master.serverName;
  answer.advancedUsed = master.serverAdvanced != 0;
  answer.nexoLibrary = AdvancedSettingsLibrary(master);
  answer.products = products;
  PageEnd end = Pages().ServerPageA(answer);
  if (KeepsEntries(end)) StoreServerChoice(master, answer, end == PageEnd::Back);
  LogLine("Server = " + master.serverName);
  LogLine(std::string("Server Active = ") + YesNo(master.serverActive));
  if (master.serverAdvanced) LogLine("     (Using advanced settings)");
  return end;
}

PageEnd RunPageB(CSetup& master, const std::string& products) {
  LogLine("Server Dialog B :");
  ScopedLogIndent indent;
  ServerPageBAnswer answer = Pages().ServerPageB(products, master.serverActive != 0);
  if (KeepsEntries(answer.end)) master.serverActive = answer.active ? 1 : 0;
  LogLine(std::string("Server Active = ") + YesNo(master.serverActive));
  return answer.end;
}

PageEnd RunPageC(CSetup& master) {
  LogLine("Server Dialog C :");
  ScopedLogIndent indent;
  ServerPageCAnswer answer =
      Pages().ServerPageC(AdvancedSettingsLibrary(master), master.serverName, master.serverAdvanced != 0);
  if (KeepsEntries(answer.end)) {
    master.serverName = answer.serverName;
    master.serverAdvanced = answer.advancedUsed ? 1 : 0;
  }
  return answer.end;
}

PageEnd RunPageD(const std::string& products) {
  LogLine("Server Dialog D :");
  ScopedLogIndent indent;
  return Pages().ServerPageD(ProductLines(products));
}
}  // namespace

Verdict ServerNameVerdict(const ServerPageAAnswer& answer) {
  return answer.option == ServerOption::UseNamedServer && answer.serverName.empty()
             ? Verdict::Refuse("A server name must be supplied.")
             : Verdict::Pass();
}

bool ServerPageANextAllowed(const ServerPageAAnswer& answer, const std::string& products) {
  if (!ShowVerdict(ServerNameVerdict(answer))) return false;
  bool active = answer.option != ServerOption::NoServer;
  std::string name = answer.option == ServerOption::SelectLater ? "" : answer.serverName;
  if (NoMessages() || Unattended() || products.empty()) return true;
  if (active == NexoServerActive() && EqualsNoCase(name, NexoServerName())) return true;
  std::string how = !active        ? "independently of a Quelwise Server"
                    : name.empty() ? "with a Quelwise Server"
                                   : "with Quelwise Server " + name;
  std::string question =
      "Selecting these settings will change " + products + " to work " + how + ".  Do you want to proceed?";
  return ShowSetupMessageBox(question, MB_YESNO | MB_ICONEXCLAMATION, IDYES) == IDYES;
}

int RunServerStep(int direction) {
  CSetup& master = Master();
  if (!master.serverActive && master.serverName.empty()) {
    master.serverActive = NexoServerActive() ? 1 : 0;
    master.serverName = NexoServerName();
    master.serverAdvanced = NexoAdvancedSettingsUsed() ? 1 : 0;
  }
  if (PageBypassed({"EnableNEXOSetup"}) || NexoServerActive()) {
    LogLine("Bypass dialog");
    ApplyServerPresets(master);
    return BypassResult(direction);
  }

  master.serverPagesShown = 1;
  std::string products = GetInstalledApplications();
  constexpr int kFirstPage = 1, kLastPage = 4;
  int page = direction == kStepNext ? kFirstPage : kLastPage;
  int step = direction == kStepNext ? 1 : -1;
  PageEnd end = direction == kStepNext ? PageEnd::Next : PageEnd::Back;
  while (page >= kFirstPage && page <= kLastPage) {
    bool applicable = page == 1   ? products.empty()
                      : page == 2 ? !products.empty()
                                  : !products.empty() && master.serverActive;
    if (applicable) {
      end = page == 1   ? RunPageA(master, products)
            : page == 2 ? RunPageB(master, products)
            : page == 3 ? RunPageC(master)
                        : RunPageD(products);
      if (end == PageEnd::Back) LogLine("return BACK");
      if (end == PageEnd::Next)
        step = 1;
      else if (end == PageEnd::Back)
        step = -1;
      else
        break;
    }
    page += step;
  }
  if (end == PageEnd::Next) return kStepNext;
  if (end == PageEnd::Back) return kStepBack;
  LogLine("User cancelled");
  return kStepStop;
}
