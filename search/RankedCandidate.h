#pragma once

#include <cstdint>

#include "search/BestList.h"

namespace ordavin {

// A match before its figures are written out: its |error| and its place in the visit order.
struct RankedCandidate {
  double magnitude;
  std::uint64_t visitKey;
};

// |error| ascending, then the later visit first, as the straightforward engines insert.
struct RankedCandidateBefore {
  bool operator()(const RankedCandidate& a, const RankedCandidate& b) const {
    if (a.magnitude != b.magnitude) return a.magnitude < b.magnitude;
    return a.visitKey > b.visitKey;
  }
};

using BestCandidates = BestList<RankedCandidate, RankedCandidateBefore>;

}  // namespace ordavin
