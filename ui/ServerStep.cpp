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

int RunPageA(CSetup& master, const std::string& products) {
  LogLine("Server Dialog A :");
  ScopedLogIndent indent;
  ServerPageAAnswer answer;
  answer.serverName = master.serverName;
  answer.advancedUsed = master.serverAdvanced != 0;
  answer.nexoLibrary = AdvancedSettingsLibrary(master);
  answer.products = products;
  int end = Pages().ServerPageA(answer);
  if (end == kEndNext || end == kEndBack) StoreServerChoice(master, answer, end == kEndBack);
  LogLine("Server = " + master.serverName);
  LogLine(std::string("Server Active = ") + YesNo(master.serverActive));
  if (master.serverAdvanced) LogLine("     (Using advanced settings)");
  return end;
}

int RunPageB(CSetup& master, const std::string& products) {
  LogLine("Server Dialog B :");
  ScopedLogIndent indent;
  bool active = master.serverActive != 0;
  int end = Pages().ServerPageB(products, active);
  if (end == kEndNext || end == kEndBack) master.serverActive = active ? 1 : 0;
  LogLine(std::string("Server Active = ") + YesNo(master.serverActive));
  return end;
}

int RunPageC(CSetup& master) {
  LogLine("Server Dialog C :");
  ScopedLogIndent indent;
  std::string name = master.serverName;
  bool advanced = master.serverAdvanced != 0;
  int end = Pages().ServerPageC(AdvancedSettingsLibrary(master), name, advanced);
  if (end == kEndNext || end == kEndBack) {
    master.serverName = name;
    master.serverAdvanced = advanced ? 1 : 0;
  }
  return end;
}

int RunPageD(const std::string& products) {
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
  if (!GetParamYesNo("EnableNEXOSetup", true) || Unattended() || NexoServerActive()) {
    LogLine("Bypass dialog");
    ApplyServerPresets(master);
    return BypassResult(direction);
  }

  master.serverPagesShown = 1;
  std::string products = GetInstalledApplications();
  constexpr int kFirstPage = 1, kLastPage = 4;
  int page = direction == kStepNext ? kFirstPage : kLastPage;
  int step = direction == kStepNext ? 1 : -1;
  int end = direction == kStepNext ? kEndNext : kEndBack;
  while (page >= kFirstPage && page <= kLastPage) {
    bool applicable = page == 1   ? products.empty()
                      : page == 2 ? !products.empty()
                                  : !products.empty() && master.serverActive;
    if (applicable) {
      end = page == 1   ? RunPageA(master, products)
            : page == 2 ? RunPageB(master, products)
            : page == 3 ? RunPageC(master)
                        : RunPageD(products);
      if (end == kEndBack) LogLine("return BACK");
      if (end == kEndNext)
        step = 1;
      else if (end == kEndBack)
        step = -1;
      else
        break;
    }
    page += step;
  }
  if (end == kEndNext) return kStepNext;
  if (end == kEndBack) return kStepBack;
  LogLine("User cancelled");
  return kStepStop;
}
