#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "search/MultisetRanks.h"
#include "target/fast/TargetModePlan.h"

namespace ordavin::fast_target {

// The most resistors the fast search covers.
constexpr std::uint32_t kMaxCount = 5;

// How the multisets of one run are split and where their sums may match: a multiset's first
// PrefixLength() positions come from the sorted prefixes, then position m, then a fixed suffix
// of SuffixLength() later positions.
class FastTargetPlan {
 public:
  // Splits the multisets of count (1 to kMaxCount) of the n values; false when they, counted
  // once per evaluated connection, do not fit 64 bits.
  bool LayOut(std::uint32_t n, std::uint32_t count, bool parallel, bool series);
  // How many workers to run, out of those available; only after LayOut.
  void ChooseWorkers(unsigned available);
  // Bytes the run will take; only after ChooseWorkers.
  std::uint64_t MemoryEstimate() const;
  // The ranks' arithmetic and each connection's terms and matching sums.
  void Prepare(const double* values, double target, double tolerance);
  // Each searched connection's sorted prefixes; false when aborted.
  bool BucketPrefixes(const std::atomic<bool>& abortRequested);

  std::uint32_t ValueCount() const { return m_n; }
  std::uint32_t Count() const { return m_count; }
  std::uint32_t PrefixLength() const { return m_prefixLength; }
  std::uint32_t SuffixLength() const { return m_suffixLength; }
  // Per multiset.
  std::uint64_t Evaluations() const { return m_evaluations; }
  // A match's key is its rank doubled plus the series bit (both connections evaluated).
  bool DoubledKeys() const { return m_doubledKeys; }
  unsigned Workers() const { return m_workers; }
  const MultisetRanks& Ranks() const { return m_ranks; }
  // Colex(k)[i] = C(i + k, k + 1): what position k at i adds to a multiset's rank.
  const std::vector<std::uint64_t>& Colex(std::uint32_t k) const { return m_colex[k]; }
  // 0: parallel, 1: series.
  const TargetModePlan& Mode(std::uint32_t k) const { return m_modes[k]; }

  // Multisets of PrefixLength() positions, all at most m.
  std::uint64_t PrefixCount(std::uint32_t m) const {
    if (m_prefixLength == 0) return 1;
    if (m_prefixLength == 1) return m + 1u;
    return (std::uint64_t{m} + 1) * (std::uint64_t{m} + 2) / 2;
  }

 private:
  std::uint32_t m_n = 0;
  std::uint32_t m_count = 0;
  std::uint32_t m_prefixLength = 0;
  std::uint32_t m_suffixLength = 0;
  bool m_parallel = false;
  bool m_series = false;
  std::uint64_t m_evaluations = 0;
  bool m_doubledKeys = false;
  unsigned m_workers = 1;
  MultisetRanks m_ranks;
  std::vector<std::uint64_t> m_colex[kMaxCount];
  TargetModePlan m_modes[2];
};

}  // namespace ordavin::fast_target
