#include "divider/fast/SlabPlan.h"

#include <algorithm>

#include "divider/fast/JobSizes.h"
#include "divider/fast/SortedSide.h"
#include "search/MemoryBudget.h"
#include "search/RankedCandidate.h"

namespace ordavin::fast_divider {
namespace {

// Besides the sorted side: the histogram, the scatter's cursors and staging, each worker's
// room to sort a group and a chunk of lower networks, the best lists, the sorted side's index.
std::uint64_t FixedBytes(const BucketHistogram& histogram, unsigned workers,
                         std::uint32_t maxResults, std::uint64_t upperKept) {
  std::uint64_t fixed = SaturatingAdd(SaturatingMultiply(2, histogram.Bytes()),
                                      std::uint64_t{workers} * kScatterGroups * 256);
  fixed = SaturatingAdd(
      fixed, SaturatingMultiply(std::uint64_t{workers} * sizeof(KeyRank), LargestGroup(histogram)));
  // A band of lower networks may grow to twice its planned size before it is cut.
  const std::uint64_t lowerItems = std::max(kLowerRanksPerChunk, 2 * kLowerBandItems);
  fixed = SaturatingAdd(fixed, std::uint64_t{workers} * lowerItems *
                                   (2 * sizeof(std::uint64_t) + 2 * sizeof(KeyRank)));
  fixed = SaturatingAdd(
      fixed, SaturatingMultiply(std::uint64_t{workers} * 2 + 2,
                                SaturatingMultiply(maxResults, sizeof(RankedCandidate))));
  return SaturatingAdd(fixed, SortedSide::IndexBytes(upperKept));
}

}  // namespace

SlabPlan::SlabPlan(const BucketHistogram& histogram, unsigned workers, std::uint32_t maxResults,
                   bool wideRanks, std::uint64_t lowerBytes, std::uint64_t memoryLimit) {
  const std::uint64_t upperKept = histogram.Sum();
  const std::uint64_t entryBytes = SortedSide::BytesPerEntry(wideRanks);
  const std::uint64_t fixed =
      SaturatingAdd(FixedBytes(histogram, workers, maxResults, upperKept), lowerBytes);
  m_memoryEstimate = SaturatingAdd(fixed, SaturatingMultiply(upperKept, entryBytes));
  const std::uint64_t limit = memoryLimit != 0 ? memoryLimit : DefaultMemoryLimit();
  std::uint64_t room = upperKept;
  if (m_memoryEstimate > limit) room = limit > fixed ? (limit - fixed) / entryBytes : 0;
  m_slabs = PlanSlabs(histogram.Totals(), room);
}

std::uint64_t SlabPlan::LargestSlab() const {
  std::uint64_t largest = 0;
  for (const BucketRange& slab : m_slabs) largest = std::max(largest, slab.items);
  return largest;
}

}  // namespace ordavin::fast_divider
