#include "run/DividerPreparation.h"

#include "divider/DividerEngine.h"
#include "texts/Messages.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

Preparation Refuse(const char* message) { return {false, {message}}; }

}  // namespace

Preparation PrepareDividerRun(ValueSet& values, std::span<const std::int32_t> checkStates,
                              const DividerRequest& request, DividerEngine& engine) {
  values.ResetWorkingSet();
  values.ApplyChecks(checkStates);
  if (values.WorkingCount() < 2) return Refuse(kNotEnoughValuesMessage);

  DividerParameters p = engine.Parameters();
  p.seriesMin = 0;
  p.seriesMax = DividerParameters::kOpenWindowMax;
  p.parallelMin = 0;
  p.parallelMax = DividerParameters::kOpenWindowMax;
  // Written as "inside (0, 1)" so that a NaN factor is refused too.
  if (!(request.divisionFactor > 0 && request.divisionFactor < 1)) {
    engine.SetParameters(p);
    return Refuse(kDivisionFactorMessage);
  }
  if (request.seriesEnabled) {
    if (request.seriesMax < request.seriesMin) {
      engine.SetParameters(p);
      return Refuse(kSeriesConstraintMessage);
    }
    p.seriesMin = request.seriesMin;
    p.seriesMax = request.seriesMax;
  }
  if (request.parallelEnabled) {
    if (request.parallelMax < request.parallelMin) {
      engine.SetParameters(p);
      return Refuse(kParallelConstraintMessage);
    }
    p.parallelMin = request.parallelMin;
    p.parallelMax = request.parallelMax;
  }
  p.lowerMode = request.lowerMode;
  p.upperMode = request.upperMode;
  p.upperCount = request.upperCount;
  p.lowerCount = request.lowerCount;
  p.maxResults = request.maxResults;
  p.targetFactor = request.divisionFactor;
  p.tolerance = request.tolerance;
  p.sourceResistance = request.sourceResistance;
  p.loadConductance = request.loadResistance > 0 ? 1 / request.loadResistance : 0.0;
  engine.SetParameters(p);
  return {true, {}};
}

}  // namespace ordavin
