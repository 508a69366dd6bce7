// What the fast divider engine hands to the straightforward one: the same answer, flagged
// as a fallback; and what it refuses.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

#include "divider/DividerParameters.h"
#include "divider/FastDividerEngine.h"
#include "support/CaseTexts.h"
#include "support/DividerFixtures.h"
#include "support/FastDividerAgreement.h"
#include "support/ValueFixtures.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

using ::ordavin::testing::Agree;
using ::ordavin::testing::Describe;
using ::ordavin::testing::SetValues;
using ::ordavin::testing::SmallCase;

TEST(FastDividerFallback, ValuesOutsideWhatTheMethodCoversGoToTheReference) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<std::vector<double>> valueSets = {
      {1000, 0, 2200},   {1000, -470, 2200}, {1000, nan, 2200}, {1000, inf, 2200},
      {1000, 1e300, 22}, {1e-300, 1000, 47}, {-0.0, 100, 1000}};
  for (const auto& values : valueSets) {
    ValueSet set;
    SetValues(set, values);
    FastDividerEngine::RunInfo info;
    EXPECT_TRUE(Agree(set, SmallCase(), {}, &info)) << Describe(values, SmallCase());
    EXPECT_TRUE(info.fallback) << Describe(values, SmallCase());
  }
}

TEST(FastDividerFallback, ParametersThatBreakTheOrderGoToTheReference) {
  ValueSet set;
  SetValues(set, {100, 220, 470, 1000, 2200, 4700});
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::vector<DividerParameters> cases;
  for (const double target : {0.0, -0.3, nan, inf}) {
    cases.push_back(SmallCase());
    cases.back().targetFactor = target;
  }
  for (const double source : {-50.0, nan, inf}) {
    cases.push_back(SmallCase());
    cases.back().sourceResistance = source;
  }
  for (const double load : {-1e-3, nan, inf}) {
    cases.push_back(SmallCase());
    cases.back().loadConductance = load;
  }
  cases.push_back(SmallCase());
  cases.back().tolerance = nan;
  cases.push_back(SmallCase());
  cases.back().seriesMax = nan;
  cases.push_back(SmallCase());
  cases.back().parallelMin = nan;
  // More resistors per network than the fast path enumerates.
  cases.push_back(SmallCase());
  cases.back().upperCount = 17;
  cases.back().lowerCount = 1;
  for (const DividerParameters& p : cases) {
    FastDividerEngine::RunInfo info;
    EXPECT_TRUE(Agree(set, p, {}, &info)) << Describe({100, 220, 470, 1000, 2200, 4700}, p);
    EXPECT_TRUE(info.fallback) << Describe({100, 220, 470, 1000, 2200, 4700}, p);
  }
}

// Limits the method does cover: infinite windows and tolerance, negative tolerance,
// reversed windows, values at the edges of the covered range.
TEST(FastDividerFallback, EdgesInsideTheCoveredRangeStayFast) {
  const double inf = std::numeric_limits<double>::infinity();
  std::vector<std::pair<std::vector<double>, DividerParameters>> cases;
  const std::vector<double> plain = {100, 220, 470, 1000, 2200, 4700};
  const auto with = [&](auto change, std::vector<double> values = {}) {
    DividerParameters p = SmallCase();
    change(p);
    cases.emplace_back(values.empty() ? plain : values, p);
  };
  with([&](DividerParameters& p) { p.tolerance = inf; });
  with([&](DividerParameters& p) { p.tolerance = -0.1; });
  with([&](DividerParameters& p) {
    p.seriesMax = inf;
    p.parallelMax = inf;
  });
  with([&](DividerParameters& p) {
    p.seriesMin = -inf;
    p.parallelMin = -1;
  });
  with([&](DividerParameters& p) {
    p.seriesMin = 5000;
    p.seriesMax = 1000;
  });
  with([&](DividerParameters& p) {
    p.parallelMin = 300;
    p.parallelMax = 300;
  });
  with([&](DividerParameters& p) {
    p.targetFactor = 1e-300;
    p.tolerance = inf;
  });
  with([&](DividerParameters& p) { p.targetFactor = 2; });
  with([&](DividerParameters& p) { p.sourceResistance = 1e300; });
  with([&](DividerParameters& p) { p.loadConductance = 1e300; });
  with([&](DividerParameters& p) { p.maxResults = 0; });
  with(
      [&](DividerParameters& p) {
        p.maxResults = 500;
        p.tolerance = 5;
      },
      {1e-100, 1e100, 1});
  for (const auto& [values, p] : cases) {
    ValueSet set;
    SetValues(set, values);
    FastDividerEngine::RunInfo info;
    EXPECT_TRUE(Agree(set, p, {}, &info)) << Describe(values, p);
    EXPECT_FALSE(info.fallback) << Describe(values, p);
  }
}

