#include "divider/FastDividerEngine.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <limits>
#include <memory>
#include <mutex>
#include <new>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "divider/DividerArithmetic.h"
#include "divider/StraightforwardDividerEngine.h"
#include "search/BestList.h"
#include "search/BlockQueue.h"
#include "search/BucketSort.h"
#include "search/GallopingSearch.h"
#include "search/MemoryBudget.h"
#include "search/MultisetRanks.h"
#include "search/ParallelWork.h"
#include "search/ProgressTally.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

// Values the fast path takes. Within them no sum, reciprocal or quotient of the search
// overflows, becomes subnormal on the way to a total, or turns into NaN.
constexpr double kSmallestValue = 1e-100;
constexpr double kLargestValue = 1e100;
// Above every total and every 1/G of up to kMaxCount such values: a window bound at or beyond
// it rejects nothing, and need not be tested.
constexpr double kBeyondAnyTotal = 1e200;

// Below this many items a single thread does the job faster than several would.
constexpr std::uint64_t kSmallJob = std::uint64_t{1} << 15;
// The counting pass's buckets: fine enough to cut the sorted side into slabs of any size and
// to balance the scatter's groups.
constexpr std::uint64_t kItemsPerBucket = 64;
constexpr std::uint64_t kMaxBuckets = std::uint64_t{1} << 16;
// Sorted entries per slot of the index that finds keys among them, on average, and entries
// it takes between two looks at the abort flag.
constexpr std::uint64_t kEntriesPerIndexSlot = 16;
constexpr std::uint64_t kIndexStride = std::uint64_t{1} << 16;
// Lower ranks per chunk of the sweep: enough that a chunk's sorted lower networks lie close
// together, few enough that a worker's chunk stays in its caches.
constexpr std::uint64_t kLowerRanksPerChunk = std::uint64_t{1} << 16;
constexpr std::uint32_t kLowersPerProgressUpdate = 256;
// Upper ranks the head start takes between two looks at the abort flag.
constexpr std::uint64_t kHeadStartStride = std::uint64_t{1} << 14;

// How a side's multisets are keyed: by the bits of their total, or by the complement of the
// bits of their G. Positive doubles order like their bit patterns, so either key grows with
// the network's total. A parallel network keyed by its total has lost its exact G; that is
// only done where no test needs G.
enum class KeyKind { Total, Conductance };

struct SideForm {
  bool parallel = true;
  KeyKind kind = KeyKind::Conductance;
};

// The key of a multiset from the sum the network forms (G for parallel, total for series).
inline std::uint64_t KeyOfSum(double sum, SideForm form) {
  if (form.kind == KeyKind::Conductance) return ~std::bit_cast<std::uint64_t>(sum);
  return std::bit_cast<std::uint64_t>(form.parallel ? 1.0 / sum : sum);
}

// The network's figures from its key, derived as EvaluateNetwork derives them.
inline double TotalOfKey(std::uint64_t key, KeyKind kind) {
  if (kind == KeyKind::Conductance) return 1.0 / std::bit_cast<double>(~key);
  return std::bit_cast<double>(key);
}
inline double ConductanceOfKey(std::uint64_t key, SideForm form) {
  if (form.kind == KeyKind::Conductance) return std::bit_cast<double>(~key);
  // A parallel network keyed by its total no longer has its G.
  if (form.parallel) return std::numeric_limits<double>::quiet_NaN();
  return 1.0 / std::bit_cast<double>(key);
}
inline NetworkTotal NetworkOfSum(double sum, bool parallel) {
  if (parallel) return {1.0 / sum, sum};
  return {sum, 1.0 / sum};
}

// The key a total would have, for estimates: anything not above zero keys lowest.
inline std::uint64_t KeyOfTotalEstimate(double total, KeyKind kind) {
  if (!(total > 0)) return 0;
  if (kind == KeyKind::Conductance) return ~std::bit_cast<std::uint64_t>(1.0 / total);
  return std::bit_cast<std::uint64_t>(total);
}

// Which window bounds can reject anything at all.
struct WindowTests {
  bool seriesMin = false;
  bool seriesMax = false;
  bool parallelMin = false;
  bool parallelMax = false;
};

// Bounds, beyond the windows' own, on the networks that can take part in a match at all: an
// upper network whose total, or a lower network whose loaded total, lies outside them
// matches nothing.
struct Reach {
  double upperTotalMin = 0;
  double upperTotalMax = HUGE_VAL;
  double loadedMin = 0;
  double loadedMax = HUGE_VAL;
};

