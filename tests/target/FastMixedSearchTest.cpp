// The fast mixed search against the enumerator, every row and count to the last bit: small
// random sets with duplicate values and exact ties, every size and tolerance, lists cut
// short so that the last parts are built rather than listed, one to three workers.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <span>
#include <thread>
#include <vector>

#include "support/BundledValueSet.h"
#include "support/FastTargetAgreement.h"
#include "support/MersenneRng.h"
#include "support/RandomValueSets.h"
#include "support/ValueFixtures.h"
#include "target/FastTargetEngine.h"
#include "target/TargetParameters.h"
#include "target/mixed/MixedArithmetic.h"
#include "target/mixed/MixedEnumerator.h"
#include "target/mixed/MixedNetworkCount.h"
#include "target/mixed/MixedRanking.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

using ::ordavin::testing::LoadBundled;
using ::ordavin::testing::MersenneRng;
using ::ordavin::testing::RunBoth;
using ::ordavin::testing::ScatteredValues;
using ::ordavin::testing::SetValues;

// The total of a random network of `count` resistors, so that exact hits and ties occur.
double RandomNetworkTotal(MersenneRng& rng, const std::vector<double>& values,
                          std::uint32_t count) {
  const std::atomic<bool> abort{false};
  MixedEnumerator networks(values.data(), static_cast<std::uint32_t>(values.size()), count, abort);
  const std::uint64_t all = *MixedNetworkCount(values.size(), count);
  std::uint64_t wanted =
      rng.Below(static_cast<std::uint32_t>(std::min<std::uint64_t>(all, 1u << 30)));
  double total = 0;
  networks.ForEach([&](std::span<const std::int32_t>, double t) {
    total = t;
    return wanted-- > 0;
  });
  return total;
}

TargetParameters RandomMixedParameters(MersenneRng& rng, const std::vector<double>& values,
                                       std::uint32_t count) {
  static constexpr double kTolerances[] = {0, 1e-15, 1e-9, 1e-3, 0.01, 0.1, 0.5, 1, 10};
  TargetParameters p;
  p.connectionMode = ConnectionMode::Mixed;
  p.resistorCount = count;
  p.maxResults = rng.Below(14);
  const std::uint32_t kind = rng.Below(12);
  p.targetResistance = kind < 8    ? RandomNetworkTotal(rng, values, count)
                       : kind < 11 ? 0.1 + 3000 * rng.Unit()
                                   : 0.0;  // every error infinite
  p.tolerance = kTolerances[rng.Below(9)];
  return p;
}

// The list lengths the search is tried with: the shortest it accepts (for three resistors,
// no pairs: the last two are swept one by one), and its own.
std::vector<std::uint64_t> ListLengths(std::uint32_t positions, std::uint32_t count) {
  const std::uint64_t pairs = std::uint64_t{positions} * (positions + 1) / 2;
  return {count >= 4 ? pairs : positions, 0};
}

TEST(FastMixedAgainstEnumerator, RandomSmallSetsAgreeToTheLastBit) {
  int failures = 0;
  std::uint64_t withMatches = 0;
  std::uint64_t cases = 0;
  for (std::uint32_t count = 2; count <= 5; ++count) {
    for (std::uint32_t k = 0; k < 60; ++k) {
      MersenneRng rng(count * 7919u + k);
      const std::uint32_t largest = count == 5 ? 7 : (count == 4 ? 10 : 16);
      std::vector<double> values = ScatteredValues(rng, 1 + rng.Below(largest));
      std::sort(values.begin(), values.end());
      ValueSet set;
      SetValues(set, values);
      const TargetParameters p = RandomMixedParameters(rng, values, count);
      for (const std::uint64_t listed :
           ListLengths(static_cast<std::uint32_t>(values.size()), count)) {
        const unsigned workers = 1 + rng.Below(3);
        const auto outcome = RunBoth(set, p, workers, "", listed);
        ++cases;
        if (outcome.matching > p.maxResults) ++withMatches;
        EXPECT_FALSE(outcome.fallback);
        if (!outcome.same && ++failures >= 5) FAIL() << "further cases not run";
      }
    }
  }
  EXPECT_GT(withMatches, cases / 4);
}

// Values from 1e-150 to 1e150: sums and reciprocals far from 1, where the margins around the
// pairs' sums and the guesses from the outer connections must still hold.
TEST(FastMixedAgainstEnumerator, ValuesOfEveryMagnitudeAgree) {
  int failures = 0;
  for (std::uint32_t k = 0; k < 60; ++k) {
    MersenneRng rng(777u + k);
    const std::uint32_t count = 3 + k % 3;
    std::vector<double> values;
    for (std::uint32_t i = 0; i < (count == 5 ? 6U : 9U); ++i) {
      values.push_back(std::ldexp(0.5 + rng.Unit(), static_cast<int>(rng.Below(1000)) - 500));
      if (rng.Below(4) == 0) values.push_back(values.back());
    }
    std::sort(values.begin(), values.end());
    ValueSet set;
    SetValues(set, values);
    const TargetParameters p = RandomMixedParameters(rng, values, count);
    const auto outcome = RunBoth(set, p, 1 + k % 3);
    EXPECT_FALSE(outcome.fallback);
    if (!outcome.same && ++failures >= 3) FAIL() << "further cases not run";
  }
}

