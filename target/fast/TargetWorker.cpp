#include "target/fast/TargetWorker.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <utility>

#include "search/BlockQueue.h"
#include "search/ParallelWork.h"
#include "search/ProgressTally.h"
#include "target/fast/ErrorOfSum.h"
#include "target/fast/Fold.h"
#include "target/fast/PrefixGroup.h"
#include "target/fast/SumBits.h"
#include "target/fast/TargetModePlan.h"

namespace ordavin::fast_target {
namespace {

constexpr std::uint32_t kUnitsPerProgressUpdate = 8;

FastTargetEngine::AccountedUnit Unit(std::uint32_t m, std::uint32_t nextFirst,
                                     std::uint32_t nextEnd) {
  return {static_cast<std::int32_t>(m), static_cast<std::int32_t>(nextFirst),
          static_cast<std::int32_t>(nextEnd)};
}

// One worker of the fast search: takes one m at a time and keeps its own best list, its own
// copies of the sorted prefixes and its own counts, merged afterwards.
//
// Known to this file alone: with internal linkage each step below has a single caller and the
// compiler folds them all back into one loop nest, whose register use the hot loops depend on.
// For the same reason Account and RefreshWindows, called from inside those loops, are inline.
class TargetWorker {
 public:
  using AccountedUnit = FastTargetEngine::AccountedUnit;

  TargetWorker(const FastTargetPlan& plan, std::uint32_t capacity, RunControl& control);

  BestCandidates& Best() { return m_best; }
  std::uint64_t Matching() const { return m_matching; }
  std::uint64_t Accounted() const { return m_accounted; }
  std::vector<AccountedUnit>& Units() { return m_units; }

  // Works through every multiset whose position PrefixLength() is m, a unit at a time;
  // false when told to stop before the end (what was done is accounted for).
  bool RunM(std::uint32_t m, ProgressTally& tally);

 private:
  using Live = std::array<bool, 2>;  // per connection: whether it can still match

  struct Window {
    std::uint64_t from;
    std::uint64_t end;
  };

  bool SkipM(std::uint32_t m, ProgressTally& tally);
  void RunWithoutSuffix(std::uint32_t m, const Live& live, std::uint64_t mBase,
                        ProgressTally& tally);
  void RunOneSuffix(std::uint32_t m, const Live& live, std::uint64_t mBase, ProgressTally& tally);
  bool RunTwoSuffixes(std::uint32_t m, Live live, std::uint64_t mBase, ProgressTally& tally);
  inline void Account(ProgressTally& tally, AccountedUnit unit, std::uint64_t multisets);
  inline void RefreshWindows();
  template <class F>
  void Query(std::uint32_t k, const F& fold, std::uint64_t rankBase);

