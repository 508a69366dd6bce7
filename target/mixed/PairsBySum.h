#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "search/WaveletMatrix.h"

namespace ordavin {

// Every pair of positions c <= d with the sum of their terms (the value in series, its
// reciprocal in parallel, as a connection folds them), in the order of those sums: what the
// last two resistors of a connection are searched on.
class PairsBySum {
 public:
  PairsBySum(std::span<const double> values, bool parallel);

  std::size_t Size() const { return m_sums.size(); }
  const std::vector<double>& Sums() const { return m_sums; }
  std::uint32_t First(std::size_t k) const { return m_first[k]; }
  std::uint32_t Second(std::size_t k) const { return m_second[k]; }
  // How many of the k in [begin, end) have a first position of at least `first`.
  std::size_t CountFrom(std::size_t begin, std::size_t end, std::uint32_t first) const {
    return first == 0 ? (end > begin ? end - begin : 0) : m_firsts.CountAtLeast(begin, end, first);
  }

  // The bytes the pairs of `positions` take, their sorting included.
  static std::uint64_t Bytes(std::uint64_t positions);

 private:
  std::vector<double> m_sums;
  std::vector<std::uint32_t> m_first;
  std::vector<std::uint32_t> m_second;
  WaveletMatrix m_firsts;
};

}  // namespace ordavin
