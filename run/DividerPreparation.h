#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "divider/NetworkMode.h"
#include "run/FieldLimits.h"

namespace ordavin {

class ValueSet;
class DividerEngine;

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

// A preparation's outcome: ready to run, or the refusals to show, in order.
struct Preparation {
  bool ready = false;
  std::vector<std::string> messages;
};

// Rebuilds the working set from the check states (one per full-set value; only 1 counts),
// checks the request and, when it passes, hands the parameters to the engine. Stops at the
// first refusal.
Preparation PrepareDividerRun(ValueSet& values, std::span<const std::int32_t> checkStates,
                              const DividerRequest& request, DividerEngine& engine);

}  // namespace ordavin
