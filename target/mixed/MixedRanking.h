#pragma once

#include <cstdint>
#include <vector>

#include "target/TargetMatch.h"

namespace ordavin {

// The order of mixed rows: smaller |error| first; equal ones with fewer distinct positions
// first, then in canonical order of their networks (CanonicalOrder.h). A total order on
// distinct networks, so the ranking does not depend on the order the networks are visited in
// or on how the work is split between threads.
bool RanksBefore(const TargetMatch& first, const TargetMatch& second);

// The best mixed rows seen so far, in ranking order, at most `capacity` of them.
class MixedBestList {
 public:
  explicit MixedBestList(std::uint32_t capacity) : m_capacity(capacity) {}

  // Whether a row with this |error| could still be kept (ties are decided by Offer).
  bool MayRank(double magnitude) const;
  void Offer(TargetMatch match);

  const std::vector<TargetMatch>& Rows() const { return m_rows; }

 private:
  std::uint32_t m_capacity;
  std::vector<TargetMatch> m_rows;
};

}  // namespace ordavin
