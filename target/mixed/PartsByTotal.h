#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "search/WaveletMatrix.h"
#include "target/mixed/SubNetworkList.h"

namespace ordavin {

// A list of networks (in canonical order) seen in the order of their totals, ties in
// canonical order: what a search for the totals that make a match runs on. Counts those of a
// run of totals that come at or after a given network in canonical order, as the last part
// of a connection whose previous part has the same size must.
class PartsByTotal {
 public:
  // `countsFrom`: whether CountFrom will be asked with a first network beyond the list's
  // first (then counts are prepared for it).
  PartsByTotal(const SubNetworkList& list, bool countsFrom);

  std::size_t Size() const { return m_totals.size(); }
  const std::vector<double>& Totals() const { return m_totals; }
  // The canonical index of the k-th smallest total.
  std::uint32_t CanonicalIndex(std::size_t k) const { return m_canonical[k]; }
  // How many of the k in [begin, end) have a canonical index of at least `first`.
  std::size_t CountFrom(std::size_t begin, std::size_t end, std::uint32_t first) const {
    if (first == 0 || m_inCanonicalOrder) {
      const std::size_t from = m_inCanonicalOrder && first > begin ? first : begin;
      return end > from ? end - from : 0;
    }
    return m_ranks.CountAtLeast(begin, end, first);
  }
  std::size_t Bytes() const;

 private:
  std::vector<double> m_totals;
  std::vector<std::uint32_t> m_canonical;
  bool m_inCanonicalOrder = true;  // the totals already ascend in canonical order
  WaveletMatrix m_ranks;
};

}  // namespace ordavin
