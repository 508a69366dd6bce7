#pragma once

#include <cstdint>

#include "divider/NetworkMode.h"
#include "run/FieldLimits.h"

namespace ordavin {

// The divider page's values at the moment Optimize! was pressed, already converted.
struct DividerRequest {
  double divisionFactor = 0.0;
  double tolerance = divider_fields::kTolerance;
  bool seriesEnabled = divider_fields::kSeriesEnabled;
  double seriesMin = divider_fields::kSeriesMin;
  double seriesMax = divider_fields::kSeriesMax;
  bool parallelEnabled = divider_fields::kParallelEnabled;
  double parallelMin = divider_fields::kParallelMin;
  double parallelMax = divider_fields::kParallelMax;
  std::uint32_t upperCount = 1;
  std::uint32_t lowerCount = 1;
  NetworkMode upperMode = NetworkMode::Parallel;
  NetworkMode lowerMode = NetworkMode::Parallel;
  std::uint32_t maxResults = divider_fields::kMaxResults;
  double sourceResistance = divider_fields::kSourceResistance;
  double loadResistance = divider_fields::kLoadResistance;  // 0: no load
};

}  // namespace ordavin
