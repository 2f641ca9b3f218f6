#pragma once
// The engine linked into the tool, seen through the same exports a setup host binds.
#include "host/EngineBinding.h"

EngineExports LinkedEngineSteps();
