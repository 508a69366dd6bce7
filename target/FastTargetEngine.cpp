#include "target/FastTargetEngine.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "search/BlockQueue.h"
#include "search/GallopingSearch.h"
#include "search/MemoryBudget.h"
#include "search/MultisetRanks.h"
#include "search/ParallelWork.h"
#include "search/ProgressTally.h"
#include "search/RankedCandidate.h"
#include "target/StraightforwardTargetEngine.h"
#include "target/TargetArithmetic.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

constexpr std::uint32_t kMaxCount = 5;
// Sums are never negative, so their bit patterns order like their values; one past +inf
// stands for "no sum at all".
constexpr std::uint64_t kInfinityBits = 0x7FF0000000000000u;
constexpr std::uint64_t kNoSum = kInfinityBits + 1;
// Below this many multisets threads cost more than they save.
constexpr std::uint64_t kSmallJob = std::uint64_t{1} << 16;
constexpr std::uint32_t kUnitsPerProgressUpdate = 8;
// Prefix ranks are kept in 32 bits; n(n + 1)/2 fits below this n.
constexpr std::uint32_t kMaxValuesFor32BitRanks = 92681;

std::uint64_t Bits(double sum) { return std::bit_cast<std::uint64_t>(sum); }

// The error of a combination as a function of its final sum (of values in series, of
// reciprocals in parallel), and that error turned so that it never falls as the sum grows.
// Every step rounds monotonically, so both hold exactly in floating point.
struct ErrorOfSum {
  bool parallel = false;
  bool negate = false;
  double target = 1.0;

  double Signed(double sum) const { return RelativeError(parallel ? 1.0 / sum : sum, target); }
  double Rising(double sum) const {
    const double e = Signed(sum);
    return negate ? -e : e;
  }
  // The least sum (as bits) at which pred(Rising(sum)) holds, kNoSum when there is none.
  template <class Pred>
  std::uint64_t FirstSum(Pred pred) const {
    std::uint64_t lo = 0;
    std::uint64_t hi = kNoSum;
    while (lo < hi) {
      const std::uint64_t mid = lo + (hi - lo) / 2;
      if (pred(Rising(std::bit_cast<double>(mid)))) {
        hi = mid;
      } else {
        lo = mid + 1;
      }
    }
    return lo;
  }
};

// The fold of a prefix sum with the terms of position m and of the suffix, in position order.
template <std::uint32_t Terms>
struct Fold {
  double t[Terms];
  double operator()(double sum) const {
    for (std::uint32_t k = 0; k < Terms; ++k) sum += t[k];
    return sum;
  }
};

// The least i in [from, to] with Bits(fold(sums[i])) >= threshold, the predicate being
// monotone in i; gallops out from the hint.
template <class F>
std::size_t FirstAtLeast(const double* sums, std::size_t from, std::size_t to, std::size_t hint,
                         const F& fold, std::uint64_t threshold) {
  return GallopFirstTrue(from, to, hint,
                         [&](std::uint64_t i) { return Bits(fold(sums[i])) >= threshold; });
}

}  // namespace

// One connection's view of the search: its terms, error and the sorted prefixes.
struct TargetModePlan {
  bool active = false;    // evaluated at all
  bool searched = false;  // can match at all
  bool parallel = false;
  std::uint64_t seriesBit = 0;  // added to the doubled rank in "Parallel + series"
  std::vector<double> terms;
  bool termsRising = true;  // non-decreasing with the position
  bool termsFalling = true;
  ErrorOfSum error;
  std::uint64_t matchFrom = kNoSum;  // the matching sums: [matchFrom, matchEnd) as bits
  std::uint64_t matchEnd = kNoSum;
  // The kept prefixes whose last position is l: [bucketStart[l], bucketStart[l + 1]) of
  // sums/ranks, sorted by sum.
  std::vector<std::size_t> bucketStart;
  std::vector<double> sums;
  std::vector<std::uint32_t> ranks;
};

struct FastTargetEngine::Plan {
  std::uint32_t n = 0;
  std::uint32_t count = 0;
  std::uint32_t prefixLength = 0;
  std::uint32_t suffixLength = 0;
  std::uint64_t evaluations = 0;  // per multiset
  bool doubledKeys = false;
  std::uint64_t total = 0;
  unsigned workers = 1;
  MultisetRanks ranks;
  // colex[k][i] = C(i + k, k + 1): what position k at i adds to a multiset's rank.
  std::vector<std::uint64_t> colex[kMaxCount];
  TargetModePlan modes[2];

