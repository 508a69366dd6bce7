#include "run/TargetPreparation.h"

#include "search/MemoryBudget.h"
#include "target/TargetEngine.h"
#include "target/mixed/MixedEnumerator.h"
#include "target/mixed/MixedNetworkCount.h"
#include "texts/Messages.h"
#include "values/ValueSet.h"

namespace ordavin {

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
    } else if (MixedEnumerator::ListBytes(n, request.resistorCount) >
               static_cast<double>(DefaultMemoryLimit())) {
      refuse(kNetworksNeedMemoryMessage);
    }
  }

  engine.SetParameters(
      {target, tolerance, request.connectionMode, request.maxResults, request.resistorCount});
  return result;
}

}  // namespace ordavin
