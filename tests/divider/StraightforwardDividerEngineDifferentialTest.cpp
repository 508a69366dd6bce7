// The straightforward divider engine against the brute-force search of
// support/BruteForceReference.h on small random value sets: every count, every kept row,
// and every figure to the last bit.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "divider/DividerEngine.h"
#include "divider/DividerMatch.h"
#include "divider/DividerParameters.h"
#include "divider/NetworkMode.h"
#include "divider/StraightforwardDividerEngine.h"
#include "support/BruteForceReference.h"
#include "support/CaseSeed.h"
#include "support/CaseTexts.h"
#include "support/EngineModes.h"
#include "support/ExactDoubles.h"
#include "support/FailuresShown.h"
#include "support/RandomDividerParameters.h"
#include "support/RandomValueSets.h"
#include "support/RankingCoverage.h"
#include "support/Rng.h"
#include "support/ValueFixtures.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

namespace ref = reference;
using ::ordavin::testing::CaseSeed;
using ::ordavin::testing::Describe;
using ::ordavin::testing::kFailuresShown;
using ::ordavin::testing::kModePairs;
using ::ordavin::testing::kTieProneValues;
using ::ordavin::testing::MakeValueSet;
using ::ordavin::testing::ModeName;
using ::ordavin::testing::RandomDividerParameters;
using ::ordavin::testing::RankingCoverage;
using ::ordavin::testing::Rng;
using ::ordavin::testing::SameBits;
using ::ordavin::testing::Show;
using ::ordavin::testing::ShowDigits;
using ::ordavin::testing::ValuesFromPool;

// Comparison: counts first, then every kept row, figures by their bits.

struct DividerCase {
  std::uint64_t seed = 0;
  std::vector<double> values;
  DividerParameters p;
};

std::string Describe(const DividerCase& c) {
  std::ostringstream os;
  os << "case seed 0x" << std::hex << c.seed << std::dec << ": " << Describe(c.values, c.p);
  return os.str();
}

::testing::AssertionResult CompareDivider(const DividerEngine& engine, std::uint64_t returned,
                                          const ref::DividerOutcome& want,
                                          const DividerParameters& p, std::uint32_t n) {
  const std::uint64_t combos =
      ref::MultisetCount(n, p.upperCount) * ref::MultisetCount(n, p.lowerCount);
  if (want.visited != combos) {
    return ::testing::AssertionFailure()
           << "the reference itself visited " << want.visited << " of " << combos;
  }
  if (engine.VisitedCount() != combos) {
    return ::testing::AssertionFailure()
           << "visited " << engine.VisitedCount() << ", expected " << combos;
  }
  if (engine.MatchingCount() != want.matching || returned != want.matching) {
    return ::testing::AssertionFailure() << "matching " << engine.MatchingCount() << " (returned "
                                         << returned << "), expected " << want.matching;
  }
  const auto kept = engine.KeptMatches();
  if (kept.size() != want.rows.size()) {
    return ::testing::AssertionFailure()
           << "kept " << kept.size() << " rows, expected " << want.rows.size();
  }
  const auto last = static_cast<std::int32_t>(n) - 1;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    const DividerMatch& got = kept[i];
    const ref::DividerRow& w = want.rows[i];
    std::vector<std::int32_t> indices = w.upper;
    indices.insert(indices.end(), {last, 0});
    indices.insert(indices.end(), w.lower.begin(), w.lower.end());
    indices.insert(indices.end(), {last, 0});
    const auto upper = got.UpperDigits(p.upperCount);
    const auto lower = got.LowerDigits(p.upperCount, p.lowerCount);
    if (got.indices != indices ||
        !std::equal(upper.begin(), upper.end(), w.upper.begin(), w.upper.end()) ||
        !std::equal(lower.begin(), lower.end(), w.lower.begin(), w.lower.end())) {
      return ::testing::AssertionFailure()
             << "row " << i << ": index vector " << ShowDigits(got.indices) << " (error "
             << Show(got.error) << "), expected " << ShowDigits(indices) << " (error "
             << Show(w.figures.error) << ", visit " << w.visitKey << ")";
    }
    const std::array<std::tuple<const char*, double, double>, 6> figures = {{
        {"ruTotal", got.ruTotal, w.figures.ru},
        {"rlTotal", got.rlTotal, w.figures.rl},
        {"divisionFactor", got.divisionFactor, w.figures.factor},
        {"rserTotal", got.rserTotal, w.figures.rser},
        {"rparTotal", got.rparTotal, w.figures.rpar},
        {"error", got.error, w.figures.error},
    }};
    for (const auto& [name, have, expected] : figures) {
      if (!SameBits(have, expected)) {
        return ::testing::AssertionFailure()
               << "row " << i << " " << ShowDigits(indices) << ": " << name << " " << Show(have)
               << ", expected " << Show(expected);
      }
    }
    if (got.upperMode != p.upperMode || got.lowerMode != p.lowerMode) {
      return ::testing::AssertionFailure() << "row " << i << ": modes " << ModeName(got.upperMode)
                                           << "/" << ModeName(got.lowerMode) << ", expected "
                                           << ModeName(p.upperMode) << "/" << ModeName(p.lowerMode);
    }
  }
  return ::testing::AssertionSuccess();
}

