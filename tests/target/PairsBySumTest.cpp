#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "support/MersenneRng.h"
#include "support/RandomValueSets.h"
#include "target/mixed/PairsBySum.h"

namespace ordavin {
namespace {

using ::ordavin::testing::MersenneRng;
using ::ordavin::testing::ScatteredValues;

// Every pair once, sums in order and folded as a connection folds its terms, counts from a
// first position as counting one by one gives: sets with repeated values, both kinds.
TEST(PairsBySum, HoldsEveryPairOnceInTheOrderOfItsSum) {
  for (std::uint32_t k = 0; k < 40; ++k) {
    MersenneRng rng(9001u + k);
    std::vector<double> values = ScatteredValues(rng, 1 + rng.Below(30));
    std::sort(values.begin(), values.end());
    for (const bool parallel : {false, true}) {
      const PairsBySum pairs(values, parallel);
      const std::size_t n = values.size();
      ASSERT_EQ(pairs.Size(), n * (n + 1) / 2);
      std::set<std::pair<std::uint32_t, std::uint32_t>> seen;
      for (std::size_t i = 0; i < pairs.Size(); ++i) {
        const std::uint32_t c = pairs.First(i);
        const std::uint32_t d = pairs.Second(i);
        ASSERT_LE(c, d);
        ASSERT_LT(d, n);
        EXPECT_TRUE(seen.insert({c, d}).second);
        const double sum = parallel ? 1.0 / values[c] + 1.0 / values[d] : values[c] + values[d];
        EXPECT_EQ(pairs.Sums()[i], sum);
        if (i > 0) {
          EXPECT_LE(pairs.Sums()[i - 1], pairs.Sums()[i]);
        }
      }
      for (int q = 0; q < 50; ++q) {
        std::size_t begin = rng.Below(static_cast<std::uint32_t>(pairs.Size() + 1));
        std::size_t end = rng.Below(static_cast<std::uint32_t>(pairs.Size() + 1));
        if (begin > end) std::swap(begin, end);
        const std::uint32_t first = rng.Below(static_cast<std::uint32_t>(n + 1));
        std::size_t expected = 0;
        for (std::size_t i = begin; i < end; ++i) expected += pairs.First(i) >= first ? 1U : 0U;
        EXPECT_EQ(pairs.CountFrom(begin, end, first), expected);
      }
    }
  }
}

}  // namespace
}  // namespace ordavin
