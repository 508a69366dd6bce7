#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "divider/DividerParameters.h"
#include "divider/fast/KeptGroups.h"
#include "divider/fast/Plan.h"
#include "divider/fast/SideSource.h"
#include "divider/fast/SortedSide.h"
#include "divider/fast/Sweeper.h"
#include "search/BucketSort.h"

namespace ordavin::fast_divider {

// Every lower network against one sorted slab of the upper side, shared out among the
// workers. With the values in ascending order each worker takes a share of the lower
// networks in ascending key order (see LowerShare), and each search starts where the last
// one ended; otherwise the lower networks come in chunks of ranks, each chunk sorted like the
// upper side so that consecutive searches stay close together.
class LowerSweep {
 public:
  // With `record`, each sweeper notes the lower ranks it swept.
  LowerSweep(const DividerParameters& p, const Plan& plan, std::atomic<std::uint64_t>& visited,
             bool record, std::uint64_t bandItems);

  // Finds where the shares begin, when the lower side is taken in key order. False when
  // aborted.
  bool Prepare(unsigned workers, const std::atomic<bool>& abortRequested);

  // The bytes the groups' kept ranges and the workers' cursors take when the lower side is
  // taken in key order.
  static std::uint64_t CursorBytes(const Plan& plan, unsigned workers);

  // Each lower network swept adds `weight` to the visited count. False when aborted.
  bool Run(std::vector<Sweeper>& sweepers, const SortedSide& uppers, std::uint64_t weight,
           const std::atomic<bool>& abortRequested) const;

 private:
  // Hands every lower network of a share or a chunk to `visit` (false: stop); false when
  // stopped.
  template <class Visit>
  bool VisitShare(KeptGroups::Share first, KeptGroups::Share end, Sweeper& sweeper, Visit& visit,
                  std::vector<std::uint64_t>& keys, std::vector<std::uint64_t>& ranks,
                  std::vector<KeyRank>& scratch, std::vector<std::uint64_t>& counts) const;
  template <class Visit>
  bool VisitChunk(std::uint64_t chunk, Visit& visit, std::vector<std::uint64_t>& keys,
                  std::vector<std::uint64_t>& ranks, std::vector<KeyRank>& scratch,
                  std::vector<std::uint64_t>& counts) const;
  // The chunk's lower networks, sorted like the upper side, into keys and ranks.
  void SortChunk(std::uint64_t chunk, std::vector<std::uint64_t>& keys,
                 std::vector<std::uint64_t>& ranks, std::vector<KeyRank>& scratch,
                 std::vector<std::uint64_t>& counts) const;

  SideSource m_lower;
  KeptGroups m_kept;
  std::vector<KeptGroups::Share> m_shares;
  std::uint64_t m_count;
  bool m_ascending;
  std::uint64_t m_bandItems;
  std::atomic<std::uint64_t>& m_visited;
  bool m_record;
};

}  // namespace ordavin::fast_divider
