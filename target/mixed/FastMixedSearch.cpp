#include "target/mixed/FastMixedSearch.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <limits>
#include <mutex>
#include <span>

#include "search/GallopingSearch.h"
#include "search/ParallelWork.h"
#include "target/NetworkCode.h"
#include "target/TargetArithmetic.h"
#include "target/mixed/MixedRanking.h"
#include "target/mixed/MixedReferenceSearch.h"

namespace ordavin {
namespace {

// Bytes one listed network of `size` resistors takes while the lists are built: its code,
// start and total twice (sorting copies the list), and its place in the order by total.
std::uint64_t BytesPerListed(std::uint32_t size) {
  return 2 * ((2 * size - 1) * sizeof(std::int32_t) + 2 * sizeof(double)) + 24;
}

inline double Fold(bool parallel, double partial, double part) {
  return parallel ? partial + 1.0 / part : partial + part;
}
inline double Close(bool parallel, double sum) { return parallel ? 1.0 / sum : sum; }

// Networks of two resistors from positions first..count-1, both ascending.
std::uint64_t PairsFrom(std::uint32_t first, std::uint32_t count) {
  const std::uint64_t k = count - first;
  return k * (k + 1) / 2;
}

}  // namespace

std::optional<FastMixedSearch::Layout> FastMixedSearch::LayOut(std::span<const double> values,
                                                               std::uint32_t resistors,
                                                               double target,
                                                               std::uint64_t listed) {
  // Below zero the error would fall as the total grows; zero leaves it infinite throughout.
  if (!std::isfinite(target) || !(target >= 0)) return std::nullopt;
  if (resistors < 2 || resistors > kMaxMixedResistors || values.empty()) return std::nullopt;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (!std::isfinite(values[i]) || !(values[i] > 0.0)) return std::nullopt;
    if (i > 0 && values[i] < values[i - 1]) return std::nullopt;
  }
  if (!MixedNetworkCount(values.size(), resistors)) return std::nullopt;
  Layout layout;
  // Parts of two resistors are listed from four resistors on, where they may be a part that
  // is not the last. Longer lists were measured to cost more to sort than they save (E24,
  // five resistors: 4.3 s with the parts of three, 3.4 s without).
  layout.listedSize = resistors >= 4 ? 2 : 1;
  const std::uint64_t pairs = std::uint64_t{values.size()} * (values.size() + 1) / 2;
  if (layout.listedSize == 2 && pairs > listed) return std::nullopt;
  layout.bytes = 2 * values.size() * BytesPerListed(1);
  if (layout.listedSize == 2) layout.bytes += 2 * pairs * BytesPerListed(2);
  if (pairs <= listed) {
    layout.pairs = true;
    layout.bytes += 2 * PairsBySum::Bytes(values.size());
  }
  return layout;
}

// One thread's share: takes the first part of a top connection at a time and searches every
// network that starts with it.
class FastMixedSearch::Worker {
 public:
  Worker(const FastMixedSearch& search, const std::atomic<bool>& abortRequested,
         std::atomic<std::uint64_t>& visited)
      : m_search(search),
        m_values(search.m_values.data()),
        m_count(static_cast<std::uint32_t>(search.m_values.size())),
        m_target(search.m_parameters.targetResistance),
        m_tolerance(search.m_parameters.tolerance),
        m_best(search.m_parameters.maxResults),
        m_abortRequested(abortRequested),
        m_visited(visited) {}

  // Searches the networks whose top connection is of this kind and starts with part `index`
  // of `size` resistors. Returns false once aborted.
  bool SearchUnit(bool parallel, std::uint32_t size, std::uint32_t index) {
    if (Aborted()) return false;
    Level& top = m_levels[0];
    top.parallel = parallel;
    const SubNetworkList& list = Parts(parallel, size);
    top.partial = Fold(parallel, 0.0, list.Total(index));
    top.chosen[0] = {size, index};
    top.chosenCount = 1;
    const std::uint32_t left = m_search.m_parameters.resistorCount - size;
    if (OutOfReach(0)) {
      Account(m_search.Completions(left, size, index));
      Flush();
      return true;
    }
    const bool complete = PartsAfter(0, left, size, index);
    Flush();
    return complete;
  }