// The bounds the tolerance and the series window imply together. With x the lower
// network's loaded total and rl its total, a match needs
//   x / (Rs + ru + x) <= t (1 + tol)  so  ru >= a x - Rs,  a = 1 / (t (1 + tol)) - 1,
//   x / (Rs + ru + x) >= t (1 - tol)  so  ru <= b x - Rs,  b = 1 / (t (1 - tol)) - 1,
//   ru + rl within the series window, where x <= rl = x / (1 - x G_load).
// They are worked out as real numbers, with the tolerance and the window widened and the
// bounds moved outwards far beyond what rounding in the search can change, and only where
// every quantity of the search stays far from overflow and underflow; elsewhere they bound
// nothing. What they keep is searched exactly as before.
Reach ReachOf(const DividerParameters& p, const WindowTests& tests, double upperLow,
              double upperHigh, double loadedLow, double loadedHigh) {
  Reach reach;
  const bool tame = p.targetFactor >= 1e-9 && p.targetFactor <= 1e9 && p.tolerance >= 0 &&
                    p.tolerance <= 10 && p.sourceResistance <= 1e30 && p.loadConductance <= 1e30;
  if (!tame) return reach;
  constexpr double kSlack = 1e-9;   // widens the tolerance and the window
  constexpr double kMargin = 1e-6;  // moves each bound outwards, relative to its terms
  const double tol = p.tolerance * (1 + kSlack) + kSlack;
  const double rs = p.sourceResistance;
  const double load = p.loadConductance;
  const double fHigh = p.targetFactor * (1 + tol);
  const double fLow = p.targetFactor * (1 - tol);
  const double a = 1 / fHigh - 1;
  const double b = fLow > 0 ? 1 / fLow - 1 : 0;
  const bool useA = a > 0;
  const bool useB = b > 0;

  double low = 0;
  double high = HUGE_VAL;
  if (useA) low = std::max(low, a * loadedLow * (1 - kMargin) - rs * (1 + kMargin));
  if (useA && tests.seriesMin) {
    // The smallest ru for which the largest rl the tolerance allows still reaches the
    // window's minimum; found by halving, the condition growing with ru.
    const double smin = p.seriesMin * (1 - kSlack);
    const auto reaches = [&](double ru) {
      const double x = (ru + rs) / a;
      if (x * load >= 1) return true;
      return x / (1 - x * load) >= smin - ru;
    };
    double lo = 0;
    double hi = smin;
    if (!reaches(lo)) {
      for (int i = 0; i < 200 && hi - lo > 0; ++i) {
        const double mid = lo + (hi - lo) / 2;
        if (mid <= lo || mid >= hi) break;
        (reaches(mid) ? hi : lo) = mid;
      }
      low = std::max(low, lo - kMargin * (lo + rs + smin));
    }
  }
  if (useB) high = std::min(high, b * loadedHigh * (1 + kMargin) - rs * (1 - kMargin));
  if (useB && tests.seriesMax) {
    const double smax = p.seriesMax * (1 + kSlack);
    high = std::min(high, (b * smax - rs) / (b + 1) + kMargin * (smax + rs));
  }
  reach.upperTotalMin = low;
  reach.upperTotalMax = high;

  // A lower network needs an upper one in reach: a x - Rs <= ru <= b x - Rs.
  const double ruLow = std::max(upperLow, low);
  const double ruHigh = std::min(upperHigh, high);
  if (useA) reach.loadedMax = (ruHigh + rs) / a * (1 + kMargin);
  if (useB) reach.loadedMin = (ruLow + rs) / b * (1 - kMargin);
  return reach;
}

// One network's multisets as a sort source: each one's key and rank, except the multisets
// that cannot match whatever the other network is. The divider's series total is at least
// this network's total and its parallel total at most this network's 1/G (floating point
// rounds monotonically), so a total above the series maximum or a 1/G below the parallel
// minimum can never match; nor can a network out of reach (see Reach).
class SideSource {
 public:
  // For the upper side the reach bounds its total, for the lower side its loaded total.
  SideSource(const std::vector<double>& terms, const MultisetRanks& ranks, SideForm form,
             const DividerParameters& p, const WindowTests& tests, const Reach& reach, bool upper)
      : m_terms(terms.data()),
        m_last(static_cast<std::int32_t>(terms.size()) - 1),
        m_ranks(ranks),
        m_form(form),
        m_testSeriesMax(tests.seriesMax),
        m_testParallelMin(tests.parallelMin),
        m_seriesMax(p.seriesMax),
        m_parallelMin(p.parallelMin),
        m_load(p.loadConductance),
        m_min(upper ? reach.upperTotalMin : reach.loadedMin),
        m_max(upper ? reach.upperTotalMax : reach.loadedMax),
        m_testReach(m_min > 0 || m_max < HUGE_VAL),
        m_reachesTotal(upper) {}

  std::uint64_t Size() const { return m_ranks.Count(); }
  SideForm Form() const { return m_form; }

  bool Keeps(double sum) const {
    if (!m_testSeriesMax && !m_testParallelMin && !m_testReach) return true;
    const NetworkTotal net = NetworkOfSum(sum, m_form.parallel);
    if (m_testSeriesMax && net.total > m_seriesMax) return false;
    if (m_testParallelMin && 1.0 / net.conductance < m_parallelMin) return false;
    if (m_testReach) {
      const double reached = m_reachesTotal ? net.total : 1.0 / (net.conductance + m_load);
      if (!(reached >= m_min && reached <= m_max)) return false;
    }
    return true;
  }

  // The figures of the multiset whose digits all equal `digit`.
  NetworkTotal NetworkOfRepeated(std::int32_t digit) const {
    double sum = 0.0;
    for (std::uint32_t k = 0; k < m_ranks.DigitCount(); ++k) sum += m_terms[digit];
    return NetworkOfSum(sum, m_form.parallel);
  }
  double TotalOfRepeated(std::int32_t digit) const { return NetworkOfRepeated(digit).total; }

  template <class Emit>
  void ForEach(std::uint64_t first, std::uint64_t end, Emit&& emit) const {
    switch (m_ranks.DigitCount()) {
      case 1:
        return Run<1>(first, end, emit);
      case 2:
        return Run<2>(first, end, emit);
      case 3:
        return Run<3>(first, end, emit);
      case 4:
        return Run<4>(first, end, emit);
      default:
        return Run<0>(first, end, emit);
    }
  }