  // Multisets of prefixLength positions, all at most m.
  std::uint64_t PrefixCount(std::uint32_t m) const {
    if (prefixLength == 0) return 1;
    if (prefixLength == 1) return m + 1u;
    return (std::uint64_t{m} + 1) * (std::uint64_t{m} + 2) / 2;
  }
};

namespace {

// The prefixes whose last position is at most builtUpTo, sorted by sum.
struct Group {
  std::vector<double> sums;
  std::vector<std::uint32_t> ranks;
  std::int64_t builtUpTo = -1;

  void Extend(const TargetModePlan& mode, std::uint32_t prefixLength, std::uint32_t m) {
    if (prefixLength == 0) {
      if (sums.empty()) {
        sums.push_back(0.0);
        ranks.push_back(0);
      }
      return;
    }
    if (builtUpTo >= static_cast<std::int64_t>(m)) return;
    const std::size_t from = mode.bucketStart[static_cast<std::size_t>(builtUpTo + 1)];
    const std::size_t to = mode.bucketStart[m + 1];
    const bool oneBucket = builtUpTo + 1 == static_cast<std::int64_t>(m);
    builtUpTo = m;
    if (from == to) return;
    const std::size_t k = to - from;
    if (oneBucket) {
      Merge(mode.sums.data() + from, mode.ranks.data() + from, k);
      return;
    }
    // Several buckets at once: each is sorted, the whole is not.
    m_pending.resize(k);
    for (std::size_t i = 0; i < k; ++i) m_pending[i] = {mode.sums[from + i], mode.ranks[from + i]};
    std::sort(m_pending.begin(), m_pending.end());
    m_pendingSums.resize(k);
    m_pendingRanks.resize(k);
    for (std::size_t i = 0; i < k; ++i) {
      m_pendingSums[i] = m_pending[i].first;
      m_pendingRanks[i] = m_pending[i].second;
    }
    Merge(m_pendingSums.data(), m_pendingRanks.data(), k);
  }

 private:
  // Into buffers kept from one call to the next: fresh ones would be fresh pages each time.
  void Merge(const double* newSums, const std::uint32_t* newRanks, std::size_t k) {
    const std::size_t old = sums.size();
    m_outSums.resize(old + k);
    m_outRanks.resize(old + k);
    double* outSums = m_outSums.data();
    std::uint32_t* outRanks = m_outRanks.data();
    std::size_t i = 0;
    std::size_t j = 0;
    std::size_t o = 0;
    while (i < old && j < k) {
      if (newSums[j] < sums[i]) {
        outSums[o] = newSums[j];
        outRanks[o++] = newRanks[j++];
      } else {
        outSums[o] = sums[i];
        outRanks[o++] = ranks[i++];
      }
    }
    for (; i < old; ++i, ++o) {
      outSums[o] = sums[i];
      outRanks[o] = ranks[i];
    }
    for (; j < k; ++j, ++o) {
      outSums[o] = newSums[j];
      outRanks[o] = newRanks[j];
    }
    sums.swap(m_outSums);
    ranks.swap(m_outRanks);
  }

  std::vector<double> m_outSums;
  std::vector<std::uint32_t> m_outRanks;
  std::vector<std::pair<double, std::uint32_t>> m_pending;
  std::vector<double> m_pendingSums;
  std::vector<std::uint32_t> m_pendingRanks;
};

}  // namespace

class FastTargetEngine::Worker {
 public:
  Worker(const Plan& plan, std::uint32_t capacity) : m_plan(plan), m_best(capacity) {
    for (std::uint32_t k = 0; k < 2; ++k) ResetWindow(k);
  }

  BestCandidates& Best() { return m_best; }
  std::uint64_t Matching() const { return m_matching; }
  std::uint64_t Accounted() const { return m_accounted; }
  std::vector<AccountedUnit>& Units() { return m_units; }

