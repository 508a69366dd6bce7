#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "search/GallopingSearch.h"

namespace ordavin {
namespace {

// Every range, guess and turning point up to a small size, against a linear scan; the
// predicate must never be asked about an index outside the range.
TEST(GallopingSearchTest, AgreesWithALinearScanForEveryGuessAndTurningPoint) {
  for (std::uint64_t size = 0; size <= 40; ++size) {
    for (std::uint64_t lo = 0; lo <= size; ++lo) {
      for (std::uint64_t turn = lo; turn <= size + 1; ++turn) {
        for (std::uint64_t guess = 0; guess <= size + 2; ++guess) {
          bool outside = false;
          const auto pred = [&](std::uint64_t i) {
            if (i < lo || i >= size) outside = true;
            return i >= turn;
          };
          const std::uint64_t expected = std::min(turn, size);
          ASSERT_EQ(GallopFirstTrue(lo, size, guess, pred), expected)
              << "lo " << lo << " hi " << size << " turn " << turn << " guess " << guess;
          ASSERT_FALSE(outside) << "lo " << lo << " hi " << size << " guess " << guess;
        }
      }
    }
  }
}

TEST(GallopingSearchTest, EmptyRangesAndTheFarEndOfHugeOnes) {
  const auto never = [](std::uint64_t) { return false; };
  EXPECT_EQ(GallopFirstTrue(5, 5, 5, never), 5u);
  EXPECT_EQ(GallopFirstTrue(7, 3, 0, never), 3u);

  // Doubling steps must not wrap around near the top of the index type.
  constexpr std::uint64_t top = std::numeric_limits<std::uint64_t>::max();
  EXPECT_EQ(GallopFirstTrue(0, top, 0, never), top);
  const auto last = [](std::uint64_t i) { return i >= top - 1; };
  EXPECT_EQ(GallopFirstTrue(0, top, 0, last), top - 1);
  EXPECT_EQ(GallopFirstTrue(0, top, top, last), top - 1);
  const auto first = [](std::uint64_t) { return true; };
  EXPECT_EQ(GallopFirstTrue(0, top, top - 1, first), 0u);
}

}  // namespace
}  // namespace ordavin
