#pragma once

#include <cstdint>

#include "network/CheckedResult.h"
#include "target/TargetMatch.h"
#include "target/TargetParameters.h"

namespace ordavin {

class ValueSet;

// Row rankIndex of a target run as a network to check, its resistors looked up in the
// working set the run searched.
CheckedResult CheckedTargetRow(std::int32_t rankIndex, const TargetMatch& match,
                               const TargetParameters& parameters, const ValueSet& values);

}  // namespace ordavin
