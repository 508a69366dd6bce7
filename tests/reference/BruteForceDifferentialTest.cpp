// Both engines against a naive search on small random value sets: every count, every kept
// row, and every figure to the last bit.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <charconv>
#include <cstdint>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "divider/StraightforwardDividerEngine.h"
#include "support/BruteForceReference.h"
#include "support/ValueFixtures.h"
#include "target/StraightforwardTargetEngine.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

namespace ref = reference;
using ordavin::testing::MakeValueSet;

// Few distinct values, some equal, some sums of others (0.5 + 0.5 = 1, 2 || 2 = 1): equal
// errors between different combinations are common, which is what exercises tie order.
constexpr std::array<double, 9> kValuePool = {1, 2, 2.2, 4.7, 10, 100, 1000, 3.3, 0.5};

// Stop reporting a group after this many failing cases; one is usually enough to diagnose.
constexpr int kFailuresShownPerGroup = 5;

// splitmix64, so a seed means the same case with every standard library.
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

std::uint64_t CaseSeed(std::uint64_t group, std::uint64_t a, std::uint64_t b, std::uint64_t c,
                       std::uint64_t index) {
  return (group << 56) | (a << 48) | (b << 40) | (c << 32) | index;
}

std::vector<double> RandomValues(Rng& rng, std::uint32_t n) {
  std::vector<double> values(n);
  for (double& v : values) v = rng.Pick(kValuePool);
  return values;
}

std::vector<std::int32_t> RandomDigits(Rng& rng, std::uint32_t n, std::uint32_t count) {
  std::vector<std::int32_t> digits(count);
  for (std::int32_t& d : digits) d = static_cast<std::int32_t>(rng.Below(n));
  std::sort(digits.begin(), digits.end());
  return digits;
}

bool SameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Shortest text that reads back to the same double.
std::string Num(double v) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
  return std::string(buffer.data(), result.ptr);
}

std::string Show(double v) {
  std::ostringstream os;
  os << Num(v) << " [0x" << std::hex << std::bit_cast<std::uint64_t>(v) << "]";
  return os.str();
}

template <class Range>
std::string ShowDigits(const Range& digits) {
  std::ostringstream os;
  os << '(';
  bool first = true;
  for (const auto d : digits) {
    os << (first ? "" : ",") << d;
    first = false;
  }
  os << ')';
  return os.str();
}

std::string ShowValues(const std::vector<double>& values) {
  std::ostringstream os;
  os << '{';
  for (std::size_t i = 0; i < values.size(); ++i) os << (i ? ", " : "") << Num(values[i]);
  os << '}';
  return os.str();
}

const char* ModeName(NetworkMode mode) { return mode == NetworkMode::Parallel ? "par" : "ser"; }

// Comparison: counts first, then every kept row, figures by their bits.

struct DividerCase {
  std::uint64_t seed = 0;
  std::vector<double> values;
  DividerParameters p;
};