  std::uint64_t Matching() const { return m_matching; }
  const MixedBestList& Best() const { return m_best; }

 private:
  struct Chosen {
    std::uint32_t size;
    std::uint32_t index;
  };
  // Where the last search of a list found its run.
  struct Hint {
    std::size_t low = 0;
    std::size_t high = 0;
    std::size_t zero = 0;  // where the errors turn from negative
  };
  // A connection being built, of which the last part is still open: its kind, the fold of
  // the parts chosen so far, and those parts.
  struct Level {
    bool parallel = false;
    double partial = 0.0;
    std::array<Chosen, kMaxMixedResistors> chosen{};
    std::uint32_t chosenCount = 0;
  };

  const SubNetworkList& Parts(bool parallel, std::uint32_t size) const {
    return m_search.m_parts->PartsOf(parallel, size);
  }
  bool Aborted() const { return m_abortRequested.load(std::memory_order_relaxed); }

  // The total and the error of the whole network once the connection at `depth` totals
  // `total`.
  double TotalAt(int depth, double total) const {
    for (int d = depth - 1; d >= 0; --d) {
      const Level& level = m_levels[static_cast<std::size_t>(d)];
      total = Close(level.parallel, Fold(level.parallel, level.partial, total));
    }
    return total;
  }
  double ErrorAt(int depth, double total) const {
    return RelativeError(TotalAt(depth, total), m_target);
  }

  // The rest of the connection at `depth`: `left` resistors, in parts of at least
  // `smallest`, the previous part being number `first` of that size.
  bool PartsAfter(int depth, std::uint32_t left, std::uint32_t smallest, std::uint32_t first) {
    Level& level = m_levels[static_cast<std::size_t>(depth)];
    if (left >= smallest && level.chosenCount >= 1) {
      if (!LastPart(depth, left, left == smallest ? first : 0)) return false;
    }
    if (left == 2 && smallest == 1) {
      const std::uint32_t from = level.chosenCount >= 1 ? first : 0;
      if (m_search.m_layout.pairs) return SearchPairs(depth, from);
      return SweepPairs(depth, from);
    }
    for (std::uint32_t size = smallest; 2 * size <= left; ++size) {
      const SubNetworkList& list = Parts(level.parallel, size);
      const double partial = level.partial;
      for (std::uint32_t i = size == smallest ? first : 0; i < list.Size(); ++i) {
        if (Aborted()) return false;
        level.partial = Fold(level.parallel, partial, list.Total(i));
        if (OutOfReach(depth)) {
          // Counted, not searched. In series, later resistors (ascending) only add more.
          const bool rest = !level.parallel && size == 1;
          for (std::uint32_t j = i; j < (rest ? list.Size() : i + 1); ++j) {
            Account(m_search.Completions(left - size, size, j));
          }
          level.partial = partial;
          if (rest) break;
          continue;
        }
        level.chosen[level.chosenCount++] = {size, i};
        const bool more = PartsAfter(depth, left - size, size, i);
        --level.chosenCount;
        level.partial = partial;
        if (!more) return false;
      }
    }
    return true;
  }

  // Whether no network with the parts chosen so far at `depth` can match: whatever follows,
  // a series connection totals at least its partial sum and a parallel one at most one
  // over it (adding positive terms never lowers a rounded sum), and the whole network's
  // error grows with the connection's total.
  bool OutOfReach(int depth) const {
    const Level& level = m_levels[static_cast<std::size_t>(depth)];
    if (level.parallel) return !(ErrorAt(depth, 1.0 / level.partial) > -m_tolerance);
    return !(ErrorAt(depth, level.partial) < m_tolerance);
  }

