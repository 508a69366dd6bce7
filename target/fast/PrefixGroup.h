#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "target/fast/TargetModePlan.h"

namespace ordavin::fast_target {

// The prefixes whose last position is at most the latest m, sorted by sum: one worker's
// growing copy of a connection's buckets.
class PrefixGroup {
 public:
  // Takes in the buckets up to m (m never falls from one call to the next).
  void Extend(const TargetModePlan& mode, std::uint32_t prefixLength, std::uint32_t m);

  const std::vector<double>& Sums() const { return m_sums; }
  const std::vector<std::uint32_t>& Ranks() const { return m_ranks; }

 private:
  void Merge(const double* newSums, const std::uint32_t* newRanks, std::size_t k);

  std::vector<double> m_sums;
  std::vector<std::uint32_t> m_ranks;
  std::int64_t m_builtUpTo = -1;
  std::vector<double> m_outSums;
  std::vector<std::uint32_t> m_outRanks;
  std::vector<std::pair<double, std::uint32_t>> m_pending;
  std::vector<double> m_pendingSums;
  std::vector<std::uint32_t> m_pendingRanks;
};

}  // namespace ordavin::fast_target
