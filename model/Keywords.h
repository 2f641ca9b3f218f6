#pragma once
// Keyword translation: names between percent signs in description values stand for system
// directories, registry-held locations, run values or the paths of the master's targets.
#include <string>

#include "include/tessaro.h"
#include "model/Collection.h"

class CSetup;
class CTarget;

// The buffer handed to a custom translator, and the longest value a keyword yields.
constexpr size_t kKeywordBufferSize = TS_KEYWORD_BUFFER_SIZE;

// The built-in translator for one keyword (percent signs included). Answers 0 with the value,
// or -1 when the keyword is neither built in nor a target ID; `final` is 0 only for a target
// path that may still change.
int TranslateBuiltinKeyword(const std::string& keyword, std::string& value, int& final);

// Translates every keyword of `text` through `setup`: its own translator first, then the
// built-in one. Without force a text whose keywords are not all final is returned unchanged.
std::string TranslateKeywordText(const CSetup& setup, const std::string& text, bool force);

// Translates the paths of the targets until nothing changes; true when no path holds a keyword.
bool ResolveTargets(Collection<CTarget>& targets);

// After the path of `changed` was set: every recalculated target of the master whose default
// path names it is derived again, and so on for the targets that depend on those.
void RecomputeDependentTargets(const CTarget& changed);
// Whether that recomputation would reset a target whose path was fixed.
bool WouldResetFixedTarget(const CTarget& changed);