  // The last part of the connection at `depth`: `size` resistors, number `first` of its
  // list or later.
  bool LastPart(int depth, std::uint32_t size, std::uint32_t first) {
    const Level& level = m_levels[static_cast<std::size_t>(depth)];
    if (size <= m_search.m_layout.listedSize) {
      SearchList(depth, size, first);
      return true;
    }
    // Too many to list: the last part is a connection of the other kind, built here. No
    // earlier part has its size (it is more than half of five), so `first` is 0.
    Level& inner = m_levels[static_cast<std::size_t>(depth) + 1];
    inner.parallel = !level.parallel;
    inner.partial = 0.0;
    inner.chosenCount = 0;
    return PartsAfter(depth + 1, size, 1, 0);
  }

  void SearchList(int depth, std::uint32_t size, std::uint32_t first) {
    const Level& level = m_levels[static_cast<std::size_t>(depth)];
    const PartsByTotal& byTotal = *m_search.m_byTotal[level.parallel ? 1 : 0][size];
    const std::vector<double>& totals = byTotal.Totals();
    Account(byTotal.Size() - first);
    auto errorOf = [&](double t) {
      return ErrorAt(depth, Close(level.parallel, Fold(level.parallel, level.partial, t)));
    };
    auto error = [&](std::size_t k) { return errorOf(totals[k]); };
    // The bounds as totals of the part first (few evaluations from a close guess), then
    // where they fall in the list (comparisons only), galloped from the last search.
    const double lowTotal = FirstPartTotal(
        depth, [&](double t) { return errorOf(t) > -m_tolerance; }, -m_tolerance);
    const double highTotal = FirstPartTotal(
        depth, [&](double t) { return !(errorOf(t) < m_tolerance); }, m_tolerance);
    Hint& hint = m_hints[static_cast<std::size_t>(depth)][level.parallel ? 1 : 0][size];
    auto at = [&](std::size_t guess, std::size_t begin, double t) {
      return static_cast<std::size_t>(GallopFirstTrue(
          begin, totals.size(), guess, [&](std::uint64_t k) { return totals[k] >= t; }));
    };
    const std::size_t low = at(hint.low, 0, lowTotal);
    const std::size_t high = at(std::max(hint.high, low), low, highTotal);
    hint.low = low;
    hint.high = high;
    if (high == low) return;
    const std::size_t matching = byTotal.CountFrom(low, high, first);
    m_matching += matching;
    if (matching == 0) return;
    const double zeroTotal = FirstPartTotal(
        depth, [&](double t) { return errorOf(t) >= 0; }, 0.0);
    const std::size_t zero = std::min(at(std::clamp(hint.zero, low, high), low, zeroTotal), high);
    hint.zero = zero;
    const SubNetworkList& list = Parts(level.parallel, size);
    RankOutward(low, zero, high, error, [&](std::size_t k) {
      const std::uint32_t canonical = byTotal.CanonicalIndex(k);
      if (canonical < first) return;
      const double total = Close(level.parallel, Fold(level.parallel, level.partial, totals[k]));
      Offer(depth, list.Code(canonical), {}, TotalAt(depth, total));
    });
  }

  // The last two parts of the connection at `depth` are resistors c <= d, c from `first`.
  bool SweepPairs(int depth, std::uint32_t first) {
    const Level& level = m_levels[static_cast<std::size_t>(depth)];
    const std::uint32_t n = m_count;
    Account(PairsFrom(first, n));
    auto totalOf = [&](double partialWithC, std::uint32_t d) {
      return Close(level.parallel, Fold(level.parallel, partialWithC, m_values[d]));
    };
    // The error grows with c and with d: skip the c whose largest d is still too small.
    std::uint32_t c =
        static_cast<std::uint32_t>(GallopFirstTrue(first, n, first, [&](std::uint64_t k) {
          const double partial = Fold(level.parallel, level.partial, m_values[k]);
          return ErrorAt(depth, totalOf(partial, n - 1)) > -m_tolerance;
        }));
    std::uint32_t low = n;
    std::uint32_t zero = n;
    std::uint32_t high = n;
    for (; c < n; ++c) {
      if (Aborted()) return false;
      const double partial = Fold(level.parallel, level.partial, m_values[c]);
      auto error = [&](std::size_t d) {
        return ErrorAt(depth, totalOf(partial, static_cast<std::uint32_t>(d)));
      };
      // Each bound only moves down as c moves up, and never below c.
      auto lower = [&](std::uint32_t& bound, auto reached) {
        bound = std::max(bound, c);
        while (bound > c && reached(error(bound - 1))) --bound;
      };
      lower(low, [&](double e) { return e > -m_tolerance; });
      lower(high, [&](double e) { return !(e < m_tolerance); });
      if (high == c) break;  // even d = c is too large, and so for every later c
      if (high <= low) continue;
      m_matching += high - low;
      lower(zero, [&](double e) { return e >= 0; });
      zero = std::clamp(zero, low, high);
      RankOutward(low, zero, high, error, [&](std::size_t d) {
        const std::int32_t pair[] = {static_cast<std::int32_t>(c), static_cast<std::int32_t>(d)};
        Offer(depth, {}, pair, TotalAt(depth, totalOf(partial, static_cast<std::uint32_t>(d))));
      });
    }
    return true;
  }

