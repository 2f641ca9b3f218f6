#pragma once
#include <functional>

#include "host/EngineBinding.h"

// Walks the wizard steps in the script's order: TS_STEP_NEXT moves on, TS_STEP_BACK walks back,
// TS_STEP_STOP stops. Returns TS_STEP_NEXT when the walk passed the last step, TS_STEP_STOP when
// it stopped. Without `uninstallCheck` the add/remove question is not asked. When the user
// chooses to uninstall on the add/remove page, `uninstall` runs (the walk stops after it); a
// walk without it stops there with a message.
int WalkWizard(const EngineExports& engine, bool uninstallCheck = true, const std::function<void()>& uninstall = {});
