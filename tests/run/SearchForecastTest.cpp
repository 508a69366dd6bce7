// The forecast a front end reads before a run: the combination count it divides progress by
// must be the count the run visits, and the slow path it announces must be the one taken.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <vector>

#include "divider/FastDividerEngine.h"
#include "divider/StraightforwardDividerEngine.h"
#include "run/ProgressEstimate.h"
#include "support/BundledValueSet.h"
#include "support/ValueFixtures.h"
#include "target/FastTargetEngine.h"
#include "target/StraightforwardTargetEngine.h"
#include "texts/ForecastTexts.h"

namespace ordavin {
namespace {

using ::ordavin::testing::SetValues;

template <class Engine>
void ExpectForecastCountsWhatTheRunVisits(Engine& engine, const char* what) {
  const SearchForecast forecast = engine.Forecast();
  std::atomic<bool> abort{false};
  engine.Optimize(abort);
  EXPECT_EQ(forecast.combinations, static_cast<double>(engine.VisitedCount())) << what;
  EXPECT_EQ(forecast.slowPath, engine.SlowPathTaken()) << what;
  EXPECT_GE(forecast.seconds, 0.0) << what;
}

TEST(SearchForecastTest, CombinationsAreThoseEveryEngineVisits) {
  std::vector<double> values;
  for (int i = 1; i <= 13; ++i) values.push_back(100.0 * i + 7.0 * (i % 3));
  ValueSet set;
  SetValues(set, values);
  for (std::uint32_t upper = 1; upper <= 3; ++upper) {
    for (std::uint32_t lower = 1; lower <= 3; ++lower) {
      DividerParameters p;
      p.upperCount = upper;
      p.lowerCount = lower;
      p.targetFactor = 0.3;
      p.tolerance = 0.01;
      StraightforwardDividerEngine plain(set);
      FastDividerEngine fast(set);
      plain.SetParameters(p);
      fast.SetParameters(p);
      ExpectForecastCountsWhatTheRunVisits(plain, "divider, straightforward");
      ExpectForecastCountsWhatTheRunVisits(fast, "divider, fast");
    }
  }
  for (std::uint32_t count = 2; count <= 5; ++count) {
    for (const ConnectionMode mode : {ConnectionMode::ParallelAndSeries,
                                      ConnectionMode::ParallelOnly, ConnectionMode::SeriesOnly}) {
      const TargetParameters p{450, 0.01, mode, 10, count};
      StraightforwardTargetEngine plain(set);
      FastTargetEngine fast(set);
      plain.SetParameters(p);
      fast.SetParameters(p);
      ExpectForecastCountsWhatTheRunVisits(plain, "target, straightforward");
      ExpectForecastCountsWhatTheRunVisits(fast, "target, fast");
    }
  }
}

TEST(SearchForecastTest, TheSlowPathIsForetoldAndTakenAlike) {
  // A zero value is outside what the fast methods cover.
  ValueSet set;
  SetValues(set, {0, 100, 220, 470, 1000});
  FastDividerEngine divider(set);
  DividerParameters p;
  p.upperCount = 2;
  p.lowerCount = 2;
  p.targetFactor = 0.5;
  p.tolerance = 0.1;
  divider.SetParameters(p);
  EXPECT_EQ(divider.Forecast().slowPath, SlowPath::NotCovered);
  ExpectForecastCountsWhatTheRunVisits(divider, "divider with a zero value");

  FastTargetEngine target(set);
  target.SetParameters({300, 0.1, ConnectionMode::ParallelAndSeries, 10, 3});
  ExpectForecastCountsWhatTheRunVisits(target, "target with a zero value");
  EXPECT_EQ(target.SlowPathTaken(), SlowPath::NotCovered);

  // Too little memory for the fast target search.
  ValueSet positive;
  SetValues(positive, {100, 220, 470, 1000});
  FastTargetEngine tight(positive);
  tight.SetTuning({.memoryLimit = 1});
  tight.SetParameters({300, 0.1, ConnectionMode::ParallelAndSeries, 10, 3});
  ExpectForecastCountsWhatTheRunVisits(tight, "target without memory");
  EXPECT_EQ(tight.SlowPathTaken(), SlowPath::Memory);

  // A run that follows a slow one starts afresh.
  FastTargetEngine again(positive);
  again.SetParameters({300, 0.1, ConnectionMode::ParallelAndSeries, 10, 3});
  ExpectForecastCountsWhatTheRunVisits(again, "target with room");
  EXPECT_EQ(again.SlowPathTaken(), SlowPath::None);
}

TEST(SearchForecastTest, OnlyTheTrulyLongSearchesOfTheBundledSeriesAreAnnounced) {
  const ValueSet e192 = ::ordavin::testing::LoadBundled("E192.SER");
  DividerParameters p;
  p.targetFactor = 1.25 / 3.3;
  p.tolerance = 0.01;
  p.upperCount = 3;
  p.lowerCount = 3;
  FastDividerEngine divider(e192);
  divider.SetParameters(p);
  EXPECT_FALSE(IsLongSearch(divider.Forecast()));  // tens of seconds
  EXPECT_EQ(divider.Forecast().combinations, std::pow(MultisetCount(1345, 3), 2));
  p.upperCount = 4;
  p.lowerCount = 4;
  divider.SetParameters(p);
  const SearchForecast huge = divider.Forecast();
  EXPECT_TRUE(IsLongSearch(huge));
  EXPECT_GT(huge.combinations, 1e22);
  EXPECT_EQ(huge.slowPath, SlowPath::TooMany);

  StraightforwardDividerEngine plain(e192);
  p.upperCount = 2;
  p.lowerCount = 2;
  plain.SetParameters(p);
  EXPECT_TRUE(IsLongSearch(plain.Forecast()));  // 8e11 one by one

  FastTargetEngine target(e192);
  target.SetParameters({1234.5, 0.005, ConnectionMode::ParallelAndSeries, 10, 5});
  EXPECT_FALSE(IsLongSearch(target.Forecast()));
  StraightforwardTargetEngine plainTarget(e192);
  plainTarget.SetParameters({1234.5, 0.005, ConnectionMode::ParallelAndSeries, 10, 5});
  EXPECT_TRUE(IsLongSearch(plainTarget.Forecast()));
}

TEST(SearchForecastTest, ProgressShareAndTimeLeft) {
  const SearchForecast forecast{1000, 40, SlowPath::None};
  const ProgressEstimate start = EstimateProgress(0, forecast, 5);
  EXPECT_EQ(start.share, 0.0);
  EXPECT_EQ(start.secondsLeft, 35.0);  // the forecast's remainder
  // Too little done, or too soon, to tell the pace: still the forecast.
  EXPECT_EQ(EstimateProgress(10, forecast, 30).secondsLeft, 10.0);
  EXPECT_EQ(EstimateProgress(500, forecast, 0.5).secondsLeft, 39.5);
  // Past the forecast with nothing to go by: unknown, not "1 second" for ever.
  EXPECT_TRUE(std::isinf(EstimateProgress(10, forecast, 50).secondsLeft));
  const ProgressEstimate quarter = EstimateProgress(250, forecast, 10);
  EXPECT_EQ(quarter.share, 0.25);
  EXPECT_EQ(quarter.secondsLeft, 30.0);  // the pace so far
  EXPECT_EQ(EstimateProgress(2000, forecast, 10).share, 1.0);
  EXPECT_EQ(EstimateProgress(5, {0, 10, SlowPath::None}, 10).share, 0.0);
  EXPECT_TRUE(IsLongSearch({1, 3600.5, SlowPath::None}));
  EXPECT_FALSE(IsLongSearch({1, 3600, SlowPath::None}));
  EXPECT_TRUE(IsLongSearch({1, std::numeric_limits<double>::infinity(), SlowPath::None}));
}

TEST(SearchForecastTest, TextsOfDurationsSharesAndSlowPaths) {
  const std::vector<std::pair<double, const char*>> durations{{0, "1 second"},
                                                              {1.4, "1 second"},
                                                              {45, "45 seconds"},
                                                              {119, "119 seconds"},
                                                              {120, "2 minutes"},
                                                              {3599, "60 minutes"},
                                                              {7200, "2 hours"},
                                                              {86400 * 1.5, "36 hours"},
                                                              {86400 * 12, "12 days"},
                                                              {86400 * 100, "3 months"},
                                                              {86400 * 365.25 * 2, "2 years"},
                                                              {1e300, "more than a million years"}};
  EXPECT_EQ(AboutDuration(86400 * 12), "about 12 days");
  EXPECT_EQ(AboutDuration(1e300), "more than a million years");
  for (const auto& [seconds, text] : durations) EXPECT_EQ(FormatDuration(seconds), text) << seconds;
  EXPECT_EQ(FormatDuration(std::numeric_limits<double>::infinity()), "more than a million years");
  EXPECT_EQ(FormatDuration(std::numeric_limits<double>::quiet_NaN()), "more than a million years");

  EXPECT_EQ(FormatShare(0.379, std::numeric_limits<double>::infinity()), "37 %");
  EXPECT_EQ(FormatShare(0.5, 200), "50 %, about 3 minutes left");
  EXPECT_EQ(FormatShare(1.0, 0), "100 %, about 1 second left");

  EXPECT_EQ(FormatLongSearch({1.91e22, 86400 * 12, SlowPath::None}),
            "This search would take about 12 days (1.91e+22 combinations).");
  EXPECT_EQ(FormatLongSearch({1.95e13, 86400 * 2, SlowPath::NotCovered}),
            "This search would take about 2 days (1.95e+13 combinations; slower search: the "
            "fast one does not cover these values).");
  EXPECT_EQ(FormatSlowPath(SlowPath::None), "");
  EXPECT_EQ(FormatSlowPath(SlowPath::Memory), "Slower search: not enough memory for the fast one");
  EXPECT_EQ(FormatLongSearch({1.88e22, 1e300, SlowPath::TooMany}),
            "This search would take more than a million years (1.88e+22 combinations; slower "
            "search: too many combinations for the fast one).");
}

}  // namespace
}  // namespace ordavin