  const FastTargetPlan& m_plan;
  RunControl& m_control;
  BestCandidates m_best;
  PrefixGroup m_groups[2];
  Window m_windows[2] = {};
  double m_windowWorst = -1.0;
  std::size_t m_hints[2][2] = {};
  std::uint64_t m_matching = 0;
  std::uint64_t m_accounted = 0;
  std::vector<AccountedUnit> m_units;
};

}  // namespace

TargetWorker::TargetWorker(const FastTargetPlan& plan, std::uint32_t capacity, RunControl& control)
    : m_plan(plan), m_control(control), m_best(capacity) {
  for (std::uint32_t k = 0; k < 2; ++k) {
    m_windows[k] = {m_plan.Mode(k).MatchFrom(), m_plan.Mode(k).MatchEnd()};
  }
}

bool TargetWorker::RunM(std::uint32_t m, ProgressTally& tally) {
  const FastTargetPlan& p = m_plan;
  Live live = {false, false};
  for (std::uint32_t k = 0; k < 2; ++k) {
    const TargetModePlan& mode = p.Mode(k);
    if (!mode.Searched()) continue;
    PrefixGroup& g = m_groups[k];
    g.Extend(mode, p.PrefixLength(), m);
    live[k] = !g.Sums().empty() && Bits(g.Sums().front() + mode.Term(m)) < mode.MatchEnd();
  }
  if (!live[0] && !live[1]) return SkipM(m, tally);
  if (m_control.Stop()) return false;
  const std::uint64_t mBase = p.Colex(p.PrefixLength())[m];
  if (p.SuffixLength() == 0) {
    RunWithoutSuffix(m, live, mBase, tally);
    return true;
  }
  if (p.SuffixLength() == 1) {
    RunOneSuffix(m, live, mBase, tally);
    return true;
  }
  return RunTwoSuffixes(m, live, mBase, tally);
}

// Nothing with this m can match: all of it is accounted for at once.
bool TargetWorker::SkipM(std::uint32_t m, ProgressTally& tally) {
  const FastTargetPlan& p = m_plan;
  const std::uint32_t n = p.ValueCount();
  const std::uint64_t rest = n - m;
  const std::uint64_t suffixes =
      p.SuffixLength() == 0 ? 1 : (p.SuffixLength() == 1 ? rest : rest * (rest + 1) / 2);
  if (m_control.Stop()) return false;
  Account(tally, Unit(m, m, n), p.PrefixCount(m) * suffixes);
  return true;
}

// The prefix and m make the whole multiset: one query per connection, one unit.
void TargetWorker::RunWithoutSuffix(std::uint32_t m, const Live& live, std::uint64_t mBase,
                                    ProgressTally& tally) {
  for (std::uint32_t k = 0; k < 2; ++k) {
    if (!live[k]) continue;
    const Fold<1> fold{{m_plan.Mode(k).Term(m)}};
    m_hints[k][0] = 0;
    m_hints[k][1] = 0;
    Query(k, fold, mBase);
  }
  Account(tally, Unit(m, 0, m_plan.ValueCount()), m_plan.PrefixCount(m));
}

// One suffix position a >= m: one unit for them all.
void TargetWorker::RunOneSuffix(std::uint32_t m, const Live& live, std::uint64_t mBase,
                                ProgressTally& tally) {
  const FastTargetPlan& p = m_plan;
  const std::uint32_t n = p.ValueCount();
  for (std::uint32_t k = 0; k < 2; ++k) {
    if (!live[k]) continue;
    const TargetModePlan& mode = p.Mode(k);
    const PrefixGroup& g = m_groups[k];
    const double tm = mode.Term(m);
    const double low = g.Sums().front() + tm;
    const double high = g.Sums().back() + tm;
    for (std::uint32_t a = m; a < n; ++a) {
      const double ta = mode.Term(a);
      if (Bits(low + ta) >= mode.MatchEnd()) {
        if (mode.TermsRising()) break;
        continue;
      }
      if (Bits(high + ta) < mode.MatchFrom()) {
        if (mode.TermsFalling()) break;
        continue;
      }
      Query(k, Fold<2>{{tm, ta}}, mBase + p.Colex(p.PrefixLength() + 1)[a]);
    }
  }
  Account(tally, Unit(m, m, n), p.PrefixCount(m) * (n - m));
}

// Two suffix positions a <= b: one unit per a.
bool TargetWorker::RunTwoSuffixes(std::uint32_t m, Live live, std::uint64_t mBase,
                                  ProgressTally& tally) {
  const FastTargetPlan& p = m_plan;
  const std::uint32_t n = p.ValueCount();
  const std::uint64_t prefixes = p.PrefixCount(m);
  double low[2] = {0, 0};
  double high[2] = {0, 0};
  for (std::uint32_t k = 0; k < 2; ++k) {
    if (!live[k]) continue;
    low[k] = m_groups[k].Sums().front() + p.Mode(k).Term(m);
    high[k] = m_groups[k].Sums().back() + p.Mode(k).Term(m);
  }
  for (std::uint32_t a = m; a < n; ++a) {
    if (a != m && m_control.Stop()) return false;
    if (!live[0] && !live[1]) {
      // Nothing from here on can match.
      const std::uint64_t left = n - a;
      Account(tally, Unit(m, a, n), prefixes * (left * (left + 1) / 2));
      return true;
    }
    for (std::uint32_t k = 0; k < 2; ++k) {
      if (!live[k]) continue;
      const TargetModePlan& mode = p.Mode(k);
      const double tm = mode.Term(m);
      const double ta = mode.Term(a);
      const double lowA = low[k] + ta;
      const double highA = high[k] + ta;
      const std::uint64_t aBase = mBase + p.Colex(p.PrefixLength() + 1)[a];
      const std::uint64_t* bColex = p.Colex(p.PrefixLength() + 2).data();
      for (std::uint32_t b = a; b < n; ++b) {
        const double tb = mode.Term(b);
        if (Bits(lowA + tb) >= mode.MatchEnd()) {
          if (mode.TermsRising()) {
            // Larger b and larger a only add more.
            if (b == a) live[k] = false;
            break;
          }
          continue;
        }
        if (Bits(highA + tb) < mode.MatchFrom()) {
          if (mode.TermsFalling()) {
            if (b == a) live[k] = false;
            break;
          }
          continue;
        }
        Query(k, Fold<3>{{tm, ta, tb}}, aBase + bColex[b]);
      }
    }
    Account(tally, Unit(m, a, a + 1), prefixes * (n - a));
  }
  return true;
}

void TargetWorker::Account(ProgressTally& tally, AccountedUnit unit, std::uint64_t multisets) {
  const std::uint64_t evaluations = multisets * m_plan.Evaluations();
  m_accounted += evaluations;
  tally.Add(evaluations);
  if (m_control.RecordUnits()) m_units.push_back(unit);
  m_control.UnitDone();
}

// Once the list is full only sums whose |error| reaches its worst can still get in.
void TargetWorker::RefreshWindows() {
  const double worst = m_best.Worst().magnitude;
  if (worst == m_windowWorst) return;
  m_windowWorst = worst;
  for (std::uint32_t k = 0; k < 2; ++k) {
    const TargetModePlan& mode = m_plan.Mode(k);
    if (!mode.Searched()) continue;
    m_windows[k].from = mode.Error().FirstSum([worst](double e) { return e >= -worst; });
    m_windows[k].end = mode.Error().FirstSum([worst](double e) { return e > worst; });
  }
}

// The prefixes whose fold lands among the matches, found by galloping; of those only the
// ones inside the window can still rank among the best.
template <class F>
void TargetWorker::Query(std::uint32_t k, const F& fold, std::uint64_t rankBase) {
  const TargetModePlan& mode = m_plan.Mode(k);
  const PrefixGroup& g = m_groups[k];
  const double* sums = g.Sums().data();
  const std::size_t size = g.Sums().size();
  std::size_t* hints = m_hints[k];
  const std::size_t lo = FirstAtLeast(sums, 0, size, hints[0], fold, mode.MatchFrom());
  const std::size_t hi =
      FirstAtLeast(sums, lo, size, std::max(hints[1], lo), fold, mode.MatchEnd());
  hints[0] = lo;
  hints[1] = hi;
  m_matching += hi - lo;
  if (lo == hi || m_best.Capacity() == 0) return;

  const std::uint32_t* ranks = g.Ranks().data();
  std::size_t i = lo;
  while (i < hi) {
    const double sum = fold(sums[i]);
    const std::uint64_t bits = Bits(sum);
    const Window& window = m_windows[k];
    if (bits < window.from) {
      i = FirstAtLeast(sums, i + 1, hi, i + 1, fold, window.from);
      continue;
    }
    if (bits >= window.end) break;
    const std::uint64_t rank = rankBase + ranks[i];
    const std::uint64_t key = m_plan.DoubledKeys() ? rank * 2 + mode.SeriesBit() : rank;
    if (m_best.Offer({std::fabs(mode.Error().Signed(sum)), key}) && m_best.Full()) {
      RefreshWindows();
    }
    ++i;
  }
}

WorkerResults RunTargetWorkers(const FastTargetPlan& plan, std::uint32_t capacity,
                               RunControl& control, std::atomic<std::uint64_t>& visited) {
  std::vector<TargetWorker> workers;
  workers.reserve(plan.Workers());
  for (unsigned w = 0; w < plan.Workers(); ++w) workers.emplace_back(plan, capacity, control);
  BlockQueue queue(plan.ValueCount());
  RunWorkers(plan.Workers(), [&](unsigned w) {
    TargetWorker& worker = workers[w];
    ProgressTally tally(visited, kUnitsPerProgressUpdate);
    std::uint64_t m = 0;
    while (queue.Take(m)) {
      if (!worker.RunM(static_cast<std::uint32_t>(m), tally)) break;
    }
  });

  WorkerResults results;
  for (TargetWorker& worker : workers) {
    results.lists.push_back(std::move(worker.Best()));
    results.matching += worker.Matching();
    results.accounted += worker.Accounted();
    results.units.insert(results.units.end(), worker.Units().begin(), worker.Units().end());
  }
  return results;
}

}  // namespace ordavin::fast_target
