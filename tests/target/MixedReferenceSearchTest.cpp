#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <span>
#include <thread>
#include <vector>

#include "support/ValueFixtures.h"
#include "target/StraightforwardTargetEngine.h"
#include "target/TargetEngineFactory.h"
#include "target/TargetRowCheck.h"
#include "target/mixed/MixedArithmetic.h"
#include "target/mixed/MixedEnumerator.h"
#include "target/mixed/MixedNetworkCount.h"
#include "target/mixed/MixedRanking.h"

namespace ordavin {
namespace {

using ::ordavin::testing::SetValues;

class MixedReferenceSearchTest : public ::testing::Test {
 protected:
  std::uint64_t Run(double target, double tolerance, std::uint32_t count,
                    std::uint32_t maxResults = 10) {
    engine.SetParameters({target, tolerance, ConnectionMode::Mixed, maxResults, count});
    return engine.Optimize(abort);
  }

  ValueSet set;
  StraightforwardTargetEngine engine{set};
  std::atomic<bool> abort{false};
};

TEST_F(MixedReferenceSearchTest, WorkedExampleWithParentheses) {
  SetValues(set, {220, 470, 1000});
  // 1000 + (220 || 470) = 1000 + 149.855... ; nothing else of three lies within 0.1 %.
  EXPECT_EQ(Run(1150, 0.001, 3), 1u);
  EXPECT_EQ(engine.VisitedCount(), MixedNetworkCount(3, 3));
  ASSERT_EQ(engine.KeptMatches().size(), 1u);
  const TargetMatch& m = engine.KeptMatches()[0];
  EXPECT_EQ(m.network, (NetworkCode{-4, 2, -5, 0, 1}));
  EXPECT_EQ(m.indices, (std::vector<std::int32_t>{2, 0, 1, 2, 0}));
  EXPECT_FALSE(m.isParallel);
  EXPECT_EQ(m.total, 0.0 + (1.0 / (0.0 + 1.0 / 220.0 + 1.0 / 470.0)) + 1000.0);
  EXPECT_EQ(m.total, 1000.0 + 1.0 / (1.0 / 220.0 + 1.0 / 470.0));
  const CheckedResult checked = CheckedTargetRow(0, m, engine.Parameters(), set);
  EXPECT_EQ(Resistance(checked.network), m.total);
  ASSERT_EQ(checked.network.parts.size(), 2u);
  EXPECT_EQ(checked.network.parts[1].connection, Connection::Parallel);
}

TEST_F(MixedReferenceSearchTest, ExactTiesRankByDistinctPositionsThenCanonicalOrder) {
  SetValues(set, {100, 100, 200});
  // 200 exactly: 0+0, 1+1 (one position each) before 0+1; 2||2 = 100 does not match.
  EXPECT_EQ(Run(200, 1e-12, 2), 3u);
  const auto kept = engine.KeptMatches();
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(kept[0].network, (NetworkCode{-4, 0, 0}));
  EXPECT_EQ(kept[1].network, (NetworkCode{-4, 1, 1}));
  EXPECT_EQ(kept[2].network, (NetworkCode{-4, 0, 1}));
  // With room for two only, the third of the tie goes.
  EXPECT_EQ(Run(200, 1e-12, 2, 2), 3u);
  ASSERT_EQ(engine.KeptMatches().size(), 2u);
  EXPECT_EQ(engine.KeptMatches()[1].network, (NetworkCode{-4, 1, 1}));
}

TEST_F(MixedReferenceSearchTest, TwoResistorsMatchParallelAndSeries) {
  SetValues(set, {10, 22, 47, 100, 100});
  StraightforwardTargetEngine pure{set};
  for (const double tolerance : {0.0, 0.05, 0.5, 2.0}) {
    pure.SetParameters({60, tolerance, ConnectionMode::ParallelAndSeries, 100, 2});
    const std::uint64_t matching = pure.Optimize(abort);
    EXPECT_EQ(Run(60, tolerance, 2, 100), matching);
    EXPECT_EQ(engine.VisitedCount(), pure.VisitedCount());
    // The same rows, up to the order of ties.
    auto key = [](const TargetMatch& m) { return std::make_pair(m.network, m.total); };
    std::vector<std::pair<NetworkCode, double>> a;
    std::vector<std::pair<NetworkCode, double>> b;
    for (const TargetMatch& m : engine.KeptMatches()) a.push_back(key(m));
    for (const TargetMatch& m : pure.KeptMatches()) b.push_back(key(m));
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b) << tolerance;
  }
}

TEST_F(MixedReferenceSearchTest, RanksEveryNetworkAndToleranceIsStrict) {
  SetValues(set, {1.5, 2.2, 2.2, 3.3});
  for (std::uint32_t count = 1; count <= 5; ++count) {
    const std::uint64_t all = *MixedNetworkCount(4, count);
    EXPECT_EQ(Run(2.5, std::numeric_limits<double>::infinity(), count, 100000), all);
    const auto kept = engine.KeptMatches();
    ASSERT_EQ(kept.size(), all);
    EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end(), RanksBefore)) << count;
    for (std::size_t i = 1; i < kept.size(); ++i) {
      EXPECT_TRUE(RanksBefore(kept[i - 1], kept[i])) << count << ", row " << i;
    }
    // A row's error as the tolerance is not a match, just above it is.
    const double edge = std::fabs(kept[kept.size() / 2].error);
    const auto below = static_cast<std::uint64_t>(std::count_if(
        kept.begin(), kept.end(), [&](const TargetMatch& m) { return std::fabs(m.error) < edge; }));
    EXPECT_EQ(Run(2.5, edge, count, 3), below) << count;
    EXPECT_GT(Run(2.5, std::nextafter(edge, 10.0), count, 3), below) << count;
    EXPECT_EQ(engine.KeptMatches()[0].network, kept[0].network);
  }
}

