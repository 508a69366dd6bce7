#include "target/TargetRowCheck.h"

#include <cstddef>
#include <span>
#include <vector>

#include "target/NetworkCode.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

// The network at code[next], its resistors looked up in the working set; next moves past it.
Network NetworkAt(std::span<const std::int32_t> code, std::size_t& next, const ValueSet& values) {
  const std::int32_t token = code[next++];
  if (!IsConnectionToken(token)) {
    return Resistor(values.WorkingValue(static_cast<std::size_t>(token)), token);
  }
  std::vector<Network> parts;
  for (std::uint32_t k = 0; k < PartCountOf(token); ++k) {
    parts.push_back(NetworkAt(code, next, values));
  }
  return Connect(IsParallelToken(token) ? Connection::Parallel : Connection::Series,
                 std::move(parts));
}

}  // namespace

CheckedResult CheckedTargetRow(std::int32_t rankIndex, const TargetMatch& match,
                               const TargetParameters& parameters, const ValueSet& values) {
  CheckedResult result;
  result.kind = CheckedResult::Kind::Resistance;
  result.rank = std::int64_t{rankIndex} + 1;
  if (IsWellFormed(match.network)) {
    std::size_t next = 0;
    result.network = NetworkAt(match.network, next, values);
  } else {
    std::vector<Network> parts;
    for (const std::int32_t position : match.Positions(parameters.resistorCount)) {
      parts.push_back(Resistor(values.WorkingValue(static_cast<std::size_t>(position)), position));
    }
    result.network =
        Connect(match.isParallel ? Connection::Parallel : Connection::Series, std::move(parts));
  }
  result.target = parameters.targetResistance;
  result.tolerance = parameters.tolerance;
  result.strictTolerance = true;
  return result;
}

}  // namespace ordavin