TEST(FastDividerFallback, TooLittleMemoryEvenForSlabsGoesToTheReference) {
  ValueSet set;
  SetValues(set, {100, 220, 470, 1000, 2200, 4700, 10000, 22000});
  FastDividerEngine::Tuning tuning;
  tuning.memoryLimit = 1;
  FastDividerEngine::RunInfo info;
  EXPECT_TRUE(Agree(set, SmallCase(), tuning, &info));
  EXPECT_TRUE(info.fallback);
}

TEST(FastDividerFallback, TooFewValuesOrImpossibleNetworksAreRefused) {
  for (const std::vector<double>& values : {std::vector<double>{}, std::vector<double>{1000}}) {
    ValueSet set;
    SetValues(set, values);
    FastDividerEngine fast(set);
    fast.SetParameters(SmallCase());
    const std::atomic<bool> abort{false};
    EXPECT_THROW(fast.Optimize(abort), std::invalid_argument);
    EXPECT_EQ(fast.VisitedCount(), 0u);
    EXPECT_TRUE(fast.KeptMatches().empty());
  }
  ValueSet set;
  SetValues(set, {1000, 2200});
  const std::atomic<bool> abort{false};
  // No network at all, and networks whose index vector could not even be counted (the
  // straightforward engine's would wrap around).
  for (const auto& [upper, lower] : {std::pair<std::uint32_t, std::uint32_t>{0, 2},
                                     {UINT32_MAX - 2, 1},
                                     {UINT32_MAX / 2, UINT32_MAX / 2}}) {
    DividerParameters p = SmallCase();
    p.upperCount = upper;
    p.lowerCount = lower;
    FastDividerEngine fast(set);
    fast.SetParameters(p);
    EXPECT_THROW(fast.Optimize(abort), std::invalid_argument) << upper << " + " << lower;
    EXPECT_EQ(fast.VisitedCount(), 0u);
  }
}

// Past 64 bits of combinations (C(1348, 4) squared for E192 with 4 + 4) only the reference
// can run it, and only until it is stopped; its visited count shows through meanwhile.
TEST(FastDividerFallback, CombinationCountPast64BitsRunsTheAbortableReference) {
  ValueSet set;
  ASSERT_TRUE(set.LoadSeriesFile(ORDAVIN_SERIES_DIR "/E192.SER"));
  set.GenerateValues();
  set.ResetWorkingSet();
  DividerParameters p = SmallCase();
  p.upperCount = 4;
  p.lowerCount = 4;
  FastDividerEngine fast(set);
  fast.SetParameters(p);
  std::atomic<bool> abort{false};
  std::thread run([&] { fast.Optimize(abort); });
  while (fast.VisitedCount() == 0) std::this_thread::yield();
  abort = true;
  run.join();
  EXPECT_TRUE(fast.LastRun().fallback);
  EXPECT_GT(fast.VisitedCount(), 0u);
  EXPECT_LE(fast.MatchingCount(), fast.VisitedCount());
}

}  // namespace
}  // namespace ordavin
