#pragma once

// The arithmetic of one divider, in the one order every engine must follow so that their
// results agree to the last bit.
#include <cmath>
#include <cstdint>

#include "divider/DividerMatch.h"
#include "divider/DividerParameters.h"

namespace ordavin {

struct NetworkTotal {
  double total;        // ohms
  double conductance;  // siemens
};

// Parallel: G = sum of 1/R in digit order, total = 1/G. Series: total = sum of R, G = 1/total.
inline NetworkTotal EvaluateNetwork(const double* values, const std::int32_t* digits,
                                    std::uint32_t count, NetworkMode mode) {
  double sum = 0.0;
  if (mode == NetworkMode::Parallel) {
    for (std::uint32_t k = 0; k < count; ++k) sum += 1.0 / values[digits[k]];
    return {1.0 / sum, sum};
  }
  for (std::uint32_t k = 0; k < count; ++k) sum += values[digits[k]];
  return {sum, 1.0 / sum};
}

inline DividerEvaluation EvaluateDivider(NetworkTotal upper, NetworkTotal lower,
                                         const DividerParameters& p) {
  DividerEvaluation e;
  e.ruTotal = upper.total;
  e.rlTotal = lower.total;
  e.rserTotal = upper.total + lower.total;
  e.rparTotal = 1.0 / (upper.conductance + lower.conductance);
  const double loadedLower = 1.0 / (lower.conductance + p.loadConductance);
  e.divisionFactor = loadedLower / (p.sourceResistance + upper.total + loadedLower);
  e.error = (e.divisionFactor - p.targetFactor) / p.targetFactor;
  return e;
}

// Tolerance first, then the series window, then the parallel window; NaN fails each.
inline bool PassesDividerFilters(const DividerEvaluation& e, const DividerParameters& p) {
  return std::fabs(e.error) <= p.tolerance && p.seriesMin <= e.rserTotal &&
         e.rserTotal <= p.seriesMax && p.parallelMin <= e.rparTotal && e.rparTotal <= p.parallelMax;
}

}  // namespace ordavin
