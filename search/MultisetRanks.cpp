#include "search/MultisetRanks.h"

#include <numeric>

namespace ordavin {

std::uint64_t MultisetRanks::Binomial(std::uint64_t m, std::uint32_t k) {
  if (k > m) return 0;
  if (k > m - k) k = static_cast<std::uint32_t>(m - k);
  std::uint64_t result = 1;
  for (std::uint64_t i = 1; i <= k; ++i) {
    // result * (m - k + i) is divisible by i; dividing first keeps the product small.
    const std::uint64_t factor = m - k + i;
    const std::uint64_t g = std::gcd(result, i);
    const std::uint64_t rest = i / g;
    std::uint64_t product = 0;
    if (__builtin_mul_overflow(result / g, factor / rest, &product)) return UINT64_MAX;
    result = product;
  }
  return result;
}

MultisetRanks::MultisetRanks(std::uint32_t n, std::uint32_t count) : m_n(n), m_count(count) {
  if (n == 0 || count == 0 || count > kMaxCount) return;
  m_total = Binomial(std::uint64_t{n} + count - 1, count);
  m_valid = m_total != UINT64_MAX;
}

std::uint64_t MultisetRanks::Rank(const std::int32_t* digits) const {
  std::uint64_t rank = 0;
  for (std::uint32_t i = 0; i < m_count; ++i) {
    rank += Binomial(static_cast<std::uint64_t>(digits[i]) + i, i + 1);
  }
  return rank;
}

void MultisetRanks::Unrank(std::uint64_t rank, std::int32_t* digits) const {
  // Combinatorial number system on c_i = d_i + i, from the last digit down.
  for (std::uint32_t i = m_count; i-- > 0;) {
    std::uint64_t lo = i;  // C(i, i + 1) = 0 never exceeds the rest
    std::uint64_t hi = std::uint64_t{m_n} - 1 + i;
    while (lo < hi) {
      const std::uint64_t mid = lo + (hi - lo + 1) / 2;
      if (Binomial(mid, i + 1) <= rank) {
        lo = mid;
      } else {
        hi = mid - 1;
      }
    }
    rank -= Binomial(lo, i + 1);
    digits[i] = static_cast<std::int32_t>(lo - i);
  }
}

}  // namespace ordavin
