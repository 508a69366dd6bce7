#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "divider/DividerParameters.h"
#include "divider/fast/Plan.h"
#include "divider/fast/SideSource.h"
#include "divider/fast/SortedSide.h"
#include "divider/fast/Sweeper.h"
#include "search/BucketSort.h"

namespace ordavin::fast_divider {

// Every lower network against one sorted slab of the upper side. The lower networks are
// taken in chunks of ranks, shared out among the workers, each chunk sorted like the upper
// side so that consecutive searches stay close together.
class LowerSweep {
 public:
  // With `record`, each sweeper notes the lower ranks it swept.
  LowerSweep(const DividerParameters& p, const Plan& plan, std::atomic<std::uint64_t>& visited,
             bool record);

  // Each lower network swept adds `weight` to the visited count. False when aborted.
  bool Run(std::vector<Sweeper>& sweepers, const SortedSide& uppers, std::uint64_t weight,
           const std::atomic<bool>& abortRequested) const;

 private:
  // The chunk's lower networks, sorted like the upper side, into keys and ranks.
  void SortChunk(std::uint64_t chunk, std::vector<std::uint64_t>& keys,
                 std::vector<std::uint64_t>& ranks, std::vector<KeyRank>& scratch,
                 std::vector<std::uint64_t>& counts) const;

  SideSource m_lower;
  std::uint64_t m_count;
  std::atomic<std::uint64_t>& m_visited;
  bool m_record;
};

}  // namespace ordavin::fast_divider
