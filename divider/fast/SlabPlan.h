#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "search/BucketSort.h"

namespace ordavin::fast_divider {

// The memory the sweep needs, and the slabs the sorted upper side is cut into so that it
// stays within the memory limit.
class SlabPlan {
 public:
  // `memoryLimit` in bytes; 0: the default limit. `lowerBytes`: what the workers need to
  // walk the lower side besides their bands.
  SlabPlan(const BucketHistogram& histogram, unsigned workers, std::uint32_t maxResults,
           bool wideRanks, std::uint64_t lowerBytes, std::uint64_t memoryLimit);

  // Bytes the run needs with the upper side in one piece.
  std::uint64_t MemoryEstimate() const { return m_memoryEstimate; }
  // Empty when even in slabs the sorted side does not fit.
  std::span<const BucketRange> Slabs() const { return m_slabs; }
  // Entries of the largest slab.
  std::uint64_t LargestSlab() const;

 private:
  std::uint64_t m_memoryEstimate = 0;
  std::vector<BucketRange> m_slabs;
};

}  // namespace ordavin::fast_divider
