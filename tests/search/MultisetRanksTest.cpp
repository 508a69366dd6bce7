#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "divider/StraightforwardDividerEngine.h"
#include "search/MultisetRanks.h"

namespace ordavin {
namespace {

// Ranks follow the straightforward engine's own visit order, read off its enumeration.
TEST(MultisetRanksTest, RanksAreTheStraightforwardEnginesVisitOrder) {
  // The straightforward engine needs two values at least.
  for (std::uint32_t n = 2; n <= 7; ++n) {
    for (std::uint32_t count = 1; count <= 5; ++count) {
      const MultisetRanks ranks(n, count);
      ASSERT_TRUE(ranks.Valid());
      std::vector<std::int32_t> indices;
      // The upper network alone: one lower digit that never moves past its first value.
      StraightforwardDividerEngine::ResetIndices(indices, count, 1, n);
      std::uint64_t rank = 0;
      std::vector<std::int32_t> digits(count);
      std::vector<std::int32_t> stepped(count, 0);
      do {
        ASSERT_LT(rank, ranks.Count()) << "n " << n << ", count " << count;
        ranks.Unrank(rank, digits.data());
        const std::vector<std::int32_t> visited(indices.begin(), indices.begin() + count);
        EXPECT_EQ(digits, visited) << "n " << n << ", count " << count << ", rank " << rank;
        EXPECT_EQ(ranks.Rank(visited.data()), rank);
        EXPECT_EQ(stepped, visited) << "stepping, n " << n << ", count " << count;
        const bool more =
            MultisetRanks::Next(stepped.data(), count, static_cast<std::int32_t>(n) - 1);
        EXPECT_EQ(more, rank + 1 < ranks.Count());
        ++rank;
        // Until the lower digit moves: the upper network has wrapped.
      } while (StraightforwardDividerEngine::NextCombination(indices, count, 1) &&
               indices[count + 2] == 0);
      EXPECT_EQ(rank, ranks.Count()) << "n " << n << ", count " << count;
    }
  }
}

TEST(MultisetRanksTest, BinomialsAreExactUpToTheLimitAndSaturateBeyond) {
  EXPECT_EQ(MultisetRanks::Binomial(5, 7), 0u);
  EXPECT_EQ(MultisetRanks::Binomial(0, 0), 1u);
  EXPECT_EQ(MultisetRanks::Binomial(172, 4), 35208615u);
  EXPECT_EQ(MultisetRanks::Binomial(675, 3), 51030225u);
  // C(67, 33) = 14226520737620288370 is the largest central one below 2^64.
  EXPECT_EQ(MultisetRanks::Binomial(67, 33), 14226520737620288370u);
  EXPECT_EQ(MultisetRanks::Binomial(68, 34), UINT64_MAX);
  EXPECT_EQ(MultisetRanks::Binomial(UINT64_MAX, 1), UINT64_MAX);
  EXPECT_EQ(MultisetRanks::Binomial(1u << 31, 3), UINT64_MAX);
  EXPECT_EQ(MultisetRanks::Binomial(std::uint64_t{1} << 21, 3), 1537226473786572800u);
}

TEST(MultisetRanksTest, CountsPast64BitsOrOutOfRangeAreInvalid) {
  EXPECT_TRUE(MultisetRanks(1345, 4).Valid());
  EXPECT_EQ(MultisetRanks(1345, 4).Count(), 136966257905u);
  EXPECT_FALSE(MultisetRanks(0xFFFFFFFFu, 4).Valid());
  EXPECT_FALSE(MultisetRanks(0, 2).Valid());
  EXPECT_FALSE(MultisetRanks(5, 0).Valid());
  EXPECT_FALSE(MultisetRanks(5, MultisetRanks::kMaxCount + 1).Valid());
  EXPECT_TRUE(MultisetRanks(2, MultisetRanks::kMaxCount).Valid());
}

TEST(MultisetRanksTest, LargeRanksRoundTrip) {
  const MultisetRanks ranks(1345, 4);
  std::vector<std::int32_t> digits(4);
  for (const std::uint64_t rank : {std::uint64_t{0}, std::uint64_t{1}, std::uint64_t{123456789},
                                   ranks.Count() / 2, ranks.Count() - 1}) {
    ranks.Unrank(rank, digits.data());
    EXPECT_TRUE(std::is_sorted(digits.begin(), digits.end()));
    EXPECT_LE(digits.back(), 1344);
    EXPECT_EQ(ranks.Rank(digits.data()), rank);
  }
  ranks.Unrank(ranks.Count() - 1, digits.data());
  EXPECT_EQ(digits, (std::vector<std::int32_t>{1344, 1344, 1344, 1344}));
}

}  // namespace
}  // namespace ordavin