std::string Describe(const DividerCase& c) {
  std::ostringstream os;
  os << "case seed 0x" << std::hex << c.seed << std::dec << ": values " << ShowValues(c.values)
     << ", U=" << c.p.upperCount << " " << ModeName(c.p.upperMode) << ", L=" << c.p.lowerCount
     << " " << ModeName(c.p.lowerMode) << ", maxResults " << c.p.maxResults << ", target "
     << Num(c.p.targetFactor) << ", tolerance " << Num(c.p.tolerance) << ", series ["
     << Num(c.p.seriesMin) << ", " << Num(c.p.seriesMax) << "], parallel [" << Num(c.p.parallelMin)
     << ", " << Num(c.p.parallelMax) << "], source " << Num(c.p.sourceResistance)
     << ", load conductance " << Num(c.p.loadConductance);
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

struct TargetCase {
  std::uint64_t seed = 0;
  std::vector<double> values;
  TargetParameters p;
};

std::string Describe(const TargetCase& c) {
  std::ostringstream os;
  os << "case seed 0x" << std::hex << c.seed << std::dec << ": values " << ShowValues(c.values)
     << ", N=" << c.p.resistorCount << ", mode " << static_cast<int>(c.p.connectionMode)
     << ", maxResults " << c.p.maxResults << ", target " << Num(c.p.targetResistance)
     << ", tolerance " << Num(c.p.tolerance);
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

// Guards against a generator that drifts into easy cases: each group must meet every
// situation the ranking has to get right at least once.
struct Coverage {
  int cases = 0;
  int truncated = 0;  // more matches than kept rows
  int tiedRows = 0;   // two kept rows of equal |error|
  int exactHits = 0;  // a kept row of error exactly 0
  int noMatch = 0;
  int partlyFilled = 0;  // some matches, fewer than maxResults
  int pinnedWindow = 0;  // matches inside a window whose bounds are equal

  template <class Outcome, class ErrorOf>
  void Note(const Outcome& o, std::uint32_t maxResults, ErrorOf errorOf) {
    ++cases;
    if (o.matching > maxResults) ++truncated;
    if (o.matching == 0) ++noMatch;
    if (o.matching > 0 && o.matching < maxResults) ++partlyFilled;
    bool tie = false;
    bool hit = false;
    for (std::size_t i = 0; i < o.rows.size(); ++i) {
      const double e = errorOf(o.rows[i]);
      if (e == 0.0) hit = true;
      if (i > 0 && std::fabs(errorOf(o.rows[i - 1])) == std::fabs(e)) tie = true;
    }
    tiedRows += tie ? 1 : 0;
    exactHits += hit ? 1 : 0;
  }

  void Expect() const {
    ::testing::Test::RecordProperty("cases", cases);
    ::testing::Test::RecordProperty("truncated", truncated);
    ::testing::Test::RecordProperty("tiedRows", tiedRows);
    ::testing::Test::RecordProperty("exactHits", exactHits);
    ::testing::Test::RecordProperty("noMatch", noMatch);
    ::testing::Test::RecordProperty("partlyFilled", partlyFilled);
    EXPECT_GT(truncated, 0) << "no case had more matches than maxResults";
    EXPECT_GT(tiedRows, 0) << "no case kept two rows of equal |error|";
    EXPECT_GT(exactHits, 0) << "no case hit its target exactly";
    EXPECT_GT(noMatch, 0) << "no case without matches";
    EXPECT_GT(partlyFilled, 0) << "no case with fewer matches than maxResults";
  }

  void ExpectPinnedWindows() const {
    ::testing::Test::RecordProperty("pinnedWindow", pinnedWindow);
    EXPECT_GT(pinnedWindow, 0) << "no case matched inside a window of equal bounds";
  }
};

// Divider: random cases.

constexpr std::array<std::pair<NetworkMode, NetworkMode>, 4> kModePairs = {{
    {NetworkMode::Parallel, NetworkMode::Parallel},
    {NetworkMode::Parallel, NetworkMode::Series},
    {NetworkMode::Series, NetworkMode::Parallel},
    {NetworkMode::Series, NetworkMode::Series},
}};

// -1 stands for a uniform draw over the whole range.
constexpr std::array<double, 13> kDividerTolerances = {0,   0,   1e-12, 1e-6, 1e-3, 0.01, 0.05,
                                                       0.2, 0.5, 1,     2,    5,    -1};

// Draws a fresh working set unless one is given.
DividerCase MakeDividerCase(std::uint64_t seed, std::uint32_t upperCount, std::uint32_t lowerCount,
                            NetworkMode upperMode, NetworkMode lowerMode,
                            const std::vector<double>* values = nullptr) {
  Rng rng(seed);
  DividerCase c;
  c.seed = seed;
  c.values = values != nullptr ? *values : RandomValues(rng, 2 + rng.Below(7));
  const auto n = static_cast<std::uint32_t>(c.values.size());
  DividerParameters& p = c.p;
  p.upperCount = upperCount;
  p.lowerCount = lowerCount;
  p.upperMode = upperMode;
  p.lowerMode = lowerMode;
  p.maxResults = 1 + rng.Below(12);
  p.sourceResistance = rng.Pick(std::array<double, 7>{0, 0, 0, 0.5, 1, 4.7, 100});
  p.loadConductance = rng.Pick(std::array<double, 7>{0, 0, 0, 1e-3, 1.0 / 4.7, 0.01, 2.0});

  const auto figuresOf = [&](Rng& r) {
    return ref::EvaluateDivider(
        ref::EvaluateNetwork(c.values, RandomDigits(r, n, upperCount), upperMode),
        ref::EvaluateNetwork(c.values, RandomDigits(r, n, lowerCount), lowerMode), p);
  };
  const ref::DividerFigures hit = figuresOf(rng);
  const ref::DividerFigures other = figuresOf(rng);

  const std::uint32_t targetKind = rng.Below(10);
  if (targetKind < 7) {
    p.targetFactor = hit.factor;
  } else if (targetKind < 9) {
    p.targetFactor = 0.001 + 0.998 * rng.Unit();
  } else {
    p.targetFactor = rng.Pick(std::array<double, 4>{0.5, 0.25, 1.0 / 3.0, 0.1});
  }
  p.tolerance = rng.Pick(kDividerTolerances);
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
  Coverage coverage;
  int failures = 0;
  for (std::uint32_t m = 0; m < kModePairs.size(); ++m) {
    for (std::uint32_t k = 0; k < kDividerCasesPerModePair; ++k) {
      const DividerCase c = MakeDividerCase(CaseSeed(1, upperCount, lowerCount, m, k), upperCount,
                                            lowerCount, kModePairs[m].first, kModePairs[m].second);
      const ValueSet values = MakeValueSet(c.values);
      StraightforwardDividerEngine engine(values);
      ref::DividerOutcome want;
      if (!RunAndCompare(engine, c, "divider", &want) && ++failures >= kFailuresShownPerGroup) {
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

// Target: random cases.

constexpr std::array<ConnectionMode, 3> kConnectionModes = {
    ConnectionMode::ParallelOnly, ConnectionMode::SeriesOnly, ConnectionMode::ParallelAndSeries};

// -1 stands for a uniform draw over the whole range.
constexpr std::array<double, 12> kTargetTolerances = {0,   0,   1e-15, 1e-9, 1e-3, 0.01,
                                                      0.1, 0.5, 1,     2,    10,   -1};

TargetCase MakeTargetCase(std::uint64_t seed, std::uint32_t resistorCount, ConnectionMode mode,
                          const std::vector<double>* values = nullptr) {
  Rng rng(seed);
  TargetCase c;
  c.seed = seed;
  c.values = values != nullptr ? *values : RandomValues(rng, 1 + rng.Below(8));
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
  Coverage coverage;
  int failures = 0;
  for (std::uint32_t m = 0; m < kConnectionModes.size(); ++m) {
    for (std::uint32_t k = 0; k < kTargetCasesPerMode; ++k) {
      const TargetCase c =
          MakeTargetCase(CaseSeed(2, resistorCount, m, 0, k), resistorCount, kConnectionModes[m]);
      const ValueSet values = MakeValueSet(c.values);
      StraightforwardTargetEngine engine(values);
      ref::TargetOutcome want;
      if (!RunAndCompare(engine, c, "target", &want) && ++failures >= kFailuresShownPerGroup) {
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

// Target edge cases.

TEST(TargetEdgeCases, ZeroTargetMatchesNothingButVisitsEverything) {
  for (std::uint32_t n = 1; n <= 6; ++n) {
    for (std::uint32_t count = 1; count <= 4; ++count) {
      for (const ConnectionMode mode : kConnectionModes) {
        for (const double tolerance : {0.0, 1.0, 10.0}) {
          TargetCase c;
          Rng rng(CaseSeed(3, n, count, static_cast<std::uint64_t>(mode), 0));
          c.values = RandomValues(rng, n);
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

TEST(EngineReuse, DividerRunsWithFewerResultsMatchAFreshEngine) {
  int failures = 0;
  for (std::uint32_t k = 0; k < kReuseCases && failures < kFailuresShownPerGroup; ++k) {
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

TEST(EngineReuse, TargetRunsWithFewerResultsMatchAFreshEngine) {
  int failures = 0;
  for (std::uint32_t k = 0; k < kReuseCases && failures < kFailuresShownPerGroup; ++k) {
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
