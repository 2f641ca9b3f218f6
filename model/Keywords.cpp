#include "model/Keywords.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <vector>

#include "engine/Application.h"
#include "engine/Log.h"
#include "engine/ProductLibrary.h"
#include "engine/Text.h"
#include "model/KeywordText.h"
#include "model/Model.h"
#include "state/Registry.h"
#include "state/ServerRecords.h"

namespace {
constexpr char kWindowsVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
// Room for a translator that copies the keyword it was given (at most a whole 511-character
// value) into the buffer; only the first kKeywordBufferSize - 1 characters are taken from it.
constexpr size_t kGuardedBufferSize = 1024;
// More passes than targets cannot be needed: each useful pass settles at least one path.
constexpr int kExtraResolvePasses = 1;
// How many target paths one translation may follow through each other.
constexpr size_t kMaxTargetNesting = 64;

std::string CutToKeywordBuffer(std::string value) {
  if (value.size() > kKeywordBufferSize - 1) value.resize(kKeywordBufferSize - 1);
  return value;
}

std::string Registry(const char* key, const char* name) { return ReadRegString(HKEY_LOCAL_MACHINE, key, name); }

// The registry value, or `fallback`, which is then recorded there.
std::string RegistryOrRecorded(const char* name, const char* fallback) {
  std::string value = Registry(kWindowsVersionKey, name);
  if (!value.empty()) return value;
  // The fallback answers whether or not it could be recorded; a failure is in the log.
  static_cast<void>(SetRegString(HKEY_LOCAL_MACHINE, kWindowsVersionKey, name, fallback));
  return fallback;
}

std::string SystemDrive() { return SystemDirectory().substr(0, 2); }

std::string CorvantDirectory() {
  std::string value = Registry(kSetupKey, "CorvaRootDir");
  if (!value.empty()) return value;
  value = Registry(kWindowsVersionKey, "ProgramFilesDir");
  if (!value.empty()) return JoinPath(value, "Corvant");
  return JoinPath(SystemDrive(), "Program Files\\Corvant");
}

std::string CorvantCommonDirectory() {
  std::string value = Registry(kSetupKey, "CorvaCommonDir");
  if (!value.empty()) return value;
  value = Registry(kWindowsVersionKey, "CommonFilesDir");
  if (!value.empty()) return JoinPath(value, "Corvant Shared");
  value = Registry(kWindowsVersionKey, "ProgramFilesDir");
  if (!value.empty()) return JoinPath(value, "Common Files\\Corvant Shared");
  return JoinPath(SystemDrive(), "Program Files\\Common Files\\Corvant Shared");
}

bool BuiltinValue(const std::string& keyword, std::string& value) {
  struct Entry {
    const char* keyword;
    std::string (*value)();
  };
  static const Entry table[] = {
      {"%WINSYSDIR%", [] { return SystemDirectory(); }},
      {"%WINDIR%", [] { return WindowsDirectory(); }},
      {"%TEMPDIR%", [] { return TempDirectory(); }},
      {"%SRCDIR%", [] { return EngineDirectory(); }},
      {"%COMMONFILES%", [] { return RegistryOrRecorded("CommonFilesDir", "C:\\Program Files\\Common Files"); }},
      {"%PROGRAMFILES%", [] { return RegistryOrRecorded("ProgramFilesDir", "C:\\Program Files"); }},
      {"%CORVANTDIR%", [] { return CorvantDirectory(); }},
      {"%CORVANTCOMMONDIR%", [] { return CorvantCommonDirectory(); }},
      {"%CORVAFOLDER%", [] { return Registry(kSetupKey, "Folder"); }},
      {"%CORVASERVER%", [] { return NexoServerName(); }},
      {"%CORVASERVERACTIVE%", [] { return std::string(NexoServerActive() ? "1" : "0"); }},
      {"%LOGFILE%", [] { return LogPath(); }},
      {"%CONFIGINIFILE%", [] { return Master().ParamsFile; }},
  };
  for (const Entry& entry : table) {
    if (EqualsNoCase(keyword, entry.keyword)) {
      value = entry.value();
      return true;
    }
  }
  return false;
}

// How a target keyword came out within one translation.
struct TargetOutcome {
  enum Kind { Resolved, Unresolved, Cycle } kind;
  std::string path;
};

// One translation round: from the outermost translation until it returns. Target paths do not
// change inside a round, so each target is translated once per round; the targets being
// translated are kept to stop a path that refers to itself.
struct TranslationRound {
  int depth = 0;
  int cyclesMet = 0;
  std::vector<std::string> active;
  std::map<std::string, TargetOutcome> outcomes;
};

TranslationRound& Round() {
  static TranslationRound round;
  return round;
}

class RoundScope {
 public:
  RoundScope() { ++Round().depth; }
  ~RoundScope() {
    if (--Round().depth == 0) {
      Round().outcomes.clear();
      Round().active.clear();
    }
  }
  RoundScope(const RoundScope&) = delete;
  RoundScope& operator=(const RoundScope&) = delete;
};

TargetOutcome TranslateTargetPath(const CTarget& target) {
  TranslationRound& round = Round();
  std::string id = ToUpper(target.ID.Raw());
  auto known = round.outcomes.find(id);
  if (known != round.outcomes.end()) {
    if (known->second.kind == TargetOutcome::Cycle) ++round.cyclesMet;
    return known->second;
  }
  // A path that leads back to itself, or through more targets than any suite nests, cannot be
  // resolved; the walk stops here instead of exhausting the stack.
  if (round.active.size() >= kMaxTargetNesting ||
      std::find(round.active.begin(), round.active.end(), id) != round.active.end()) {
    ++round.cyclesMet;
    return {TargetOutcome::Cycle, std::string()};
  }
  int cyclesBefore = round.cyclesMet;
  round.active.push_back(id);
  std::string path = TranslateKeywordText(Master(), target.path, true);
  round.active.pop_back();
  TargetOutcome outcome{TargetOutcome::Resolved, path};
  if (round.cyclesMet != cyclesBefore)
    outcome.kind = TargetOutcome::Cycle;
  else if (path.find('%') != std::string::npos)
    outcome.kind = TargetOutcome::Unresolved;
  round.outcomes[id] = outcome;
  return outcome;
}

int TranslateTargetKeyword(const std::string& keyword, std::string& value, int& final) {
  size_t first = keyword.find('%');
  size_t nameBegin = first == std::string::npos ? 0 : first + 1;
  size_t second = keyword.find('%', nameBegin);
  std::string name = keyword.substr(nameBegin, second == std::string::npos ? std::string::npos : second - nameBegin);
  final = 1;
  const CTarget* target = Master().targets.Find(name);
  if (!target) {
    value = "%" + name + "%";
    return -1;
  }
  RoundScope scope;
  TargetOutcome outcome = TranslateTargetPath(*target);
  switch (outcome.kind) {
    case TargetOutcome::Resolved:
      value = outcome.path;
      final = 0;
      return 0;
    case TargetOutcome::Unresolved:
      value = second == std::string::npos ? std::string() : keyword.substr(second + 1);
      return 0;
    case TargetOutcome::Cycle:
      break;
  }
  // A path that leads back to itself stays as written, so that it is reported unresolved.
  value = "%" + name + "%";
  return -1;
}

// The setup's own translator; false when it has none, it does not load or it declines.
bool TranslateByCustomLibrary(const CSetup& setup, const std::string& keyword, std::string& value, int& final) {
  if (setup.SetupDLL.empty()) return false;
  std::vector<char> buffer(kGuardedBufferSize, '\0');
  int libraryFinal = 1;
  LibraryCallResult call = CallProductEntry<product_entry::TranslateKeyword>(
      setup.SrcDir, setup.SetupDLL, "TranslateKeyword", keyword.c_str(), buffer.data(), &libraryFinal);
  if (!call.Called() || call.value != 0) return false;
  buffer.back() = '\0';
  value = std::string(buffer.data(), strnlen(buffer.data(), kKeywordBufferSize - 1));
  final = libraryFinal;
  return true;
}
}  // namespace

