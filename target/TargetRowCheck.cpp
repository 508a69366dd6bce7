#include "target/TargetRowCheck.h"

#include <vector>

#include "values/ValueSet.h"

namespace ordavin {

CheckedResult CheckedTargetRow(std::int32_t rankIndex, const TargetMatch& match,
                               const TargetParameters& parameters, const ValueSet& values) {
  std::vector<Network> parts;
  for (const std::int32_t position : match.Positions(parameters.resistorCount)) {
    parts.push_back(Resistor(values.WorkingValue(static_cast<std::size_t>(position)), position));
  }
  CheckedResult result;
  result.kind = CheckedResult::Kind::Resistance;
  result.rank = std::int64_t{rankIndex} + 1;
  result.network =
      Connect(match.isParallel ? Connection::Parallel : Connection::Series, std::move(parts));
  result.target = parameters.targetResistance;
  result.tolerance = parameters.tolerance;
  result.strictTolerance = true;
  return result;
}

}  // namespace ordavin