  // The last two parts of the connection at `depth` are resistors c <= d, c from `first`,
  // searched on the pairs sorted by the sum of their terms. Folded, the connection's sum is
  // (partial + term c) + term d, within a few units in the last place of partial + that pair
  // sum: the pairs well inside the run of matches are counted, only those near its ends
  // (and those that may rank) are folded exactly.
  bool SearchPairs(int depth, std::uint32_t first) {
    if (Aborted()) return false;
    const Level& level = m_levels[static_cast<std::size_t>(depth)];
    const bool parallel = level.parallel;
    const PairsBySum& pairs = *m_search.m_pairs[parallel ? 1 : 0];
    const std::vector<double>& sums = pairs.Sums();
    Account(PairsFrom(first, m_count));
    // g grows with the connection's sum: its error, negated in parallel (where the total
    // falls as the sum grows). A match has -tolerance < g < tolerance either way.
    auto g = [&](double sum) {
      const double error = ErrorAt(depth, Close(parallel, sum));
      return parallel ? -error : error;
    };
    const double low = FirstSum(
        depth, [&](double sum) { return g(sum) > -m_tolerance; },
        parallel ? m_tolerance : -m_tolerance);
    const double high = FirstSum(
        depth, [&](double sum) { return !(g(sum) < m_tolerance); },
        parallel ? -m_tolerance : m_tolerance);
    if (!(low < high)) return true;
    auto exact = [&](std::size_t k, double& error) {
      const double sum = Fold(parallel, Fold(parallel, level.partial, m_values[pairs.First(k)]),
                              m_values[pairs.Second(k)]);
      error = ErrorAt(depth, Close(parallel, sum));
      return std::fabs(error) < m_tolerance;
    };
    // The pairs whose sum lies within the margin of a bound are folded exactly.
    Hint& hint = m_pairHints[static_cast<std::size_t>(depth)][parallel ? 1 : 0];
    auto at = [&](std::size_t guess, double sum) {
      return static_cast<std::size_t>(
          GallopFirstTrue(0, sums.size(), guess, [&](std::uint64_t k) { return sums[k] >= sum; }));
    };
    const double lowMargin = Margin(low);
    const std::size_t lowBegin = at(hint.low, low - level.partial - lowMargin);
    const std::size_t lowEnd = at(lowBegin, low - level.partial + lowMargin);
    std::size_t highBegin = sums.size();
    std::size_t highEnd = sums.size();
    if (std::isfinite(high)) {
      const double highMargin = Margin(high);
      highBegin = at(std::max(hint.high, lowEnd), high - level.partial - highMargin);
      highEnd = at(highBegin, high - level.partial + highMargin);
    }
    hint.low = lowBegin;
    hint.high = highBegin;
    std::uint64_t matching = 0;
    double error = 0;
    auto foldEach = [&](std::size_t begin, std::size_t end) {
      for (std::size_t k = begin; k < end; ++k) {
        if (pairs.First(k) >= first && exact(k, error)) ++matching;
      }
    };
    if (lowEnd <= highBegin) {
      matching += pairs.CountFrom(lowEnd, highBegin, first);
      foldEach(lowBegin, lowEnd);
      foldEach(highBegin, highEnd);
    } else {
      foldEach(lowBegin, highEnd);
    }
    m_matching += matching;
    if (matching == 0) return true;

    // Ranking: outwards from where g turns from negative, each way until a pair that cannot
    // rank lies on the far side of zero and the sums have moved past the margin from it.
    const double zero = FirstSum(
        depth, [&](double sum) { return g(sum) >= 0; }, 0.0);
    const std::size_t start = at(hint.zero, zero - level.partial);
    hint.zero = start;
    auto visit = [&](std::size_t pair, bool down, double& stop) {
      if (pairs.First(pair) < first) return;
      const bool matches = exact(pair, error);
      if (matches && m_best.MayRank(std::fabs(error))) {
        const std::int32_t chosen[] = {static_cast<std::int32_t>(pairs.First(pair)),
                                       static_cast<std::int32_t>(pairs.Second(pair))};
        const double sum =
            Fold(parallel, Fold(parallel, level.partial, m_values[chosen[0]]), m_values[chosen[1]]);
        Offer(depth, {}, chosen, TotalAt(depth, Close(parallel, sum)));
        return;
      }
      const double signedG = parallel ? -error : error;
      if (down ? signedG < 0 : signedG > 0) {
        const double margin = 2 * Margin(level.partial + sums[pair]);
        stop = down ? std::max(stop, sums[pair] - margin) : std::min(stop, sums[pair] + margin);
      }
    };
    double stop = -INFINITY;
    for (std::size_t k = std::min(start, sums.size()); k > lowBegin && !(sums[k - 1] < stop); --k) {
      visit(k - 1, true, stop);
    }
    stop = INFINITY;
    for (std::size_t pair = start; pair < highEnd && !(sums[pair] > stop); ++pair) {
      visit(pair, false, stop);
    }
    return true;
  }

