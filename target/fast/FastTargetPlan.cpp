#include "target/fast/FastTargetPlan.h"

#include <algorithm>
#include <cmath>

#include "search/MemoryBudget.h"

namespace ordavin::fast_target {
namespace {

// Below this many multisets threads cost more than they save.
constexpr std::uint64_t kSmallJob = std::uint64_t{1} << 16;

}  // namespace

bool FastTargetPlan::LayOut(std::uint32_t n, std::uint32_t count, bool parallel, bool series) {
  m_n = n;
  m_count = count;
  m_prefixLength = count >= 4 ? 2 : count - 1 < 1 ? 0 : 1;
  m_suffixLength = count - 1 - m_prefixLength;
  m_parallel = parallel;
  m_series = series;
  m_evaluations = (parallel ? 1u : 0u) + (series ? 1u : 0u);
  m_doubledKeys = parallel && series;
  m_ranks = MultisetRanks(n, count);
  if (!m_ranks.Valid()) return false;
  if (m_evaluations == 2 && m_ranks.Count() > UINT64_MAX / 2) return false;
  return true;
}

void FastTargetPlan::ChooseWorkers(unsigned available) {
  m_workers = m_ranks.Count() < kSmallJob ? 1u : std::max(1u, std::min(available, m_n));
}

// Per connection: the bucketed prefixes, and per worker its group, the merge buffers and the
// room to sort what several buckets add at once.
std::uint64_t FastTargetPlan::MemoryEstimate() const {
  const std::uint64_t prefixes =
      MultisetRanks::Binomial(std::uint64_t{m_n} + m_prefixLength - 1, m_prefixLength);
  const std::uint64_t perPrefix = 12 + std::uint64_t{m_workers} * (24 + 16 + 12);
  return SaturatingAdd(SaturatingMultiply(SaturatingMultiply(prefixes, perPrefix), m_evaluations),
                       std::uint64_t{m_n} * 8 * (kMaxCount + 4));
}

void FastTargetPlan::Prepare(const double* values, double target, double tolerance) {
  for (std::uint32_t k = 0; k < m_count; ++k) {
    m_colex[k].resize(m_n);
    for (std::uint32_t i = 0; i < m_n; ++i) {
      m_colex[k][i] = MultisetRanks::Binomial(std::uint64_t{i} + k, k + 1);
    }
  }
  // Nothing matches unless the target is finite and not zero and the tolerance positive:
  // |error| < tolerance then fails for every total (NaN, infinite or whatever).
  const bool canMatch = tolerance > 0.0 && std::isfinite(target) && target != 0.0;
  for (std::uint32_t k = 0; k < 2; ++k) {
    const bool parallel = k == 0;
    if (!(parallel ? m_parallel : m_series) || !canMatch) continue;
    m_modes[k].Prepare(parallel, values, m_n, target, tolerance);
  }
}

bool FastTargetPlan::BucketPrefixes(const std::atomic<bool>& abortRequested) {
  for (TargetModePlan& mode : m_modes) {
    if (!mode.Searched() || m_prefixLength == 0) continue;
    if (!mode.BucketPrefixes(m_n, m_prefixLength, m_colex[1], abortRequested)) return false;
  }
  return true;
}

}  // namespace ordavin::fast_target
