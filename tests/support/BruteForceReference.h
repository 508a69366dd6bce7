#pragma once

// A deliberately plain search to hold the engines against. It shares no code with them: the
// multisets come from a recursion in lexicographic order, and each one's place in the
// engines' (colexicographic) visit order comes from a closed formula, so an enumeration or
// ranking slip in an engine cannot hide behind the same slip here.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "divider/DividerParameters.h"
#include "divider/NetworkMode.h"
#include "target/ConnectionMode.h"
#include "target/TargetParameters.h"

namespace ordavin::reference {

inline std::uint64_t Choose(std::uint64_t n, std::uint64_t k) {
  if (k > n) return 0;
  std::uint64_t result = 1;
  for (std::uint64_t i = 1; i <= k; ++i) result = result * (n - k + i) / i;
  return result;
}

// Number of non-decreasing tuples of `count` digits below n.
inline std::uint64_t MultisetCount(std::uint64_t n, std::uint64_t count) {
  return n == 0 ? 0 : Choose(n + count - 1, count);
}

// Every non-decreasing tuple of `count` digits below n, in lexicographic order.
inline std::vector<std::vector<std::int32_t>> AllMultisets(std::uint32_t n, std::uint32_t count) {
  std::vector<std::vector<std::int32_t>> all;
  std::vector<std::int32_t> digits;
  auto collect = [&](auto&& self, std::int32_t from) -> void {
    if (digits.size() == count) {
      all.push_back(digits);
      return;
    }
    for (std::int32_t d = from; d < static_cast<std::int32_t>(n); ++d) {
      digits.push_back(d);
      self(self, d);
      digits.pop_back();
    }
  };
  collect(collect, 0);
  return all;
}

// Position of a non-decreasing tuple in colexicographic order (first digit moving fastest):
// the tuples before it are counted by the combinatorial number system on d_i + i.
inline std::uint64_t ColexRank(std::span<const std::int32_t> digits) {
  std::uint64_t rank = 0;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    rank += Choose(static_cast<std::uint64_t>(digits[i]) + i, i + 1);
  }
  return rank;
}

struct Network {
  double total = 0.0;
  double conductance = 0.0;
};

inline Network EvaluateNetwork(std::span<const double> values, std::span<const std::int32_t> digits,
                               NetworkMode mode) {
  Network net;
  if (mode == NetworkMode::Parallel) {
    double g = 0.0;
    for (const std::int32_t d : digits) g += 1.0 / values[static_cast<std::size_t>(d)];
    net.conductance = g;
    net.total = 1.0 / g;
  } else {
    double r = 0.0;
    for (const std::int32_t d : digits) r += values[static_cast<std::size_t>(d)];
    net.total = r;
    net.conductance = 1.0 / r;
  }
  return net;
}

struct DividerFigures {
  double ru = 0.0;
  double rl = 0.0;
  double factor = 0.0;
  double rser = 0.0;
  double rpar = 0.0;
  double error = 0.0;
};

inline DividerFigures EvaluateDivider(Network upper, Network lower, const DividerParameters& p) {
  DividerFigures f;
  f.ru = upper.total;
  f.rl = lower.total;
  f.rser = upper.total + lower.total;
  f.rpar = 1.0 / (upper.conductance + lower.conductance);
  const double loaded = 1.0 / (lower.conductance + p.loadConductance);
  const double top = p.sourceResistance + upper.total;
  f.factor = loaded / (top + loaded);
  f.error = (f.factor - p.targetFactor) / p.targetFactor;
  return f;
}

// Written as negated acceptances so that a NaN anywhere rejects.
inline bool DividerAccepted(const DividerFigures& f, const DividerParameters& p) {
  if (!(std::fabs(f.error) <= p.tolerance)) return false;
  if (!(f.rser >= p.seriesMin) || !(f.rser <= p.seriesMax)) return false;
  if (!(f.rpar >= p.parallelMin) || !(f.rpar <= p.parallelMax)) return false;
  return true;
}

struct DividerRow {
  std::vector<std::int32_t> upper;
  std::vector<std::int32_t> lower;
  DividerFigures figures;
  std::uint64_t visitKey = 0;
};

struct DividerOutcome {
  std::uint64_t visited = 0;
  std::uint64_t matching = 0;
  std::vector<DividerRow> rows;  // best first
};

// Later visits win ties, so the key sorts descending after |error|.
struct RankedCandidate {
  double magnitude;
  std::uint64_t key;
  std::uint32_t first;
  std::uint32_t second;
};

inline bool RanksBefore(const RankedCandidate& a, const RankedCandidate& b) {
  if (a.magnitude != b.magnitude) return a.magnitude < b.magnitude;
  return a.key > b.key;
}

