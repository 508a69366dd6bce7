#pragma once

#include <cstdint>
#include <vector>

#include "divider/DividerArithmetic.h"
#include "divider/DividerParameters.h"
#include "divider/fast/Reach.h"
#include "divider/fast/SideKeys.h"
#include "divider/fast/WindowTests.h"
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
             const DividerParameters& p, const WindowTests& tests, const Reach& reach, bool upper);

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

}  // namespace ordavin::fast_divider
