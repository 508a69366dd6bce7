#pragma once

#include <optional>
#include <string>

namespace ordavin {

// 10^(-dB/20): the division factor of an attenuation.
double AttenuatorFactor(double attenuationDb);

// (Uref - Ugnd) / (Uout - Ugnd), the feedback divider of an adjustable regulator; nothing
// when Uref and Uout lie on opposite sides of Ugnd or the quotient is not a finite number.
std::optional<double> RegulatorFactor(double uOut, double uRef, double uGnd);

// The text a calculator writes into the division-factor field ("%1.8f").
std::string FormatFactorText(double factor);

inline constexpr const char* kInvalidVoltagesMessage =
    "Invalid voltages detected.\nCheck that |Ugnd| < |Uref| < |Uout|";

}  // namespace ordavin
