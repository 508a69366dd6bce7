#pragma once

#include <cstddef>
#include <cstdint>

#include "search/GallopingSearch.h"
#include "target/fast/SumBits.h"

namespace ordavin::fast_target {

// The fold of a prefix sum with the terms of position m and of the suffix, in position order.
template <std::uint32_t Terms>
struct Fold {
  double t[Terms];
  double operator()(double sum) const {
    for (std::uint32_t k = 0; k < Terms; ++k) sum += t[k];
    return sum;
  }
};

// The least i in [from, to] with Bits(fold(sums[i])) >= threshold, the predicate being
// monotone in i; gallops out from the hint.
template <class F>
std::size_t FirstAtLeast(const double* sums, std::size_t from, std::size_t to, std::size_t hint,
                         const F& fold, std::uint64_t threshold) {
  return GallopFirstTrue(from, to, hint,
                         [&](std::uint64_t i) { return Bits(fold(sums[i])) >= threshold; });
}

}  // namespace ordavin::fast_target
