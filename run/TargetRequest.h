#pragma once

#include <cstdint>

#include "run/FieldLimits.h"
#include "target/ConnectionMode.h"

namespace ordavin {

// The target page's values at the moment Optimize! was pressed.
struct TargetRequest {
  double targetResistance = target_fields::kTargetResistance;
  double tolerance = target_fields::kTolerance;
  std::uint32_t maxResults = target_fields::kMaxResults;
  std::uint32_t resistorCount = 2;
  ConnectionMode connectionMode = ConnectionMode::ParallelAndSeries;
};

}  // namespace ordavin
