// The fast divider engine against the straightforward one on cases big enough to spread
// over buckets, chunks, workers and slabs.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <utility>
#include <vector>

#include "divider/DividerParameters.h"
#include "divider/FastDividerEngine.h"
#include "divider/NetworkMode.h"
#include "divider/StraightforwardDividerEngine.h"
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
using ::ordavin::testing::SameOutcome;
using ::ordavin::testing::SeriesLikeValues;
using ::ordavin::testing::SetValues;

// Sizes at which the upper side spreads over several buckets and both the build and the
// sweep run on several workers, and the lower side over several chunks; two mode pairs
// each, all four among them.
TEST(FastDividerMidSizeCases, AgreeAcrossBucketsChunksAndWorkers) {
  struct Size {
    std::uint32_t n, upper, lower;
  };
  constexpr std::array<Size, 4> kSizes = {{{36, 4, 1}, {36, 1, 4}, {20, 3, 3}, {30, 2, 3}}};
  int failures = 0;
  for (std::uint32_t s = 0; s < kSizes.size(); ++s) {
    for (const std::uint32_t m : {s % 4, (s + 2) % 4}) {
      Rng rng(0x5EED0000u + s * 16 + m);
      const std::vector<double> values = SeriesLikeValues(rng, kSizes[s].n);
      ValueSet set;
      SetValues(set, values);
      DividerParameters p = RandomDividerParameters(rng, values, kSizes[s].upper, kSizes[s].lower,
                                                    kModePairs[m].first, kModePairs[m].second);
      p.tolerance = std::min(p.tolerance, 0.05);
      FastDividerEngine::Tuning tuning;
      tuning.workers = 2;
      if (!Agree(set, p, tuning) && ++failures >= kFailuresShown) FAIL() << "further cases not run";
    }
  }
}

// A memory limit below the sorted side's size: the upper side is built and swept slab by
// slab, with the same answer.
TEST(FastDividerMidSizeCases, SlabsGiveTheSameAnswer) {
  for (const NetworkMode upperMode : {NetworkMode::Parallel, NetworkMode::Series}) {
    Rng rng(0xB1AB + static_cast<std::uint64_t>(upperMode));
    const std::vector<double> values = SeriesLikeValues(rng, 36);
    ValueSet set;
    SetValues(set, values);
    DividerParameters p =
        RandomDividerParameters(rng, values, 4, 1, upperMode, NetworkMode::Series);
    p.seriesMin = p.parallelMin = 0;
    p.seriesMax = p.parallelMax = DividerParameters::kOpenWindowMax;
    p.tolerance = 0.02;
    const std::atomic<bool> abort{false};
    StraightforwardDividerEngine reference(set);
    reference.SetParameters(p);
    const std::uint64_t wanted = reference.Optimize(abort);

    FastDividerEngine::Tuning tuning;
    tuning.workers = 2;
    FastDividerEngine whole(set);
    whole.SetTuning(tuning);
    whole.SetParameters(p);
    EXPECT_TRUE(SameOutcome(whole, whole.Optimize(abort), reference, wanted));
    ASSERT_EQ(whole.LastRun().upperSlabs, 1u);
    // Room for about a third of the sorted side besides everything else.
    const std::uint64_t entryBytes = 12;
    tuning.memoryLimit =
        whole.LastRun().memoryEstimate - whole.LastRun().upperKept * entryBytes / 3 * 2;
    FastDividerEngine sliced(set);
    sliced.SetTuning(tuning);
    sliced.SetParameters(p);
    EXPECT_TRUE(SameOutcome(sliced, sliced.Optimize(abort), reference, wanted))
        << Describe(values, p);
    EXPECT_FALSE(sliced.LastRun().fallback);
    EXPECT_GE(sliced.LastRun().upperSlabs, 3u) << Describe(values, p);
  }
}

}  // namespace
}  // namespace ordavin