// Random cases.

// Draws a fresh working set unless one is given.
DividerCase MakeDividerCase(std::uint64_t seed, std::uint32_t upperCount, std::uint32_t lowerCount,
                            NetworkMode upperMode, NetworkMode lowerMode,
                            const std::vector<double>* values = nullptr) {
  Rng rng(seed);
  DividerCase c;
  c.seed = seed;
  c.values = values != nullptr ? *values : ValuesFromPool(rng, 2 + rng.Below(7), kTieProneValues);
  c.p = RandomDividerParameters(rng, c.values, upperCount, lowerCount, upperMode, lowerMode);
  return c;
}

// Runs the case on the given engine and compares; false when it disagreed.
bool RunAndCompare(StraightforwardDividerEngine& engine, const DividerCase& c, const char* which,
                   ref::DividerOutcome* outcome = nullptr) {
  engine.SetParameters(c.p);
  const std::atomic<bool> abort{false};
  const std::uint64_t returned = engine.Optimize(abort);
  const ref::DividerOutcome want = ref::SearchDivider(c.values, c.p);
  const auto n = static_cast<std::uint32_t>(c.values.size());
  const ::testing::AssertionResult same = CompareDivider(engine, returned, want, c.p, n);
  if (outcome != nullptr) *outcome = want;
  if (same) return true;
  ADD_FAILURE() << which << ": " << same.message() << "\n  " << Describe(c);
  return false;
}

constexpr std::uint32_t kDividerCasesPerModePair = 200;

class DividerAgainstBruteForce
    : public ::testing::TestWithParam<std::tuple<std::uint32_t, std::uint32_t>> {};

TEST_P(DividerAgainstBruteForce, RandomValueSetsAgreeRowForRow) {
  const auto [upperCount, lowerCount] = GetParam();
  RankingCoverage coverage;
  int failures = 0;
  for (std::uint32_t m = 0; m < kModePairs.size(); ++m) {
    for (std::uint32_t k = 0; k < kDividerCasesPerModePair; ++k) {
      const DividerCase c = MakeDividerCase(CaseSeed(1, upperCount, lowerCount, m, k), upperCount,
                                            lowerCount, kModePairs[m].first, kModePairs[m].second);
      const ValueSet values = MakeValueSet(c.values);
      StraightforwardDividerEngine engine(values);
      ref::DividerOutcome want;
      if (!RunAndCompare(engine, c, "divider", &want) && ++failures >= kFailuresShown) {
        FAIL() << "further cases of this group not run";
      }
      coverage.Note(want, c.p.maxResults, [](const ref::DividerRow& r) { return r.figures.error; });
      const bool pinned = c.p.seriesMin == c.p.seriesMax || c.p.parallelMin == c.p.parallelMax;
      if (pinned && want.matching > 0) ++coverage.pinnedWindow;
    }
  }
  coverage.Expect();
  coverage.ExpectPinnedWindows();
}

INSTANTIATE_TEST_SUITE_P(
    NetworkSizes, DividerAgainstBruteForce,
    ::testing::Combine(::testing::Range(1u, 5u), ::testing::Range(1u, 5u)),
    [](const ::testing::TestParamInfo<std::tuple<std::uint32_t, std::uint32_t>>& sizes) {
      std::ostringstream name;
      name << 'U' << std::get<0>(sizes.param) << 'L' << std::get<1>(sizes.param);
      return name.str();
    });

// Visit order, spelled out by hand: with every value equal all combinations tie, so the kept
// rows are the visit order reversed. This also pins the reference's rank formula.