  // How far a folded sum may lie from partial + pair sum: a few units in the last place,
  // here many, and never less than what the smallest doubles need.
  static double Margin(double sum) { return 1e-14 * std::fabs(sum) + 1e-300; }

  // The smallest sum of the connection at `depth` (a double from 0 to infinity) for which
  // `holds`, a predicate growing with the sum, is true; infinity past all. Galloped from the
  // sum the outer connections give when the whole network errs by `error`.
  template <class Holds>
  double FirstSum(int depth, Holds&& holds, double error) const {
    const double total = TotalInside(depth, error);
    return FirstDouble(holds,
                       m_levels[static_cast<std::size_t>(depth)].parallel ? 1.0 / total : total);
  }

  // The same for the total of the last part of the connection at `depth`.
  template <class Holds>
  double FirstPartTotal(int depth, Holds&& holds, double error) const {
    return FirstDouble(holds, TotalInside(depth + 1, error));
  }

  // What the connection at `depth` must total for the whole network to err by `error`, as
  // far as the outer connections' partial sums tell (rounding aside); not positive when out
  // of their reach.
  double TotalInside(int depth, double error) const {
    double total = m_target * (1 + error);
    for (int d = 0; d < depth && total > 0; ++d) {
      const Level& level = m_levels[static_cast<std::size_t>(d)];
      total = level.parallel ? 1.0 / (1.0 / total - level.partial) : total - level.partial;
    }
    return total;
  }

