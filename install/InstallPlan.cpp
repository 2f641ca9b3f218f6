#include "install/InstallPlan.h"

#include <algorithm>

#include "engine/Params.h"
#include "engine/Text.h"
#include "install/SetupLookup.h"
#include "model/FeatureTree.h"
#include "model/Loader.h"
#include "model/Selection.h"
#include "state/Detection.h"

std::vector<CFeature*> ProductFeatures(CSetup& master, const CSetup& setup) {
  std::vector<CFeature*> features;
  if (EqualsNoCase(setup.SkipRoot.UpperTranslated(setup), "YES")) {
    for (const CFeature& top : setup.rootFeature.subfeatures)
      if (CFeature* feature = FindFeatureInTree(master.rootFeature, top.ID.Raw())) features.push_back(feature);
  } else if (CFeature* feature = FindFeatureInTree(master.rootFeature, setup.IdText())) {
    features.push_back(feature);
  }
  return features;
}

namespace sequencing {
namespace {

bool Marked(const SequencingState& state, const CSetup& setup) {
  return state.installed.count(&setup) > 0 || state.failed.count(&setup) > 0;
}

bool NeedsInstall(CSetup& master, const SequencingState& state, const CSetup& setup) {
  return !Marked(state, setup) && SetupWantedByRun(master, setup, state.installCoreComponents);
}

// Only an install-time dependency on a selected core component that is still to be installed
// from another CD holds a reference back. A core component that failed keeps holding it.
bool ReferenceReadyOn(const SequencingState& state, const CComponentRef& reference, const std::string& cd) {
  const CComponent* component = reference.component;
  if (!component || !component->IsCore() || !component->setup) return true;
  const CSetup& coreSetup = *component->setup;
  return state.installed.count(&coreSetup) > 0 || !component->selected ||
         EqualsNoCase(SetupCDId(coreSetup), cd) || !reference.installDependency;
}

bool ReferencesReadyOn(const SequencingState& state, const std::vector<CComponentRef>& references,
                       const std::string& cd) {
  for (const CComponentRef& reference : references)
    if (!ReferenceReadyOn(state, reference, cd)) return false;
  return true;
}

bool FeaturePassesOn(const SequencingState& state, const CFeature& root, const std::string& cd) {
  std::vector<const CFeature*> pending{&root};
  while (!pending.empty()) {
    const CFeature* feature = pending.back();
    pending.pop_back();
    if (feature->selected && !ReferencesReadyOn(state, feature->components, cd)) return false;
    for (const CFeature& subfeature : feature->subfeatures) pending.push_back(&subfeature);
  }
  return true;
}

bool SetupReadyOn(CSetup& master, const SequencingState& state, const CSetup& setup, const std::string& cd) {
  if (!EqualsNoCase(SetupCDId(setup), cd)) return false;
  if (IsCoreSetup(master, setup)) return ReferencesReadyOn(state, setup.coreComponentList, cd);
  for (const CFeature* feature : ProductFeatures(master, setup))
    if (!FeaturePassesOn(state, *feature, cd)) return false;
  return true;
}

bool CDHasPendingWork(CSetup& master, const SequencingState& state, const std::vector<const CSetup*>& pending,
                      const std::string& cd) {
  for (const CSetup* setup : pending)
    if (EqualsNoCase(SetupCDId(*setup), cd) && NeedsInstall(master, state, *setup)) return true;
  return false;
}

bool CDCanRun(CSetup& master, const SequencingState& state, const std::vector<const CSetup*>& pending,
              const std::string& cd) {
  for (const CSetup* setup : pending)
    if (EqualsNoCase(SetupCDId(*setup), cd) && NeedsInstall(master, state, *setup) &&
        !SetupReadyOn(master, state, *setup, cd))
      return false;
  return true;
}

void MoveToEnd(std::vector<std::string>& order, size_t index) {
  std::rotate(order.begin() + static_cast<std::ptrdiff_t>(index), order.begin() + static_cast<std::ptrdiff_t>(index) + 1,
              order.end());
}

void MoveToFront(std::vector<std::string>& order, size_t index) {
  std::rotate(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(index),
              order.begin() + static_cast<std::ptrdiff_t>(index) + 1);
}

size_t IndexIn(const std::vector<std::string>& order, const std::string& cd) {
  for (size_t i = 0; i < order.size(); ++i)
    if (EqualsNoCase(order[i], cd)) return i;
  return order.size();
}
}  // namespace

std::vector<const CSetup*> PendingSetups(CSetup& master, const SequencingState& state) {
  std::vector<const CSetup*> pending;
  if (state.installCoreComponents)
    for (const CComponent& component : master.components)
      if (component.IsCore() && component.selected && component.setup) pending.push_back(component.setup);
  if (LoadsSubsetups(master))
    for (const CSetup& subsetup : master.subsetups) pending.push_back(&subsetup);
  return pending;
}

std::vector<std::string> InitialCDOrder(CSetup& master, const SequencingState& state) {
  std::vector<std::string> order = state.cdOrder;
  std::vector<const CSetup*> pending = PendingSetups(master, state);
  // Each CD that cannot run goes to the end; those moved there are not looked at again.
  size_t examined = 0;
  for (size_t remaining = order.size(); remaining > 0; --remaining) {
    const std::string& cd = order[examined];
    if (!EqualsNoCase(cd, state.currentCD) && !CDCanRun(master, state, pending, cd))
      MoveToEnd(order, examined);
    else
      ++examined;
  }
  size_t current = IndexIn(order, state.currentCD);
  if (current < order.size()) MoveToFront(order, current);
  return order;
}

const CSetup* NextSetupOn(CSetup& master, const SequencingState& state, const std::string& cd) {
  for (const CSetup* setup : PendingSetups(master, state))
    if (NeedsInstall(master, state, *setup) && SetupReadyOn(master, state, *setup, cd)) return setup;
  return nullptr;
}

std::vector<std::string> OrderAfterCurrentCD(CSetup& master, const SequencingState& state) {
  std::vector<std::string> order = state.cdOrder;
  size_t current = IndexIn(order, state.currentCD);
  if (!state.currentCD.empty() && current < order.size()) MoveToEnd(order, current);
  std::vector<const CSetup*> pending = PendingSetups(master, state);
  for (size_t i = 0; i < order.size(); ++i) {
    if (CDHasPendingWork(master, state, pending, order[i]) && CDCanRun(master, state, pending, order[i])) {
      MoveToFront(order, i);
      break;
    }
  }
  return order;
}

std::string FirstCDWithNextSetup(CSetup& master, const SequencingState& state) {
  for (const std::string& cd : state.cdOrder)
    if (NextSetupOn(master, state, cd)) return cd;
  return std::string();
}

bool AnyPendingWork(CSetup& master, const SequencingState& state) {
  std::vector<const CSetup*> pending = PendingSetups(master, state);
  for (const std::string& cd : state.cdOrder)
    if (CDHasPendingWork(master, state, pending, cd)) return true;
  return false;
}

std::vector<const CSetup*> SetupsStillNeeded(CSetup& master, const SequencingState& state) {
  std::vector<const CSetup*> needed;
  for (const CSetup* setup : PendingSetups(master, state))
    if (NeedsInstall(master, state, *setup)) needed.push_back(setup);
  return needed;
}
}  // namespace sequencing

