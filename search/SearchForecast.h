#pragma once

#include <cstdint>

namespace ordavin {

// Why a fast engine handed its search to the straightforward one.
enum class SlowPath : std::uint8_t {
  None,
  NotCovered,  // values or parameters the fast method does not cover
  Memory,      // the fast method would need more memory than allowed
  TooMany,     // more combinations than the fast method can count
};

// The fast methods count combinations in 64 bits.
inline constexpr double kCountableCombinations = 18446744073709551616.0;  // 2^64

// What a search is expected to take, worked out from its parameters and working set before it
// starts: for a progress share and a warning before a long search, not a promise.
struct SearchForecast {
  // Every combination the run visits; a double, since it may pass 64 bits.
  double combinations = 0.0;
  // Rough wall time on a machine like the one the rates were measured on (2 cores).
  double seconds = 0.0;
  // The straightforward enumeration will do the run, and why.
  SlowPath slowPath = SlowPath::None;
};

// How many multisets of k out of n values there are, C(n + k - 1, k), as a double.
inline double MultisetCount(std::uint64_t n, std::uint32_t k) {
  double count = 1.0;
  for (std::uint32_t i = 1; i <= k; ++i) {
    count = count * static_cast<double>(n + i - 1) / static_cast<double>(i);
  }
  return count;
}

}  // namespace ordavin
