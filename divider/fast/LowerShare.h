#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "divider/fast/KeptGroups.h"
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
  // The groups from `first` up to `end`, each read within its kept range.
  LowerShare(const SideSource& source, const KeptGroups& kept, KeptGroups::Share first,
             KeptGroups::Share end, std::uint64_t bandItems);

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
  std::span<const SideSource::DigitRange> m_kept;
  std::vector<std::int32_t> m_saved;
  std::uint64_t m_next = 0;     // where the last band ended
  std::uint64_t m_pending = 0;  // the smallest key not yet taken
  std::uint64_t m_lastKey = 0;
  double m_width = 1.0;
};

}  // namespace ordavin::fast_divider
