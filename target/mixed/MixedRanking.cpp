#include "target/mixed/MixedRanking.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "target/NetworkCode.h"
#include "target/mixed/CanonicalOrder.h"

namespace ordavin {

bool RanksBefore(const TargetMatch& first, const TargetMatch& second) {
  const double a = std::fabs(first.error);
  const double b = std::fabs(second.error);
  if (a != b) return a < b;
  const std::uint32_t distinctA = DistinctPositionCount(first.network);
  const std::uint32_t distinctB = DistinctPositionCount(second.network);
  if (distinctA != distinctB) return distinctA < distinctB;
  return CompareNetworks(first.network, second.network) < 0;
}

bool MixedBestList::MayRank(double magnitude) const {
  if (m_capacity == 0) return false;
  return m_rows.size() < m_capacity || !(std::fabs(m_rows.back().error) < magnitude);
}

void MixedBestList::Offer(TargetMatch match) {
  if (!MayRank(std::fabs(match.error))) return;
  const auto place = static_cast<std::size_t>(
      std::upper_bound(m_rows.begin(), m_rows.end(), match, RanksBefore) - m_rows.begin());
  if (m_rows.size() == m_capacity) {
    if (place == m_rows.size()) return;
    m_rows.pop_back();
  }
  m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(place), std::move(match));
}

}  // namespace ordavin
