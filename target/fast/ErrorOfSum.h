#pragma once

#include <bit>
#include <cstdint>

#include "search/GallopingSearch.h"
#include "target/TargetArithmetic.h"
#include "target/fast/SumBits.h"

namespace ordavin::fast_target {

// The error of a combination as a function of its final sum (of values in series, of
// reciprocals in parallel), and that error turned so that it never falls as the sum grows.
// Every step rounds monotonically, so both hold exactly in floating point.
class ErrorOfSum {
 public:
  ErrorOfSum() = default;
  ErrorOfSum(bool parallel, bool negate, double target)
      : m_parallel(parallel), m_negate(negate), m_target(target) {}

  double Signed(double sum) const { return RelativeError(m_parallel ? 1.0 / sum : sum, m_target); }
  double Rising(double sum) const {
    const double e = Signed(sum);
    return m_negate ? -e : e;
  }
  // The least sum (as bits) at which pred(Rising(sum)) holds, kNoSum when there is none.
  template <class Pred>
  std::uint64_t FirstSum(Pred pred) const {
    return FirstTrue(std::uint64_t{0}, kNoSum,
                     [&](std::uint64_t bits) { return pred(Rising(std::bit_cast<double>(bits))); });
  }

 private:
  bool m_parallel = false;
  bool m_negate = false;
  double m_target = 1.0;
};

}  // namespace ordavin::fast_target