 private:
  // Count 0 stands for "as many as the ranks say", for the sizes without their own loop.
  template <std::uint32_t kCount, class Emit>
  void Run(std::uint64_t first, std::uint64_t end, Emit& emit) const {
    const std::uint32_t count = kCount != 0 ? kCount : m_ranks.DigitCount();
    std::int32_t digits[MultisetRanks::kMaxCount];
    m_ranks.Unrank(first, digits);
    for (std::uint64_t rank = first; rank < end; ++rank) {
      // The sum in digit order, as EvaluateNetwork forms it.
      double sum = 0.0;
      for (std::uint32_t k = 0; k < count; ++k) sum += m_terms[digits[k]];
      if (Keeps(sum)) emit(KeyOfSum(sum, m_form), rank);
      MultisetRanks::Next(digits, count, m_last);
    }
  }

  const double* m_terms;  // 1/R for parallel, R for series
  std::int32_t m_last;
  const MultisetRanks& m_ranks;
  SideForm m_form;
  bool m_testSeriesMax;
  bool m_testParallelMin;
  double m_seriesMax;
  double m_parallelMin;
  double m_load;
  double m_min;
  double m_max;
  bool m_testReach;
  bool m_reachesTotal;
};

std::uint64_t BucketCount(std::uint64_t items) {
  return std::clamp<std::uint64_t>(items / kItemsPerBucket, 1, kMaxBuckets);
}

// Buckets over the keys a side can produce: from the multiset of all-smallest to the one of
// all-largest values, narrowed by the windows. Only the buckets' balance depends on this.
KeyBuckets BucketsFor(const SideSource& side, const DividerParameters& p, const WindowTests& tests,
                      const Reach& reach, std::int32_t smallest, std::int32_t largest,
                      std::uint64_t wanted) {
  double lowTotal = std::max(side.TotalOfRepeated(smallest), reach.upperTotalMin);
  double highTotal = std::min(side.TotalOfRepeated(largest), reach.upperTotalMax);
  if (tests.seriesMax) highTotal = std::min(highTotal, p.seriesMax * (1 + 1e-9));
  if (tests.parallelMin) lowTotal = std::max(lowTotal, p.parallelMin * (1 - 1e-9));
  if (!(lowTotal <= highTotal)) highTotal = lowTotal;
  const KeyKind kind = side.Form().kind;
  return KeyBuckets(KeyOfTotalEstimate(lowTotal, kind), KeyOfTotalEstimate(highTotal, kind),
                    wanted);
}

}  // namespace

struct FastDividerEngine::Plan {
  std::uint32_t n = 0;
  SideForm upperForm;
  SideForm lowerForm;
  MultisetRanks upper;
  MultisetRanks lower;
  std::vector<double> upperTerms;
  std::vector<double> lowerTerms;
  std::int32_t smallest = 0;  // digits of the smallest and largest value
  std::int32_t largest = 0;
  WindowTests tests;
  Reach reach;
  std::uint64_t total = 0;
};

// The first lower multiset against the upper ones, the straightforward way, while the sorted
// side is built: from the first milliseconds on, the visited count moves and an abort has
// matches to show. Its share is accounted in strides of upper ranks.
class FastDividerEngine::HeadStart {
 public:
  HeadStart(const DividerParameters& p, const Plan& plan, const double* values,
            std::atomic<std::uint64_t>& visited)
      : best(p.maxResults), m_p(p), m_plan(plan), m_values(values), m_visited(visited) {}

  void Run(const std::atomic<bool>& abortRequested) {
    const DividerParameters& p = m_p;
    const std::vector<std::int32_t> zeros(p.lowerCount, 0);
    const NetworkTotal lower = EvaluateNetwork(m_values, zeros.data(), p.lowerCount, p.lowerMode);
    const std::uint64_t count = m_plan.upper.Count();
    // A lower network out of every upper one's reach matches none of them.
    const SideSource lowerSide(m_plan.lowerTerms, m_plan.lower, m_plan.lowerForm, p, m_plan.tests,
                               m_plan.reach, false);
    if (!lowerSide.Keeps(m_plan.lowerForm.parallel ? lower.conductance : lower.total)) {
      if (abortRequested.load(std::memory_order_relaxed)) return;
      m_visited.fetch_add(count, std::memory_order_relaxed);
      accountedUppers = count;
      return;
    }
    std::int32_t upper[MultisetRanks::kMaxCount] = {};
    const auto last = static_cast<std::int32_t>(m_plan.n) - 1;
    for (std::uint64_t first = 0; first < count; first += kHeadStartStride) {
      if (abortRequested.load(std::memory_order_relaxed) ||
          cancelled.load(std::memory_order_relaxed)) {
        return;
      }
      const std::uint64_t end = std::min(count, first + kHeadStartStride);
      for (std::uint64_t rank = first; rank < end; ++rank) {
        const DividerEvaluation e =
            EvaluateDivider(EvaluateNetwork(m_values, upper, p.upperCount, p.upperMode), lower, p);
        if (PassesDividerFilters(e, p)) {
          ++matching;
          best.Offer({std::fabs(e.error), rank});  // lower rank 0: the key is the upper rank
        }
        MultisetRanks::Next(upper, p.upperCount, last);
      }
      m_visited.fetch_add(end - first, std::memory_order_relaxed);
      accountedUppers = end;
    }
  }

  BestCandidates best;
  std::uint64_t matching = 0;
  std::uint64_t accountedUppers = 0;
  std::atomic<bool> cancelled{false};

 private:
  const DividerParameters& m_p;
  const Plan& m_plan;
  const double* m_values;
  std::atomic<std::uint64_t>& m_visited;
};

