#include "run/TargetPreparation.h"

#include "target/TargetEngine.h"
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
  }

  engine.SetParameters(
      {target, tolerance, request.connectionMode, request.maxResults, request.resistorCount});
  return result;
}

}  // namespace ordavin