  // Works through every multiset whose position prefixLength is m, a unit at a time;
  // false when told to stop before the end (what was done is accounted for).
  template <class Stop, class Done>
  bool RunM(std::uint32_t m, const Stop& stop, const Done& done) {
    const Plan& p = m_plan;
    const std::uint32_t n = p.n;
    bool live[2] = {false, false};
    for (std::uint32_t k = 0; k < 2; ++k) {
      const TargetModePlan& mode = p.modes[k];
      if (!mode.searched) continue;
      Group& g = m_groups[k];
      g.Extend(mode, p.prefixLength, m);
      live[k] = !g.sums.empty() && Bits(g.sums.front() + mode.terms[m]) < mode.matchEnd;
    }
    const std::uint64_t prefixes = p.PrefixCount(m);
    const std::uint64_t rest = n - m;
    if (!live[0] && !live[1]) {
      const std::uint64_t suffixes =
          p.suffixLength == 0 ? 1 : (p.suffixLength == 1 ? rest : rest * (rest + 1) / 2);
      if (stop()) return false;
      Account(done,
              {static_cast<std::int32_t>(m), static_cast<std::int32_t>(m),
               static_cast<std::int32_t>(n)},
              prefixes * suffixes);
      return true;
    }
    if (stop()) return false;
    const std::uint64_t mBase = p.colex[p.prefixLength][m];
    if (p.suffixLength == 0) {
      for (std::uint32_t k = 0; k < 2; ++k) {
        if (!live[k]) continue;
        const Fold<1> fold{{p.modes[k].terms[m]}};
        m_hints[k][0] = 0;
        m_hints[k][1] = 0;
        Query(k, fold, mBase);
      }
      Account(done, {static_cast<std::int32_t>(m), 0, static_cast<std::int32_t>(n)}, prefixes);
      return true;
    }
    if (p.suffixLength == 1) {
      for (std::uint32_t k = 0; k < 2; ++k) {
        if (!live[k]) continue;
        const TargetModePlan& mode = p.modes[k];
        const Group& g = m_groups[k];
        const double tm = mode.terms[m];
        const double low = g.sums.front() + tm;
        const double high = g.sums.back() + tm;
        for (std::uint32_t a = m; a < n; ++a) {
          const double ta = mode.terms[a];
          if (Bits(low + ta) >= mode.matchEnd) {
            if (mode.termsRising) break;
            continue;
          }
          if (Bits(high + ta) < mode.matchFrom) {
            if (mode.termsFalling) break;
            continue;
          }
          Query(k, Fold<2>{{tm, ta}}, mBase + p.colex[p.prefixLength + 1][a]);
        }
      }
      Account(done,
              {static_cast<std::int32_t>(m), static_cast<std::int32_t>(m),
               static_cast<std::int32_t>(n)},
              prefixes * rest);
      return true;
    }
    // Two suffix positions a <= b: one unit per a.
    double low[2] = {0, 0};
    double high[2] = {0, 0};
    for (std::uint32_t k = 0; k < 2; ++k) {
      if (!live[k]) continue;
      low[k] = m_groups[k].sums.front() + p.modes[k].terms[m];
      high[k] = m_groups[k].sums.back() + p.modes[k].terms[m];
    }
    for (std::uint32_t a = m; a < n; ++a) {
      if (a != m && stop()) return false;
      if (!live[0] && !live[1]) {
        // Nothing from here on can match.
        const std::uint64_t left = n - a;
        Account(done,
                {static_cast<std::int32_t>(m), static_cast<std::int32_t>(a),
                 static_cast<std::int32_t>(n)},
                prefixes * (left * (left + 1) / 2));
        return true;
      }
      for (std::uint32_t k = 0; k < 2; ++k) {
        if (!live[k]) continue;
        const TargetModePlan& mode = p.modes[k];
        const double tm = mode.terms[m];
        const double ta = mode.terms[a];
        const double lowA = low[k] + ta;
        const double highA = high[k] + ta;
        const std::uint64_t aBase = mBase + p.colex[p.prefixLength + 1][a];
        const std::uint64_t* bColex = p.colex[p.prefixLength + 2].data();
        for (std::uint32_t b = a; b < n; ++b) {
          const double tb = mode.terms[b];
          if (Bits(lowA + tb) >= mode.matchEnd) {
            if (mode.termsRising) {
              // Larger b and larger a only add more.
              if (b == a) live[k] = false;
              break;
            }
            continue;
          }
          if (Bits(highA + tb) < mode.matchFrom) {
            if (mode.termsFalling) {
              if (b == a) live[k] = false;
              break;
            }
            continue;
          }
          Query(k, Fold<3>{{tm, ta, tb}}, aBase + bColex[b]);
        }
      }
      Account(done,
              {static_cast<std::int32_t>(m), static_cast<std::int32_t>(a),
               static_cast<std::int32_t>(a + 1)},
              prefixes * (n - a));
    }
    return true;
  }

