#pragma once

#include <cstdint>
#include <span>

#include "run/DividerPreparation.h"
#include "run/FieldLimits.h"
#include "target/ConnectionMode.h"

namespace ordavin {

class ValueSet;
class TargetEngine;

// The target page's values at the moment Optimize! was pressed.
struct TargetRequest {
  double targetResistance = target_fields::kTargetResistance;
  double tolerance = target_fields::kTolerance;
  std::uint32_t maxResults = target_fields::kMaxResults;
  std::uint32_t resistorCount = 2;
  ConnectionMode connectionMode = ConnectionMode::ParallelAndSeries;
};

// Rebuilds the working set from the check states, narrows it for the pure modes (a parallel
// total lies below each resistor, a series total above) and hands the parameters to the
// engine whatever the outcome. Every failed check adds its message: there may be two.
Preparation PrepareTargetRun(ValueSet& values, std::span<const std::int32_t> checkStates,
                             const TargetRequest& request, TargetEngine& engine);

}  // namespace ordavin
