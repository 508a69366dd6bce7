#pragma once

#include <cstdint>
#include <span>

#include "run/Preparation.h"
#include "run/TargetRequest.h"

namespace ordavin {

class ValueSet;
class TargetEngine;

// Rebuilds the working set from the check states, narrows it for the pure modes (a parallel
// total lies below each resistor, a series total above) and hands the parameters to the
// engine whatever the outcome. Every failed check adds its message: there may be two.
Preparation PrepareTargetRun(ValueSet& values, std::span<const std::int32_t> checkStates,
                             const TargetRequest& request, TargetEngine& engine);

}  // namespace ordavin
