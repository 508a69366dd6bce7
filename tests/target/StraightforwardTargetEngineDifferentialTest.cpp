// The straightforward target engine against the brute-force search of
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
#include <utility>
#include <vector>

#include "support/BruteForceReference.h"
#include "support/CaseSeed.h"
#include "support/CaseTexts.h"
#include "support/EngineModes.h"
#include "support/ExactDoubles.h"
#include "support/FailuresShown.h"
#include "support/RandomDigits.h"
#include "support/RandomValueSets.h"
#include "support/RankingCoverage.h"
#include "support/Rng.h"
#include "support/ValueFixtures.h"
#include "target/ConnectionMode.h"
#include "target/StraightforwardTargetEngine.h"
#include "target/TargetEngine.h"
#include "target/TargetMatch.h"
#include "target/TargetParameters.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

namespace ref = reference;
using ::ordavin::testing::CaseSeed;
using ::ordavin::testing::Describe;
using ::ordavin::testing::kConnectionModes;
using ::ordavin::testing::kFailuresShown;
using ::ordavin::testing::kTieProneValues;
using ::ordavin::testing::MakeValueSet;
using ::ordavin::testing::RandomDigits;
using ::ordavin::testing::RankingCoverage;
using ::ordavin::testing::Rng;
using ::ordavin::testing::SameBits;
using ::ordavin::testing::Show;
using ::ordavin::testing::ShowDigits;
using ::ordavin::testing::ValuesFromPool;

// Comparison: counts first, then every kept row, figures by their bits.

struct TargetCase {
  std::uint64_t seed = 0;
  std::vector<double> values;
  TargetParameters p;
};

std::string Describe(const TargetCase& c) {
  std::ostringstream os;
  os << "case seed 0x" << std::hex << c.seed << std::dec << ": " << Describe(c.values, c.p);
  return os.str();
}

std::uint64_t EvaluationsPerMultiset(ConnectionMode mode) {
  return (EvaluatesParallel(mode) ? 1u : 0u) + (EvaluatesSeries(mode) ? 1u : 0u);
}

