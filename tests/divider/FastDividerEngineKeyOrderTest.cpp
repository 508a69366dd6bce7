// The fast divider engine with the values in ascending order, where the lower side is taken
// in shares and key bands: against the straightforward engine with bands from one network
// up, so that bands are cut, retried narrower and left empty, over one to three workers.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "divider/DividerParameters.h"
#include "divider/FastDividerEngine.h"
#include "divider/NetworkMode.h"
#include "support/CaseTexts.h"
#include "support/EngineModes.h"
#include "support/FailuresShown.h"
#include "support/FastDividerAgreement.h"
#include "support/RandomDividerParameters.h"
#include "support/RandomValueSets.h"
#include "support/Rng.h"
#include "support/ValueFixtures.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

using ::ordavin::testing::Agree;
using ::ordavin::testing::Describe;
using ::ordavin::testing::kFailuresShown;
using ::ordavin::testing::kModePairs;
using ::ordavin::testing::RandomDividerParameters;
using ::ordavin::testing::Rng;
using ::ordavin::testing::SeriesLikeValues;
using ::ordavin::testing::SetValues;
using ::ordavin::testing::ValuesFromPool;

// Repeated values and values that are sums of others: many networks share a key, and equal
// keys straddle the bands' ends.
constexpr std::array<double, 9> kValuePool = {1, 2, 2, 3, 4.7, 10, 12, 100, 1000};
constexpr std::array<std::uint64_t, 6> kBandItems = {1, 2, 3, 7, 64, 0};

TEST(FastDividerKeyOrder, SmallAscendingSetsAgreeWithTheReference) {
  int failures = 0;
  int withMatches = 0;
  for (std::uint32_t k = 0; k < 480; ++k) {
    Rng rng(0x6E40000u + k);
    std::vector<double> values = ValuesFromPool(rng, 2 + rng.Below(8), kValuePool);
    std::sort(values.begin(), values.end());
    ValueSet set;
    SetValues(set, values);
    const auto modes = kModePairs[k % kModePairs.size()];
    const DividerParameters p = RandomDividerParameters(
        rng, values, 1 + rng.Below(4), 1 + rng.Below(4), modes.first, modes.second);
    FastDividerEngine::Tuning tuning;
    tuning.workers = 1 + rng.Below(3);
    tuning.lowerBandItems = rng.Pick(kBandItems);
    FastDividerEngine::RunInfo info;
    if (!Agree(set, p, tuning, &info) && ++failures >= kFailuresShown) {
      FAIL() << "further cases not run";
    }
    EXPECT_TRUE(info.lowersInKeyOrder || info.fallback) << Describe(values, p);
    withMatches += info.fallback ? 0 : 1;
  }
  EXPECT_GT(withMatches, 400);
}

// Enough lower networks for several shares per worker, with bands far below and near the
// planned size.
TEST(FastDividerKeyOrder, SharesAndBandsOfLargerSidesAgreeWithTheReference) {
  struct Size {
    std::uint32_t n, upper, lower;
  };
  constexpr std::array<Size, 3> kSizes = {{{30, 2, 3}, {14, 3, 4}, {40, 1, 2}}};
  int failures = 0;
  for (std::uint32_t s = 0; s < kSizes.size(); ++s) {
    for (std::uint32_t m = 0; m < kModePairs.size(); ++m) {
      Rng rng(0xBA4D0000u + s * 16 + m);
      const std::vector<double> values = SeriesLikeValues(rng, kSizes[s].n);
      ValueSet set;
      SetValues(set, values);
      DividerParameters p = RandomDividerParameters(rng, values, kSizes[s].upper, kSizes[s].lower,
                                                    kModePairs[m].first, kModePairs[m].second);
      p.tolerance = std::min(p.tolerance, 0.05);
      FastDividerEngine::Tuning tuning;
      tuning.workers = 1 + (s + m) % 3;
      tuning.lowerBandItems = m % 2 == 0 ? 5 : 300;
      FastDividerEngine::RunInfo info;
      if (!Agree(set, p, tuning, &info) && ++failures >= kFailuresShown) {
        FAIL() << "further cases not run";
      }
      EXPECT_TRUE(info.lowersInKeyOrder) << Describe(values, p);
    }
  }
}

// Values out of order take the lower side in chunks of ranks instead, with the same answer.
TEST(FastDividerKeyOrder, ValuesOutOfOrderAreTakenInChunks) {
  const std::vector<double> values = {10, 4.7, 22, 1, 1000, 3.3, 470, 2.2};
  ValueSet set;
  SetValues(set, values);
  Rng rng(0xC4A4);
  const DividerParameters p =
      RandomDividerParameters(rng, values, 2, 2, NetworkMode::Parallel, NetworkMode::Series);
  FastDividerEngine::RunInfo info;
  EXPECT_TRUE(Agree(set, p, {}, &info));
  EXPECT_FALSE(info.lowersInKeyOrder);
  EXPECT_FALSE(info.fallback);
}

}  // namespace
}  // namespace ordavin