int TranslateBuiltinKeyword(const std::string& keyword, std::string& value, int& final) {
  final = 1;
  if (BuiltinValue(keyword, value)) {
    value = CutToKeywordBuffer(value);
    return 0;
  }
  int result = TranslateTargetKeyword(keyword, value, final);
  value = CutToKeywordBuffer(value);
  return result;
}

std::string TranslateKeywordText(const CSetup& setup, const std::string& text, bool force) {
  if (text.find('%') == std::string::npos) return text;
  RoundScope scope;
  std::string result;
  bool allFinal = true;
  for (const KeywordTextPiece& piece : SplitKeywordText(text)) {
    if (!piece.isKeyword) {
      result += piece.text;
      continue;
    }
    std::string keyword = "%" + piece.text + "%";
    std::string value;
    int final = 1;
    bool translated = TranslateByCustomLibrary(setup, keyword, value, final) ||
                      TranslateBuiltinKeyword(keyword, value, final) == 0;
    if (translated) {
      result += value;
      // A value that names a target anywhere stays symbolic, not only when the target comes last.
      allFinal = allFinal && final != 0;
    } else {
      result += keyword;
    }
  }
  if (!allFinal && !force) return text;
  return result;
}

namespace {
// The targets of a collection by upper-cased ID, the first of each ID.
std::map<std::string, CTarget*> TargetIndex(Collection<CTarget>& targets) {
  std::map<std::string, CTarget*> index;
  for (CTarget& target : targets) index.emplace(ToUpper(target.ID.Raw()), &target);
  return index;
}

// The targets whose paths refer to others, each after the targets its path refers to, so that
// every path is translated once its references are settled and no translation has to follow a
// chain of references. The walk keeps its own stack; references that lead round in a circle are
// left to the translation to find.
std::vector<CTarget*> InReferenceOrder(Collection<CTarget>& targets) {
  std::map<std::string, CTarget*> index = TargetIndex(targets);
  enum class Mark { Unseen, Open, Done };
  std::map<const CTarget*, Mark> marks;
  std::vector<CTarget*> order;
  for (CTarget& start : targets) {
    if (marks[&start] != Mark::Unseen) continue;
    struct Frame {
      CTarget* target;
      std::vector<std::string> names;
      size_t next;
    };
    std::vector<Frame> stack{{&start, NamesBetweenPercentSigns(start.path), 0}};
    marks[&start] = Mark::Open;
    while (!stack.empty()) {
      Frame& frame = stack.back();
      if (frame.next == frame.names.size()) {
        marks[frame.target] = Mark::Done;
        order.push_back(frame.target);
        stack.pop_back();
        continue;
      }
      auto found = index.find(ToUpper(frame.names[frame.next++]));
      if (found == index.end() || marks[found->second] != Mark::Unseen) continue;
      marks[found->second] = Mark::Open;
      CTarget* next = found->second;
      stack.push_back({next, NamesBetweenPercentSigns(next->path), 0});
    }
  }
  return order;
}
}  // namespace