SequencingState SequencingStateOf(const CSetup& master) {
  SequencingState state;
  for (const CSetupCD& cd : master.cds) state.cdOrder.push_back(cd.ID.UpperTranslated(master));
  if (master.currentCD) state.currentCD = master.currentCD->ID.UpperTranslated(master);
  auto flags = [&state](const CSetup& setup) {
    if (setup.installed) state.installed.insert(&setup);
    if (setup.installError) state.failed.insert(&setup);
  };
  flags(master);
  for (const CSetup& subsetup : master.subsetups) flags(subsetup);
  for (const CComponent& component : master.components)
    if (component.setup) flags(*component.setup);
  state.installCoreComponents = GetParamYesNo("InstallCoreComponents", true);
  return state;
}

InstallPlan PlanInstallOrder(CSetup& master, const SequencingState& start, PlanStart how) {
  using namespace sequencing;
  SequencingState state = start;
  InstallPlan plan;
  if (how == PlanStart::InitializeInstallControl && !state.currentCD.empty())
    state.cdOrder = InitialCDOrder(master, state);
  // Every CD after the first hands out at least one setup, so the walk ends after as many CDs
  // as there are setups; the bound only guards that reasoning.
  size_t bound = SetupsStillNeeded(master, state).size() + 2;
  for (size_t visit = 0; visit < bound; ++visit) {
    PlannedCD cd{state.currentCD, {}};
    if (!state.currentCD.empty()) {
      while (const CSetup* setup = NextSetupOn(master, state, state.currentCD)) {
        cd.setups.push_back({setup->IdText(), IsCoreSetup(master, *setup)});
        state.installed.insert(setup);
      }
      plan.cds.push_back(cd);
    }
    state.cdOrder = OrderAfterCurrentCD(master, state);
    if (!AnyPendingWork(master, state)) break;
    std::string next = FirstCDWithNextSetup(master, state);
    if (next.empty()) break;
    state.currentCD = next;
  }
  for (const CSetup* setup : SetupsStillNeeded(master, state)) plan.neverHandedOut.push_back(setup->IdText());
  return plan;
}