// The upper multisets of a slab, sorted by (key, rank).
class FastDividerEngine::SortedSide {
 public:
  // Ranks take 32 bits when every rank of the side fits.
  void Allocate(std::uint64_t capacity, bool wideRanks) {
    // Left uninitialised: the scatter writes every entry, and untouched pages cost nothing.
    m_keys = std::make_unique_for_overwrite<std::uint64_t[]>(capacity);
    if (wideRanks) {
      m_ranks64 = std::make_unique_for_overwrite<std::uint64_t[]>(capacity);
    } else {
      m_ranks32 = std::make_unique_for_overwrite<std::uint32_t[]>(capacity);
    }
  }
  static std::uint64_t BytesPerEntry(bool wideRanks) {
    return sizeof(std::uint64_t) + (wideRanks ? sizeof(std::uint64_t) : sizeof(std::uint32_t));
  }

  bool Sort(const SideSource& source, const KeyBuckets& buckets, const BucketHistogram& histogram,
            BucketRange slab, const std::atomic<bool>& abortRequested) {
    m_count = slab.items;
    if (m_ranks64) {
      return SortSlab(source, buckets, histogram, slab, abortRequested,
                      KeyRankArrays<std::uint64_t>{m_keys.get(), m_ranks64.get()});
    }
    return SortSlab(source, buckets, histogram, slab, abortRequested,
                    KeyRankArrays<std::uint32_t>{m_keys.get(), m_ranks32.get()});
  }

  // Where each of a set of equal key ranges begins, so that a key is found by one look-up
  // and a short search rather than a search through the whole side. False when aborted.
  bool BuildIndex(unsigned workers, const std::atomic<bool>& abortRequested) {
    const std::uint64_t* keys = m_keys.get();
    m_firstKey = m_count != 0 ? keys[0] : 0;
    const std::uint64_t lastKey = m_count != 0 ? keys[m_count - 1] : 0;
    const std::uint64_t wanted = std::max<std::uint64_t>(1, m_count / kEntriesPerIndexSlot);
    m_shift = 0;
    while (m_shift < 63 && ((lastKey - m_firstKey) >> m_shift) >= wanted) ++m_shift;
    m_slots = ((lastKey - m_firstKey) >> m_shift) + 1;
    m_index.resize(m_slots + 1);
    // index[t] = the first entry whose slot is t or later; each worker writes the slots
    // that begin within its share of the entries.
    if (m_count < kSmallJob) workers = 1;
    std::atomic<bool> complete{true};
    RunWorkers(workers, [&](unsigned worker) {
      const std::uint64_t begin = m_count / workers * worker;
      const std::uint64_t end = worker + 1 == workers ? m_count : m_count / workers * (worker + 1);
      std::uint64_t next = begin == 0 ? 0 : SlotOf(keys[begin - 1]) + 1;
      for (std::uint64_t i = begin; i < end; ++i) {
        if (i % kIndexStride == 0 && abortRequested.load(std::memory_order_relaxed)) {
          complete.store(false, std::memory_order_relaxed);
          return;
        }
        const std::uint64_t slot = SlotOf(keys[i]);
        while (next <= slot) m_index[next++] = i;
      }
      if (worker + 1 == workers) {
        while (next <= m_slots) m_index[next++] = m_count;
      }
    });
    return complete.load();
  }
  static std::uint64_t IndexBytes(std::uint64_t entries) {
    return (entries / kEntriesPerIndexSlot + 2) * sizeof(std::uint64_t);
  }

  // The first entry whose key is at least `key`.
  std::uint64_t LowerBound(std::uint64_t key) const {
    if (key <= m_firstKey) return 0;
    const std::uint64_t slot = SlotOf(key);
    if (slot >= m_slots) return m_count;
    std::uint64_t lo = m_index[slot];
    std::uint64_t hi = m_index[slot + 1];
    const std::uint64_t* keys = m_keys.get();
    while (lo < hi) {
      const std::uint64_t mid = lo + (hi - lo) / 2;
      if (keys[mid] < key) {
        lo = mid + 1;
      } else {
        hi = mid;
      }
    }
    return lo;
  }

  std::uint64_t Count() const { return m_count; }
  const std::uint64_t* Keys() const { return m_keys.get(); }
  std::uint64_t RankAt(std::uint64_t i) const { return m_ranks32 ? m_ranks32[i] : m_ranks64[i]; }

 private:
  std::uint64_t SlotOf(std::uint64_t key) const { return (key - m_firstKey) >> m_shift; }

  std::unique_ptr<std::uint64_t[]> m_keys;
  std::unique_ptr<std::uint32_t[]> m_ranks32;
  std::unique_ptr<std::uint64_t[]> m_ranks64;
  std::uint64_t m_count = 0;
  std::vector<std::uint64_t> m_index;
  std::uint64_t m_firstKey = 0;
  unsigned m_shift = 0;
  std::uint64_t m_slots = 0;
};

// One worker's sweep: lower networks one at a time against a sorted upper side.
class FastDividerEngine::Sweeper {
 public:
  Sweeper(const DividerParameters& p, const Plan& plan)
      : best(p.maxResults),
        m_p(p),
        m_tests(plan.tests),
        m_upperForm(plan.upperForm),
        m_lowerForm(plan.lowerForm),
        m_upperSpan(plan.upper.Count()) {}

  void Attach(const SortedSide& uppers) {
    m_uppers = &uppers;
    m_keys = uppers.Keys();
    m_count = uppers.Count();
  }