 private:
  struct Window {
    std::uint64_t from;
    std::uint64_t end;
  };

  template <class Done>
  void Account(const Done& done, AccountedUnit unit, std::uint64_t multisets) {
    const std::uint64_t evaluations = multisets * m_plan.evaluations;
    m_accounted += evaluations;
    done(unit, evaluations, m_units);
  }

  void ResetWindow(std::uint32_t k) {
    m_windows[k] = {m_plan.modes[k].matchFrom, m_plan.modes[k].matchEnd};
  }

  // Once the list is full only sums whose |error| reaches its worst can still get in.
  void RefreshWindows() {
    const double worst = m_best.Worst().magnitude;
    if (worst == m_windowWorst) return;
    m_windowWorst = worst;
    for (std::uint32_t k = 0; k < 2; ++k) {
      const TargetModePlan& mode = m_plan.modes[k];
      if (!mode.searched) continue;
      m_windows[k].from = mode.error.FirstSum([worst](double e) { return e >= -worst; });
      m_windows[k].end = mode.error.FirstSum([worst](double e) { return e > worst; });
    }
  }

  template <class F>
  void Query(std::uint32_t k, const F& fold, std::uint64_t rankBase) {
    const TargetModePlan& mode = m_plan.modes[k];
    const Group& g = m_groups[k];
    const double* sums = g.sums.data();
    const std::size_t size = g.sums.size();
    std::size_t* hints = m_hints[k];
    const std::size_t lo = FirstAtLeast(sums, 0, size, hints[0], fold, mode.matchFrom);
    const std::size_t hi =
        FirstAtLeast(sums, lo, size, std::max(hints[1], lo), fold, mode.matchEnd);
    hints[0] = lo;
    hints[1] = hi;
    m_matching += hi - lo;
    if (lo == hi || m_best.Capacity() == 0) return;

    const std::uint32_t* ranks = g.ranks.data();
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
      const std::uint64_t key = m_plan.doubledKeys ? rank * 2 + mode.seriesBit : rank;
      if (m_best.Offer({std::fabs(mode.error.Signed(sum)), key}) && m_best.Full()) {
        RefreshWindows();
      }
      ++i;
    }
  }

  const Plan& m_plan;
  BestCandidates m_best;
  Group m_groups[2];
  Window m_windows[2] = {};
  double m_windowWorst = -1.0;
  std::size_t m_hints[2][2] = {};
  std::uint64_t m_matching = 0;
  std::uint64_t m_accounted = 0;
  std::vector<AccountedUnit> m_units;
};

FastTargetEngine::FastTargetEngine(const ValueSet& values)
    : TargetEngine(values), m_reference(std::make_unique<StraightforwardTargetEngine>(values)) {}

FastTargetEngine::~FastTargetEngine() = default;

std::uint64_t FastTargetEngine::Optimize(const std::atomic<bool>& abortRequested) {
  m_info = RunInfo{};
  m_units.clear();
  m_visitedCount.store(0, std::memory_order_relaxed);
  m_matchingCount = 0;
  Plan plan;
  if (!MakePlan(plan)) return RunReference(abortRequested);
  return RunFast(plan, abortRequested);
}