TEST(VisitOrderByHand, DividerTiesComeOutInReverseVisitOrder) {
  const std::vector<double> values = {10, 10, 10};
  const ValueSet set = MakeValueSet(values);
  // n = 3, U = 2, L = 1: upper moves fastest, colexicographic within each network.
  const std::vector<std::vector<std::int32_t>> upperOrder = {{0, 0}, {0, 1}, {1, 1},
                                                             {0, 2}, {1, 2}, {2, 2}};
  std::vector<std::vector<std::int32_t>> visits;  // upper digits, then lower digit
  for (std::int32_t lower = 0; lower < 3; ++lower) {
    for (const auto& upper : upperOrder) {
      visits.push_back({upper[0], upper[1], lower});
    }
  }
  for (const auto& [upperMode, lowerMode] : kModePairs) {
    DividerCase c;
    c.values = values;
    c.p.upperCount = 2;
    c.p.lowerCount = 1;
    c.p.upperMode = upperMode;
    c.p.lowerMode = lowerMode;
    c.p.maxResults = 20;
    c.p.tolerance = 0;
    const std::vector<std::int32_t> lowerZero = {0};
    c.p.targetFactor = ref::EvaluateDivider(ref::EvaluateNetwork(values, upperOrder[0], upperMode),
                                            ref::EvaluateNetwork(values, lowerZero, lowerMode), c.p)
                           .factor;
    StraightforwardDividerEngine engine(set);
    ref::DividerOutcome want;
    ASSERT_TRUE(RunAndCompare(engine, c, "divider", &want));
    const auto kept = engine.KeptMatches();
    ASSERT_EQ(kept.size(), 18u) << Describe(c);
    for (std::size_t i = 0; i < kept.size(); ++i) {
      const auto& v = visits[17 - i];
      const std::vector<std::int32_t> expected = {v[0], v[1], 2, 0, v[2], 2, 0};
      EXPECT_EQ(kept[i].indices, expected) << "row " << i << ", " << Describe(c);
      EXPECT_EQ(want.rows[i].visitKey, 17 - i) << "reference rank, row " << i;
    }
  }
}

// Reuse: the best-results array keeps its size and its stale rows between runs, which must
// not leak into a later run with fewer results asked for.

constexpr std::uint32_t kReuseCases = 60;

TEST(EngineReuse, DividerRunsWithFewerResultsMatchAFreshEngine) {
  int failures = 0;
  for (std::uint32_t k = 0; k < kReuseCases && failures < kFailuresShown; ++k) {
    Rng pick(CaseSeed(4, 0, 0, 0, k));
    const std::uint32_t upperCount = 1 + pick.Below(3);
    const std::uint32_t lowerCount = 1 + pick.Below(3);
    const auto modes = kModePairs[pick.Below(4)];
    DividerCase wide = MakeDividerCase(CaseSeed(4, upperCount, lowerCount, 1, k), upperCount,
                                       lowerCount, modes.first, modes.second);
    wide.p.maxResults = 12;
    wide.p.tolerance = 5;
    wide.p.seriesMin = wide.p.parallelMin = 0;
    wide.p.seriesMax = wide.p.parallelMax = DividerParameters::kOpenWindowMax;

    const ValueSet set = MakeValueSet(wide.values);
    StraightforwardDividerEngine reused(set);
    if (!RunAndCompare(reused, wide, "reused divider, first run")) ++failures;

    DividerCase narrow = wide;
    narrow.p.maxResults = 1 + pick.Below(4);
    // Same working set; another target, tolerance and windows.
    DividerCase tighter = MakeDividerCase(CaseSeed(4, upperCount, lowerCount, 2, k), upperCount,
                                          lowerCount, modes.first, modes.second, &wide.values);
    tighter.p.maxResults = 1 + pick.Below(6);
    DividerCase nothing = wide;
    nothing.p.tolerance = 0;
    nothing.p.targetFactor = 0.123456789;
    nothing.p.maxResults = 2;
    // Other network sizes: the index vector changes length between runs.
    DividerCase resized =
        MakeDividerCase(CaseSeed(4, upperCount, lowerCount, 3, k), 1 + pick.Below(4),
                        1 + pick.Below(4), modes.second, modes.first, &wide.values);
    resized.p.maxResults = 1 + pick.Below(6);
    for (const DividerCase* next : {&narrow, &tighter, &nothing, &resized, &narrow}) {
      if (!RunAndCompare(reused, *next, "reused divider")) ++failures;
      StraightforwardDividerEngine fresh(set);
      if (!RunAndCompare(fresh, *next, "fresh divider")) ++failures;
    }
  }
}

}  // namespace
}  // namespace ordavin