  // The smallest double from 0 to infinity where `holds`, false and then true, is true
  // (infinity past all), galloped from `guess`.
  template <class Holds>
  static double FirstDouble(Holds&& holds, double guess) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    if (!(guess >= 0)) {
      // Out of reach: mostly true or false throughout.
      if (holds(0.0)) return 0.0;
      if (!holds(kInfinity)) return kInfinity;
      guess = 0;
    }
    const auto infinity = std::bit_cast<std::uint64_t>(kInfinity);
    const std::uint64_t found =
        GallopFirstTrue(0, infinity + 1, std::min(std::bit_cast<std::uint64_t>(guess), infinity),
                        [&](std::uint64_t bits) { return holds(std::bit_cast<double>(bits)); });
    return found > infinity ? kInfinity : std::bit_cast<double>(found);
  }

  // Offers the matches of [low, high) from the one nearest the target outwards, while they
  // can still rank; `zero` is the first whose error is not negative.
  template <class Error, class Take>
  void RankOutward(std::size_t low, std::size_t zero, std::size_t high, Error& error, Take&& take) {
    std::size_t below = zero;  // the next one down is below - 1
    std::size_t above = zero;
    while (below > low || above < high) {
      const double down = below > low ? std::fabs(error(below - 1)) : INFINITY;
      const double up = above < high ? std::fabs(error(above)) : INFINITY;
      const bool takeDown = down <= up;
      if (!m_best.MayRank(takeDown ? down : up)) return;
      take(takeDown ? --below : above++);
    }
  }

  // The whole network: every level's connection, its chosen parts, then the last part
  // (a listed network, or the two swept resistors).
  void Offer(int depth, std::span<const std::int32_t> lastPart,
             std::span<const std::int32_t> lastPair, double total) {
    m_code.clear();
    for (int d = 0; d <= depth; ++d) {
      const Level& level = m_levels[static_cast<std::size_t>(d)];
      const std::uint32_t open = d == depth && !lastPair.empty() ? 2 : 1;
      const std::uint32_t parts = level.chosenCount + open;
      m_code.push_back(level.parallel ? ParallelToken(parts) : SeriesToken(parts));
      for (std::uint32_t k = 0; k < level.chosenCount; ++k) {
        const auto part = Parts(level.parallel, level.chosen[k].size).Code(level.chosen[k].index);
        m_code.insert(m_code.end(), part.begin(), part.end());
      }
    }
    m_code.insert(m_code.end(), lastPart.begin(), lastPart.end());
    m_code.insert(m_code.end(), lastPair.begin(), lastPair.end());
    m_best.Offer(MixedRow(m_code, total, m_target, m_count));
  }

  void Account(std::uint64_t networks) {
    m_unflushed += networks;
    if (++m_sinceFlush == 64) Flush();
  }
  void Flush() {
    m_visited.fetch_add(m_unflushed, std::memory_order_relaxed);
    m_unflushed = 0;
    m_sinceFlush = 0;
  }

  const FastMixedSearch& m_search;
  const double* m_values;
  std::uint32_t m_count;
  double m_target;
  double m_tolerance;
  MixedBestList m_best;
  const std::atomic<bool>& m_abortRequested;
  std::atomic<std::uint64_t>& m_visited;
  std::array<Level, kMaxMixedResistors> m_levels{};
  // Per depth, kind and size of the list searched.
  std::array<std::array<std::array<Hint, kMaxMixedResistors>, 2>, kMaxMixedResistors> m_hints{};
  std::array<std::array<Hint, 2>, kMaxMixedResistors> m_pairHints{};
  NetworkCode m_code;
  std::uint64_t m_matching = 0;
  std::uint64_t m_unflushed = 0;
  std::uint32_t m_sinceFlush = 0;
};

FastMixedSearch::FastMixedSearch(std::span<const double> values, const TargetParameters& parameters,
                                 const Layout& layout)
    : m_values(values), m_parameters(parameters), m_layout(layout) {
  // Parts of s resistors: resistors, or connections of the other kind (as many of either).
  // Only sizes up to the networks' are needed, and those counts fit in 64 bits (LayOut).
  const std::uint32_t largest = parameters.resistorCount;
  m_partCounts[1] = values.size();
  for (std::uint32_t s = 2; s <= largest; ++s) {
    m_partCounts[s] = MixedNetworkCount(values.size(), s).value_or(0) / 2;
  }
  // Multisets of parts of at least `smallest` resistors that take `left` resistors.
  for (std::uint32_t left = 0; left <= largest; ++left) {
    m_partSets[left][largest + 1] = left == 0 ? 1 : 0;
  }
  for (std::uint32_t smallest = largest; smallest >= 1; --smallest) {
    for (std::uint32_t left = 0; left <= largest; ++left) {
      std::uint64_t count = 0;
      for (std::uint32_t copies = 0; copies * smallest <= left; ++copies) {
        count += PartMultisets(m_partCounts[smallest], copies).value_or(0) *
                 m_partSets[left - copies * smallest][smallest + 1];
      }
      m_partSets[left][smallest] = count;
    }
  }
}