// Only networks whose folded total is exactly the target match (a tolerance below the
// spacing of doubles), with values whose sums round differently in different orders: a
// pair's sum alone must not decide at the ends of the run.
TEST(FastMixedAgainstEnumerator, ExactTotalsDecideAtTheEndsOfARun) {
  int failures = 0;
  std::uint64_t withMatches = 0;
  for (std::uint32_t k = 0; k < 400; ++k) {
    MersenneRng rng(31337u + k);
    const std::uint32_t count = 3 + k % 2;
    std::vector<double> values;
    for (std::uint32_t i = 0; i < 8; ++i) {
      values.push_back(std::ldexp(1.0 + rng.Unit(), static_cast<int>(rng.Below(4))));
    }
    std::sort(values.begin(), values.end());
    ValueSet set;
    SetValues(set, values);
    const TargetParameters p{RandomNetworkTotal(rng, values, count), 1e-16, ConnectionMode::Mixed,
                             1 + rng.Below(5), count};
    const auto outcome = RunBoth(set, p, 1);
    withMatches += outcome.matching > 0 ? 1U : 0U;
    if (!outcome.same && ++failures >= 3) FAIL() << "further cases not run";
  }
  EXPECT_GT(withMatches, 300u);
}

TEST(FastMixedAgainstEnumerator, ValuesOutOfOrderOrATargetBelowZeroGoToTheEnumerator) {
  ValueSet set;
  SetValues(set, {470, 100, 220, 100});
  const TargetParameters p{150, 0.2, ConnectionMode::Mixed, 5, 3};
  EXPECT_TRUE(RunBoth(set, p).fallback);
  SetValues(set, {100, 100, 220, 470});
  EXPECT_FALSE(RunBoth(set, p).fallback);
  const TargetParameters negative{-150, 5, ConnectionMode::Mixed, 5, 3};
  EXPECT_TRUE(RunBoth(set, negative).fallback);
}

// The bundled E24: three resistors with the last two searched on pairs by their sums and
// swept one by one; four over the values up to 1 kOhm, over several workers.
TEST(FastMixedAgainstEnumerator, BundledE24AgreesWhateverTheListsAndWorkers) {
  ValueSet set = LoadBundled("E24.SER");
  const TargetParameters three{4700, 0.01, ConnectionMode::Mixed, 40, 3};
  EXPECT_TRUE(RunBoth(set, three, 2, "E24, three: ").same);
  EXPECT_TRUE(RunBoth(set, three, 2, "E24, three, swept: ", set.WorkingCount()).same);
  set.RestrictToRange(0, 1000);
  const TargetParameters four{333, 0.001, ConnectionMode::Mixed, 60, 4};
  EXPECT_TRUE(RunBoth(set, four, 3, "E24 to 1 kOhm, four: ").same);
}

TEST(FastMixedSearch, CountsEveryNetworkAndStopsWhenAborted) {
  ValueSet set = LoadBundled("E12.SER");
  FastTargetEngine engine(set);
  engine.SetParameters({1000, 0.05, ConnectionMode::Mixed, 10, 4});
  std::atomic<bool> abort{false};
  engine.Optimize(abort);
  EXPECT_FALSE(engine.LastRun().fallback);
  EXPECT_EQ(engine.VisitedCount(), *MixedNetworkCount(set.WorkingCount(), 4));
  const std::uint64_t matching = engine.MatchingCount();
  EXPECT_GT(matching, 10u);
  abort = true;
  engine.Optimize(abort);
  EXPECT_LT(engine.MatchingCount(), matching);
  EXPECT_EQ(engine.VisitedCount(), 0u);
}

// Aborted while the workers run: they stop, and what they kept is a ranked list of real
// matches among the networks they accounted for.
TEST(FastMixedSearch, AnAbortMidwayKeepsTheBestSoFar) {
  ValueSet set = LoadBundled("E24.SER");
  FastTargetEngine engine(set);
  engine.SetParameters({1234.5, 0.2, ConnectionMode::Mixed, 20, 5});
  const std::uint64_t all = *MixedNetworkCount(set.WorkingCount(), 5);
  std::atomic<bool> abort{false};
  std::thread stopper([&] {
    while (engine.VisitedCount() < all / 20) std::this_thread::yield();
    abort = true;
  });
  engine.Optimize(abort);
  stopper.join();
  EXPECT_FALSE(engine.LastRun().fallback);
  EXPECT_GT(engine.VisitedCount(), 0u);
  EXPECT_LT(engine.VisitedCount(), all);
  const auto kept = engine.KeptMatches();
  ASSERT_FALSE(kept.empty());
  for (std::size_t i = 0; i < kept.size(); ++i) {
    EXPECT_LT(std::fabs(kept[i].error), 0.2);
    EXPECT_EQ(kept[i].total, MixedTotal(set.WorkingValues().data(), kept[i].network));
    if (i > 0) {
      EXPECT_TRUE(RanksBefore(kept[i - 1], kept[i]));
    }
  }
}

}  // namespace
}  // namespace ordavin
