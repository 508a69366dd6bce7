#pragma once

#include <string>
#include <string_view>

namespace ordavin {

// A quantity in engineering notation, a prefix from n to G before its unit: "4.70 kΩ",
// "1.06 mA", "220.00 mW". The range is chosen from the unrounded value; negative or NaN
// values give "".
std::string FormatEngineering(double value, std::string_view unit, int decimals = 2);

// "4.70 kΩ", "220.00 mΩ", "0.00 nΩ".
std::string FormatResistance(double ohms, int decimals = 2);
std::string FormatCurrent(double amperes);
std::string FormatPower(double watts);

}  // namespace ordavin