  void Visit(std::uint64_t lowerKey, std::uint64_t lowerRank) {
    m_rl = TotalOfKey(lowerKey, m_lowerForm.kind);
    m_gl = ConductanceOfKey(lowerKey, m_lowerForm);
    m_loaded = 1.0 / (m_gl + m_p.loadConductance);

    // Along the sorted side the error falls while both totals grow: the tests that fail
    // first and pass later pick the run's start, the others its end. The searches start
    // where estimates of those totals fall among the keys; only their cost depends on that.
    const Estimates guess = Estimate();
    const std::uint64_t lo = GallopFirstTrue(0, m_count, m_uppers->LowerBound(guess.lo),
                                             [this](std::uint64_t i) { return PassesLow(i); });
    const std::uint64_t hi = GallopFirstTrue(lo, m_count, m_uppers->LowerBound(guess.hi),
                                             [this](std::uint64_t i) { return !PassesHigh(i); });
    if (hi <= lo) return;
    matching += hi - lo;
    if (best.Capacity() == 0) return;
    const std::uint64_t zero = GallopFirstTrue(lo, hi, m_uppers->LowerBound(guess.zero),
                                               [this](std::uint64_t i) { return ErrorAt(i) <= 0; });
    Rank(lo, zero, hi, lowerRank * m_upperSpan);
  }

  BestCandidates best;
  std::uint64_t matching = 0;
  std::vector<std::uint64_t> accounted;

 private:
  struct Estimates {
    std::uint64_t lo;
    std::uint64_t hi;
    std::uint64_t zero;
  };

  // Where the tests change, as keys of upper totals, from the divider's formulas solved for
  // the upper total.
  Estimates Estimate() const {
    const DividerParameters& p = m_p;
    const double x = m_loaded;
    const auto totalAtFactor = [&](double factor) {
      return factor > 0 ? x / factor - x - p.sourceResistance : HUGE_VAL;
    };
    double low = totalAtFactor(p.targetFactor * (1 + p.tolerance));
    double high = totalAtFactor(p.targetFactor * (1 - p.tolerance));
    if (m_tests.seriesMin) low = std::max(low, p.seriesMin - m_rl);
    if (m_tests.seriesMax) high = std::min(high, p.seriesMax - m_rl);
    if (m_tests.parallelMin) {
      const double g = 1 / p.parallelMin - m_gl;
      low = std::max(low, g > 0 ? 1 / g : HUGE_VAL);
    }
    if (m_tests.parallelMax) {
      const double g = 1 / p.parallelMax - m_gl;
      if (g > 0) high = std::min(high, 1 / g);
    }
    const KeyKind kind = m_upperForm.kind;
    return {KeyOfTotalEstimate(low, kind), KeyOfTotalEstimate(high, kind),
            KeyOfTotalEstimate(totalAtFactor(p.targetFactor), kind)};
  }

  double UpperTotal(std::uint64_t i) const { return TotalOfKey(m_keys[i], m_upperForm.kind); }
  double UpperConductance(std::uint64_t i) const {
    return ConductanceOfKey(m_keys[i], m_upperForm);
  }
  // EvaluateDivider's arithmetic, step for step.
  double ErrorOfTotal(double ru) const {
    const double factor = m_loaded / (m_p.sourceResistance + ru + m_loaded);
    return (factor - m_p.targetFactor) / m_p.targetFactor;
  }
  double ErrorAt(std::uint64_t i) const { return ErrorOfTotal(UpperTotal(i)); }

  bool PassesLow(std::uint64_t i) const {
    const double ru = UpperTotal(i);
    if (!(ErrorOfTotal(ru) <= m_p.tolerance)) return false;
    if (m_tests.seriesMin && !(m_p.seriesMin <= ru + m_rl)) return false;
    if (m_tests.parallelMin && !(m_p.parallelMin <= 1.0 / (UpperConductance(i) + m_gl))) {
      return false;
    }
    return true;
  }
  bool PassesHigh(std::uint64_t i) const {
    const double ru = UpperTotal(i);
    if (!(-ErrorOfTotal(ru) <= m_p.tolerance)) return false;
    if (m_tests.seriesMax && !(ru + m_rl <= m_p.seriesMax)) return false;
    if (m_tests.parallelMax && !(1.0 / (UpperConductance(i) + m_gl) <= m_p.parallelMax)) {
      return false;
    }
    return true;
  }

  // Offers the run's matches to the best list in order of growing |error|, outwards from
  // where the error changes sign, until they can no longer rank. Equal keys mean equal
  // figures; within such a group the ranks ascend, so it is offered from its end and left at
  // the first refusal.
  void Rank(std::uint64_t lo, std::uint64_t zero, std::uint64_t hi, std::uint64_t base) {
    std::uint64_t i = zero;
    while (i > lo) {  // errors above zero, growing leftwards
      const std::uint64_t top = i - 1;
      const double magnitude = std::fabs(ErrorAt(top));
      if (best.Full() && magnitude > best.Worst().magnitude) break;
      const std::uint64_t key = m_keys[top];
      std::uint64_t j = top;
      while (best.Offer({magnitude, base + m_uppers->RankAt(j)}) && j > lo &&
             m_keys[j - 1] == key) {
        --j;
      }
      i = GallopFirstTrue(lo, top + 1, j,
                          [this, key](std::uint64_t k) { return m_keys[k] == key; });
    }
    i = zero;
    while (i < hi) {  // errors of zero and below, growing rightwards
      const double magnitude = std::fabs(ErrorAt(i));
      if (best.Full() && magnitude > best.Worst().magnitude) break;
      const std::uint64_t key = m_keys[i];
      const std::uint64_t end = GallopFirstTrue(
          i + 1, hi, i + 1, [this, key](std::uint64_t k) { return m_keys[k] != key; });
      for (std::uint64_t j = end; j > i && best.Offer({magnitude, base + m_uppers->RankAt(j - 1)});
           --j) {
      }
      i = end;
    }
  }