TEST_F(MixedReferenceSearchTest, AbortDuringARunKeepsTheBestOfWhatWasVisited) {
  std::vector<double> values;
  for (int i = 1; i <= 40; ++i) values.push_back(i * 1.1);
  SetValues(set, values);
  engine.SetParameters({50, 10, ConnectionMode::Mixed, 5, 4});
  std::uint64_t matching = 0;
  std::thread run([&] { matching = engine.Optimize(abort); });
  while (engine.VisitedCount() < 10000) std::this_thread::yield();
  abort.store(true);
  run.join();
  const std::uint64_t visited = engine.VisitedCount();
  EXPECT_LT(visited, *MixedNetworkCount(40, 4));
  // Tolerance 10: every visited network matches.
  EXPECT_EQ(matching, visited);
  const auto kept = engine.KeptMatches();
  ASSERT_EQ(kept.size(), 5u);
  for (std::size_t i = 0; i < kept.size(); ++i) {
    EXPECT_EQ(kept[i].total, MixedTotal(set.WorkingValues().data(), kept[i].network)) << i;
    if (i > 0) {
      EXPECT_TRUE(RanksBefore(kept[i - 1], kept[i])) << i;
    }
  }
}

TEST_F(MixedReferenceSearchTest, TheFactorysEngineGivesTheEnumeratorsAnswerWithoutASlowPath) {
  SetValues(set, {1.5, 2.2, 2.2, 3.3, 10});
  const std::unique_ptr<TargetEngine> front = MakeTargetEngine(set);
  for (std::uint32_t count = 2; count <= 4; ++count) {
    const TargetParameters p{4.4, 0.05, ConnectionMode::Mixed, 7, count};
    front->SetParameters(p);
    EXPECT_EQ(front->Forecast().slowPath, SlowPath::None);
    EXPECT_EQ(front->Forecast().combinations, static_cast<double>(*MixedNetworkCount(5, count)));
    const std::uint64_t matching = front->Optimize(abort);
    EXPECT_EQ(front->SlowPathTaken(), SlowPath::None);
    EXPECT_EQ(matching, Run(4.4, 0.05, count, 7)) << count;
    EXPECT_EQ(front->VisitedCount(), engine.VisitedCount());
    const auto a = front->KeptMatches();
    const auto b = engine.KeptMatches();
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
      EXPECT_EQ(a[i].network, b[i].network) << count << ", row " << i;
      EXPECT_EQ(a[i].total, b[i].total) << count << ", row " << i;
    }
  }
}

TEST_F(MixedReferenceSearchTest, AbortBeforeTheStartAndTooManyResistors) {
  std::vector<double> values;
  for (int i = 1; i <= 30; ++i) values.push_back(i * 1.1);
  SetValues(set, values);
  abort.store(true);
  EXPECT_EQ(Run(50, 1, 4), 0u);
  EXPECT_EQ(engine.VisitedCount(), 0u);
  EXPECT_TRUE(engine.KeptMatches().empty());
  abort.store(false);
  EXPECT_THROW(Run(50, 1, 6), std::invalid_argument);
}

}  // namespace
}  // namespace ordavin
