#include "target/mixed/MixedReferenceSearch.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "target/TargetArithmetic.h"
#include "target/mixed/MixedEnumerator.h"
#include "target/mixed/MixedRanking.h"

namespace ordavin {

TargetMatch MixedRow(std::span<const std::int32_t> code, double total, double target,
                     std::uint32_t positions) {
  TargetMatch row;
  row.network.assign(code.begin(), code.end());
  row.indices = PositionsOf(code);
  row.indices.insert(row.indices.end(), {static_cast<std::int32_t>(positions) - 1, 0});
  row.isParallel = IsConnectionToken(code[0]) && IsParallelToken(code[0]);
  row.total = total;
  row.error = RelativeError(total, target);
  return row;
}

std::uint64_t SearchMixedNetworks(const double* values, std::uint32_t positions,
                                  const TargetParameters& parameters,
                                  const std::atomic<bool>& abortRequested,
                                  std::atomic<std::uint64_t>& visited,
                                  std::vector<TargetMatch>& best) {
  MixedBestList list(parameters.maxResults);
  std::uint64_t matching = 0;
  std::uint64_t count = 0;
  if (positions > 0) {
    MixedEnumerator networks(values, positions, parameters.resistorCount, abortRequested);
    networks.ForEach([&](std::span<const std::int32_t> code, double total) {
      if (abortRequested.load(std::memory_order_relaxed)) return false;
      const double error = RelativeError(total, parameters.targetResistance);
      if (std::fabs(error) < parameters.tolerance) {
        ++matching;
        if (list.MayRank(std::fabs(error))) {
          list.Offer(MixedRow(code, total, parameters.targetResistance, positions));
        }
      }
      visited.store(++count, std::memory_order_relaxed);
      return true;
    });
  }
  if (best.size() < list.Rows().size()) best.resize(list.Rows().size());
  std::copy(list.Rows().begin(), list.Rows().end(), best.begin());
  return matching;
}

}  // namespace ordavin