bool ResolveTargets(Collection<CTarget>& targets) {
  std::vector<CTarget*> order = InReferenceOrder(targets);
  // Each useful pass settles at least one path; a translator that keeps changing its answer
  // must not keep the load busy for ever.
  int passesLeft = targets.Count() + kExtraResolvePasses;
  bool changed = true;
  while (changed && passesLeft-- > 0) {
    changed = false;
    for (CTarget* target : order) {
      if (target->path.find('%') == std::string::npos) continue;
      std::string translated = TranslateKeywordText(*target->setup, target->path, true);
      if (!EqualsNoCase(translated, target->path)) {
        target->path = translated;
        changed = true;
      }
    }
  }
  for (const CTarget& target : targets)
    if (target.path.find('%') != std::string::npos) return false;
  return true;
}

namespace {
// Which targets of the master recompute their paths from a target's: those whose default path
// names it and that are recalculated, found through the default paths' references once.
class DependentTargets {
 public:
  DependentTargets() {
    for (CTarget& target : Master().targets) {
      if (!target.Recalculated()) continue;
      std::vector<std::string> names = NamesBetweenPercentSigns(target.defaultPath);
      std::sort(names.begin(), names.end());
      names.erase(std::unique(names.begin(), names.end()), names.end());
      for (const std::string& name : names) dependents_[name].push_back(&target);
    }
  }
  // In the master's order; never the target itself.
  std::vector<CTarget*> Of(const CTarget& changed) const {
    std::vector<CTarget*> found;
    auto entry = dependents_.find(changed.ID.Raw());
    if (entry != dependents_.end())
      for (CTarget* target : entry->second)
        if (target != &changed) found.push_back(target);
    return found;
  }

