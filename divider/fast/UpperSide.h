#pragma once

#include <atomic>
#include <cstdint>

#include "divider/DividerParameters.h"
#include "divider/fast/Plan.h"
#include "divider/fast/SideSource.h"
#include "divider/fast/SortedSide.h"
#include "search/BucketSort.h"

namespace ordavin::fast_divider {

// The upper multisets on their way to the sweep: counted into buckets over their keys once,
// then sorted and indexed one slab of buckets at a time.
class UpperSide {
 public:
  UpperSide(const DividerParameters& p, const Plan& plan, unsigned workers);

  // Counts the kept multisets per bucket. False when aborted.
  bool Count(const std::atomic<bool>& abortRequested);
  // After Count().
  const BucketHistogram& Histogram() const { return m_histogram; }
  std::uint64_t Kept() const { return m_kept; }

  // Whether a rank needs 64 bits.
  bool WideRanks() const { return m_wideRanks; }
  // Room for `capacity` sorted entries, enough for the largest slab.
  void Allocate(std::uint64_t capacity) { m_sorted.Allocate(capacity, m_wideRanks); }
  // Sorts and indexes a slab's multisets. False when aborted.
  bool Sort(BucketRange slab, const std::atomic<bool>& abortRequested);
  const SortedSide& Sorted() const { return m_sorted; }

 private:
  SideSource m_source;
  KeyBuckets m_buckets;
  BucketHistogram m_histogram;
  SortedSide m_sorted;
  unsigned m_workers;
  bool m_wideRanks;
  std::uint64_t m_kept = 0;
};

}  // namespace ordavin::fast_divider
