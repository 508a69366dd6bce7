#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "divider/DividerArithmetic.h"
#include "divider/DividerParameters.h"
#include "divider/fast/Reach.h"
#include "divider/fast/SideKeys.h"
#include "divider/fast/WindowTests.h"
#include "search/GallopingSearch.h"
#include "search/MultisetRanks.h"

namespace ordavin::fast_divider {

// One network's multisets as a sort source: each one's key and rank, except the multisets
// that cannot match whatever the other network is. The divider's series total is at least
// this network's total and its parallel total at most this network's 1/G (floating point
// rounds monotonically), so a total above the series maximum or a 1/G below the parallel
// minimum can never match; nor can a network out of reach (see Reach).
class SideSource {
 public:
  // For the upper side the reach bounds its total, for the lower side its loaded total.
  SideSource(const std::vector<double>& terms, const MultisetRanks& ranks, SideForm form,
             const DividerParameters& p, const WindowTests& tests, const Reach& reach, bool upper,
             bool ascending);

  std::uint64_t Size() const { return m_ranks.Count(); }
  SideForm Form() const { return m_form; }

  bool Keeps(double sum) const {
    if (!m_testSeriesMax && !m_testParallelMin && !m_testReach) return true;
    const NetworkTotal net = NetworkOfSum(sum, m_form.parallel);
    return LargeEnough(net) && SmallEnough(net);
  }

  // With the values in ascending order, the multisets that differ only in their first digit
  // (a group of consecutive ranks) grow in total with that digit, and so does every figure
  // Keeps bounds: the group's kept first digits are one range, found by two searches instead
  // of a test of each. `digits` holds the group's other digits; the range lies in [from, to).
  struct DigitRange {
    std::int32_t begin;
    std::int32_t end;
  };
  DigitRange KeptFirstDigits(std::int32_t* digits, std::int32_t from, std::int32_t to) const {
    const auto network = [&](std::int32_t digit) {
      digits[0] = digit;
      return NetworkOfSum(SumOf(digits), m_form.parallel);
    };
    const std::int32_t begin =
        FirstTrue(from, to, [&](std::int32_t d) { return LargeEnough(network(d)); });
    const std::int32_t end =
        FirstTrue(begin, to, [&](std::int32_t d) { return !SmallEnough(network(d)); });
    return {begin, end};
  }

  // The sum the network forms from the multiset `digits`, in digit order, and its key.
  double SumOf(const std::int32_t* digits) const {
    double sum = 0.0;
    for (std::uint32_t k = 0; k < m_ranks.DigitCount(); ++k) sum += m_terms[digits[k]];
    return sum;
  }
  std::uint64_t KeyOf(double sum) const { return KeyOfSum(sum, m_form); }
  const MultisetRanks& Ranks() const { return m_ranks; }
  std::int32_t LastDigit() const { return m_last; }

  // The figures of the multiset whose digits all equal `digit`.
  NetworkTotal NetworkOfRepeated(std::int32_t digit) const;
  double TotalOfRepeated(std::int32_t digit) const { return NetworkOfRepeated(digit).total; }

  template <class Emit>
  void ForEach(std::uint64_t first, std::uint64_t end, Emit&& emit) const {
    if (m_ascending) {
      if (m_ranks.DigitCount() == 3) return RunGroups<3>(first, end, emit);
      return RunGroups<0>(first, end, emit);
    }
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

  // The same a group at a time, testing only where its kept range begins and ends.
  template <std::uint32_t kCount, class Emit>
  void RunGroups(std::uint64_t first, std::uint64_t end, Emit& emit) const {
    const std::uint32_t count = kCount != 0 ? kCount : m_ranks.DigitCount();
    std::int32_t digits[MultisetRanks::kMaxCount];
    m_ranks.Unrank(first, digits);
    for (std::uint64_t rank = first; rank < end;) {
      const std::int32_t top = count > 1 ? digits[1] : m_last;
      const std::uint64_t base = rank - static_cast<std::uint64_t>(digits[0]);
      const auto to = static_cast<std::int32_t>(
          std::min<std::uint64_t>(static_cast<std::uint64_t>(top) + 1, end - base));
      const DigitRange kept = KeptFirstDigits(digits, digits[0], to);
      for (std::int32_t d = kept.begin; d < kept.end; ++d) {
        digits[0] = d;
        double sum = 0.0;
        for (std::uint32_t k = 0; k < count; ++k) sum += m_terms[digits[k]];
        emit(KeyOfSum(sum, m_form), base + static_cast<std::uint64_t>(d));
      }
      rank = base + static_cast<std::uint64_t>(top) + 1;
      digits[0] = top;
      if (!MultisetRanks::Next(digits, count, m_last)) break;
    }
  }

  // The tests of Keeps that a small total fails, and those that a large one fails.
  bool LargeEnough(const NetworkTotal& net) const {
    if (m_testParallelMin && 1.0 / net.conductance < m_parallelMin) return false;
    return !m_testReach || Reached(net) >= m_min;
  }
  bool SmallEnough(const NetworkTotal& net) const {
    if (m_testSeriesMax && net.total > m_seriesMax) return false;
    return !m_testReach || Reached(net) <= m_max;
  }
  double Reached(const NetworkTotal& net) const {
    return m_reachesTotal ? net.total : 1.0 / (net.conductance + m_load);
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
  bool m_ascending;
};

}  // namespace ordavin::fast_divider
