#include "run/TargetPreparation.h"

#include <span>

#include "search/MemoryBudget.h"
#include "target/TargetEngine.h"
#include "target/mixed/FastMixedSearch.h"
#include "target/mixed/MixedEnumerator.h"
#include "target/mixed/MixedNetworkCount.h"
#include "texts/Messages.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

// What the mixed search's lists take: the fast search's when it covers the run, else the
// enumerator's.
double MixedSearchBytes(const ValueSet& values, const TargetRequest& request) {
  const std::span<const double> working = values.WorkingValues().first(values.WorkingCount());
  if (const auto layout =
          FastMixedSearch::LayOut(working, request.resistorCount, request.targetResistance)) {
    return static_cast<double>(layout->bytes);
  }
  return MixedEnumerator::ListBytes(working.size(), request.resistorCount);
}

}  // namespace

Preparation PrepareTargetRun(ValueSet& values, std::span<const std::int32_t> checkStates,
                             const TargetRequest& request, TargetEngine& engine) {
  Preparation result{true, {}};
  auto refuse = [&result](const char* message) {
    result.ready = false;
    result.messages.emplace_back(message);
  };
  values.ResetWorkingSet();
  values.ApplyChecks(checkStates);
  if (values.WorkingCount() < 2) refuse(kNotEnoughValuesMessage);

  const double target = request.targetResistance;
  const double tolerance = request.tolerance;
  if (request.connectionMode == ConnectionMode::ParallelOnly) {
    if (values.RestrictToRange((1 - tolerance) * target, 1e300) == 0)
      refuse(kNoCombinationsMessage);
  } else if (request.connectionMode == ConnectionMode::SeriesOnly) {
    if (values.RestrictToRange(0, (1 + tolerance) * target) == 0) refuse(kNoCombinationsMessage);
  } else if (request.connectionMode == ConnectionMode::Mixed && values.WorkingCount() >= 2) {
    // A mixed total may lie above or below any of its resistors: every value takes part.
    const std::uint64_t n = values.WorkingCount();
    if (!MixedNetworkCount(n, request.resistorCount)) {
      refuse(kTooManyNetworksMessage);
    } else if (MixedSearchBytes(values, request) > static_cast<double>(DefaultMemoryLimit())) {
      refuse(kNetworksNeedMemoryMessage);
    }
  }

  engine.SetParameters(
      {target, tolerance, request.connectionMode, request.maxResults, request.resistorCount});
  return result;
}

}  // namespace ordavin
