// The fast target engine at the edges: what its method does not cover goes to the
// straightforward engine, with its very result; degenerate inputs agree with it.
#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "search/MultisetRanks.h"
#include "support/EngineModes.h"
#include "support/FastTargetAgreement.h"
#include "support/MersenneRng.h"
#include "support/RandomValueSets.h"
#include "support/ValueFixtures.h"
#include "target/ConnectionMode.h"
#include "target/FastTargetEngine.h"
#include "target/StraightforwardTargetEngine.h"
#include "target/TargetParameters.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

using ::ordavin::testing::kConnectionModes;
using ::ordavin::testing::MersenneRng;
using ::ordavin::testing::RunBoth;
using ::ordavin::testing::SameResult;
using ::ordavin::testing::ScatteredValues;
using ::ordavin::testing::SetValues;
using ::ordavin::testing::TargetComparison;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// What the fast method does not cover goes to the reference, with its very result.
TEST(FastTargetFallback, BadValuesAndOddSearchesGiveTheReferenceResult) {
  const std::vector<std::vector<double>> badSets = {
      {100, 0, 220}, {100, -47, 220}, {kInf, 100, 220}, {100, kNaN, 220}, {-0.0, 10}};
  for (const auto& values : badSets) {
    ValueSet set;
    SetValues(set, values);
    for (const ConnectionMode mode : kConnectionModes) {
      const TargetComparison outcome = RunBoth(set, {150, 0.5, mode, 5, 3});
      EXPECT_TRUE(outcome.fallback);
    }
  }
  ValueSet set;
  SetValues(set, {100, 150, 220, 330, 470});
  EXPECT_TRUE(RunBoth(set, {150, 0.5, ConnectionMode::ParallelAndSeries, 5, 6}).fallback);
  EXPECT_FALSE(RunBoth(set, {150, 0.5, ConnectionMode::ParallelAndSeries, 5, 5}).fallback);
}

TEST(FastTargetFallback, MemoryOverTheLimitGoesToTheReference) {
  ValueSet set;
  MersenneRng rng(5);
  SetValues(set, ScatteredValues(rng, 30));
  const TargetParameters p{470, 0.05, ConnectionMode::ParallelAndSeries, 10, 5};
  StraightforwardTargetEngine reference(set);
  FastTargetEngine fast(set);
  FastTargetEngine::Tuning tuning;
  tuning.memoryLimit = 1000;
  fast.SetTuning(tuning);
  const std::atomic<bool> abort{false};
  reference.SetParameters(p);
  fast.SetParameters(p);
  const std::uint64_t r = reference.Optimize(abort);
  const std::uint64_t f = fast.Optimize(abort);
  EXPECT_TRUE(fast.LastRun().fallback);
  EXPECT_GT(fast.LastRun().memoryEstimate, 1000u);
  EXPECT_TRUE(SameResult(reference, r, fast, f));
}

TEST(FastTargetFallback, CountsPastSixtyFourBitsGoToTheReferenceWhichCanBeAborted) {
  // C(25003, 5) multisets do not fit 64 bits.
  std::vector<double> values(25000);
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = 1.0 + static_cast<double>(i);
  ValueSet set;
  SetValues(set, values);
  ASSERT_FALSE(MultisetRanks(25000, 5).Valid());
  FastTargetEngine fast(set);
  fast.SetParameters({1234.5, 0.005, ConnectionMode::SeriesOnly, 10, 5});
  const std::atomic<bool> abort{true};
  EXPECT_EQ(fast.Optimize(abort), 0u);
  EXPECT_TRUE(fast.LastRun().fallback);
  EXPECT_EQ(fast.VisitedCount(), 0u);
  EXPECT_TRUE(fast.KeptMatches().empty());
}

TEST(FastTargetEdgeCases, DegenerateInputsAgree) {
  ValueSet set;
  SetValues(set, {100, 100, 220});
  // No results kept, yet matches counted.
  EXPECT_TRUE(RunBoth(set, {200, 0.5, ConnectionMode::ParallelAndSeries, 0, 2}).same);
  // Tolerances that let nothing or everything through; odd targets.
  for (const double tolerance : {0.0, -1.0, kNaN, kInf, 1e300}) {
    for (const double target : {0.0, -150.0, kInf, -kInf, kNaN, 1e-300, 1e300, 150.0}) {
      for (const ConnectionMode mode : kConnectionModes) {
        EXPECT_TRUE(RunBoth(set, {target, tolerance, mode, 4, 3}).same);
      }
    }
  }
  // Extreme values: reciprocals and sums that overflow or vanish.
  SetValues(set, {1e-310, 5e-324, 1e308, 1.7e308, 1.0});
  for (const double target : {1e-310, 1.0, 1e308, kInf}) {
    for (const ConnectionMode mode : kConnectionModes) {
      EXPECT_TRUE(RunBoth(set, {target, 10.0, mode, 6, 3}).same);
      EXPECT_TRUE(RunBoth(set, {target, kInf, mode, 6, 4}).same);
    }
  }
  // An empty working set visits nothing.
  SetValues(set, {100});
  set.TruncateWorkingSet(0);
  EXPECT_TRUE(RunBoth(set, {100, 0.5, ConnectionMode::ParallelAndSeries, 4, 3}).same);
}

TEST(FastTargetEdgeCases, RerunWithFewerResultsKeepsOnlyThose) {
  ValueSet set;
  MersenneRng rng(77);
  SetValues(set, ScatteredValues(rng, 12));
  FastTargetEngine fast(set);
  StraightforwardTargetEngine reference(set);
  const std::atomic<bool> abort{false};
  for (const std::uint32_t results : {20u, 3u, 12u}) {
    const TargetParameters p{1000, 1.0, ConnectionMode::ParallelAndSeries, results, 3};
    fast.SetParameters(p);
    reference.SetParameters(p);
    const std::uint64_t f = fast.Optimize(abort);
    const std::uint64_t r = reference.Optimize(abort);
    EXPECT_TRUE(SameResult(reference, r, fast, f)) << results << " results";
  }
}

}  // namespace
}  // namespace ordavin
