#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <thread>
#include <vector>

#include "support/ValueFixtures.h"
#include "target/StraightforwardTargetEngine.h"

namespace ordavin {
namespace {

using ::ordavin::testing::SetValues;
using Positions = std::vector<std::int32_t>;

Positions PositionsOf(const TargetMatch& m, std::uint32_t count) {
  const auto p = m.Positions(count);
  return {p.begin(), p.end()};
}

class StraightforwardTargetEngineTest : public ::testing::Test {
 protected:
  std::uint64_t Run(double target, double tolerance, std::uint32_t count, ConnectionMode mode,
                    std::uint32_t maxResults = 10) {
    engine.SetParameters({target, tolerance, mode, maxResults, count});
    return engine.Optimize(abort);
  }

  ValueSet set;
  StraightforwardTargetEngine engine{set};
  std::atomic<bool> abort{false};
};

TEST(TargetEnumerationTest, ColexicographicOrder) {
  std::vector<std::int32_t> p{0, 0, 2, 0};
  std::vector<Positions> seen;
  do {
    seen.push_back({p[0], p[1]});
  } while (StraightforwardTargetEngine::NextCombination(p, 2));
  EXPECT_EQ(seen, (std::vector<Positions>{{0, 0}, {0, 1}, {1, 1}, {0, 2}, {1, 2}, {2, 2}}));

  std::vector<std::int32_t> q{0, 0, 0, 1, 0};
  seen.clear();
  do {
    seen.push_back({q[0], q[1], q[2]});
  } while (StraightforwardTargetEngine::NextCombination(q, 3));
  EXPECT_EQ(seen, (std::vector<Positions>{{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {1, 1, 1}}));
}

TEST_F(StraightforwardTargetEngineTest, WorkedExample) {
  SetValues(set, {100, 220, 470});
  EXPECT_EQ(Run(150, 0.05, 2, ConnectionMode::ParallelAndSeries), 1u);
  EXPECT_EQ(engine.VisitedCount(), 12u);
  ASSERT_EQ(engine.KeptMatches().size(), 1u);
  const TargetMatch& m = engine.KeptMatches()[0];
  EXPECT_EQ(PositionsOf(m, 2), (Positions{1, 2}));
  EXPECT_TRUE(m.isParallel);
  EXPECT_EQ(m.total, 149.85507246376812);
  EXPECT_EQ(m.error, -0.0009661835748791722);
  EXPECT_EQ(m.indices, (std::vector<std::int32_t>{1, 2, 2, 0}));
}

TEST_F(StraightforwardTargetEngineTest, VisitedCountsPerConnection) {
  std::vector<double> values;
  for (int i = 1; i <= 24; ++i) values.push_back(i);
  SetValues(set, values);
  const std::uint64_t multisets[] = {300, 2600, 17550, 98280};
  for (std::uint32_t n = 2; n <= 5; ++n) {
    Run(10, 0.01, n, ConnectionMode::ParallelOnly);
    EXPECT_EQ(engine.VisitedCount(), multisets[n - 2]);
    Run(10, 0.01, n, ConnectionMode::SeriesOnly);
    EXPECT_EQ(engine.VisitedCount(), multisets[n - 2]);
    Run(10, 0.01, n, ConnectionMode::ParallelAndSeries);
    EXPECT_EQ(engine.VisitedCount(), 2 * multisets[n - 2]);
  }
}

TEST_F(StraightforwardTargetEngineTest, ToleranceIsStrict) {
  SetValues(set, {100, 200});
  // Series 100+200 = 300, exactly 50 % above 200.
  EXPECT_EQ(Run(200, 0.5, 2, ConnectionMode::SeriesOnly), 1u);  // 100+100 only
  EXPECT_EQ(Run(200, std::nextafter(0.5, 1.0), 2, ConnectionMode::SeriesOnly), 2u);
  EXPECT_EQ(Run(200, 0, 2, ConnectionMode::SeriesOnly), 0u);
  EXPECT_EQ(engine.VisitedCount(), 3u);
}

TEST_F(StraightforwardTargetEngineTest, ParallelBeforeSeriesAndLaterFirstOnTies) {
  // 200||200 and 50+50 are both exactly 100; 200 stands twice in the set.
  SetValues(set, {200, 200, 50});
  engine.SetParameters({100, 0.01, ConnectionMode::ParallelAndSeries, 10, 2});
  EXPECT_EQ(engine.Optimize(abort), 4u);
  // Visits: (0,0) P=100 S, (0,1) P=100 S, (1,1) P=100 S, (0,2), (1,2), (2,2) P, S=100.
  const auto kept = engine.KeptMatches();
  ASSERT_EQ(kept.size(), 4u);
  EXPECT_EQ(PositionsOf(kept[0], 2), (Positions{2, 2}));
  EXPECT_FALSE(kept[0].isParallel);
  EXPECT_EQ(PositionsOf(kept[1], 2), (Positions{1, 1}));
  EXPECT_EQ(PositionsOf(kept[2], 2), (Positions{0, 1}));
  EXPECT_EQ(PositionsOf(kept[3], 2), (Positions{0, 0}));
  EXPECT_TRUE(kept[3].isParallel);
}

TEST_F(StraightforwardTargetEngineTest, TieWithTheLastKeptSlotReplacesIt) {
  SetValues(set, {100, 100, 100});
  // Every multiset of two gives exactly 50 in parallel.
  EXPECT_EQ(Run(50, 0.01, 2, ConnectionMode::ParallelOnly, 2), 6u);
  const auto kept = engine.KeptMatches();
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(PositionsOf(kept[0], 2), (Positions{2, 2}));
  EXPECT_EQ(PositionsOf(kept[1], 2), (Positions{1, 2}));
}

TEST_F(StraightforwardTargetEngineTest, OneValueIsVisitedOnce) {
  SetValues(set, {1000});
  EXPECT_EQ(Run(500, 0.01, 2, ConnectionMode::ParallelOnly), 1u);
  EXPECT_EQ(engine.VisitedCount(), 1u);
  EXPECT_EQ(PositionsOf(engine.KeptMatches()[0], 2), (Positions{0, 0}));
}

TEST_F(StraightforwardTargetEngineTest, NoValuesVisitsNothing) {
  SetValues(set, {});
  EXPECT_EQ(Run(500, 0.01, 3, ConnectionMode::ParallelAndSeries), 0u);
  EXPECT_EQ(engine.VisitedCount(), 0u);
}

TEST_F(StraightforwardTargetEngineTest, TargetZeroMatchesNothingButVisitsAll) {
  SetValues(set, {0, 100, 220});
  EXPECT_EQ(Run(0, 10, 3, ConnectionMode::ParallelAndSeries), 0u);
  EXPECT_EQ(engine.VisitedCount(), 20u);
  EXPECT_TRUE(engine.KeptMatches().empty());
}

TEST_F(StraightforwardTargetEngineTest, HostileValuesFollowIeeeArithmeticAndEndOnTime) {
  const double inf = std::numeric_limits<double>::infinity();
  SetValues(set, {-1000, 0, 1000, inf, 4.9e-324, 1e308});
  for (const double target : {1000.0, -1000.0, 0.0, 1e308}) {
    Run(target, 10, 3, ConnectionMode::ParallelAndSeries, 1000);
    EXPECT_EQ(engine.VisitedCount(), 56u * 2u) << target;
    EXPECT_LE(engine.MatchingCount(), engine.VisitedCount());
    double previous = 0;
    for (const TargetMatch& m : engine.KeptMatches()) {
      ASSERT_LT(std::fabs(m.error), 10.0) << target;
      EXPECT_GE(std::fabs(m.error), previous);
      previous = std::fabs(m.error);
    }
  }
}

TEST_F(StraightforwardTargetEngineTest, PlaceholdersAndGrowOnlyArray) {
  SetValues(set, {100, 220, 470});
  Run(150, 0.05, 2, ConnectionMode::ParallelAndSeries, 6);
  const auto slots = engine.BestMatchSlots();
  ASSERT_EQ(slots.size(), 6u);
  for (std::size_t j = 1; j < 6; ++j) EXPECT_EQ(slots[j].error, 1.05);
  Run(150, 0.05, 2, ConnectionMode::ParallelAndSeries, 1);
  EXPECT_EQ(engine.BestMatchSlots().size(), 6u);
  EXPECT_EQ(engine.KeptMatches().size(), 1u);
}

TEST_F(StraightforwardTargetEngineTest, MoreMatchesThanKept) {
  std::vector<double> values;
  for (int i = 1; i <= 30; ++i) values.push_back(i * 10.0);
  SetValues(set, values);
  const std::uint64_t matching = Run(150, 0.2, 3, ConnectionMode::ParallelAndSeries, 4);
  EXPECT_GT(matching, 4u);
  const auto kept = engine.KeptMatches();
  ASSERT_EQ(kept.size(), 4u);
  for (std::size_t j = 1; j < kept.size(); ++j) {
    EXPECT_LE(std::fabs(kept[j - 1].error), std::fabs(kept[j].error));
  }
}

TEST_F(StraightforwardTargetEngineTest, AbortStopsBeforeTheNextMultiset) {
  std::vector<double> values;
  for (int i = 1; i <= 200; ++i) values.push_back(i);
  SetValues(set, values);
  engine.SetParameters({100, 0.1, ConnectionMode::ParallelAndSeries, 10, 5});
  std::thread watcher([this] {
    while (engine.VisitedCount() < 50000) std::this_thread::yield();
    abort = true;
  });
  engine.Optimize(abort);
  watcher.join();
  EXPECT_GE(engine.VisitedCount(), 50000u);
  EXPECT_LT(engine.VisitedCount(), 2 * 2802350040ull);
  // Both evaluations of a multiset are made together.
  EXPECT_EQ(engine.VisitedCount() % 2, 0u);
}

}  // namespace
}  // namespace ordavin
