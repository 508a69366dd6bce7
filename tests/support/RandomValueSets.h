#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "support/MersenneRng.h"
#include "support/Rng.h"

namespace ordavin::testing {

// Few distinct values, some equal, some sums of others (0.5 + 0.5 = 1, 2 || 2 = 1): equal
// errors between different combinations are common, which is what exercises tie order.
inline constexpr std::array<double, 9> kTieProneValues = {1, 2, 2.2, 4.7, 10, 100, 1000, 3.3, 0.5};

// n values drawn from the pool, repeats allowed, in the order drawn.
template <std::size_t N>
std::vector<double> ValuesFromPool(Rng& rng, std::uint32_t n, const std::array<double, N>& pool) {
  std::vector<double> values(n);
  for (double& v : values) v = rng.Pick(pool);
  return values;
}

// Values drawn from the E12 series over several decades, a few of them twice, sorted.
inline std::vector<double> SeriesLikeValues(Rng& rng, std::uint32_t n) {
  static constexpr std::array<double, 12> kE12 = {1.0, 1.2, 1.5, 1.8, 2.2, 2.7,
                                                  3.3, 3.9, 4.7, 5.6, 6.8, 8.2};
  std::vector<double> values(n);
  for (double& v : values) {
    v = rng.Pick(kE12) * std::pow(10.0, static_cast<double>(rng.Below(6)));
  }
  std::sort(values.begin(), values.end());
  return values;
}

// Positive values over several decades, with duplicates and in any order.
inline std::vector<double> ScatteredValues(MersenneRng& rng, std::uint32_t count) {
  static constexpr double kBases[] = {1.0, 1.2, 1.5, 2.2, 3.3, 4.7, 6.8};
  std::vector<double> values;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (i > 0 && rng.Below(5) == 0) {
      values.push_back(values[rng.Below(i)]);
    } else if (rng.Below(3) == 0) {
      values.push_back(std::ldexp(0.5 + rng.Unit(), static_cast<int>(rng.Below(30))));
    } else {
      values.push_back(kBases[rng.Below(7)] * std::pow(10.0, rng.Below(6)));
    }
  }
  const std::uint32_t order = rng.Below(3);
  if (order == 1) std::sort(values.begin(), values.end());
  if (order == 2) std::sort(values.rbegin(), values.rend());
  return values;
}

}  // namespace ordavin::testing
