#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "support/Rng.h"

namespace ordavin::testing {

// A random multiset of `count` positions below n, as a non-decreasing tuple.
inline std::vector<std::int32_t> RandomDigits(Rng& rng, std::uint32_t n, std::uint32_t count) {
  std::vector<std::int32_t> digits(count);
  for (std::int32_t& d : digits) d = static_cast<std::int32_t>(rng.Below(n));
  std::sort(digits.begin(), digits.end());
  return digits;
}

}  // namespace ordavin::testing