  const DividerParameters& m_p;
  WindowTests m_tests;
  SideForm m_upperForm;
  SideForm m_lowerForm;
  std::uint64_t m_upperSpan;
  const SortedSide* m_uppers = nullptr;
  const std::uint64_t* m_keys = nullptr;
  std::uint64_t m_count = 0;
  double m_rl = 0.0;
  double m_gl = 0.0;
  double m_loaded = 0.0;
};

FastDividerEngine::FastDividerEngine(const ValueSet& values)
    : DividerEngine(values), m_reference(std::make_unique<StraightforwardDividerEngine>(values)) {}

FastDividerEngine::~FastDividerEngine() = default;

std::uint64_t FastDividerEngine::Optimize(const std::atomic<bool>& abortRequested) {
  m_info = RunInfo{};
  m_accountedLowers.clear();
  m_firstLowerUppers = 0;
  m_matchingCount = 0;
  m_visitedCount.store(0, std::memory_order_relaxed);
  // The index vector of a match (both networks' digits and two pairs) must be countable.
  if (std::uint64_t{m_parameters.upperCount} + m_parameters.lowerCount + 4 > UINT32_MAX) {
    throw std::invalid_argument("A divider network of that many resistors cannot be searched.");
  }
  Plan plan;
  if (!MakePlan(plan)) return RunReference(abortRequested);
  try {
    return RunFast(plan, abortRequested);
  } catch (const std::bad_alloc&) {
    // Short of memory after all: the straightforward engine needs next to none.
  }
  m_accountedLowers.clear();
  m_firstLowerUppers = 0;
  m_matchingCount = 0;
  m_visitedCount.store(0, std::memory_order_relaxed);
  return RunReference(abortRequested);
}

bool FastDividerEngine::MakePlan(Plan& plan) const {
  const DividerParameters& p = m_parameters;
  const std::uint32_t n = m_values.WorkingCount();
  // The reference refuses these with its own message.
  if (n < 2 || n > m_values.WorkingSlots().size() || n > static_cast<std::uint32_t>(INT32_MAX)) {
    return false;
  }
  if (p.upperCount < 1 || p.lowerCount < 1 || p.upperCount > MultisetRanks::kMaxCount ||
      p.lowerCount > MultisetRanks::kMaxCount) {
    return false;
  }
  // The monotony along the sorted side needs a positive target, a source and a load that
  // keep every quotient positive, and no NaN to compare with.
  if (!(std::isfinite(p.targetFactor) && p.targetFactor > 0)) return false;
  if (!(std::isfinite(p.sourceResistance) && p.sourceResistance >= 0)) return false;
  if (!(std::isfinite(p.loadConductance) && p.loadConductance >= 0)) return false;
  if (std::isnan(p.tolerance) || std::isnan(p.seriesMin) || std::isnan(p.seriesMax) ||
      std::isnan(p.parallelMin) || std::isnan(p.parallelMax)) {
    return false;
  }
  const double* values = m_values.WorkingValues().data();
  for (std::uint32_t i = 0; i < n; ++i) {
    if (!(values[i] >= kSmallestValue && values[i] <= kLargestValue)) return false;
    if (values[i] < values[plan.smallest]) plan.smallest = static_cast<std::int32_t>(i);
    if (values[i] > values[plan.largest]) plan.largest = static_cast<std::int32_t>(i);
  }
  plan.n = n;
  plan.tests.seriesMin = p.seriesMin > 0;
  plan.tests.seriesMax = p.seriesMax < kBeyondAnyTotal;
  plan.tests.parallelMin = p.parallelMin > 0;
  plan.tests.parallelMax = p.parallelMax < kBeyondAnyTotal;
  // The lower network's G enters the loaded lower total, so it keeps its exact G; the upper
  // one needs G only for the parallel window, and is keyed by its total (one division less
  // per evaluation) where that is not in force.
  plan.upperForm.parallel = p.upperMode == NetworkMode::Parallel;
  plan.lowerForm.parallel = p.lowerMode == NetworkMode::Parallel;
  plan.upperForm.kind =
      plan.upperForm.parallel && (plan.tests.parallelMin || plan.tests.parallelMax)
          ? KeyKind::Conductance
          : KeyKind::Total;
  plan.lowerForm.kind = plan.lowerForm.parallel ? KeyKind::Conductance : KeyKind::Total;
  plan.upper = MultisetRanks(n, p.upperCount);
  plan.lower = MultisetRanks(n, p.lowerCount);
  if (!plan.upper.Valid() || !plan.lower.Valid()) return false;
  if (__builtin_mul_overflow(plan.upper.Count(), plan.lower.Count(), &plan.total)) return false;

  plan.upperTerms.resize(n);
  plan.lowerTerms.resize(n);
  for (std::uint32_t i = 0; i < n; ++i) {
    plan.upperTerms[i] = plan.upperForm.parallel ? 1.0 / values[i] : values[i];
    plan.lowerTerms[i] = plan.lowerForm.parallel ? 1.0 / values[i] : values[i];
  }
  // The sides' extremes, from their multisets of all-smallest and all-largest values.
  const Reach none;
  const SideSource upper(plan.upperTerms, plan.upper, plan.upperForm, p, plan.tests, none, true);
  const SideSource lower(plan.lowerTerms, plan.lower, plan.lowerForm, p, plan.tests, none, false);
  double upperHigh = upper.TotalOfRepeated(plan.largest);
  if (plan.tests.seriesMax) upperHigh = std::min(upperHigh, p.seriesMax);
  const NetworkTotal lowerSmall = lower.NetworkOfRepeated(plan.smallest);
  const NetworkTotal lowerLarge = lower.NetworkOfRepeated(plan.largest);
  plan.reach = ReachOf(p, plan.tests, upper.TotalOfRepeated(plan.smallest), upperHigh,
                       1.0 / (lowerSmall.conductance + p.loadConductance),
                       1.0 / (lowerLarge.conductance + p.loadConductance));
  return true;
}

