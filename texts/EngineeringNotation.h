#pragma once

#include <string>

namespace ordavin {

// A resistance in ohms in engineering notation: "4.70 kΩ", "220.00 mΩ", "0.00 nΩ".
// The range is chosen from the unrounded value; negative or NaN values give "".
std::string FormatResistance(double ohms, int decimals = 2);

}  // namespace ordavin