bool FastTargetEngine::MakePlan(Plan& plan) {
  const TargetParameters& p = m_parameters;
  const std::uint32_t n = m_values.WorkingCount();
  const std::uint32_t count = p.resistorCount;
  if (count == 0 || count > kMaxCount || n == 0 || n > m_values.WorkingSlots().size() ||
      n >= kMaxValuesFor32BitRanks) {
    return false;
  }
  const double* values = m_values.WorkingValues().data();
  for (std::uint32_t i = 0; i < n; ++i) {
    if (!std::isfinite(values[i]) || !(values[i] > 0.0)) return false;
  }
  const bool parallel = EvaluatesParallel(p.connectionMode);
  const bool series = EvaluatesSeries(p.connectionMode);
  plan.n = n;
  plan.count = count;
  plan.prefixLength = count >= 4 ? 2 : count - 1 < 1 ? 0 : 1;
  plan.suffixLength = count - 1 - plan.prefixLength;
  plan.evaluations = (parallel ? 1u : 0u) + (series ? 1u : 0u);
  plan.doubledKeys = parallel && series;
  plan.ranks = MultisetRanks(n, count);
  if (!plan.ranks.Valid()) return false;
  if (plan.evaluations == 2 && plan.ranks.Count() > UINT64_MAX / 2) return false;
  plan.total = plan.ranks.Count() * plan.evaluations;

  const unsigned workers = m_tuning.workers != 0 ? m_tuning.workers : CoreCount();
  plan.workers = plan.ranks.Count() < kSmallJob ? 1u : std::max(1u, std::min(workers, n));

  // Per connection: the bucketed prefixes, and per worker its group, the merge buffers and
  // the room to sort what several buckets add at once.
  const std::uint64_t prefixes =
      MultisetRanks::Binomial(std::uint64_t{n} + plan.prefixLength - 1, plan.prefixLength);
  const std::uint64_t perPrefix = 12 + std::uint64_t{plan.workers} * (24 + 16 + 12);
  m_info.memoryEstimate =
      SaturatingAdd(SaturatingMultiply(SaturatingMultiply(prefixes, perPrefix), plan.evaluations),
                    std::uint64_t{n} * 8 * (kMaxCount + 4));
  m_info.workers = plan.workers;
  m_info.prefixLength = plan.prefixLength;
  const std::uint64_t limit =
      m_tuning.memoryLimit != 0 ? m_tuning.memoryLimit : DefaultMemoryLimit();
  if (m_info.memoryEstimate > limit) return false;

  for (std::uint32_t k = 0; k < count; ++k) {
    plan.colex[k].resize(n);
    for (std::uint32_t i = 0; i < n; ++i) {
      plan.colex[k][i] = MultisetRanks::Binomial(std::uint64_t{i} + k, k + 1);
    }
  }

  // Nothing matches unless the target is finite and not zero and the tolerance positive:
  // |error| < tolerance then fails for every total (NaN, infinite or whatever).
  const double target = p.targetResistance;
  const bool canMatch = p.tolerance > 0.0 && std::isfinite(target) && target != 0.0;
  for (std::uint32_t k = 0; k < 2; ++k) {
    TargetModePlan& mode = plan.modes[k];
    mode.parallel = k == 0;
    mode.active = mode.parallel ? parallel : series;
    mode.seriesBit = mode.parallel ? 0 : 1;
    if (!mode.active || !canMatch) continue;
    mode.terms.resize(n);
    for (std::uint32_t i = 0; i < n; ++i) {
      mode.terms[i] = mode.parallel ? 1.0 / values[i] : values[i];
    }
    for (std::uint32_t i = 1; i < n; ++i) {
      if (mode.terms[i] < mode.terms[i - 1]) mode.termsRising = false;
      if (mode.terms[i] > mode.terms[i - 1]) mode.termsFalling = false;
    }
    // The total rises with the sum in series and falls with it in parallel.
    mode.error = ErrorOfSum{mode.parallel, mode.parallel == (target > 0.0), target};
    const double tolerance = p.tolerance;
    mode.matchFrom = mode.error.FirstSum([tolerance](double e) { return e > -tolerance; });
    mode.matchEnd = mode.error.FirstSum([tolerance](double e) { return e >= tolerance; });
    mode.searched = mode.matchFrom < mode.matchEnd;
  }
  return true;
}

