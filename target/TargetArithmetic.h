#pragma once

// The arithmetic of one target combination, folded in position order; every engine must
// follow it so that results agree to the last bit.
#include <cstdint>

namespace ordavin {

inline double ParallelTotal(const double* values, const std::int32_t* positions,
                            std::uint32_t count) {
  double sum = 0.0;
  for (std::uint32_t k = 0; k < count; ++k) sum += 1.0 / values[positions[k]];
  return 1.0 / sum;
}

inline double SeriesTotal(const double* values, const std::int32_t* positions,
                          std::uint32_t count) {
  double sum = 0.0;
  for (std::uint32_t k = 0; k < count; ++k) sum += values[positions[k]];
  return sum;
}

inline double RelativeError(double achieved, double target) { return (achieved - target) / target; }

}  // namespace ordavin
