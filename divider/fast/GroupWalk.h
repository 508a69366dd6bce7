#pragma once

#include <cstdint>

#include "search/MultisetRanks.h"

namespace ordavin::fast_divider {

// Walks a side's groups in rank order: the multisets that differ only in their first digit,
// which take consecutive ranks. Holds the digits of the group's first multiset (first digit
// 0) and tells its last first digit.
class GroupWalk {
 public:
  // From the group holding `rank`, a group's first rank.
  GroupWalk(const MultisetRanks& ranks, std::int32_t last, std::uint64_t rank)
      : m_count(ranks.DigitCount()), m_last(last) {
    ranks.Unrank(rank, m_digits);
  }
  // From the group numbered `group` (groups counted in rank order).
  static GroupWalk AtGroup(const MultisetRanks& ranks, std::int32_t last, std::uint64_t group) {
    GroupWalk walk(ranks.DigitCount(), last);
    if (walk.m_count > 1) {
      MultisetRanks(static_cast<std::uint32_t>(last) + 1, walk.m_count - 1)
          .Unrank(group, walk.m_digits + 1);
    }
    return walk;
  }

  std::int32_t* Digits() { return m_digits; }
  std::int32_t Top() const { return m_count > 1 ? m_digits[1] : m_last; }
  // The group's number of multisets.
  std::uint64_t Size() const { return static_cast<std::uint64_t>(Top()) + 1; }
  void Next() {
    m_digits[0] = Top();
    MultisetRanks::Next(m_digits, m_count, m_last);
  }

 private:
  GroupWalk(std::uint32_t count, std::int32_t last) : m_count(count), m_last(last) {}

  std::uint32_t m_count;
  std::int32_t m_last;
  std::int32_t m_digits[MultisetRanks::kMaxCount] = {};
};

}  // namespace ordavin::fast_divider
