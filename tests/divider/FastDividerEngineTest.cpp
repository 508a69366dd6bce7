// The fast divider engine against the straightforward one: every count, every kept row and
// every figure to the last bit, on random small cases, on mid-size ones that spread over
// buckets, chunks, threads and slabs, and on the E24 case of the benchmarks; then progress,
// abort and the searches it hands over.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <future>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "divider/DividerEngineFactory.h"
#include "divider/FastDividerEngine.h"
#include "divider/StraightforwardDividerEngine.h"
#include "support/BruteForceReference.h"
#include "support/ValueFixtures.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

namespace ref = reference;
using ::ordavin::testing::SetValues;

// splitmix64: a seed means the same case everywhere.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : m_state(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  std::uint32_t Below(std::uint32_t bound) { return static_cast<std::uint32_t>(Next() % bound); }
  double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  template <class T, std::size_t N>
  T Pick(const std::array<T, N>& choices) {
    return choices[Below(static_cast<std::uint32_t>(N))];
  }

 private:
  std::uint64_t m_state;
};

std::string Num(double v) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
  return std::string(buffer.data(), result.ptr);
}

bool SameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

std::string Describe(const std::vector<double>& values, const DividerParameters& p) {
  std::ostringstream os;
  os << "values {";
  for (std::size_t i = 0; i < values.size() && i < 40; ++i) os << (i ? ", " : "") << Num(values[i]);
  if (values.size() > 40) os << ", ... (" << values.size() << ")";
  os << "}, U=" << p.upperCount << (p.upperMode == NetworkMode::Parallel ? " par" : " ser")
     << ", L=" << p.lowerCount << (p.lowerMode == NetworkMode::Parallel ? " par" : " ser")
     << ", maxResults " << p.maxResults << ", target " << Num(p.targetFactor) << ", tolerance "
     << Num(p.tolerance) << ", series [" << Num(p.seriesMin) << ", " << Num(p.seriesMax)
     << "], parallel [" << Num(p.parallelMin) << ", " << Num(p.parallelMax) << "], source "
     << Num(p.sourceResistance) << ", load conductance " << Num(p.loadConductance);
  return os.str();
}

// Counts, kept rows (index vectors, modes, every figure by its bits) and the placeholders
// the reference leaves in the slots it did not fill.
::testing::AssertionResult SameOutcome(const DividerEngine& fast, std::uint64_t fastReturned,
                                       const DividerEngine& reference,
                                       std::uint64_t referenceReturned) {
  if (fast.VisitedCount() != reference.VisitedCount()) {
    return ::testing::AssertionFailure()
           << "visited " << fast.VisitedCount() << ", reference " << reference.VisitedCount();
  }
  if (fast.MatchingCount() != reference.MatchingCount() || fastReturned != referenceReturned) {
    return ::testing::AssertionFailure()
           << "matching " << fast.MatchingCount() << " (returned " << fastReturned
           << "), reference " << reference.MatchingCount();
  }
  const auto got = fast.KeptMatches();
  const auto want = reference.KeptMatches();
  if (got.size() != want.size()) {
    return ::testing::AssertionFailure() << "kept " << got.size() << ", reference " << want.size();
  }
  for (std::size_t i = 0; i < got.size(); ++i) {
    const DividerMatch& a = got[i];
    const DividerMatch& b = want[i];
    if (a.indices != b.indices || a.upperMode != b.upperMode || a.lowerMode != b.lowerMode) {
      std::ostringstream os;
      for (const auto d : a.indices) os << d << ' ';
      os << "| reference ";
      for (const auto d : b.indices) os << d << ' ';
      return ::testing::AssertionFailure() << "row " << i << ": " << os.str() << "(errors "
                                           << Num(a.error) << ", " << Num(b.error) << ")";
    }
    const std::array<std::pair<double, double>, 6> figures = {{{a.ruTotal, b.ruTotal},
                                                               {a.rlTotal, b.rlTotal},
                                                               {a.divisionFactor, b.divisionFactor},
                                                               {a.rserTotal, b.rserTotal},
                                                               {a.rparTotal, b.rparTotal},
                                                               {a.error, b.error}}};
    for (std::size_t f = 0; f < figures.size(); ++f) {
      if (!SameBits(figures[f].first, figures[f].second)) {
        return ::testing::AssertionFailure()
               << "row " << i << ", figure " << f << ": " << Num(figures[f].first) << " vs "
               << Num(figures[f].second);
      }
    }
  }
  const std::uint32_t capacity = fast.Parameters().maxResults;
  for (std::size_t j = got.size(); j < capacity; ++j) {
    if (!SameBits(fast.BestMatchSlots()[j].error, reference.BestMatchSlots()[j].error)) {
      return ::testing::AssertionFailure() << "placeholder " << j << " differs";
    }
  }
  return ::testing::AssertionSuccess();
}

