#pragma once

// The arithmetic every engine follows for a mixed network, so that results agree to the last
// bit: the parts of a connection are folded in their order in the code (the canonical order,
// see CanonicalOrder.h), a series connection as 0 + t1 + t2 + ... of its parts' totals, a
// parallel one as 1 / (0 + 1/t1 + 1/t2 + ...). A flat network so folds its positions in the
// order ParallelTotal and SeriesTotal use, and network/Network's Resistance gives the same
// total for the network built from the code.
#include <cstddef>
#include <cstdint>
#include <span>

#include "target/NetworkCode.h"

namespace ordavin {

// The total of the network starting at code[next]; next moves past it. The code must be well
// formed and its positions valid for values.
inline double MixedTotalAt(const double* values, std::span<const std::int32_t> code,
                           std::size_t& next) {
  const std::int32_t token = code[next++];
  if (!IsConnectionToken(token)) return values[token];
  const bool parallel = IsParallelToken(token);
  const std::uint32_t parts = PartCountOf(token);
  double sum = 0.0;
  for (std::uint32_t k = 0; k < parts; ++k) {
    const double part = MixedTotalAt(values, code, next);
    sum += parallel ? 1.0 / part : part;
  }
  return parallel ? 1.0 / sum : sum;
}

inline double MixedTotal(const double* values, std::span<const std::int32_t> code) {
  std::size_t next = 0;
  return MixedTotalAt(values, code, next);
}

// A connection's total from its parts' totals, folded the same way.
inline double FoldParts(bool parallel, std::span<const double> partTotals) {
  double sum = 0.0;
  for (const double part : partTotals) sum += parallel ? 1.0 / part : part;
  return parallel ? 1.0 / sum : sum;
}

}  // namespace ordavin
