#include "divider/DividerRowCheck.h"

#include <span>
#include <vector>

#include "values/ValueSet.h"

namespace ordavin {
namespace {

Network SideNetwork(std::span<const std::int32_t> digits, NetworkMode mode,
                    const ValueSet& values) {
  std::vector<Network> parts;
  for (const std::int32_t digit : digits) {
    parts.push_back(Resistor(values.WorkingValue(static_cast<std::size_t>(digit)), digit));
  }
  return Connect(mode == NetworkMode::Parallel ? Connection::Parallel : Connection::Series,
                 std::move(parts));
}

}  // namespace

CheckedResult CheckedDividerRow(std::int32_t rankIndex, const DividerMatch& match,
                                const DividerParameters& parameters, const ValueSet& values) {
  CheckedResult result;
  result.kind = CheckedResult::Kind::Divider;
  result.rank = std::int64_t{rankIndex} + 1;
  result.divider.upper =
      SideNetwork(match.UpperDigits(parameters.upperCount), match.upperMode, values);
  result.divider.lower = SideNetwork(
      match.LowerDigits(parameters.upperCount, parameters.lowerCount), match.lowerMode, values);
  result.divider.sourceResistance = parameters.sourceResistance;
  result.divider.loadConductance = parameters.loadConductance;
  result.target = parameters.targetFactor;
  result.tolerance = parameters.tolerance;
  result.strictTolerance = false;
  return result;
}

}  // namespace ordavin
