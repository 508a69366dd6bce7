#pragma once

#include <cstdint>
#include <vector>

#include "divider/fast/SideSource.h"
#include "search/BucketSort.h"

namespace ordavin::fast_divider {

// One share of the lower networks, handed out in ascending key order a band at a time, so
// that the searches of consecutive networks land next to each other on the sorted upper side.
//
// The multisets that differ only in their first digit form a group of consecutive ranks. With
// the values in ascending order a group's keys grow with that digit, so each group is read
// from a cursor: a band takes, from every group, the items below its end, and is then sorted.
// The bands' widths follow the density of the keys.
class LowerShare {
 public:
  // The groups of ranks [first, end); both are group starts (see GroupStart).
  LowerShare(const SideSource& source, std::uint64_t first, std::uint64_t end,
             std::uint64_t bandItems);

  // The first rank of the group holding `rank`.
  static std::uint64_t GroupStart(const MultisetRanks& ranks, std::uint64_t rank);

  // The next band's kept items sorted by (key, rank); false once the share is used up.
  bool NextBand(std::vector<std::uint64_t>& keys, std::vector<std::uint64_t>& ranks,
                std::vector<KeyRank>& scratch, std::vector<std::uint64_t>& counts);

 private:
  // Takes every group's items with keys below `end` into keys and ranks; false, with the
  // cursors back where they were, when more than `limit` are kept.
  bool Take(std::uint64_t end, std::uint64_t limit, std::vector<std::uint64_t>& keys,
            std::vector<std::uint64_t>& ranks);

  const SideSource& m_source;
  std::uint64_t m_first;
  std::uint64_t m_left = 0;  // kept items not yet taken
  std::uint64_t m_bandItems;
  std::vector<std::int32_t> m_cursors;  // each group's next first digit
  std::vector<std::int32_t> m_ends;     // and the one after its last kept one
  std::vector<std::int32_t> m_saved;
  std::uint64_t m_next = 0;     // where the last band ended
  std::uint64_t m_pending = 0;  // the smallest key not yet taken
  std::uint64_t m_lastKey = 0;
  double m_width = 1.0;
};

}  // namespace ordavin::fast_divider
