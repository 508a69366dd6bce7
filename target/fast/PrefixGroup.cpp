#include "target/fast/PrefixGroup.h"

#include <algorithm>

namespace ordavin::fast_target {

void PrefixGroup::Extend(const TargetModePlan& mode, std::uint32_t prefixLength, std::uint32_t m) {
  if (prefixLength == 0) {
    if (m_sums.empty()) {
      m_sums.push_back(0.0);
      m_ranks.push_back(0);
    }
    return;
  }
  if (m_builtUpTo >= static_cast<std::int64_t>(m)) return;
  const std::size_t from = mode.BucketStart(static_cast<std::size_t>(m_builtUpTo + 1));
  const std::size_t to = mode.BucketStart(m + 1);
  const bool oneBucket = m_builtUpTo + 1 == static_cast<std::int64_t>(m);
  m_builtUpTo = m;
  if (from == to) return;
  const std::size_t k = to - from;
  const std::vector<double>& sums = mode.Sums();
  const std::vector<std::uint32_t>& ranks = mode.Ranks();
  if (oneBucket) {
    Merge(sums.data() + from, ranks.data() + from, k);
    return;
  }
  // Several buckets at once: each is sorted, the whole is not.
  m_pending.resize(k);
  for (std::size_t i = 0; i < k; ++i) m_pending[i] = {sums[from + i], ranks[from + i]};
  std::sort(m_pending.begin(), m_pending.end());
  m_pendingSums.resize(k);
  m_pendingRanks.resize(k);
  for (std::size_t i = 0; i < k; ++i) {
    m_pendingSums[i] = m_pending[i].first;
    m_pendingRanks[i] = m_pending[i].second;
  }
  Merge(m_pendingSums.data(), m_pendingRanks.data(), k);
}

// Into buffers kept from one call to the next: fresh ones would be fresh pages each time.
void PrefixGroup::Merge(const double* newSums, const std::uint32_t* newRanks, std::size_t k) {
  const std::size_t old = m_sums.size();
  m_outSums.resize(old + k);
  m_outRanks.resize(old + k);
  double* outSums = m_outSums.data();
  std::uint32_t* outRanks = m_outRanks.data();
  std::size_t i = 0;
  std::size_t j = 0;
  std::size_t o = 0;
  while (i < old && j < k) {
    if (newSums[j] < m_sums[i]) {
      outSums[o] = newSums[j];
      outRanks[o++] = newRanks[j++];
    } else {
      outSums[o] = m_sums[i];
      outRanks[o++] = m_ranks[i++];
    }
  }
  for (; i < old; ++i, ++o) {
    outSums[o] = m_sums[i];
    outRanks[o] = m_ranks[i];
  }
  for (; j < k; ++j, ++o) {
    outSums[o] = newSums[j];
    outRanks[o] = newRanks[j];
  }
  m_sums.swap(m_outSums);
  m_ranks.swap(m_outRanks);
}

}  // namespace ordavin::fast_target
