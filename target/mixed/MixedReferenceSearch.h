#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "target/TargetMatch.h"
#include "target/TargetParameters.h"

namespace ordavin {

// The straightforward mixed search: every canonical network (MixedEnumerator) evaluated with
// the mixed arithmetic, the best kept in MixedRanking order. `visited` counts the networks as
// they go by; the best rows are written to the front of `best`. Returns the matching count.
std::uint64_t SearchMixedNetworks(const double* values, std::uint32_t positions,
                                  const TargetParameters& parameters,
                                  const std::atomic<bool>& abortRequested,
                                  std::atomic<std::uint64_t>& visited,
                                  std::vector<TargetMatch>& best);

// A mixed row for this network: positions in its order followed by the sentinels.
TargetMatch MixedRow(std::span<const std::int32_t> code, double total, double target,
                     std::uint32_t positions);

}  // namespace ordavin
