#pragma once

#include <cstdint>
#include <span>

#include "run/DividerRequest.h"
#include "run/Preparation.h"

namespace ordavin {

class ValueSet;
class DividerEngine;

// Rebuilds the working set from the check states (one per full-set value; only 1 counts),
// checks the request and, when it passes, hands the parameters to the engine. Stops at the
// first refusal.
Preparation PrepareDividerRun(ValueSet& values, std::span<const std::int32_t> checkStates,
                              const DividerRequest& request, DividerEngine& engine);

}  // namespace ordavin
