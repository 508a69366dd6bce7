#pragma once

// Everything here runs once or more per lower network, so it stays inline.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "divider/DividerParameters.h"
#include "divider/fast/Plan.h"
#include "divider/fast/SideKeys.h"
#include "divider/fast/SortedSide.h"
#include "divider/fast/WindowTests.h"
#include "search/GallopingSearch.h"
#include "search/RankedCandidate.h"

namespace ordavin::fast_divider {

// One worker's sweep: lower networks one at a time against a sorted upper side. The workers'
// sweepers lie side by side and each writes its own for every network, so each takes cache
// lines of its own.
class alignas(64) Sweeper {
 public:
  Sweeper(const DividerParameters& p, const Plan& plan)
      : m_best(p.maxResults),
        m_p(p),
        m_tests(plan.tests),
        m_inverseFactors(InverseFactorsOf(p)),
        m_upperForm(plan.upperForm),
        m_lowerForm(plan.lowerForm),
        m_upperSpan(plan.upper.Count()) {}

  void Attach(const SortedSide& uppers) {
    m_uppers = &uppers;
    m_keys = uppers.Keys();
    m_count = uppers.Count();
    m_following = false;
  }

  // The lower networks that follow come in ascending key order, so each search starts where
  // the last one ended instead of at an estimate.
  void Follow() {
    m_following = true;
    m_hinted = false;
  }

  void Visit(std::uint64_t lowerKey, std::uint64_t lowerRank) {
    m_rl = TotalOfKey(lowerKey, m_lowerForm.kind);
    m_gl = ConductanceOfKey(lowerKey, m_lowerForm);
    m_loaded = 1.0 / (m_gl + m_p.loadConductance);

    // Along the sorted side the error falls while both totals grow: the tests that fail
    // first and pass later pick the run's start, the others its end. The searches start
    // where estimates of those totals fall among the keys; only their cost depends on that.
    // The estimates are found from the last search's places when there are some, by keys
    // alone, which is cheaper than the tests.
    const Estimates guess = Estimate();
    const bool hinted = m_hinted;
    if (hinted) {
      m_lo = m_uppers->LowerBoundNear(guess.lo, m_lo);
      m_hi = m_uppers->LowerBoundNear(guess.hi, m_hi);
    } else {
      m_lo = m_uppers->LowerBound(guess.lo);
      m_hi = m_uppers->LowerBound(guess.hi);
      m_hinted = m_following;
    }
    const std::uint64_t lo =
        GallopFirstTrue(0, m_count, m_lo, [this](std::uint64_t i) { return PassesLow(i); });
    const std::uint64_t hi =
        GallopFirstTrue(lo, m_count, m_hi, [this](std::uint64_t i) { return !PassesHigh(i); });
    m_lo = lo;
    m_hi = hi;
    if (hi <= lo) return;
    m_matching += hi - lo;
    const std::uint64_t base = lowerRank * m_upperSpan;
    if (m_best.Capacity() == 0 || OutranksAll(base)) return;
    // The sign change is only looked for when the run may rank.
    const std::uint64_t zeroKey =
        KeyOfTotalEstimate(TotalAtFactor(m_inverseFactors.target), m_upperForm.kind);
    m_zero = hinted ? m_uppers->LowerBoundNear(zeroKey, m_zero) : m_uppers->LowerBound(zeroKey);
    const std::uint64_t zero =
        GallopFirstTrue(lo, hi, m_zero, [this](std::uint64_t i) { return ErrorAt(i) <= 0; });
    m_zero = zero;
    Rank(lo, zero, hi, base);
  }

  // Notes a lower rank as swept, for runs that record what they accounted for.
  void Account(std::uint64_t lowerRank) { m_accounted.push_back(lowerRank); }

  BestCandidates TakeBest() { return std::move(m_best); }
  std::uint64_t Matching() const { return m_matching; }
  std::span<const std::uint64_t> Accounted() const { return m_accounted; }

 private:
  struct Estimates {
    std::uint64_t lo;
    std::uint64_t hi;
  };

  // Where the tests change, as keys of upper totals, from the divider's formulas solved for
  // the upper total.
  Estimates Estimate() const {
    const DividerParameters& p = m_p;
    double low = TotalAtFactor(m_inverseFactors.low);
    double high = TotalAtFactor(m_inverseFactors.high);
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
    return {KeyOfTotalEstimate(low, kind), KeyOfTotalEstimate(high, kind)};
  }
  // The upper total at which the factor would be 1 / `inverse` (0: no total reaches it).
  double TotalAtFactor(double inverse) const {
    return inverse > 0 ? m_loaded * inverse - m_loaded - m_p.sourceResistance : HUGE_VAL;
  }
  // The reciprocals of the factors at the tolerance's ends and of the target, for estimates.
  struct InverseFactors {
    double low;
    double high;
    double target;
  };
  static InverseFactors InverseFactorsOf(const DividerParameters& p) {
    const auto inverse = [](double factor) { return factor > 0 ? 1 / factor : 0.0; };
    return {inverse(p.targetFactor * (1 + p.tolerance)),
            inverse(p.targetFactor * (1 - p.tolerance)), inverse(p.targetFactor)};
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

  // Whether the best list is full of exact matches that all come later in visit order than
  // any of this lower network's, so that none of them can rank: large searches soon find
  // enough exact matches, and most of their runs are then left unranked.
  bool OutranksAll(std::uint64_t base) const {
    if (!m_best.Full()) return false;
    const RankedCandidate& worst = m_best.Worst();
    return worst.magnitude == 0 && base + m_upperSpan <= worst.visitKey;
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
      if (m_best.Full() && magnitude > m_best.Worst().magnitude) break;
      const std::uint64_t key = m_keys[top];
      std::uint64_t j = top;
      while (m_best.Offer({magnitude, base + m_uppers->RankAt(j)}) && j > lo &&
             m_keys[j - 1] == key) {
        --j;
      }
      i = GallopFirstTrue(lo, top + 1, j,
                          [this, key](std::uint64_t k) { return m_keys[k] == key; });
    }
    i = zero;
    while (i < hi) {  // errors of zero and below, growing rightwards
      const double magnitude = std::fabs(ErrorAt(i));
      if (m_best.Full() && magnitude > m_best.Worst().magnitude) break;
      const std::uint64_t key = m_keys[i];
      const std::uint64_t end = GallopFirstTrue(
          i + 1, hi, i + 1, [this, key](std::uint64_t k) { return m_keys[k] != key; });
      for (std::uint64_t j = end;
           j > i && m_best.Offer({magnitude, base + m_uppers->RankAt(j - 1)}); --j) {
      }
      i = end;
    }
  }

  BestCandidates m_best;
  std::uint64_t m_matching = 0;
  std::vector<std::uint64_t> m_accounted;
  const DividerParameters& m_p;
  WindowTests m_tests;
  InverseFactors m_inverseFactors;
  SideForm m_upperForm;
  SideForm m_lowerForm;
  std::uint64_t m_upperSpan;
  const SortedSide* m_uppers = nullptr;
  const std::uint64_t* m_keys = nullptr;
  std::uint64_t m_count = 0;
  double m_rl = 0.0;
  double m_gl = 0.0;
  double m_loaded = 0.0;
  // Where the last search's run began, ended and changed sign.
  bool m_following = false;
  bool m_hinted = false;
  std::uint64_t m_lo = 0;
  std::uint64_t m_hi = 0;
  std::uint64_t m_zero = 0;
};

}  // namespace ordavin::fast_divider
