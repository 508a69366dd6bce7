#pragma once

#include <cstdint>

#include "target/ConnectionMode.h"

namespace ordavin {

struct TargetParameters {
  double targetResistance = 0.0;
  double tolerance = 0.0;
  ConnectionMode connectionMode = ConnectionMode::ParallelAndSeries;
  std::uint32_t maxResults = 10;
  std::uint32_t resistorCount = 2;
};

}  // namespace ordavin