std::uint64_t FastMixedSearch::Completions(std::uint32_t left, std::uint32_t size,
                                           std::uint32_t index) const {
  // More parts of `size` from number `index` on (repeats allowed), then larger ones.
  const std::uint64_t available = m_partCounts[size] - index;
  std::uint64_t count = 0;
  for (std::uint32_t copies = 0; copies * size <= left; ++copies) {
    count +=
        PartMultisets(available, copies).value_or(0) * m_partSets[left - copies * size][size + 1];
  }
  return count;
}

FastMixedSearch::~FastMixedSearch() = default;

std::uint64_t FastMixedSearch::Run(unsigned workers, const std::atomic<bool>& abortRequested,
                                   std::atomic<std::uint64_t>& visited,
                                   std::vector<TargetMatch>& best) {
  const auto positions = static_cast<std::uint32_t>(m_values.size());
  if (m_parameters.targetResistance == 0) {
    // Every error is infinite: nothing matches.
    visited.fetch_add(MixedNetworkCount(positions, m_parameters.resistorCount).value_or(0),
                      std::memory_order_relaxed);
    return 0;
  }
  m_parts = std::make_unique<MixedEnumerator>(m_values.data(), positions, m_layout.listedSize + 1,
                                              abortRequested);
  if (!m_parts->Complete()) return 0;
  // The two kinds' lists are sorted side by side.
  RunWorkers(std::clamp(workers, 1U, 2U), [&](unsigned worker) {
    for (const bool parallel : {false, true}) {
      if (workers >= 2 && worker != (parallel ? 1U : 0U)) continue;
      auto& lists = m_byTotal[parallel ? 1 : 0];
      lists.clear();
      lists.emplace_back();  // no networks of no resistors
      if (m_layout.pairs)
        m_pairs[parallel ? 1 : 0] = std::make_unique<PairsBySum>(m_values, parallel);
      for (std::uint32_t size = 1; size <= m_layout.listedSize; ++size) {
        // Only a last part that has an earlier part of its size is counted from a given
        // network on: twice its size fits in the networks.
        const bool countsFrom = 2 * size <= m_parameters.resistorCount;
        lists.push_back(
            std::make_unique<PartsByTotal>(m_parts->PartsOf(parallel, size), countsFrom));
      }
    }
  });

  // A unit of work: the top connection's kind and its first part (of at most half).
  struct Unit {
    bool parallel;
    std::uint32_t size;
    std::uint32_t count;
  };
  std::vector<Unit> units;
  for (const bool parallel : {false, true}) {
    for (std::uint32_t size = 1; 2 * size <= m_parameters.resistorCount; ++size) {
      units.push_back(
          {parallel, size, static_cast<std::uint32_t>(m_parts->PartsOf(parallel, size).Size())});
    }
  }
  std::atomic<std::size_t> next{0};
  std::mutex merge;
  MixedBestList all(m_parameters.maxResults);
  std::uint64_t matching = 0;
  RunWorkers(std::max(1U, workers), [&](unsigned) {
    Worker worker(*this, abortRequested, visited);
    for (;;) {
      std::size_t taken = next.fetch_add(1, std::memory_order_relaxed);
      const Unit* unit = nullptr;
      for (const Unit& u : units) {
        if (taken < u.count) {
          unit = &u;
          break;
        }
        taken -= u.count;
      }
      if (unit == nullptr ||
          !worker.SearchUnit(unit->parallel, unit->size, static_cast<std::uint32_t>(taken))) {
        break;
      }
    }
    const std::lock_guard<std::mutex> lock(merge);
    matching += worker.Matching();
    for (const TargetMatch& row : worker.Best().Rows()) all.Offer(row);
  });
  if (best.size() < all.Rows().size()) best.resize(all.Rows().size());
  std::copy(all.Rows().begin(), all.Rows().end(), best.begin());
  return matching;
}

}  // namespace ordavin
