#include "target/mixed/PartsByTotal.h"

#include <algorithm>
#include <utility>

namespace ordavin {

PartsByTotal::PartsByTotal(const SubNetworkList& list, bool countsFrom) {
  const std::size_t size = list.Size();
  m_totals.resize(size);
  m_canonical.resize(size);
  for (std::size_t i = 0; i < size; ++i) {
    m_totals[i] = list.Total(i);
    m_canonical[i] = static_cast<std::uint32_t>(i);
  }
  m_inCanonicalOrder = std::is_sorted(m_totals.begin(), m_totals.end());
  if (m_inCanonicalOrder) return;
  // Sorted as pairs side by side rather than through indices: far fewer cache misses.
  std::vector<std::pair<double, std::uint32_t>> byTotal(size);
  for (std::size_t i = 0; i < size; ++i) byTotal[i] = {m_totals[i], m_canonical[i]};
  std::sort(byTotal.begin(), byTotal.end());
  for (std::size_t i = 0; i < size; ++i) {
    m_totals[i] = byTotal[i].first;
    m_canonical[i] = byTotal[i].second;
  }
  if (countsFrom) m_ranks = WaveletMatrix(m_canonical);
}

std::size_t PartsByTotal::Bytes() const {
  return m_totals.size() * sizeof(double) + m_canonical.size() * sizeof(std::uint32_t) +
         m_ranks.Bytes();
}

}  // namespace ordavin
