// The fast divider engine while it runs on its workers: the visited count as progress, and
// what an abort leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <thread>
#include <vector>

#include "divider/DividerMatch.h"
#include "divider/DividerParameters.h"
#include "divider/FastDividerEngine.h"
#include "divider/NetworkMode.h"
#include "support/BruteForceReference.h"
#include "support/DividerFixtures.h"
#include "support/ValueFixtures.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

namespace ref = reference;
using ::ordavin::testing::SetValues;
using ::ordavin::testing::SmallCase;

// A search of a few hundred milliseconds in Release: E12 over five decades, 4 + 2.
ValueSet E12FiveDecades() {
  ValueSet set;
  std::vector<double> values;
  for (const double decade : {1.0, 10.0, 100.0, 1000.0, 10000.0}) {
    for (const double base : {1.0, 1.2, 1.5, 1.8, 2.2, 2.7, 3.3, 3.9, 4.7, 5.6, 6.8, 8.2}) {
      values.push_back(base * decade);
    }
  }
  SetValues(set, values);
  return set;
}

TEST(FastDividerProgress, TheVisitedCountMovesDuringARunAndEndsAtTheTotal) {
  const ValueSet set = E12FiveDecades();
  DividerParameters p = SmallCase();
  p.upperCount = 2;
  p.lowerCount = 4;
  p.tolerance = 0.01;
  FastDividerEngine fast(set);
  fast.SetParameters(p);
  const std::atomic<bool> abort{false};
  std::atomic<bool> done{false};
  std::thread run([&] {
    fast.Optimize(abort);
    done = true;
  });
  std::vector<std::uint64_t> seen;
  while (!done) {
    const std::uint64_t visited = fast.VisitedCount();
    if (seen.empty() || seen.back() != visited) seen.push_back(visited);
  }
  run.join();
  const std::uint64_t total = ref::MultisetCount(60, 2) * ref::MultisetCount(60, 4);
  EXPECT_EQ(fast.VisitedCount(), total);
  ASSERT_FALSE(seen.empty());
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  // More than one value strictly between nothing and everything.
  const auto between =
      std::count_if(seen.begin(), seen.end(), [&](std::uint64_t v) { return v > 0 && v < total; });
  EXPECT_GE(between, 2);
}

// After an abort, the counts and the kept matches describe exactly the combinations the
// engine says it accounted for: a plain search over those gives the same.
void ExpectAbortedRunMatchesAPlainSearch(unsigned workers) {
  const ValueSet set = E12FiveDecades();
  const std::vector<double> values(set.WorkingValues().begin(), set.WorkingValues().end());
  const auto n = static_cast<std::uint32_t>(values.size());
  DividerParameters p = SmallCase();
  p.upperCount = 2;
  p.lowerCount = 4;
  p.upperMode = NetworkMode::Series;
  p.lowerMode = NetworkMode::Parallel;
  p.targetFactor = 0.25;
  p.tolerance = 0.002;
  p.maxResults = 12;
  const std::uint64_t upperSpan = ref::MultisetCount(n, p.upperCount);
  const std::uint64_t total = upperSpan * ref::MultisetCount(n, p.lowerCount);

  FastDividerEngine fast(set);
  FastDividerEngine::Tuning tuning;
  tuning.recordAccounted = true;
  tuning.workers = workers;
  fast.SetTuning(tuning);
  fast.SetParameters(p);
  std::atomic<bool> abort{false};
  std::thread run([&] { fast.Optimize(abort); });
  // Past the head start's share, well before the end.
  while (fast.VisitedCount() < upperSpan * 200) std::this_thread::yield();
  abort = true;
  run.join();
  ASSERT_LT(fast.VisitedCount(), total);
  ASSERT_FALSE(fast.LastRun().fallback);

  const auto accounted = fast.AccountedLowerRanks();
  const bool firstListed = !accounted.empty() && accounted.front() == 0;
  const std::uint64_t firstUppers = firstListed ? 0 : fast.FirstLowerUppers();
  EXPECT_EQ(fast.VisitedCount(), accounted.size() * upperSpan + firstUppers);
  EXPECT_TRUE(std::adjacent_find(accounted.begin(), accounted.end()) == accounted.end());

  // The plain search over exactly those combinations.
  const auto uppers = ref::AllMultisets(n, p.upperCount);
  const auto lowers = ref::AllMultisets(n, p.lowerCount);
  std::vector<std::uint32_t> lowerByRank(lowers.size());
  for (std::uint32_t i = 0; i < lowers.size(); ++i) lowerByRank[ref::ColexRank(lowers[i])] = i;
  std::vector<std::uint32_t> upperByRank(uppers.size());
  for (std::uint32_t i = 0; i < uppers.size(); ++i) upperByRank[ref::ColexRank(uppers[i])] = i;
  std::vector<ref::RankedCandidate> candidates;
  const auto visit = [&](std::uint64_t lowerRank, std::uint64_t upperRanks) {
    const auto& lower = lowers[lowerByRank[lowerRank]];
    const ref::Network l = ref::EvaluateNetwork(values, lower, p.lowerMode);
    for (std::uint64_t u = 0; u < upperRanks; ++u) {
      const ref::DividerFigures f = ref::EvaluateDivider(
          ref::EvaluateNetwork(values, uppers[upperByRank[u]], p.upperMode), l, p);
      if (!ref::DividerAccepted(f, p)) continue;
      candidates.push_back(
          {std::fabs(f.error), lowerRank * upperSpan + u, upperByRank[u], lowerByRank[lowerRank]});
    }
  };
  for (const std::uint64_t lowerRank : accounted) visit(lowerRank, upperSpan);
  if (!firstListed) visit(0, firstUppers);
  EXPECT_EQ(fast.MatchingCount(), candidates.size());
  ref::KeepBest(candidates, p.maxResults);
  const auto kept = fast.KeptMatches();
  ASSERT_EQ(kept.size(), candidates.size());
  const auto last = static_cast<std::int32_t>(n) - 1;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    std::vector<std::int32_t> indices = uppers[candidates[i].first];
    indices.insert(indices.end(), {last, 0});
    const auto& lower = lowers[candidates[i].second];
    indices.insert(indices.end(), lower.begin(), lower.end());
    indices.insert(indices.end(), {last, 0});
    EXPECT_EQ(kept[i].indices, indices) << "row " << i;
    EXPECT_EQ(std::fabs(kept[i].error), candidates[i].magnitude) << "row " << i;
  }
}

