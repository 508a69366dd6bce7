// One fast divider engine through many runs, and the factory that makes it.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "divider/DividerEngine.h"
#include "divider/DividerEngineFactory.h"
#include "divider/DividerParameters.h"
#include "divider/FastDividerEngine.h"
#include "divider/NetworkMode.h"
#include "divider/StraightforwardDividerEngine.h"
#include "support/CaseTexts.h"
#include "support/EngineModes.h"
#include "support/FastDividerAgreement.h"
#include "support/RandomDividerParameters.h"
#include "support/RandomValueSets.h"
#include "support/Rng.h"
#include "support/ValueFixtures.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

using ::ordavin::testing::Describe;
using ::ordavin::testing::kModePairs;
using ::ordavin::testing::RandomDividerParameters;
using ::ordavin::testing::Rng;
using ::ordavin::testing::SameOutcome;
using ::ordavin::testing::SeriesLikeValues;
using ::ordavin::testing::SetValues;

// Engine reuse: one engine through runs of different shapes gives what a fresh reference
// gives each time.
TEST(FastDividerReuse, EachRunAgreesWithAFreshReference) {
  Rng rng(0xAEA5E);
  const std::vector<double> values = SeriesLikeValues(rng, 12);
  ValueSet set;
  SetValues(set, values);
  FastDividerEngine reused(set);
  const std::atomic<bool> abort{false};
  for (int run = 0; run < 30; ++run) {
    const auto modes = kModePairs[rng.Below(4)];
    const DividerParameters p = RandomDividerParameters(
        rng, values, 1 + rng.Below(4), 1 + rng.Below(4), modes.first, modes.second);
    reused.SetParameters(p);
    const std::uint64_t returned = reused.Optimize(abort);
    StraightforwardDividerEngine reference(set);
    reference.SetParameters(p);
    const std::uint64_t wanted = reference.Optimize(abort);
    EXPECT_TRUE(SameOutcome(reused, returned, reference, wanted))
        << "run " << run << ": " << Describe(values, p);
  }
}

TEST(FastDividerReuse, TheFactoryMakesTheFastEngine) {
  ValueSet set;
  SetValues(set, {1000, 2200, 4700, 10000});
  const auto engine = MakeDividerEngine(set);
  ASSERT_NE(dynamic_cast<FastDividerEngine*>(engine.get()), nullptr);
}

}  // namespace
}  // namespace ordavin
