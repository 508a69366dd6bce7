#include "target/mixed/PartsByTotal.h"

#include <algorithm>
#include <numeric>

namespace ordavin {

PartsByTotal::PartsByTotal(const SubNetworkList& list) {
  const std::size_t size = list.Size();
  m_canonical.resize(size);
  std::iota(m_canonical.begin(), m_canonical.end(), std::uint32_t{0});
  auto before = [&list](std::uint32_t a, std::uint32_t b) {
    return list.Total(a) < list.Total(b) || (list.Total(a) == list.Total(b) && a < b);
  };
  m_inCanonicalOrder = std::is_sorted(m_canonical.begin(), m_canonical.end(), before);
  if (!m_inCanonicalOrder) {
    std::sort(m_canonical.begin(), m_canonical.end(), before);
    m_ranks = WaveletMatrix(m_canonical);
  }
  m_totals.resize(size);
  for (std::size_t k = 0; k < size; ++k) m_totals[k] = list.Total(m_canonical[k]);
}

std::size_t PartsByTotal::Bytes() const {
  return m_totals.size() * sizeof(double) + m_canonical.size() * sizeof(std::uint32_t) +
         m_ranks.Bytes();
}

}  // namespace ordavin
