#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <thread>
#include <utility>
#include <vector>

#include "divider/DividerArithmetic.h"
#include "divider/StraightforwardDividerEngine.h"
#include "support/ValueFixtures.h"

namespace ordavin {
namespace {

using ::ordavin::testing::SetValues;
using Digits = std::pair<std::vector<std::int32_t>, std::vector<std::int32_t>>;

Digits DigitsOf(const DividerMatch& m, std::uint32_t u, std::uint32_t l) {
  const auto upper = m.UpperDigits(u);
  const auto lower = m.LowerDigits(u, l);
  return {{upper.begin(), upper.end()}, {lower.begin(), lower.end()}};
}

class StraightforwardDividerEngineTest : public ::testing::Test {
 protected:
  DividerParameters Open(std::uint32_t u, std::uint32_t l, double target, double tolerance) {
    DividerParameters p;
    p.upperCount = u;
    p.lowerCount = l;
    p.targetFactor = target;
    p.tolerance = tolerance;
    return p;
  }
  std::uint64_t Run(const DividerParameters& p) {
    engine.SetParameters(p);
    return engine.Optimize(abort);
  }

  ValueSet set;
  StraightforwardDividerEngine engine{set};
  std::atomic<bool> abort{false};
};

TEST(DividerArithmeticTest, WorkedExample) {
  const double values[] = {1000, 2200, 10000};
  const std::int32_t upper[] = {2, 2};
  const std::int32_t lower[] = {0, 1};
  DividerParameters p;
  p.targetFactor = 0.39;
  const NetworkTotal u = EvaluateNetwork(values, upper, 2, NetworkMode::Parallel);
  const NetworkTotal l = EvaluateNetwork(values, lower, 2, NetworkMode::Series);
  DividerEvaluation e = EvaluateDivider(u, l, p);
  EXPECT_EQ(e.ruTotal, 5000.0);
  EXPECT_EQ(e.rlTotal, 3200.0);
  EXPECT_EQ(e.rserTotal, 8200.0);
  EXPECT_NEAR(e.rparTotal, 1951.2195121951, 1e-9);
  EXPECT_NEAR(e.divisionFactor, 0.390243902439, 1e-12);
  EXPECT_NEAR(e.error, 6.2539e-4, 1e-8);

  p.sourceResistance = 50;
  p.loadConductance = 0.0001;
  e = EvaluateDivider(u, l, p);
  EXPECT_NEAR(e.divisionFactor, 0.3243462, 1e-7);
  EXPECT_NEAR(e.error, -0.16834, 1e-5);
  // The windows see the bare networks, not the source and load.
  EXPECT_EQ(e.rserTotal, 8200.0);
}

TEST(DividerEnumerationTest, VisitsMultisetsInOdometerOrder) {
  std::vector<std::int32_t> indices;
  StraightforwardDividerEngine::ResetIndices(indices, 2, 1, 3);
  std::vector<std::vector<std::int32_t>> seen;
  do {
    seen.push_back({indices[0], indices[1], indices[4]});
  } while (StraightforwardDividerEngine::NextCombination(indices, 2, 1));
  const std::vector<std::vector<std::int32_t>> expected{
      {0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {0, 2, 0}, {1, 2, 0}, {2, 2, 0},
      {0, 0, 1}, {0, 1, 1}, {1, 1, 1}, {0, 2, 1}, {1, 2, 1}, {2, 2, 1},
      {0, 0, 2}, {0, 1, 2}, {1, 1, 2}, {0, 2, 2}, {1, 2, 2}, {2, 2, 2}};
  EXPECT_EQ(seen, expected);
  // The sentinels survive the whole enumeration.
  EXPECT_EQ(indices, (std::vector<std::int32_t>{0, 0, 2, 0, 0, 2, 0}));
}

TEST_F(StraightforwardDividerEngineTest, TwoValuesOneEachVisitsFourInOrder) {
  SetValues(set, {1000, 1000});
  DividerParameters p = Open(1, 1, 0.5, 0);
  p.maxResults = 4;
  EXPECT_EQ(Run(p), 4u);
  EXPECT_EQ(engine.VisitedCount(), 4u);
  // Equal errors: the later visit ranks first, so the order is the visit order reversed.
  const auto kept = engine.KeptMatches();
  ASSERT_EQ(kept.size(), 4u);
  EXPECT_EQ(DigitsOf(kept[0], 1, 1), (Digits{{1}, {1}}));
  EXPECT_EQ(DigitsOf(kept[1], 1, 1), (Digits{{0}, {1}}));
  EXPECT_EQ(DigitsOf(kept[2], 1, 1), (Digits{{1}, {0}}));
  EXPECT_EQ(DigitsOf(kept[3], 1, 1), (Digits{{0}, {0}}));
  EXPECT_EQ(kept[0].error, 0.0);
}

TEST_F(StraightforwardDividerEngineTest, CountsEveryCombination) {
  SetValues(set, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  Run(Open(2, 2, 0.5, 0.01));
  EXPECT_EQ(engine.VisitedCount(), 6084u);
  SetValues(set, {1, 2, 3, 4, 5});
  Run(Open(4, 3, 0.5, 0.01));
  EXPECT_EQ(engine.VisitedCount(), 70u * 35u);
}

TEST_F(StraightforwardDividerEngineTest, WorkedExampleIsTheBestMatch) {
  SetValues(set, {1000, 2200, 10000});
  DividerParameters p = Open(2, 2, 0.39, 0.001);
  p.upperMode = NetworkMode::Parallel;
  p.lowerMode = NetworkMode::Series;
  Run(p);
  ASSERT_GE(engine.KeptMatches().size(), 1u);
  const DividerMatch& best = engine.KeptMatches()[0];
  EXPECT_EQ(DigitsOf(best, 2, 2), (Digits{{2, 2}, {0, 1}}));
  EXPECT_EQ(best.ruTotal, 5000.0);
  EXPECT_EQ(best.upperMode, NetworkMode::Parallel);
  EXPECT_EQ(best.lowerMode, NetworkMode::Series);
  EXPECT_EQ(best.indices, (std::vector<std::int32_t>{2, 2, 2, 0, 0, 1, 2, 0}));
}

TEST_F(StraightforwardDividerEngineTest, BoundsAreInclusive) {
  SetValues(set, {1000, 3000});
  // Upper 3000 over lower 1000: the only combination near the target of 0.2.
  DividerParameters p = Open(1, 1, 0.2, 0);
  const double values[] = {1000, 3000};
  const std::int32_t upper[] = {1};
  const std::int32_t lower[] = {0};
  const DividerEvaluation e = EvaluateDivider(EvaluateNetwork(values, upper, 1, p.upperMode),
                                              EvaluateNetwork(values, lower, 1, p.lowerMode), p);
  p.tolerance = std::fabs(e.error);
  p.seriesMin = p.seriesMax = e.rserTotal;
  p.parallelMin = p.parallelMax = e.rparTotal;
  EXPECT_EQ(Run(p), 1u);
  EXPECT_EQ(DigitsOf(engine.KeptMatches()[0], 1, 1), (Digits{{1}, {0}}));
  EXPECT_EQ(engine.KeptMatches()[0].error, e.error);

  DividerParameters narrower = p;
  narrower.tolerance = std::nextafter(p.tolerance, 0.0);
  EXPECT_EQ(Run(narrower), 0u);
  narrower = p;
  narrower.seriesMax = std::nextafter(p.seriesMax, 0.0);
  EXPECT_EQ(Run(narrower), 0u);
  narrower = p;
  narrower.parallelMin = std::nextafter(p.parallelMin, 1e300);
  EXPECT_EQ(Run(narrower), 0u);
}

TEST_F(StraightforwardDividerEngineTest, KeepsTheBestAndCountsTheRest) {
  SetValues(set, {100, 220, 470, 1000, 2200, 4700});
  DividerParameters p = Open(1, 1, 0.3, 5);
  p.maxResults = 3;
  EXPECT_EQ(Run(p), 36u);
  ASSERT_EQ(engine.KeptMatches().size(), 3u);
  const auto kept = engine.KeptMatches();
  EXPECT_LE(std::fabs(kept[0].error), std::fabs(kept[1].error));
  EXPECT_LE(std::fabs(kept[1].error), std::fabs(kept[2].error));
  // Nothing outside the kept three is closer. (The larger run reallocates the array that
  // `kept` views, so the error is copied first.)
  const double third = kept[2].error;
  p.maxResults = 36;
  Run(p);
  EXPECT_EQ(engine.KeptMatches()[2].error, third);
}

TEST_F(StraightforwardDividerEngineTest, FewerMatchesLeavePlaceholders) {
  SetValues(set, {1000, 3000});
  DividerParameters p = Open(1, 1, 0.25, 0);
  p.maxResults = 5;
  EXPECT_EQ(Run(p), 1u);
  EXPECT_EQ(engine.KeptMatches().size(), 1u);
  const auto slots = engine.BestMatchSlots();
  ASSERT_EQ(slots.size(), 5u);
  for (std::size_t j = 1; j < 5; ++j) EXPECT_EQ(slots[j].error, 1.0);
}

TEST_F(StraightforwardDividerEngineTest, BestMatchArrayGrowsButNeverShrinks) {
  SetValues(set, {1000, 3000, 2000});
  DividerParameters p = Open(1, 1, 0.4, 5);
  p.maxResults = 8;
  Run(p);
  p.maxResults = 2;
  EXPECT_EQ(Run(p), 9u);
  EXPECT_EQ(engine.BestMatchSlots().size(), 8u);
  EXPECT_EQ(engine.KeptMatches().size(), 2u);
}

TEST_F(StraightforwardDividerEngineTest, WindowsRejectOnTheirTotals) {
  SetValues(set, {1000, 2000, 4000});
  DividerParameters p = Open(1, 1, 0.5, 5);
  p.maxResults = 20;
  p.seriesMin = 3000;
  p.seriesMax = 5000;
  Run(p);
  for (const DividerMatch& m : engine.KeptMatches()) {
    EXPECT_GE(m.rserTotal, 3000);
    EXPECT_LE(m.rserTotal, 5000);
  }
  EXPECT_EQ(engine.MatchingCount(), 5u);  // series totals 3000 twice, 4000, 5000 twice
}

TEST_F(StraightforwardDividerEngineTest, ZeroValuesFollowIeeeArithmetic) {
  SetValues(set, {0, 1000});
  DividerParameters p = Open(2, 2, 0.5, 5);
  p.maxResults = 20;
  Run(p);
  EXPECT_EQ(engine.VisitedCount(), 9u);
  for (const DividerMatch& m : engine.KeptMatches()) EXPECT_FALSE(std::isnan(m.error));
}

TEST_F(StraightforwardDividerEngineTest, HostileValuesFollowIeeeArithmeticAndEndOnTime) {
  // Negative, zero, subnormal, huge and infinite values reach the engine from a series file
  // whose bounds are infinite.
  const double inf = std::numeric_limits<double>::infinity();
  SetValues(set, {-1000, 0, 1000, inf, 4.9e-324, 1e308});
  for (const NetworkMode upper : {NetworkMode::Parallel, NetworkMode::Series}) {
    for (const NetworkMode lower : {NetworkMode::Parallel, NetworkMode::Series}) {
      for (const double window : {1e300, inf}) {
        DividerParameters p = Open(2, 2, 0.5, 5);
        p.upperMode = upper;
        p.lowerMode = lower;
        p.seriesMin = p.parallelMin = -window;
        p.seriesMax = p.parallelMax = window;
        p.maxResults = 1000;
        Run(p);
        EXPECT_EQ(engine.VisitedCount(), 21u * 21u);
        EXPECT_LE(engine.MatchingCount(), engine.VisitedCount());
        double previous = 0;
        for (const DividerMatch& m : engine.KeptMatches()) {
          ASSERT_TRUE(PassesDividerFilters(m, p)) << m.error;
          EXPECT_GE(std::fabs(m.error), previous);
          previous = std::fabs(m.error);
        }
      }
    }
  }
}

TEST_F(StraightforwardDividerEngineTest, AbortBeforeTheFirstCombinationVisitsNothing) {
  SetValues(set, {1000, 2000});
  abort = true;
  EXPECT_EQ(Run(Open(1, 1, 0.5, 5)), 0u);
  EXPECT_EQ(engine.VisitedCount(), 0u);
  EXPECT_TRUE(engine.KeptMatches().empty());
}

TEST_F(StraightforwardDividerEngineTest, AbortDuringARunKeepsTheBestOfWhatWasVisited) {
  std::vector<double> values;
  for (int i = 1; i <= 60; ++i) values.push_back(i * 100.0);
  SetValues(set, values);
  DividerParameters p = Open(4, 4, 0.3, 0.5);
  std::thread watcher([this] {
    while (engine.VisitedCount() < 100000) std::this_thread::yield();
    abort = true;
  });
  Run(p);
  watcher.join();
  const std::uint64_t total = 595665ull * 595665ull;
  EXPECT_GE(engine.VisitedCount(), 100000u);
  EXPECT_LT(engine.VisitedCount(), total);
  EXPECT_LE(engine.MatchingCount(), engine.VisitedCount());
  const auto kept = engine.KeptMatches();
  for (std::size_t j = 1; j < kept.size(); ++j) {
    EXPECT_LE(std::fabs(kept[j - 1].error), std::fabs(kept[j].error));
  }
}

TEST_F(StraightforwardDividerEngineTest, RefusesFewerThanTwoValues) {
  SetValues(set, {1000});
  engine.SetParameters(Open(1, 1, 0.5, 1));
  EXPECT_THROW(engine.Optimize(abort), std::invalid_argument);
}

}  // namespace
}  // namespace ordavin