std::vector<PlannedSetup> InstallPlan::SetupsInOrder() const {
  std::vector<PlannedSetup> setups;
  for (const PlannedCD& cd : cds) setups.insert(setups.end(), cd.setups.begin(), cd.setups.end());
  return setups;
}

std::vector<PlannedSetup> InstallPlan::SetupsInRemovalOrder() const {
  std::vector<PlannedSetup> setups = SetupsInOrder();
  std::reverse(setups.begin(), setups.end());
  return setups;
}

std::string PlanText(const InstallPlan& plan, const std::string& indent) {
  std::string text;
  for (const PlannedCD& cd : plan.cds) {
    text += indent + cd.id + ":";
    for (const PlannedSetup& setup : cd.setups) text += " " + setup.id + (setup.core ? " (core)" : "");
    text += "\n";
  }
  if (!plan.neverHandedOut.empty()) {
    text += indent + "never handed out:";
    for (const std::string& id : plan.neverHandedOut) text += " " + id;
    text += "\n";
  }
  return text;
}

namespace {
// Where the setup's CD stands in the master's CD list; CDs the list does not name come last.
size_t CDIndex(const CSetup& master, const CSetup& setup) {
  std::string cd = SetupCDId(setup);
  size_t index = 0;
  for (const CSetupCD& each : master.cds) {
    if (EqualsNoCase(each.ID.UpperTranslated(master), cd)) return index;
    ++index;
  }
  return index;
}

bool ProductInstalled(CSetup& master, const CSetup& product) {
  for (CFeature* feature : ProductFeatures(master, product))
    if (AnyInstalled(*feature)) return true;
  return false;
}

// The suite's installed products that name the core component in one of their features.
std::set<std::string> ProductsNaming(CSetup& master, const CComponent& core) {
  std::set<std::string> naming;
  for (const CSetup& product : master.subsetups) {
    if (!ProductInstalled(master, product)) continue;
    for (CFeature* feature : ProductFeatures(master, product))
      for (const CComponent* component : ComponentsWithin(*feature))
        if (component == &core) naming.insert(product.IdText());
  }
  return naming;
}
}  // namespace

std::vector<std::string> RemovalPlan::SetupIds() const {
  std::vector<std::string> ids;
  for (const PlannedSetup& setup : setups) ids.push_back(setup.id);
  return ids;
}

std::set<std::string> StillNeededBy(CSetup& master, const CComponent& core, const CoreRecords& records,
                                    const std::set<std::string>& removed) {
  std::string id = ToUpper(core.ID.Raw());
  auto recorded = records.dependents.find(id);
  std::set<std::string> needing = recorded != records.dependents.end() ? recorded->second : ProductsNaming(master, core);
  for (const std::string& product : removed) needing.erase(product);
  return needing;
}

RemovalPlan PlanRemovalOrder(CSetup& master, const CoreRecords& records) {
  RemovalPlan plan;
  // Products in the order the CDs hand them out, the last installed removed first.
  std::vector<const CSetup*> products;
  for (const CSetup& product : master.subsetups)
    if (ProductInstalled(master, product)) products.push_back(&product);
  std::stable_sort(products.begin(), products.end(), [&master](const CSetup* a, const CSetup* b) {
    return CDIndex(master, *a) < CDIndex(master, *b);
  });
  std::set<std::string> removed;
  for (auto product = products.rbegin(); product != products.rend(); ++product) {
    plan.setups.push_back({(*product)->IdText(), false});
    removed.insert((*product)->IdText());
  }
  // Core components after the products that need them, in the reverse of their install order.
  for (int i = master.components.Count(); i-- > 0;) {
    const CComponent& component = master.components.At(i);
    if (!component.IsCore() || !component.setup) continue;
    std::string id = ToUpper(component.ID.Raw());
    if (!records.installed.count(id)) continue;
    std::set<std::string> needing = StillNeededBy(master, component, records, removed);
    if (needing.empty())
      plan.setups.push_back({id, true});
    else
      plan.kept.push_back({id, std::vector<std::string>(needing.begin(), needing.end())});
  }
  return plan;
}

std::string KeptText(const KeptCore& kept) {
  return "Keep " + kept.id + ": still needed by " + JoinTexts(kept.neededBy, ",");
}

std::string RemovalPlanText(const RemovalPlan& plan, const std::string& indent) {
  std::string text;
  for (const PlannedSetup& setup : plan.setups) text += indent + setup.id + (setup.core ? " (core)" : "") + "\n";
  for (const KeptCore& kept : plan.kept) text += indent + KeptText(kept) + "\n";
  return text;
}
