#include "model/Keywords.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "engine/Application.h"
#include "engine/Log.h"
#include "engine/ProductLibrary.h"
#include "engine/Text.h"
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

std::string CutToKeywordBuffer(std::string value) {
  if (value.size() > kKeywordBufferSize - 1) value.resize(kKeywordBufferSize - 1);
  return value;
}

std::string Registry(const char* key, const char* name) { return ReadRegString(HKEY_LOCAL_MACHINE, key, name); }

// The registry value, or `fallback`, which is then recorded there.
std::string RegistryOrRecorded(const char* name, const char* fallback) {
  std::string value = Registry(kWindowsVersionKey, name);
  if (!value.empty()) return value;
  SetRegString(HKEY_LOCAL_MACHINE, kWindowsVersionKey, name, fallback);
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
  if (std::find(round.active.begin(), round.active.end(), id) != round.active.end()) {
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
  size_t at = 0;
  for (;;) {
    size_t open = text.find('%', at);
    result.append(text, at, open - at);
    size_t close = text.find('%', open + 1);
    std::string name = text.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
    std::string keyword = "%" + name + "%";
    at = close == std::string::npos ? text.size() : close + 1;

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
    if (text.find('%', at) == std::string::npos) {
      result.append(text, at, std::string::npos);
      break;
    }
  }
  if (!allFinal && !force) return text;
  return result;
}

bool ResolveTargets(Collection<CTarget>& targets) {
  // Each useful pass settles at least one path; a translator that keeps changing its answer
  // must not keep the load busy for ever.
  int passesLeft = targets.Count() + kExtraResolvePasses;
  bool changed = true;
  while (changed && passesLeft-- > 0) {
    changed = false;
    for (CTarget& target : targets) {
      if (target.path.find('%') == std::string::npos) continue;
      std::string translated = TranslateKeywordText(*target.setup, target.path, true);
      if (!EqualsNoCase(translated, target.path)) {
        target.path = translated;
        changed = true;
      }
    }
  }
  for (const CTarget& target : targets)
    if (target.path.find('%') != std::string::npos) return false;
  return true;
}

namespace {
bool DependsOn(const CTarget& target, const CTarget& changed) {
  return &target != &changed && target.defaultPath.find("%" + changed.ID.Raw() + "%") != std::string::npos &&
         target.Recalculated();
}

bool InWalk(const std::vector<const CTarget*>& walk, const CTarget& target) {
  return std::find(walk.begin(), walk.end(), &target) != walk.end();
}

void RecomputeDependents(const CTarget& changed, std::vector<const CTarget*>& walk) {
  walk.push_back(&changed);
  for (CTarget& target : Master().targets) {
    if (!DependsOn(target, changed) || InWalk(walk, target)) continue;
    std::string before = target.path;
    target.path = target.defaultPath;
    if (target.path.find('%') != std::string::npos)
      target.path = TranslateKeywordText(*target.setup, target.path, true);
    if (target.path != before) RecomputeDependents(target, walk);
  }
  walk.pop_back();
}

bool WouldReset(const CTarget& changed, std::vector<const CTarget*>& walk) {
  walk.push_back(&changed);
  bool reset = false;
  for (const CTarget& target : Master().targets) {
    if (!DependsOn(target, changed) || InWalk(walk, target)) continue;
    if (target.fixed || WouldReset(target, walk)) {
      reset = true;
      break;
    }
  }
  walk.pop_back();
  return reset;
}
}  // namespace

void RecomputeDependentTargets(const CTarget& changed) {
  std::vector<const CTarget*> walk;
  RecomputeDependents(changed, walk);
}

bool WouldResetFixedTarget(const CTarget& changed) {
  std::vector<const CTarget*> walk;
  return WouldReset(changed, walk);
}
