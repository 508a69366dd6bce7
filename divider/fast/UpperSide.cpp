#include "divider/fast/UpperSide.h"

#include <algorithm>

#include "divider/fast/JobSizes.h"

namespace ordavin::fast_divider {
namespace {

// The counting pass's buckets: fine enough to cut the sorted side into slabs of any size and
// to balance the scatter's groups.
constexpr std::uint64_t kItemsPerBucket = 64;
constexpr std::uint64_t kMaxBuckets = std::uint64_t{1} << 16;

std::uint64_t BucketCount(std::uint64_t items) {
  return std::clamp<std::uint64_t>(items / kItemsPerBucket, 1, kMaxBuckets);
}

// Buckets over the keys a side can produce: from the multiset of all-smallest to the one of
// all-largest values, narrowed by the windows. Only the buckets' balance depends on this.
KeyBuckets BucketsFor(const SideSource& side, const DividerParameters& p, const Plan& plan) {
  const WindowTests& tests = plan.tests;
  const Reach& reach = plan.reach;
  double lowTotal = std::max(side.TotalOfRepeated(plan.smallest), reach.upperTotalMin);
  double highTotal = std::min(side.TotalOfRepeated(plan.largest), reach.upperTotalMax);
  if (tests.seriesMax) highTotal = std::min(highTotal, p.seriesMax * (1 + 1e-9));
  if (tests.parallelMin) lowTotal = std::max(lowTotal, p.parallelMin * (1 - 1e-9));
  if (!(lowTotal <= highTotal)) highTotal = lowTotal;
  const KeyKind kind = side.Form().kind;
  return KeyBuckets(KeyOfTotalEstimate(lowTotal, kind), KeyOfTotalEstimate(highTotal, kind),
                    BucketCount(side.Size()));
}

}  // namespace

UpperSide::UpperSide(const DividerParameters& p, const Plan& plan, unsigned workers)
    : m_source(plan.upperTerms, plan.upper, plan.upperForm, p, plan.tests, plan.reach, true,
               plan.ascending),
      m_buckets(BucketsFor(m_source, p, plan)),
      m_workers(workers),
      m_wideRanks(plan.upper.Count() > UINT32_MAX) {}

bool UpperSide::Count(const std::atomic<bool>& abortRequested) {
  const unsigned workers = m_source.Size() < kSmallJob ? 1 : m_workers;
  if (!CountBuckets(m_source, m_buckets, workers, abortRequested, m_histogram)) return false;
  m_kept = m_histogram.Sum();
  return true;
}

bool UpperSide::Sort(BucketRange slab, const std::atomic<bool>& abortRequested) {
  return m_sorted.Sort(m_source, m_buckets, m_histogram, slab, abortRequested) &&
         m_sorted.BuildIndex(m_workers, abortRequested);
}

}  // namespace ordavin::fast_divider
