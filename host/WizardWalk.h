#pragma once
#include "host/EngineBinding.h"

// Walks the wizard steps in the script's order: 1 moves on, 12 walks back, 9 stops.
// Returns 1 when the walk passed the last step, 9 when it stopped.
int WalkWizard(const EngineExports& engine);
