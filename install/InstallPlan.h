#pragma once
// The order of an installation run as a value: which CD comes when, and which setups each CD
// hands out, in order. Computed from the loaded model and where the run stands, without
// changing either; the sequencing exports take their answers from the same rules, and removal
// walks the same order backwards.
#include <set>
#include <string>
#include <vector>

#include "model/Model.h"
#include "state/RemovalRecords.h"

// Where an installation run stands.
struct SequencingState {
  // The IDs of the CD list (upper-cased), in the list's present order.
  std::vector<std::string> cdOrder;
  // The CD in the drive; empty when no CD of the list is.
  std::string currentCD;
  // The setups marked installed, and those whose installation failed; neither comes up again.
  std::set<const CSetup*> installed, failed;
  // The parameter "InstallCoreComponents".
  bool installCoreComponents = true;
};

// The state of the live run of `master`: its CD list, its current CD and its setups' flags.
SequencingState SequencingStateOf(const CSetup& master);

struct PlannedSetup {
  std::string id;
  bool core = false;  // the setup of a core component
};

// One CD in the drive, with the setups it hands out while it is there, in order.
struct PlannedCD {
  std::string id;
  std::vector<PlannedSetup> setups;
};

struct InstallPlan {
  // The CDs in the order they are asked for; the first is the CD in the drive.
  std::vector<PlannedCD> cds;
  // Setups the run would install that no CD can hand out (a core component they depend on failed).
  std::vector<std::string> neverHandedOut;

  // Every planned setup in install order.
  std::vector<PlannedSetup> SetupsInOrder() const;
  // The same, last installed first: the order in which to take the setups away again.
  std::vector<PlannedSetup> SetupsInRemovalOrder() const;
};

// How the plan begins: with the CD list ordered as the start of the installation loop orders it
// (the current CD, the CDs that can run, those that cannot), or with the list as it stands.
enum class PlanStart { InitializeInstallControl, AsItStands };

// The run of the installation loop from `state`, as if every setup handed out succeeded: the
// CD in the drive hands out its setups, the list is rotated as an exhausted CD rotates it, the
// next CD is the first that has a setup ready, and so on until none has.
InstallPlan PlanInstallOrder(CSetup& master, const SequencingState& state, PlanStart start);

// The plan as text, one CD a line ("CD1: CORELIB (core) PRODA"), then the setups never handed
// out ("never handed out: PRODB"), each line after `indent`.
std::string PlanText(const InstallPlan& plan, const std::string& indent = "");

// The features of the master's tree that stand for a product setup: the feature with its ID, or
// with SkipRoot the features of its root's sub-features.
std::vector<CFeature*> ProductFeatures(CSetup& master, const CSetup& setup);

// A core component that stays because installed products still need it.
struct KeptCore {
  std::string id;
  std::vector<std::string> neededBy;  // product IDs, sorted
};

struct RemovalPlan {
  // The setups to remove, in order: products, then core components.
  std::vector<PlannedSetup> setups;
  std::vector<KeptCore> kept;
  std::vector<std::string> SetupIds() const;
};

// The removal of the whole loaded suite, from the model's installed flags (products whose
// features are installed) and the core component records: products in the reverse of the order
// their CDs hand them out, then each recorded core component of the suite (in the reverse of the
// component list) whose dependents, less the products this plan removes, are none. A core
// component without a dependents record is needed by the suite's installed products that name it.
RemovalPlan PlanRemovalOrder(CSetup& master, const CoreRecords& records);
// The products that still need the core component once `removed` are gone.
std::set<std::string> StillNeededBy(CSetup& master, const CComponent& core, const CoreRecords& records,
                                    const std::set<std::string>& removed);
// "Keep SHAREDRT: still needed by DATA,TOOLS"
std::string KeptText(const KeptCore& kept);
// The plan as text, a setup a line ("DATA", "SHAREDRT (core)"), then a line per kept core
// component, each line after `indent`.
std::string RemovalPlanText(const RemovalPlan& plan, const std::string& indent = "");

// The rules the plan is made of, on a state value; the sequencing exports use them on the live run.
namespace sequencing {
// The setups of the run in the order they are handed out: the selected core components (when
// core components are installed), then the product setups (when the master loads them).
std::vector<const CSetup*> PendingSetups(CSetup& master, const SequencingState& state);
// The CD list as the start of the installation loop orders it; `state.currentCD` must be set.
std::vector<std::string> InitialCDOrder(CSetup& master, const SequencingState& state);
// The next setup on the CD `cd`: the first pending setup that needs installing and is ready there.
const CSetup* NextSetupOn(CSetup& master, const SequencingState& state, const std::string& cd);
// The CD list once the current CD has nothing more to hand out: the current CD goes to the end,
// then the first CD that has pending work and can run comes to the front.
std::vector<std::string> OrderAfterCurrentCD(CSetup& master, const SequencingState& state);
// The first CD of the list that has a next setup; empty when none has.
std::string FirstCDWithNextSetup(CSetup& master, const SequencingState& state);
// Whether some CD of the list still has a setup that needs installing.
bool AnyPendingWork(CSetup& master, const SequencingState& state);
// The setups that still need installing, core components first.
std::vector<const CSetup*> SetupsStillNeeded(CSetup& master, const SequencingState& state);
}  // namespace sequencing
