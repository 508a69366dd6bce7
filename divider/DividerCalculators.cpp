#include "divider/DividerCalculators.h"

#include <cmath>

#include "values/NumberText.h"

namespace ordavin {

double AttenuatorFactor(double attenuationDb) { return std::pow(10.0, attenuationDb / -20.0); }

std::optional<double> RegulatorFactor(double uOut, double uRef, double uGnd) {
  const double a = uRef - uGnd;
  const double b = uOut - uGnd;
  if (a * b < 0) return std::nullopt;
  // Uout at Ugnd, or differences beyond the doubles, give no number to write.
  const double factor = a / b;
  if (!std::isfinite(factor)) return std::nullopt;
  return factor;
}

std::string FormatFactorText(double factor) { return FormatFixed(factor, 8); }

}  // namespace ordavin
