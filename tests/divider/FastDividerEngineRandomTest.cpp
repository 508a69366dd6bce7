// The fast divider engine against the straightforward one on random small cases: every
// count, every kept row and every figure to the last bit.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "divider/DividerParameters.h"
#include "divider/FastDividerEngine.h"
#include "divider/NetworkMode.h"
#include "divider/StraightforwardDividerEngine.h"
#include "support/BruteForceReference.h"
#include "support/CaseTexts.h"
#include "support/EngineModes.h"
#include "support/FailuresShown.h"
#include "support/FastDividerAgreement.h"
#include "support/RandomDigits.h"
#include "support/RandomDividerParameters.h"
#include "support/RandomValueSets.h"
#include "support/Rng.h"
#include "support/ValueFixtures.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

namespace ref = reference;
using ::ordavin::testing::Agree;
using ::ordavin::testing::Describe;
using ::ordavin::testing::kFailuresShown;
using ::ordavin::testing::kModePairs;
using ::ordavin::testing::RandomDigits;
using ::ordavin::testing::RandomDividerParameters;
using ::ordavin::testing::Rng;
using ::ordavin::testing::SeriesLikeValues;
using ::ordavin::testing::SetValues;
using ::ordavin::testing::ValuesFromPool;

// Few distinct values, some equal, some sums of others: equal errors between different
// combinations are common, which is what exercises the tie order.
constexpr std::array<double, 11> kValuePool = {1, 2, 2.2, 4.7, 10, 100, 1000, 3.3, 0.5, 4700, 1e5};

class FastDividerRandomCases
    : public ::testing::TestWithParam<std::tuple<std::uint32_t, std::uint32_t>> {};

TEST_P(FastDividerRandomCases, AgreeWithTheReferenceRowForRow) {
  const auto [upperCount, lowerCount] = GetParam();
  constexpr std::uint32_t kCasesPerModePair = 60;
  int failures = 0;
  int withMatches = 0;
  int truncated = 0;
  for (std::uint32_t m = 0; m < kModePairs.size(); ++m) {
    for (std::uint32_t k = 0; k < kCasesPerModePair; ++k) {
      Rng rng((std::uint64_t{upperCount} << 48) | (std::uint64_t{lowerCount} << 40) |
              (std::uint64_t{m} << 32) | k);
      const std::vector<double> values = ValuesFromPool(rng, 2 + rng.Below(7), kValuePool);
      ValueSet set;
      SetValues(set, values);
      const DividerParameters p = RandomDividerParameters(
          rng, values, upperCount, lowerCount, kModePairs[m].first, kModePairs[m].second);
      FastDividerEngine::Tuning tuning;
      tuning.workers = 1 + rng.Below(3);
      FastDividerEngine::RunInfo info;
      if (!Agree(set, p, tuning, &info) && ++failures >= kFailuresShown) {
        FAIL() << "further cases not run";
      }
      EXPECT_FALSE(info.fallback) << Describe(values, p);
      StraightforwardDividerEngine reference(set);
      reference.SetParameters(p);
      const std::atomic<bool> abort{false};
      const std::uint64_t matching = reference.Optimize(abort);
      withMatches += matching > 0 ? 1 : 0;
      truncated += matching > p.maxResults ? 1 : 0;
    }
  }
  // The generator must keep producing the cases that matter.
  EXPECT_GT(withMatches, 40);
  EXPECT_GT(truncated, 20);
}

INSTANTIATE_TEST_SUITE_P(
    NetworkSizes, FastDividerRandomCases,
    ::testing::Combine(::testing::Range(1u, 5u), ::testing::Range(1u, 5u)),
    [](const ::testing::TestParamInfo<std::tuple<std::uint32_t, std::uint32_t>>& sizes) {
      std::ostringstream name;
      name << 'U' << std::get<0>(sizes.param) << 'L' << std::get<1>(sizes.param);
      return name.str();
    });

// A combination hit exactly, with no tolerance and the series window pinned to its series
// total, lies on the very bounds the tolerance and the window set on the networks that can
// match: it must still be found, whatever the source and the load.
TEST(FastDividerEdges, ExactHitsOnTheBoundsOfTheWindowsAreFound) {
  int failures = 0;
  for (std::uint32_t k = 0; k < 400; ++k) {
    Rng rng(0xED6E0000u + k);
    const std::vector<double> values = SeriesLikeValues(rng, 4 + rng.Below(9));
    const auto n = static_cast<std::uint32_t>(values.size());
    ValueSet set;
    SetValues(set, values);
    const auto modes = kModePairs[rng.Below(4)];
    DividerParameters p;
    p.upperCount = 1 + rng.Below(3);
    p.lowerCount = 1 + rng.Below(3);
    p.upperMode = modes.first;
    p.lowerMode = modes.second;
    p.maxResults = 1 + rng.Below(4);
    p.sourceResistance = rng.Pick(std::array<double, 5>{0, 0, 4.7, 330, 1e4});
    p.loadConductance = rng.Pick(std::array<double, 5>{0, 0, 1e-6, 1e-3, 0.1});
    const ref::DividerFigures hit = ref::EvaluateDivider(
        ref::EvaluateNetwork(values, RandomDigits(rng, n, p.upperCount), p.upperMode),
        ref::EvaluateNetwork(values, RandomDigits(rng, n, p.lowerCount), p.lowerMode), p);
    p.targetFactor = hit.factor;
    p.tolerance = rng.Pick(std::array<double, 3>{0, 0, 1e-12});
    p.seriesMin = hit.rser;
    if (rng.Below(2) == 0) p.seriesMax = hit.rser;
    if (rng.Below(3) == 0) p.parallelMin = p.parallelMax = hit.rpar;
    FastDividerEngine::RunInfo info;
    if (!Agree(set, p, {}, &info) && ++failures >= kFailuresShown)
      FAIL() << "further cases not run";
    EXPECT_FALSE(info.fallback);
    StraightforwardDividerEngine reference(set);
    reference.SetParameters(p);
    const std::atomic<bool> abort{false};
    EXPECT_GE(reference.Optimize(abort), 1u) << "the hit itself matches: " << Describe(values, p);
  }
}

}  // namespace
}  // namespace ordavin