std::uint64_t FastTargetEngine::RunFast(Plan& plan, const std::atomic<bool>& abortRequested) {
  const TargetParameters& p = m_parameters;
  const std::uint32_t n = plan.n;
  if (m_bestMatches.size() < p.maxResults) m_bestMatches.resize(p.maxResults);
  for (std::uint32_t j = 0; j < p.maxResults; ++j) m_bestMatches[j].error = p.tolerance + 1.0;

  // The prefixes, bucketed by their last position, dropping those already too large: adding
  // terms never makes a sum smaller.
  for (TargetModePlan& mode : plan.modes) {
    if (!mode.searched || plan.prefixLength == 0) continue;
    mode.bucketStart.assign(std::size_t{n} + 1, 0);
    std::vector<std::pair<double, std::uint32_t>> bucket;
    for (std::uint32_t last = 0; last < n; ++last) {
      if (abortRequested.load(std::memory_order_relaxed)) return 0;
      mode.bucketStart[last] = mode.sums.size();
      bucket.clear();
      if (plan.prefixLength == 1) {
        bucket.emplace_back(mode.terms[last], last);
      } else {
        const std::uint32_t lastRank = static_cast<std::uint32_t>(plan.colex[1][last]);
        for (std::uint32_t first = 0; first <= last; ++first) {
          bucket.emplace_back(mode.terms[first] + mode.terms[last], first + lastRank);
        }
      }
      std::sort(bucket.begin(), bucket.end());
      for (const auto& [sum, rank] : bucket) {
        if (Bits(sum) >= mode.matchEnd) break;
        mode.sums.push_back(sum);
        mode.ranks.push_back(rank);
      }
    }
    mode.bucketStart[n] = mode.sums.size();
  }

  std::vector<Worker> workers;
  workers.reserve(plan.workers);
  for (unsigned w = 0; w < plan.workers; ++w) workers.emplace_back(plan, p.maxResults);

  BlockQueue queue(n);
  std::atomic<bool> stopped{false};
  std::atomic<std::uint64_t> unitsDone{0};
  const std::uint64_t stopAfter = m_tuning.stopAfterUnits;
  const bool record = m_tuning.recordUnits;
  RunWorkers(plan.workers, [&](unsigned w) {
    Worker& worker = workers[w];
    ProgressTally tally(m_visitedCount, kUnitsPerProgressUpdate);
    const auto stop = [&] {
      if (abortRequested.load(std::memory_order_relaxed)) {
        stopped.store(true, std::memory_order_relaxed);
      }
      return stopped.load(std::memory_order_relaxed);
    };
    const auto done = [&](AccountedUnit unit, std::uint64_t evaluations,
                          std::vector<AccountedUnit>& units) {
      tally.Add(evaluations);
      if (record) units.push_back(unit);
      if (stopAfter != 0 && unitsDone.fetch_add(1, std::memory_order_relaxed) + 1 >= stopAfter) {
        stopped.store(true, std::memory_order_relaxed);
      }
    };
    std::uint64_t m = 0;
    while (queue.Take(m)) {
      if (!worker.RunM(static_cast<std::uint32_t>(m), stop, done)) break;
    }
  });

  std::vector<BestCandidates> lists;
  std::uint64_t visited = 0;
  for (Worker& worker : workers) {
    lists.push_back(std::move(worker.Best()));
    m_matchingCount += worker.Matching();
    visited += worker.Accounted();
    m_units.insert(m_units.end(), worker.Units().begin(), worker.Units().end());
  }
  m_visitedCount.store(visited, std::memory_order_relaxed);
  const BestCandidates best =
      MergeBestLists(std::span<const BestCandidates>(lists), std::size_t{p.maxResults});

  // The winners' figures, written out with the straightforward engine's own arithmetic.
  const double* values = m_values.WorkingValues().data();
  std::vector<std::int32_t> digits(plan.count);
  const auto entries = best.Entries();
  for (std::size_t j = 0; j < entries.size(); ++j) {
    const std::uint64_t key = entries[j].visitKey;
    const std::uint64_t rank = plan.doubledKeys ? key / 2 : key;
    const bool isParallel = plan.doubledKeys ? key % 2 == 0 : EvaluatesParallel(p.connectionMode);
    plan.ranks.Unrank(rank, digits.data());
    TargetMatch& slot = m_bestMatches[j];
    slot.indices.assign(digits.begin(), digits.end());
    slot.indices.insert(slot.indices.end(), {static_cast<std::int32_t>(n) - 1, 0});
    slot.isParallel = isParallel;
    slot.total = isParallel ? ParallelTotal(values, digits.data(), plan.count)
                            : SeriesTotal(values, digits.data(), plan.count);
    slot.error = RelativeError(slot.total, p.targetResistance);
  }
  return m_matchingCount;
}

std::uint64_t FastTargetEngine::RunReference(const std::atomic<bool>& abortRequested) {
  m_info.fallback = true;
  return RunInstead(*m_reference, abortRequested);
}

}  // namespace ordavin
