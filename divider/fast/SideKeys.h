#pragma once

// How a side's multisets are keyed: by the bits of their total, or by the complement of the
// bits of their G. Positive doubles order like their bit patterns, so either key grows with
// the network's total. A parallel network keyed by its total has lost its exact G; that is
// only done where no test needs G.
#include <bit>
#include <cstdint>
#include <limits>

#include "divider/DividerArithmetic.h"

namespace ordavin::fast_divider {

enum class KeyKind { Total, Conductance };

struct SideForm {
  bool parallel = true;
  KeyKind kind = KeyKind::Conductance;
};

// The key of a multiset from the sum the network forms (G for parallel, total for series).
inline std::uint64_t KeyOfSum(double sum, SideForm form) {
  if (form.kind == KeyKind::Conductance) return ~std::bit_cast<std::uint64_t>(sum);
  return std::bit_cast<std::uint64_t>(form.parallel ? 1.0 / sum : sum);
}

// The network's figures from its key, derived as EvaluateNetwork derives them.
inline double TotalOfKey(std::uint64_t key, KeyKind kind) {
  if (kind == KeyKind::Conductance) return 1.0 / std::bit_cast<double>(~key);
  return std::bit_cast<double>(key);
}
inline double ConductanceOfKey(std::uint64_t key, SideForm form) {
  if (form.kind == KeyKind::Conductance) return std::bit_cast<double>(~key);
  // A parallel network keyed by its total no longer has its G.
  if (form.parallel) return std::numeric_limits<double>::quiet_NaN();
  return 1.0 / std::bit_cast<double>(key);
}
inline NetworkTotal NetworkOfSum(double sum, bool parallel) {
  if (parallel) return {1.0 / sum, sum};
  return {sum, 1.0 / sum};
}

// The key a total would have, for estimates: anything not above zero keys lowest.
inline std::uint64_t KeyOfTotalEstimate(double total, KeyKind kind) {
  if (!(total > 0)) return 0;
  if (kind == KeyKind::Conductance) return ~std::bit_cast<std::uint64_t>(1.0 / total);
  return std::bit_cast<std::uint64_t>(total);
}

}  // namespace ordavin::fast_divider