 private:
  std::map<std::string, std::vector<CTarget*>> dependents_;
};

// Every target reached from `changed` through dependents, each once, without recursion; the walk
// goes on past a target while `visit` answers true.
template <typename Visit>
void ForEachDependent(const DependentTargets& graph, const CTarget& changed, Visit&& visit) {
  std::vector<const CTarget*> pending{&changed};
  std::set<const CTarget*> seen{&changed};
  while (!pending.empty()) {
    const CTarget* current = pending.back();
    pending.pop_back();
    for (CTarget* target : graph.Of(*current)) {
      if (!seen.insert(target).second) continue;
      if (visit(*target)) pending.push_back(target);
    }
  }
}
}  // namespace

void RecomputeDependentTargets(const CTarget& changed) {
  DependentTargets graph;
  std::vector<CTarget*> reached;
  ForEachDependent(graph, changed, [&](CTarget& target) {
    reached.push_back(&target);
    return true;
  });
  // Each reached target is settled once every target it recomputes from is settled, and
  // recomputed only when one of those paths moved; targets that depend on each other in a
  // circle are settled last, in the master's order.
  std::map<const CTarget*, int> sourcesLeft;
  for (const CTarget* target : reached) sourcesLeft[target] = 0;
  auto countSources = [&](const CTarget& source) {
    for (CTarget* target : graph.Of(source))
      if (sourcesLeft.count(target)) ++sourcesLeft[target];
  };
  countSources(changed);
  for (const CTarget* target : reached) countSources(*target);

  std::set<const CTarget*> moved{&changed}, touched, settled;
  auto settle = [&](CTarget& target) {
    settled.insert(&target);
    if (!touched.count(&target)) return;
    std::string before = target.path;
    target.path = target.defaultPath;
    if (target.path.find('%') != std::string::npos)
      target.path = TranslateKeywordText(*target.setup, target.path, true);
    if (target.path != before) moved.insert(&target);
  };
  std::vector<const CTarget*> ready{&changed};
  while (!ready.empty()) {
    const CTarget* source = ready.back();
    ready.pop_back();
    for (CTarget* target : graph.Of(*source)) {
      if (!sourcesLeft.count(target) || settled.count(target)) continue;
      if (moved.count(source)) touched.insert(target);
      if (--sourcesLeft[target] == 0) {
        settle(*target);
        ready.push_back(target);
      }
    }
  }
  for (CTarget* target : reached)
    if (!settled.count(target)) settle(*target);
}

bool WouldResetFixedTarget(const CTarget& changed) {
  bool reset = false;
  ForEachDependent(DependentTargets(), changed, [&](CTarget& target) {
    if (target.fixed) reset = true;
    return !reset;
  });
  return reset;
}