// Runs both engines on the case; false (with a failure recorded) when they disagree.
bool Agree(const ValueSet& set, const DividerParameters& p,
           const FastDividerEngine::Tuning& tuning = {},
           FastDividerEngine::RunInfo* info = nullptr) {
  const std::atomic<bool> abort{false};
  FastDividerEngine fast(set);
  fast.SetTuning(tuning);
  fast.SetParameters(p);
  const std::uint64_t fastReturned = fast.Optimize(abort);
  StraightforwardDividerEngine reference(set);
  reference.SetParameters(p);
  const std::uint64_t referenceReturned = reference.Optimize(abort);
  if (info != nullptr) *info = fast.LastRun();
  const auto same = SameOutcome(fast, fastReturned, reference, referenceReturned);
  if (same) return true;
  ADD_FAILURE() << same.message() << "\n  "
                << Describe({set.WorkingValues().begin(), set.WorkingValues().end()}, p)
                << (fast.LastRun().fallback ? " (fell back)" : "");
  return false;
}

std::vector<std::int32_t> RandomDigits(Rng& rng, std::uint32_t n, std::uint32_t count) {
  std::vector<std::int32_t> digits(count);
  for (std::int32_t& d : digits) d = static_cast<std::int32_t>(rng.Below(n));
  std::sort(digits.begin(), digits.end());
  return digits;
}

// A random case over the given values. Most targets are hit exactly by some combination,
// so that exact hits and ties between different combinations are common; the windows are
// often pinned to the figures of one combination.
DividerParameters RandomParameters(Rng& rng, const std::vector<double>& values,
                                   std::uint32_t upperCount, std::uint32_t lowerCount,
                                   NetworkMode upperMode, NetworkMode lowerMode) {
  const auto n = static_cast<std::uint32_t>(values.size());
  DividerParameters p;
  p.upperCount = upperCount;
  p.lowerCount = lowerCount;
  p.upperMode = upperMode;
  p.lowerMode = lowerMode;
  p.maxResults = 1 + rng.Below(12);
  p.sourceResistance = rng.Pick(std::array<double, 7>{0, 0, 0, 0.5, 1, 4.7, 100});
  p.loadConductance = rng.Pick(std::array<double, 7>{0, 0, 0, 1e-3, 1.0 / 4.7, 0.01, 2.0});
  const auto figuresOf = [&] {
    return ref::EvaluateDivider(
        ref::EvaluateNetwork(values, RandomDigits(rng, n, upperCount), upperMode),
        ref::EvaluateNetwork(values, RandomDigits(rng, n, lowerCount), lowerMode), p);
  };
  const ref::DividerFigures hit = figuresOf();
  const ref::DividerFigures other = figuresOf();
  const std::uint32_t targetKind = rng.Below(10);
  if (targetKind < 7) {
    p.targetFactor = hit.factor;
  } else if (targetKind < 9) {
    p.targetFactor = 0.001 + 0.998 * rng.Unit();
  } else {
    p.targetFactor = rng.Pick(std::array<double, 4>{0.5, 0.25, 1.0 / 3.0, 0.1});
  }
  p.tolerance =
      rng.Pick(std::array<double, 13>{0, 0, 1e-12, 1e-6, 1e-3, 0.01, 0.05, 0.2, 0.5, 1, 2, 5, -1});
  if (p.tolerance < 0) p.tolerance = 5 * rng.Unit();
  const ref::DividerFigures& anchor = rng.Below(2) == 0 ? hit : other;
  switch (rng.Below(8)) {
    case 3:
      p.seriesMin = p.seriesMax = anchor.rser;
      break;
    case 4:
      p.parallelMin = p.parallelMax = anchor.rpar;
      break;
    case 5:
      p.seriesMin = std::min(hit.rser, other.rser);
      p.seriesMax = std::max(hit.rser, other.rser);
      break;
    case 6:
      p.parallelMin = std::min(hit.rpar, other.rpar);
      p.parallelMax = std::max(hit.rpar, other.rpar);
      break;
    case 7:
      p.seriesMin = std::min(hit.rser, other.rser);
      p.seriesMax = std::max(hit.rser, other.rser);
      p.parallelMin = std::min(hit.rpar, other.rpar);
      p.parallelMax = std::max(hit.rpar, other.rpar);
      break;
    default:
      break;  // windows open
  }
  return p;
}

