#pragma once

#include <cstdint>

#include "divider/DividerMatch.h"
#include "divider/DividerParameters.h"
#include "network/CheckedResult.h"

namespace ordavin {

class ValueSet;

// Row rankIndex of a divider run as a circuit to check, its resistors looked up in the
// working set the run searched.
CheckedResult CheckedDividerRow(std::int32_t rankIndex, const DividerMatch& match,
                                const DividerParameters& parameters, const ValueSet& values);

}  // namespace ordavin
