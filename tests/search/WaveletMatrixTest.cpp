#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "search/WaveletMatrix.h"
#include "support/MersenneRng.h"

namespace ordavin {
namespace {

using ::ordavin::testing::MersenneRng;

std::size_t CountAtLeast(const std::vector<std::uint32_t>& numbers, std::size_t begin,
                         std::size_t end, std::uint32_t x) {
  std::size_t count = 0;
  for (std::size_t i = begin; i < end; ++i) count += numbers[i] >= x ? 1U : 0U;
  return count;
}

// Against counting one by one: lengths around the 64-bit words, small and full-width
// numbers, every range of the short ones, thresholds past the largest number.
TEST(WaveletMatrix, CountsAgreeWithCountingOneByOne) {
  for (const std::size_t length : {0u, 1u, 2u, 63u, 64u, 65u, 130u, 1000u}) {
    for (const std::uint32_t largest : {0u, 1u, 7u, 1000u, 0xFFFFFFFFu}) {
      MersenneRng rng(static_cast<std::uint32_t>(length * 31 + largest % 97));
      std::vector<std::uint32_t> numbers(length);
      for (auto& x : numbers)
        x = largest == 0xFFFFFFFFu ? rng.Below(0xFFFFFFFFu) : rng.Below(largest + 1);
      const WaveletMatrix matrix(numbers);
      ASSERT_EQ(matrix.Size(), length);
      for (int q = 0; q < 300; ++q) {
        std::size_t begin = length == 0 ? 0 : rng.Below(static_cast<std::uint32_t>(length + 1));
        std::size_t end = length == 0 ? 0 : rng.Below(static_cast<std::uint32_t>(length + 1));
        if (begin > end) std::swap(begin, end);
        const std::uint32_t x = q % 10 == 0   ? largest + (largest == 0xFFFFFFFFu ? 0 : 1)
                                : q % 10 == 1 ? 0
                                              : (largest == 0xFFFFFFFFu ? rng.Below(0xFFFFFFFFu)
                                                                        : rng.Below(largest + 2));
        ASSERT_EQ(matrix.CountAtLeast(begin, end, x), CountAtLeast(numbers, begin, end, x))
            << "length " << length << " [" << begin << ", " << end << ") x " << x;
      }
    }
  }
}

}  // namespace
}  // namespace ordavin