inline void KeepBest(std::vector<RankedCandidate>& candidates, std::uint32_t maxResults) {
  const std::size_t keep = std::min<std::size_t>(candidates.size(), maxResults);
  std::partial_sort(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(keep),
                    candidates.end(), RanksBefore);
  candidates.resize(keep);
}

inline DividerOutcome SearchDivider(std::span<const double> values, const DividerParameters& p) {
  const auto n = static_cast<std::uint32_t>(values.size());
  const auto uppers = AllMultisets(n, p.upperCount);
  const auto lowers = AllMultisets(n, p.lowerCount);
  std::vector<Network> upperNets;
  std::vector<std::uint64_t> upperRanks;
  for (const auto& digits : uppers) {
    upperNets.push_back(EvaluateNetwork(values, digits, p.upperMode));
    upperRanks.push_back(ColexRank(digits));
  }
  std::vector<Network> lowerNets;
  std::vector<std::uint64_t> lowerRanks;
  for (const auto& digits : lowers) {
    lowerNets.push_back(EvaluateNetwork(values, digits, p.lowerMode));
    lowerRanks.push_back(ColexRank(digits));
  }

  // The upper network runs through all its multisets for each lower one.
  const std::uint64_t upperSpan = uppers.size();
  std::vector<RankedCandidate> candidates;
  for (std::uint32_t li = 0; li < lowers.size(); ++li) {
    for (std::uint32_t ui = 0; ui < uppers.size(); ++ui) {
      const DividerFigures f = EvaluateDivider(upperNets[ui], lowerNets[li], p);
      if (!DividerAccepted(f, p)) continue;
      candidates.push_back(
          {std::fabs(f.error), lowerRanks[li] * upperSpan + upperRanks[ui], ui, li});
    }
  }

  DividerOutcome out;
  out.visited = static_cast<std::uint64_t>(uppers.size()) * lowers.size();
  out.matching = candidates.size();
  KeepBest(candidates, p.maxResults);
  for (const RankedCandidate& c : candidates) {
    out.rows.push_back({uppers[c.first], lowers[c.second],
                        EvaluateDivider(upperNets[c.first], lowerNets[c.second], p), c.key});
  }
  return out;
}

inline double ParallelTotal(std::span<const double> values, std::span<const std::int32_t> digits) {
  double g = 0.0;
  for (const std::int32_t d : digits) g += 1.0 / values[static_cast<std::size_t>(d)];
  return 1.0 / g;
}

inline double SeriesTotal(std::span<const double> values, std::span<const std::int32_t> digits) {
  double r = 0.0;
  for (const std::int32_t d : digits) r += values[static_cast<std::size_t>(d)];
  return r;
}

struct TargetRow {
  std::vector<std::int32_t> positions;
  bool isParallel = false;
  double total = 0.0;
  double error = 0.0;
  std::uint64_t visitKey = 0;
};

struct TargetOutcome {
  std::uint64_t visited = 0;
  std::uint64_t matching = 0;
  std::vector<TargetRow> rows;  // best first
};

inline TargetOutcome SearchTarget(std::span<const double> values, const TargetParameters& p) {
  const auto n = static_cast<std::uint32_t>(values.size());
  const auto multisets = AllMultisets(n, p.resistorCount);
  const bool parallel = EvaluatesParallel(p.connectionMode);
  const bool series = EvaluatesSeries(p.connectionMode);
  const std::uint64_t perMultiset = (parallel ? 1u : 0u) + (series ? 1u : 0u);

  struct Evaluated {
    std::uint32_t multiset;
    bool isParallel;
    double total;
    double error;
  };
  std::vector<Evaluated> evaluated;
  std::vector<RankedCandidate> candidates;
  for (std::uint32_t m = 0; m < multisets.size(); ++m) {
    // Within one multiset the series evaluation follows the parallel one.
    const std::uint64_t base = ColexRank(multisets[m]) * perMultiset;
    for (int pass = 0; pass < 2; ++pass) {
      const bool isParallel = pass == 0;
      if (isParallel ? !parallel : !series) continue;
      const double total =
          isParallel ? ParallelTotal(values, multisets[m]) : SeriesTotal(values, multisets[m]);
      const double error = (total - p.targetResistance) / p.targetResistance;
      if (!(std::fabs(error) < p.tolerance)) continue;
      const std::uint64_t key = base + ((!isParallel && parallel) ? 1u : 0u);
      candidates.push_back(
          {std::fabs(error), key, static_cast<std::uint32_t>(evaluated.size()), 0});
      evaluated.push_back({m, isParallel, total, error});
    }
  }

  TargetOutcome out;
  out.visited = multisets.size() * perMultiset;
  out.matching = candidates.size();
  KeepBest(candidates, p.maxResults);
  for (const RankedCandidate& c : candidates) {
    const Evaluated& e = evaluated[c.first];
    out.rows.push_back({multisets[e.multiset], e.isParallel, e.total, e.error, c.key});
  }
  return out;
}

}  // namespace ordavin::reference
