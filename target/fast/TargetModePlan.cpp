#include "target/fast/TargetModePlan.h"

#include <algorithm>
#include <utility>

namespace ordavin::fast_target {

void TargetModePlan::Prepare(bool parallel, const double* values, std::uint32_t n, double target,
                             double tolerance) {
  m_seriesBit = parallel ? 0 : 1;
  m_terms.resize(n);
  for (std::uint32_t i = 0; i < n; ++i) {
    m_terms[i] = parallel ? 1.0 / values[i] : values[i];
  }
  for (std::uint32_t i = 1; i < n; ++i) {
    if (m_terms[i] < m_terms[i - 1]) m_termsRising = false;
    if (m_terms[i] > m_terms[i - 1]) m_termsFalling = false;
  }
  // The total rises with the sum in series and falls with it in parallel.
  m_error = ErrorOfSum{parallel, parallel == (target > 0.0), target};
  m_matchFrom = m_error.FirstSum([tolerance](double e) { return e > -tolerance; });
  m_matchEnd = m_error.FirstSum([tolerance](double e) { return e >= tolerance; });
  m_searched = m_matchFrom < m_matchEnd;
}

// Adding terms never makes a sum smaller, so a prefix already past the matches stays past.
bool TargetModePlan::BucketPrefixes(std::uint32_t n, std::uint32_t prefixLength,
                                    const std::vector<std::uint64_t>& lastColex,
                                    const std::atomic<bool>& abortRequested) {
  m_bucketStart.assign(std::size_t{n} + 1, 0);
  std::vector<std::pair<double, std::uint32_t>> bucket;
  for (std::uint32_t last = 0; last < n; ++last) {
    if (abortRequested.load(std::memory_order_relaxed)) return false;
    m_bucketStart[last] = m_sums.size();
    bucket.clear();
    if (prefixLength == 1) {
      bucket.emplace_back(m_terms[last], last);
    } else {
      const std::uint32_t lastRank = static_cast<std::uint32_t>(lastColex[last]);
      for (std::uint32_t first = 0; first <= last; ++first) {
        bucket.emplace_back(m_terms[first] + m_terms[last], first + lastRank);
      }
    }
    std::sort(bucket.begin(), bucket.end());
    for (const auto& [sum, rank] : bucket) {
      if (Bits(sum) >= m_matchEnd) break;
      m_sums.push_back(sum);
      m_ranks.push_back(rank);
    }
  }
  m_bucketStart[n] = m_sums.size();
  return true;
}

}  // namespace ordavin::fast_target
