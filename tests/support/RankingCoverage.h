#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace ordavin::testing {

// Guards against a generator that drifts into easy cases: each group must meet every
// situation the ranking has to get right at least once.
struct RankingCoverage {
  int cases = 0;
  int truncated = 0;  // more matches than kept rows
  int tiedRows = 0;   // two kept rows of equal |error|
  int exactHits = 0;  // a kept row of error exactly 0
  int noMatch = 0;
  int partlyFilled = 0;  // some matches, fewer than maxResults
  int pinnedWindow = 0;  // matches inside a window whose bounds are equal

  // `o` is a brute-force outcome (matching, rows best first); errorOf reads a row's error.
  template <class Outcome, class ErrorOf>
  void Note(const Outcome& o, std::uint32_t maxResults, ErrorOf errorOf) {
    ++cases;
    if (o.matching > maxResults) ++truncated;
    if (o.matching == 0) ++noMatch;
    if (o.matching > 0 && o.matching < maxResults) ++partlyFilled;
    bool tie = false;
    bool hit = false;
    for (std::size_t i = 0; i < o.rows.size(); ++i) {
      const double e = errorOf(o.rows[i]);
      if (e == 0.0) hit = true;
      if (i > 0 && std::fabs(errorOf(o.rows[i - 1])) == std::fabs(e)) tie = true;
    }
    tiedRows += tie ? 1 : 0;
    exactHits += hit ? 1 : 0;
  }

  void Expect() const {
    ::testing::Test::RecordProperty("cases", cases);
    ::testing::Test::RecordProperty("truncated", truncated);
    ::testing::Test::RecordProperty("tiedRows", tiedRows);
    ::testing::Test::RecordProperty("exactHits", exactHits);
    ::testing::Test::RecordProperty("noMatch", noMatch);
    ::testing::Test::RecordProperty("partlyFilled", partlyFilled);
    EXPECT_GT(truncated, 0) << "no case had more matches than maxResults";
    EXPECT_GT(tiedRows, 0) << "no case kept two rows of equal |error|";
    EXPECT_GT(exactHits, 0) << "no case hit its target exactly";
    EXPECT_GT(noMatch, 0) << "no case without matches";
    EXPECT_GT(partlyFilled, 0) << "no case with fewer matches than maxResults";
  }

  // Only the divider has windows.
  void ExpectPinnedWindows() const {
    ::testing::Test::RecordProperty("pinnedWindow", pinnedWindow);
    EXPECT_GT(pinnedWindow, 0) << "no case matched inside a window of equal bounds";
  }
};

}  // namespace ordavin::testing