std::uint64_t FastDividerEngine::RunFast(const Plan& plan,
                                         const std::atomic<bool>& abortRequested) {
  const DividerParameters& p = m_parameters;
  if (m_bestMatches.size() < p.maxResults) m_bestMatches.resize(p.maxResults);
  const unsigned workers = m_tuning.workers != 0 ? m_tuning.workers : CoreCount();
  m_info.workers = workers;

  // The head start runs beside the build; on a small search it is over before a thread
  // would have started.
  HeadStart head(p, plan, m_values.WorkingValues().data(), m_visitedCount);
  std::thread headThread;
  if (plan.upper.Count() >= kSmallJob) {
    try {
      headThread = std::thread([&head, &abortRequested] { head.Run(abortRequested); });
    } catch (const std::system_error&) {
      // Run below, before the build.
    }
  }
  if (!headThread.joinable()) head.Run(abortRequested);
  // Should the build fail, the head start is stopped and waited for on the way out.
  struct HeadJoin {
    HeadStart& head;
    std::thread& thread;
    ~HeadJoin() {
      head.cancelled.store(true);
      if (thread.joinable()) thread.join();
    }
  } headJoin{head, headThread};

  const SideSource upper(plan.upperTerms, plan.upper, plan.upperForm, p, plan.tests, plan.reach,
                         true);
  const KeyBuckets buckets = BucketsFor(upper, p, plan.tests, plan.reach, plan.smallest,
                                        plan.largest, BucketCount(upper.Size()));
  BucketHistogram histogram;
  std::vector<Sweeper> sweepers(workers, Sweeper(p, plan));
  bool complete = CountBuckets(upper, buckets, upper.Size() < kSmallJob ? 1 : workers,
                               abortRequested, histogram);
  if (complete) {
    const std::uint64_t upperKept = histogram.Sum();
    m_info.upperKept = upperKept;
    const bool wide = plan.upper.Count() > UINT32_MAX;
    const std::uint64_t entryBytes = SortedSide::BytesPerEntry(wide);

    // Besides the sorted side: the histogram, the scatter's cursors and staging, each
    // worker's room to sort a group and a chunk of lower networks, the best lists.
    std::uint64_t fixed = SaturatingAdd(SaturatingMultiply(2, histogram.Bytes()),
                                        std::uint64_t{workers} * kScatterGroups * 256);
    fixed = SaturatingAdd(fixed, SaturatingMultiply(std::uint64_t{workers} * sizeof(KeyRank),
                                                    LargestGroup(histogram)));
    fixed = SaturatingAdd(fixed, std::uint64_t{workers} * kLowerRanksPerChunk *
                                     (2 * sizeof(std::uint64_t) + 2 * sizeof(KeyRank)));
    fixed = SaturatingAdd(
        fixed, SaturatingMultiply(std::uint64_t{workers} * 2 + 2,
                                  SaturatingMultiply(p.maxResults, sizeof(RankedCandidate))));
    fixed = SaturatingAdd(fixed, SortedSide::IndexBytes(upperKept));
    m_info.memoryEstimate = SaturatingAdd(fixed, SaturatingMultiply(upperKept, entryBytes));
    const std::uint64_t limit =
        m_tuning.memoryLimit != 0 ? m_tuning.memoryLimit : DefaultMemoryLimit();
    std::uint64_t room = upperKept;
    if (m_info.memoryEstimate > limit) room = limit > fixed ? (limit - fixed) / entryBytes : 0;
    const std::vector<BucketRange> slabs = PlanSlabs(histogram.Totals(), room);
    if (slabs.empty()) {
      // Even in slabs the sorted side does not fit: start again the straightforward way.
      head.cancelled.store(true);
      if (headThread.joinable()) headThread.join();
      m_visitedCount.store(0, std::memory_order_relaxed);
      return RunReference(abortRequested);
    }
    m_info.upperSlabs = static_cast<std::uint32_t>(slabs.size());
    const bool record = m_tuning.recordAccounted && slabs.size() == 1;

    std::uint64_t capacity = 0;
    for (const BucketRange& slab : slabs) capacity = std::max(capacity, slab.items);
    SortedSide uppers;
    uppers.Allocate(capacity, wide);
    const std::uint64_t droppedUppers = plan.upper.Count() - upperKept;
    for (std::size_t i = 0; i < slabs.size() && complete; ++i) {
      if (slabs[i].items == 0) continue;
      complete = uppers.Sort(upper, buckets, histogram, slabs[i], abortRequested);
      if (!complete) break;
      complete = uppers.BuildIndex(workers, abortRequested);
      if (!complete) break;
      // The combinations with an upper network left out (it cannot match) count with the
      // first slab.
      const std::uint64_t weight = slabs[i].items + (i == 0 ? droppedUppers : 0);
      complete = SweepLowers(plan, sweepers, uppers, weight, record, abortRequested);
    }
    if (record && !complete) {
      for (Sweeper& sweeper : sweepers) {
        m_accountedLowers.insert(m_accountedLowers.end(), sweeper.accounted.begin(),
                                 sweeper.accounted.end());
      }
    }
  }
  if (headThread.joinable()) headThread.join();
  complete = complete && head.accountedUppers == plan.upper.Count();
  if (m_tuning.recordAccounted && !complete) {
    m_firstLowerUppers = head.accountedUppers;
    if (head.accountedUppers == plan.upper.Count()) m_accountedLowers.push_back(0);
    std::sort(m_accountedLowers.begin(), m_accountedLowers.end());
  }

  // The lower networks left out of the sweep (they cannot match) are accounted with the
  // complete run.
  if (complete) m_visitedCount.store(plan.total, std::memory_order_relaxed);
  std::vector<BestCandidates> lists;
  lists.reserve(sweepers.size() + 1);
  m_matchingCount = head.matching;
  lists.push_back(std::move(head.best));
  for (Sweeper& sweeper : sweepers) {
    m_matchingCount += sweeper.matching;
    lists.push_back(std::move(sweeper.best));
  }
  const BestCandidates merged =
      MergeBestLists<RankedCandidate, RankedCandidateBefore>(lists, p.maxResults);
  WriteMatches(plan, merged.Entries());
  return m_matchingCount;
}

