#include "divider/fast/SideSource.h"

#include <cmath>

namespace ordavin::fast_divider {

SideSource::SideSource(const std::vector<double>& terms, const MultisetRanks& ranks, SideForm form,
                       const DividerParameters& p, const WindowTests& tests, const Reach& reach,
                       bool upper, bool ascending)
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
      m_reachesTotal(upper),
      m_ascending(ascending) {}

NetworkTotal SideSource::NetworkOfRepeated(std::int32_t digit) const {
  double sum = 0.0;
  for (std::uint32_t k = 0; k < m_ranks.DigitCount(); ++k) sum += m_terms[digit];
  return NetworkOfSum(sum, m_form.parallel);
}

}  // namespace ordavin::fast_divider