::testing::AssertionResult CompareTarget(const TargetEngine& engine, std::uint64_t returned,
                                         const ref::TargetOutcome& want, const TargetParameters& p,
                                         std::uint32_t n) {
  const std::uint64_t evaluations =
      ref::MultisetCount(n, p.resistorCount) * EvaluationsPerMultiset(p.connectionMode);
  if (want.visited != evaluations) {
    return ::testing::AssertionFailure()
           << "the reference itself visited " << want.visited << " of " << evaluations;
  }
  if (engine.VisitedCount() != evaluations) {
    return ::testing::AssertionFailure()
           << "visited " << engine.VisitedCount() << ", expected " << evaluations;
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
  for (std::size_t i = 0; i < kept.size(); ++i) {
    const TargetMatch& got = kept[i];
    const ref::TargetRow& w = want.rows[i];
    // The positions are followed by the sentinels (n - 1, 0).
    std::vector<std::int32_t> indices = w.positions;
    indices.insert(indices.end(), {static_cast<std::int32_t>(n) - 1, 0});
    const auto positions = got.Positions(p.resistorCount);
    if (got.indices != indices || got.isParallel != w.isParallel ||
        !std::equal(positions.begin(), positions.end(), w.positions.begin(), w.positions.end())) {
      return ::testing::AssertionFailure()
             << "row " << i << ": " << ShowDigits(got.indices)
             << (got.isParallel ? " parallel" : " series") << " (error " << Show(got.error)
             << "), expected " << ShowDigits(indices) << (w.isParallel ? " parallel" : " series")
             << " (error " << Show(w.error) << ", visit " << w.visitKey << ")";
    }
    if (!SameBits(got.total, w.total) || !SameBits(got.error, w.error)) {
      return ::testing::AssertionFailure()
             << "row " << i << " " << ShowDigits(indices) << ": total " << Show(got.total)
             << " error " << Show(got.error) << ", expected total " << Show(w.total) << " error "
             << Show(w.error);
    }
  }
  return ::testing::AssertionSuccess();
}

// Random cases.

// -1 stands for a uniform draw over the whole range.
constexpr std::array<double, 12> kTargetTolerances = {0,   0,   1e-15, 1e-9, 1e-3, 0.01,
                                                      0.1, 0.5, 1,     2,    10,   -1};

TargetCase MakeTargetCase(std::uint64_t seed, std::uint32_t resistorCount, ConnectionMode mode,
                          const std::vector<double>* values = nullptr) {
  Rng rng(seed);
  TargetCase c;
  c.seed = seed;
  c.values = values != nullptr ? *values : ValuesFromPool(rng, 1 + rng.Below(8), kTieProneValues);
  const auto n = static_cast<std::uint32_t>(c.values.size());
  TargetParameters& p = c.p;
  p.resistorCount = resistorCount;
  p.connectionMode = mode;
  p.maxResults = 1 + rng.Below(12);

  const std::vector<std::int32_t> digits = RandomDigits(rng, n, resistorCount);
  bool parallel = EvaluatesParallel(mode);
  if (mode == ConnectionMode::ParallelAndSeries) parallel = rng.Below(2) == 0;
  const std::uint32_t targetKind = rng.Below(10);
  if (targetKind < 7) {
    p.targetResistance =
        parallel ? ref::ParallelTotal(c.values, digits) : ref::SeriesTotal(c.values, digits);
  } else if (targetKind < 9) {
    p.targetResistance = 0.1 + 3000 * rng.Unit();
  } else {
    p.targetResistance = 0.0;
  }
  p.tolerance = rng.Pick(kTargetTolerances);
  if (p.tolerance < 0) p.tolerance = 10 * rng.Unit();
  return c;
}

bool RunAndCompare(StraightforwardTargetEngine& engine, const TargetCase& c, const char* which,
                   ref::TargetOutcome* outcome = nullptr) {
  engine.SetParameters(c.p);
  const std::atomic<bool> abort{false};
  const std::uint64_t returned = engine.Optimize(abort);
  const ref::TargetOutcome want = ref::SearchTarget(c.values, c.p);
  const auto n = static_cast<std::uint32_t>(c.values.size());
  const ::testing::AssertionResult same = CompareTarget(engine, returned, want, c.p, n);
  if (outcome != nullptr) *outcome = want;
  if (same) return true;
  ADD_FAILURE() << which << ": " << same.message() << "\n  " << Describe(c);
  return false;
}

constexpr std::uint32_t kTargetCasesPerMode = 600;

class TargetAgainstBruteForce : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(TargetAgainstBruteForce, RandomValueSetsAgreeRowForRow) {
  const std::uint32_t resistorCount = GetParam();
  RankingCoverage coverage;
  int failures = 0;
  for (std::uint32_t m = 0; m < kConnectionModes.size(); ++m) {
    for (std::uint32_t k = 0; k < kTargetCasesPerMode; ++k) {
      const TargetCase c =
          MakeTargetCase(CaseSeed(2, resistorCount, m, 0, k), resistorCount, kConnectionModes[m]);
      const ValueSet values = MakeValueSet(c.values);
      StraightforwardTargetEngine engine(values);
      ref::TargetOutcome want;
      if (!RunAndCompare(engine, c, "target", &want) && ++failures >= kFailuresShown) {
        FAIL() << "further cases of this group not run";
      }
      coverage.Note(want, c.p.maxResults, [](const ref::TargetRow& r) { return r.error; });
    }
  }
  coverage.Expect();
}

INSTANTIATE_TEST_SUITE_P(ResistorCounts, TargetAgainstBruteForce, ::testing::Range(1u, 6u),
                         [](const ::testing::TestParamInfo<std::uint32_t>& count) {
                           std::ostringstream name;
                           name << 'N' << count.param;
                           return name.str();
                         });

// Visit order, spelled out by hand: with every value equal all combinations tie, so the kept
// rows are the visit order reversed. This also pins the reference's rank formula.

TEST(VisitOrderByHand, TargetTiesComeOutInReverseVisitOrder) {
  const std::vector<std::vector<std::int32_t>> pairOrder = {{0, 0}, {0, 1}, {1, 1},
                                                            {0, 2}, {1, 2}, {2, 2}};
  const auto check = [](const TargetCase& c,
                        const std::vector<std::pair<std::vector<std::int32_t>, bool>>& visits) {
    const ValueSet set = MakeValueSet(c.values);
    StraightforwardTargetEngine engine(set);
    ASSERT_TRUE(RunAndCompare(engine, c, "target"));
    const auto kept = engine.KeptMatches();
    ASSERT_EQ(kept.size(), visits.size()) << Describe(c);
    for (std::size_t i = 0; i < kept.size(); ++i) {
      const auto& [positions, isParallel] = visits[visits.size() - 1 - i];
      std::vector<std::int32_t> expected = positions;
      expected.insert(expected.end(), {2, 0});
      EXPECT_EQ(kept[i].indices, expected) << "row " << i << ", " << Describe(c);
      EXPECT_EQ(kept[i].isParallel, isParallel) << "row " << i << ", " << Describe(c);
    }
  };

  TargetCase seriesPairs;
  seriesPairs.values = {4.7, 4.7, 4.7};
  seriesPairs.p = {9.4, 1e-9, ConnectionMode::SeriesOnly, 10, 2};
  std::vector<std::pair<std::vector<std::int32_t>, bool>> visits;
  for (const auto& pair : pairOrder) visits.emplace_back(pair, false);
  check(seriesPairs, visits);

  TargetCase parallelPairs = seriesPairs;
  parallelPairs.p.targetResistance = 2.35;
  parallelPairs.p.connectionMode = ConnectionMode::ParallelOnly;
  visits.clear();
  for (const auto& pair : pairOrder) visits.emplace_back(pair, true);
  check(parallelPairs, visits);

  // 2 || 2 = 1 and 2 + 2 = 4 lie at -0.6 and +0.6 of 2.5: one tie across both connections,
  // the series evaluation of each multiset coming after its parallel one.
  TargetCase bothPairs;
  bothPairs.values = {2, 2, 2};
  bothPairs.p = {2.5, 1, ConnectionMode::ParallelAndSeries, 12, 2};
  visits.clear();
  for (const auto& pair : pairOrder) {
    visits.emplace_back(pair, true);
    visits.emplace_back(pair, false);
  }
  check(bothPairs, visits);

  // N = 1: parallel and series totals are the value itself, equal errors again.
  TargetCase singles;
  singles.values = {2, 2, 2};
  singles.p = {2, 1e-9, ConnectionMode::ParallelAndSeries, 12, 1};
  visits.clear();
  for (std::int32_t d = 0; d < 3; ++d) {
    visits.push_back({{d}, true});
    visits.push_back({{d}, false});
  }
  check(singles, visits);
}

// Edge cases.

TEST(TargetEdgeCases, ZeroTargetMatchesNothingButVisitsEverything) {
  for (std::uint32_t n = 1; n <= 6; ++n) {
    for (std::uint32_t count = 1; count <= 4; ++count) {
      for (const ConnectionMode mode : kConnectionModes) {
        for (const double tolerance : {0.0, 1.0, 10.0}) {
          TargetCase c;
          Rng rng(CaseSeed(3, n, count, static_cast<std::uint64_t>(mode), 0));
          c.values = ValuesFromPool(rng, n, kTieProneValues);
          c.p = {0.0, tolerance, mode, 5, count};
          const ValueSet set = MakeValueSet(c.values);
          StraightforwardTargetEngine engine(set);
          RunAndCompare(engine, c, "target");
          EXPECT_EQ(engine.MatchingCount(), 0u) << Describe(c);
          EXPECT_TRUE(engine.KeptMatches().empty()) << Describe(c);
          EXPECT_EQ(engine.VisitedCount(),
                    ref::MultisetCount(n, count) * EvaluationsPerMultiset(mode))
              << Describe(c);
        }
      }
    }
  }
}

TEST(TargetEdgeCases, SingleValueIsVisitedOncePerConnection) {
  for (std::uint32_t count = 1; count <= 4; ++count) {
    for (const ConnectionMode mode : kConnectionModes) {
      for (const bool aimAtSeries : {false, true}) {
        TargetCase c;
        c.values = {4.7};
        const std::vector<std::int32_t> zeros(count, 0);
        const double target =
            aimAtSeries ? ref::SeriesTotal(c.values, zeros) : ref::ParallelTotal(c.values, zeros);
        c.p = {target, 1e-9, mode, 3, count};
        const ValueSet set = MakeValueSet(c.values);
        StraightforwardTargetEngine engine(set);
        RunAndCompare(engine, c, "target");
        EXPECT_EQ(engine.VisitedCount(), EvaluationsPerMultiset(mode)) << Describe(c);
        const bool aimed = aimAtSeries ? EvaluatesSeries(mode) : EvaluatesParallel(mode);
        // The aimed connection hits its own total; with one resistor the other may hit too.
        if (aimed) {
          EXPECT_GE(engine.MatchingCount(), 1u) << Describe(c);
        }
      }
    }
  }
}

// Reuse: the best-results array keeps its size and its stale rows between runs, which must
// not leak into a later run with fewer results asked for.

constexpr std::uint32_t kReuseCases = 60;

TEST(EngineReuse, TargetRunsWithFewerResultsMatchAFreshEngine) {
  int failures = 0;
  for (std::uint32_t k = 0; k < kReuseCases && failures < kFailuresShown; ++k) {
    Rng pick(CaseSeed(5, 0, 0, 0, k));
    const std::uint32_t count = 1 + pick.Below(4);
    const ConnectionMode mode = kConnectionModes[pick.Below(3)];
    TargetCase wide = MakeTargetCase(CaseSeed(5, count, 1, 0, k), count, mode);
    wide.p.maxResults = 12;
    wide.p.tolerance = 10;
    if (wide.p.targetResistance == 0) wide.p.targetResistance = 47;

    const ValueSet set = MakeValueSet(wide.values);
    StraightforwardTargetEngine reused(set);
    if (!RunAndCompare(reused, wide, "reused target, first run")) ++failures;

    TargetCase narrow = wide;
    narrow.p.maxResults = 1 + pick.Below(4);
    TargetCase tighter = MakeTargetCase(CaseSeed(5, count, 2, 0, k), count, mode, &wide.values);
    tighter.p.maxResults = 1 + pick.Below(6);
    TargetCase nothing = wide;
    nothing.p.tolerance = 0;
    nothing.p.maxResults = 2;
    TargetCase resized = MakeTargetCase(CaseSeed(5, count, 3, 0, k), 1 + pick.Below(5),
                                        kConnectionModes[pick.Below(3)], &wide.values);
    resized.p.maxResults = 1 + pick.Below(6);
    for (const TargetCase* next : {&narrow, &tighter, &nothing, &resized, &narrow}) {
      if (!RunAndCompare(reused, *next, "reused target")) ++failures;
      StraightforwardTargetEngine fresh(set);
      if (!RunAndCompare(fresh, *next, "fresh target")) ++failures;
    }
  }
}

}  // namespace
}  // namespace ordavin