constexpr std::array<std::pair<NetworkMode, NetworkMode>, 4> kModePairs = {{
    {NetworkMode::Parallel, NetworkMode::Parallel},
    {NetworkMode::Parallel, NetworkMode::Series},
    {NetworkMode::Series, NetworkMode::Parallel},
    {NetworkMode::Series, NetworkMode::Series},
}};

// Few distinct values, some equal, some sums of others: equal errors between different
// combinations are common, which is what exercises the tie order.
constexpr std::array<double, 11> kValuePool = {1, 2, 2.2, 4.7, 10, 100, 1000, 3.3, 0.5, 4700, 1e5};

constexpr int kFailuresShown = 5;

// Random small cases.

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
      std::vector<double> values(2 + rng.Below(7));
      for (double& v : values) v = rng.Pick(kValuePool);
      ValueSet set;
      SetValues(set, values);
      const DividerParameters p = RandomParameters(rng, values, upperCount, lowerCount,
                                                   kModePairs[m].first, kModePairs[m].second);
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

// Values drawn from the E12 series over several decades, a few of them twice.
std::vector<double> SeriesLikeValues(Rng& rng, std::uint32_t n) {
  static constexpr std::array<double, 12> kE12 = {1.0, 1.2, 1.5, 1.8, 2.2, 2.7,
                                                  3.3, 3.9, 4.7, 5.6, 6.8, 8.2};
  std::vector<double> values(n);
  for (double& v : values) {
    v = rng.Pick(kE12) * std::pow(10.0, static_cast<double>(rng.Below(6)));
  }
  std::sort(values.begin(), values.end());
  return values;
}

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
      DividerParameters p = RandomParameters(rng, values, kSizes[s].upper, kSizes[s].lower,
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
    DividerParameters p = RandomParameters(rng, values, 4, 1, upperMode, NetworkMode::Series);
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

// Sanitizers slow the straightforward engine down tenfold; there the E24 case below runs
// over a part of the series.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

ValueSet E24Within(double lowest, double highest) {
  ValueSet set;
  EXPECT_TRUE(set.LoadSeriesFile(ORDAVIN_SERIES_DIR "/E24.SER"));
  set.GenerateValues();
  set.ResetWorkingSet();
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
    const DividerParameters p = RandomParameters(rng, values, 1 + rng.Below(4), 1 + rng.Below(4),
                                                 modes.first, modes.second);
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

// What the fast engine hands to the reference: the same answer, flagged as a fallback.

DividerParameters SmallCase() {
  DividerParameters p;
  p.upperCount = 2;
  p.lowerCount = 2;
  p.upperMode = NetworkMode::Parallel;
  p.lowerMode = NetworkMode::Series;
  p.targetFactor = 0.3;
  p.tolerance = 0.5;
  p.maxResults = 7;
  return p;
}

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

// Progress and abort.

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
