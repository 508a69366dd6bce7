// The fast target engine stopped part-way: what it has accounted for, and how soon it stops.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "search/MultisetRanks.h"
#include "support/BundledValueSet.h"
#include "support/CaseTexts.h"
#include "support/MersenneRng.h"
#include "support/RandomTargetParameters.h"
#include "support/RandomValueSets.h"
#include "support/ValueFixtures.h"
#include "target/ConnectionMode.h"
#include "target/FastTargetEngine.h"
#include "target/TargetArithmetic.h"
#include "target/TargetEngine.h"
#include "target/TargetEngineFactory.h"
#include "target/TargetMatch.h"
#include "target/TargetParameters.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

using ::ordavin::testing::Describe;
using ::ordavin::testing::LoadBundled;
using ::ordavin::testing::MersenneRng;
using ::ordavin::testing::RandomTargetParameters;
using ::ordavin::testing::ScatteredValues;
using ::ordavin::testing::SetValues;

// Every multiset evaluated both ways, as the reference does, for the kept units only.
struct Expected {
  std::uint64_t visited = 0;
  std::uint64_t matching = 0;
  std::vector<TargetMatch> rows;
};

Expected SearchAccounted(const std::vector<double>& values, const TargetParameters& p,
                         std::uint32_t prefixLength,
                         const std::vector<FastTargetEngine::AccountedUnit>& units) {
  const auto n = static_cast<std::uint32_t>(values.size());
  const std::uint32_t count = p.resistorCount;
  struct Row {
    double magnitude;
    std::uint64_t key;
    TargetMatch match;
  };
  std::vector<Row> rows;
  Expected e;
  std::vector<std::int32_t> digits(count, 0);
  std::uint64_t rank = 0;
  do {
    const std::int32_t m = digits[prefixLength];
    const bool accounted = std::any_of(units.begin(), units.end(), [&](const auto& u) {
      if (u.m != m) return false;
      if (prefixLength + 1 == count) return true;
      const std::int32_t next = digits[prefixLength + 1];
      return next >= u.nextFirst && next < u.nextEnd;
    });
    if (accounted) {
      for (const bool parallel : {true, false}) {
        if (parallel ? !EvaluatesParallel(p.connectionMode) : !EvaluatesSeries(p.connectionMode)) {
          continue;
        }
        ++e.visited;
        TargetMatch match;
        match.indices = digits;
        match.indices.insert(match.indices.end(), {static_cast<std::int32_t>(n) - 1, 0});
        match.isParallel = parallel;
        match.total = parallel ? ParallelTotal(values.data(), digits.data(), count)
                               : SeriesTotal(values.data(), digits.data(), count);
        match.error = RelativeError(match.total, p.targetResistance);
        if (std::fabs(match.error) < p.tolerance) {
          ++e.matching;
          rows.push_back({std::fabs(match.error), rank * 2 + (parallel ? 0 : 1), match});
        }
      }
    }
    ++rank;
  } while (MultisetRanks::Next(digits.data(), count, static_cast<std::int32_t>(n) - 1));
  std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
    return a.magnitude != b.magnitude ? a.magnitude < b.magnitude : a.key > b.key;
  });
  for (std::size_t i = 0; i < rows.size() && i < p.maxResults; ++i) e.rows.push_back(rows[i].match);
  return e;
}

// Stopped part-way, counts and kept matches describe exactly the multisets accounted for.
TEST(FastTargetAbort, StoppedRunDescribesExactlyWhatItAccountedFor) {
  for (std::uint32_t count = 2; count <= 5; ++count) {
    for (const std::uint64_t stopAfter : {1u, 5u, 40u}) {
      for (const unsigned workers : {1u, 2u}) {
        MersenneRng rng(99u * count + stopAfter);
        const std::vector<double> values = ScatteredValues(rng, count == 5 ? 24 : 60);
        ValueSet set;
        SetValues(set, values);
        TargetParameters p =
            RandomTargetParameters(rng, values, count, ConnectionMode::ParallelAndSeries);
        p.tolerance = 0.2;
        p.maxResults = 7;
        FastTargetEngine fast(set);
        FastTargetEngine::Tuning tuning;
        tuning.workers = workers;
        tuning.stopAfterUnits = stopAfter;
        tuning.recordUnits = true;
        fast.SetTuning(tuning);
        fast.SetParameters(p);
        const std::atomic<bool> abort{false};
        const std::uint64_t returned = fast.Optimize(abort);
        ASSERT_FALSE(fast.LastRun().fallback);
        const Expected want =
            SearchAccounted(values, p, fast.LastRun().prefixLength, fast.AccountedUnits());
        const std::string where = Describe(values, p) + ", stop after " +
                                  std::to_string(stopAfter) + ", workers " +
                                  std::to_string(workers);
        EXPECT_LT(fast.VisitedCount(),
                  2 * MultisetRanks(static_cast<std::uint32_t>(values.size()), count).Count())
            << where;
        EXPECT_EQ(fast.VisitedCount(), want.visited) << where;
        EXPECT_EQ(fast.MatchingCount(), want.matching) << where;
        EXPECT_EQ(returned, want.matching) << where;
        const auto kept = fast.KeptMatches();
        ASSERT_EQ(kept.size(), want.rows.size()) << where;
        for (std::size_t i = 0; i < kept.size(); ++i) {
          EXPECT_EQ(kept[i].indices, want.rows[i].indices) << where << ", row " << i;
          EXPECT_EQ(kept[i].isParallel, want.rows[i].isParallel) << where << ", row " << i;
          EXPECT_EQ(std::bit_cast<std::uint64_t>(kept[i].error),
                    std::bit_cast<std::uint64_t>(want.rows[i].error))
              << where << ", row " << i;
        }
      }
    }
  }
}

// A long search shows its progress in blocks and stops soon after it is told to.
TEST(FastTargetAbort, LongRunMovesItsCountAndStopsPromptly) {
  ValueSet set = LoadBundled("E192.SER");
  auto engine = MakeTargetEngine(set);
  engine->SetParameters({1234.5, 0.005, ConnectionMode::ParallelAndSeries, 10, 5});
  std::atomic<bool> abort{false};
  std::atomic<bool> finished{false};
  std::thread runner([&] {
    engine->Optimize(abort);
    finished.store(true);
  });
  std::vector<std::uint64_t> seen;
  const auto start = std::chrono::steady_clock::now();
  while (!finished.load() && std::chrono::steady_clock::now() - start < std::chrono::seconds(20)) {
    const std::uint64_t visited = engine->VisitedCount();
    if (visited != 0 && (seen.empty() || seen.back() != visited)) seen.push_back(visited);
    if (seen.size() >= 3) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  const auto abortAt = std::chrono::steady_clock::now();
  abort.store(true);
  runner.join();
  const auto latency = std::chrono::steady_clock::now() - abortAt;
  ASSERT_GE(seen.size(), 3u) << "the visited count did not move while the search ran";
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  // 50 ms is the aim; the margin is for loaded machines and sanitizers.
  EXPECT_LT(latency, std::chrono::milliseconds(500));
  const std::uint64_t total = MultisetRanks(1345, 5).Count() * 2;
  EXPECT_LT(engine->VisitedCount(), total);
  EXPECT_GE(engine->VisitedCount(), seen.back());
  EXPECT_EQ(engine->KeptMatches().size(), std::min<std::uint64_t>(engine->MatchingCount(), 10));
}

}  // namespace
}  // namespace ordavin
