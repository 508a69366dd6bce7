#pragma once

#include <cstdint>

namespace ordavin {

// Which evaluations a target search makes of every multiset: a bit set; or, for Mixed, every
// series-parallel network of the multiset (see target/mixed/).
enum class ConnectionMode : std::int32_t {
  ParallelOnly = 1,
  SeriesOnly = 2,
  ParallelAndSeries = 3,
  Mixed = 4
};

inline bool EvaluatesParallel(ConnectionMode mode) {
  return (static_cast<std::int32_t>(mode) & 1) != 0;
}
inline bool EvaluatesSeries(ConnectionMode mode) {
  return (static_cast<std::int32_t>(mode) & 2) != 0;
}

}  // namespace ordavin