TEST(FastDividerAbort, OneWorkerAccountsExactlyWhatItReports) {
  ExpectAbortedRunMatchesAPlainSearch(1);
}

TEST(FastDividerAbort, TwoWorkersAccountExactlyWhatTheyReport) {
  ExpectAbortedRunMatchesAPlainSearch(2);
}

// An abort while the sorted side is still being built (E96, 3 + 3: a second or more of
// work) ends the run with what the head start accounted, and nothing else.
TEST(FastDividerAbort, AnAbortDuringTheBuildEndsTheRunEarly) {
  ValueSet set;
  ASSERT_TRUE(set.LoadSeriesFile(ORDAVIN_SERIES_DIR "/E96.SER"));
  set.GenerateValues();
  set.ResetWorkingSet();
  DividerParameters p = SmallCase();
  p.upperCount = 3;
  p.lowerCount = 3;
  p.tolerance = 0.01;
  p.seriesMin = 1000;
  p.seriesMax = 100000;
  FastDividerEngine fast(set);
  FastDividerEngine::Tuning tuning;
  tuning.recordAccounted = true;
  fast.SetTuning(tuning);
  fast.SetParameters(p);
  std::atomic<bool> abort{false};
  std::thread run([&] { fast.Optimize(abort); });
  while (fast.VisitedCount() == 0) std::this_thread::yield();
  abort = true;
  run.join();
  const std::uint64_t upperSpan = ref::MultisetCount(673, 3);
  EXPECT_FALSE(fast.LastRun().fallback);
  EXPECT_GT(fast.VisitedCount(), 0u);
  EXPECT_LE(fast.VisitedCount(), upperSpan);
  // Only the first lower network (3 ohms, out of every upper one's reach here, so the head
  // start may account it whole at once).
  const auto accounted = fast.AccountedLowerRanks();
  const bool firstListed = accounted.size() == 1 && accounted[0] == 0;
  EXPECT_TRUE(accounted.empty() || firstListed);
  EXPECT_EQ(fast.VisitedCount(), firstListed ? upperSpan : fast.FirstLowerUppers());
  EXPECT_LE(fast.MatchingCount(), fast.VisitedCount());
  for (const DividerMatch& match : fast.KeptMatches()) {
    EXPECT_EQ(match.LowerDigits(3, 3)[2], 0) << "only the first lower network was visited";
  }
}

TEST(FastDividerAbort, AnAbortBeforeTheStartAccountsNothing) {
  const ValueSet set = E12FiveDecades();
  DividerParameters p = SmallCase();
  p.upperCount = 3;
  p.lowerCount = 3;
  FastDividerEngine fast(set);
  fast.SetParameters(p);
  const std::atomic<bool> abort{true};
  EXPECT_EQ(fast.Optimize(abort), 0u);
  EXPECT_EQ(fast.VisitedCount(), 0u);
  EXPECT_TRUE(fast.KeptMatches().empty());
  for (const DividerMatch& slot : fast.BestMatchSlots()) EXPECT_EQ(slot.error, p.tolerance + 1);
}

}  // namespace
}  // namespace ordavin
