// The fast divider engine against the straightforward one on the E24 case of the benchmarks.
#include <gtest/gtest.h>

#include <future>

#include "divider/DividerParameters.h"
#include "divider/NetworkMode.h"
#include "support/BundledValueSet.h"
#include "support/FastDividerAgreement.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

using ::ordavin::testing::Agree;
using ::ordavin::testing::LoadBundled;

// Sanitizers slow the straightforward engine down tenfold; there the E24 case below runs
// over a part of the series.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

ValueSet E24Within(double lowest, double highest) {
  ValueSet set = LoadBundled("E24.SER");
  set.RestrictToRange(lowest, highest);
  return set;
}

// The bundled E24 series, two resistors on each side, as in the benchmarks: the whole
// search with the upper network parallel and the lower one in series (under sanitizers
// over the four middle decades only), and the both-series variant over those four decades
// (the straightforward engine needs seconds for each whole search).
TEST(FastDividerBenchmarkCase, E24TwoPlusTwoAgreesWithTheReference) {
  const ValueSet full = kSanitized ? E24Within(100, 910000) : E24Within(0, 1e31);
  ASSERT_EQ(full.WorkingCount(), kSanitized ? 96u : 169u);
  const ValueSet middle = E24Within(100, 910000);
  ASSERT_EQ(middle.WorkingCount(), 96u);

  DividerParameters p;
  p.targetFactor = 1.25 / 3.3;
  p.tolerance = 0.01;
  p.seriesMin = 1000;
  p.seriesMax = 100000;
  p.maxResults = 10;
  p.upperCount = 2;
  p.lowerCount = 2;
  p.upperMode = NetworkMode::Parallel;
  p.lowerMode = NetworkMode::Series;
  DividerParameters bothSeries = p;
  bothSeries.upperMode = NetworkMode::Series;
  // The two searches at once: the straightforward engine is single-threaded.
  auto second = std::async(std::launch::async, [&] { return Agree(middle, bothSeries); });
  EXPECT_TRUE(Agree(full, p));
  EXPECT_TRUE(second.get());
}

}  // namespace
}  // namespace ordavin
