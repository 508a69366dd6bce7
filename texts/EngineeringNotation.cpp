#include "texts/EngineeringNotation.h"

#include <cmath>

#include "values/NumberText.h"

namespace ordavin {
namespace {

struct Range {
  double lowerExponent;  // inclusive; the first row's is minus infinity
  double divisor;        // 0: the value itself
  const char* unit;
};

constexpr Range kRanges[] = {
    {-HUGE_VAL, 1e-9, " n\u2126"}, {-6, 1e-6, " \u00B5\u2126"},
    {-3, 0.001, " m\u2126"},       {0, 0, " \u2126"},
    {3, 1000, " k\u2126"},         {6, 1e6, " M\u2126"},
    {9, 1e9, " G\u2126"},
};

}  // namespace

std::string FormatResistance(double ohms, int decimals) {
  const double x = std::log10(ohms);
  if (std::isnan(x)) return {};
  const Range* row = &kRanges[0];
  for (const Range& range : kRanges) {
    if (x >= range.lowerExponent) row = &range;
  }
  const double quotient = row->divisor == 0 ? ohms : ohms / row->divisor;
  return FormatFixed(quotient, decimals) + row->unit;
}

}  // namespace ordavin
