#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "support/MersenneRng.h"
#include "target/ConnectionMode.h"
#include "target/TargetArithmetic.h"
#include "target/TargetParameters.h"

namespace ordavin::testing {

// A random target search over the given values: mostly a total some multiset hits exactly,
// else any target, zero or negative; tolerances from 0 to 10; from 0 to 13 results kept.
inline TargetParameters RandomTargetParameters(MersenneRng& rng, const std::vector<double>& values,
                                               std::uint32_t count, ConnectionMode mode) {
  static constexpr double kTolerances[] = {0, 1e-15, 1e-9, 1e-3, 0.005, 0.01, 0.1, 0.5, 1, 10};
  TargetParameters p;
  p.resistorCount = count;
  p.connectionMode = mode;
  p.maxResults = rng.Below(14);
  const std::uint32_t kind = rng.Below(12);
  if (kind < 7) {
    // A total some multiset hits exactly, so that ties and errors of 0 occur.
    std::vector<std::int32_t> digits(count);
    for (auto& d : digits)
      d = static_cast<std::int32_t>(rng.Below(static_cast<std::uint32_t>(values.size())));
    std::sort(digits.begin(), digits.end());
    const bool parallel =
        mode == ConnectionMode::ParallelAndSeries ? rng.Below(2) == 0 : EvaluatesParallel(mode);
    p.targetResistance = parallel ? ParallelTotal(values.data(), digits.data(), count)
                                  : SeriesTotal(values.data(), digits.data(), count);
  } else if (kind < 10) {
    p.targetResistance = 0.1 + 3000 * rng.Unit();
  } else if (kind < 11) {
    p.targetResistance = 0.0;
  } else {
    p.targetResistance = -100 * rng.Unit();
  }
  p.tolerance = rng.Below(8) == 0 ? 10 * rng.Unit() : kTolerances[rng.Below(10)];
  return p;
}

}  // namespace ordavin::testing