bool FastDividerEngine::SweepLowers(const Plan& plan, std::vector<Sweeper>& sweepers,
                                    const SortedSide& uppers, std::uint64_t weight, bool record,
                                    const std::atomic<bool>& abortRequested) {
  const DividerParameters& p = m_parameters;
  const SideSource lower(plan.lowerTerms, plan.lower, plan.lowerForm, p, plan.tests, plan.reach,
                         false);
  const std::uint64_t count = plan.lower.Count();
  const std::uint64_t chunks = (count + kLowerRanksPerChunk - 1) / kLowerRanksPerChunk;
  const auto workers = static_cast<unsigned>(
      std::min<std::uint64_t>(sweepers.size(), count < kSmallJob / 8 ? 1 : chunks));
  BlockQueue queue(chunks);
  std::atomic<bool> stopped{false};
  RunWorkers(workers, [&](unsigned worker) {
    Sweeper& sweeper = sweepers[worker];
    sweeper.Attach(uppers);
    ProgressTally tally(m_visitedCount, kLowersPerProgressUpdate);
    std::vector<std::uint64_t> keys;
    std::vector<std::uint64_t> ranks;
    std::vector<KeyRank> scratch;
    std::vector<std::uint64_t> counts;
    std::uint64_t chunk = 0;
    while (queue.Take(chunk)) {
      if (abortRequested.load(std::memory_order_relaxed)) {
        stopped.store(true, std::memory_order_relaxed);
        return;
      }
      // The chunk's lower networks, sorted like the upper side. The first lower multiset
      // belongs to the head start.
      keys.clear();
      ranks.clear();
      const std::uint64_t first = chunk * kLowerRanksPerChunk;
      lower.ForEach(first, std::min(count, first + kLowerRanksPerChunk),
                    [&](std::uint64_t key, std::uint64_t rank) {
                      if (rank == 0) return;
                      keys.push_back(key);
                      ranks.push_back(rank);
                    });
      SortBucket(KeyRankArrays<std::uint64_t>{keys.data(), ranks.data()}, 0, keys.size(), scratch,
                 counts);
      for (std::size_t k = 0; k < keys.size(); ++k) {
        if (abortRequested.load(std::memory_order_relaxed)) {
          stopped.store(true, std::memory_order_relaxed);
          return;
        }
        sweeper.Visit(keys[k], ranks[k]);
        tally.Add(weight);
        if (record) sweeper.accounted.push_back(ranks[k]);
      }
    }
  });
  return !stopped.load();
}

void FastDividerEngine::WriteMatches(const Plan& plan, std::span<const RankedCandidate> best) {
  const DividerParameters& p = m_parameters;
  const double* values = m_values.WorkingValues().data();
  const auto last = static_cast<std::int32_t>(plan.n) - 1;
  std::int32_t upper[MultisetRanks::kMaxCount];
  std::int32_t lower[MultisetRanks::kMaxCount];
  for (std::size_t j = 0; j < best.size(); ++j) {
    plan.upper.Unrank(best[j].visitKey % plan.upper.Count(), upper);
    plan.lower.Unrank(best[j].visitKey / plan.upper.Count(), lower);
    DividerMatch& slot = m_bestMatches[j];
    static_cast<DividerEvaluation&>(slot) =
        EvaluateDivider(EvaluateNetwork(values, upper, p.upperCount, p.upperMode),
                        EvaluateNetwork(values, lower, p.lowerCount, p.lowerMode), p);
    slot.indices.assign(upper, upper + p.upperCount);
    slot.indices.insert(slot.indices.end(), {last, 0});
    slot.indices.insert(slot.indices.end(), lower, lower + p.lowerCount);
    slot.indices.insert(slot.indices.end(), {last, 0});
    slot.upperMode = p.upperMode;
    slot.lowerMode = p.lowerMode;
  }
  // What the reference leaves in the slots it did not fill.
  for (std::size_t j = best.size(); j < p.maxResults; ++j) m_bestMatches[j].error = p.tolerance + 1;
}

std::uint64_t FastDividerEngine::RunReference(const std::atomic<bool>& abortRequested) {
  m_info.fallback = true;
  return RunInstead(*m_reference, abortRequested);
}

}  // namespace ordavin
