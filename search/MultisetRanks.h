#pragma once

#include <cstdint>

namespace ordavin {

// The multisets of `count` digits below n (non-decreasing digit tuples) in colexicographic
// order, first digit moving fastest: the order in which the straightforward engines visit
// them. A multiset's rank is its position in that order.
class MultisetRanks {
 public:
  static constexpr std::uint32_t kMaxCount = 16;

  MultisetRanks() : MultisetRanks(0, 0) {}
  MultisetRanks(std::uint32_t n, std::uint32_t count);

  // False when n or count is 0, count exceeds kMaxCount, or the number of multisets does not
  // fit 64 bits; nothing else may be used then.
  bool Valid() const { return m_valid; }
  std::uint64_t Count() const { return m_total; }
  std::uint32_t DigitCount() const { return m_count; }

  // The digits of the multiset of the given rank (below Count()).
  void Unrank(std::uint64_t rank, std::int32_t* digits) const;
  std::uint64_t Rank(const std::int32_t* digits) const;

  // Steps the digits to the next multiset in visit order; false, with every digit 0, after
  // the last one (all digits equal to `last`).
  static bool Next(std::int32_t* digits, std::uint32_t count, std::int32_t last) {
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::int32_t bound = i + 1 < count ? digits[i + 1] : last;
      if (digits[i] < bound) {
        ++digits[i];
        return true;
      }
      digits[i] = 0;
    }
    return false;
  }

  // C(m, k), or UINT64_MAX when it does not fit below that.
  static std::uint64_t Binomial(std::uint64_t m, std::uint32_t k);

 private:
  std::uint32_t m_n;
  std::uint32_t m_count;
  std::uint64_t m_total = 0;
  bool m_valid = false;
};

}  // namespace ordavin
