#include "texts/EngineeringNotation.h"

#include <cmath>

#include "values/NumberText.h"

namespace ordavin {
namespace {

struct Range {
  double lowerExponent;  // inclusive; the first row's is minus infinity
  double divisor;        // 0: the value itself
  const char* prefix;
};

constexpr Range kRanges[] = {
    {-HUGE_VAL, 1e-9, "n"}, {-6, 1e-6, "\u00B5"}, {-3, 0.001, "m"}, {0, 0, ""},
    {3, 1000, "k"},         {6, 1e6, "M"},        {9, 1e9, "G"},
};

}  // namespace

std::string FormatEngineering(double value, std::string_view unit, int decimals) {
  const double x = std::log10(value);
  if (std::isnan(x)) return {};
  const Range* row = &kRanges[0];
  for (const Range& range : kRanges) {
    if (x >= range.lowerExponent) row = &range;
  }
  const double quotient = row->divisor == 0 ? value : value / row->divisor;
  std::string text = FormatFixed(quotient, decimals);
  text += ' ';
  text += row->prefix;
  text += unit;
  return text;
}

std::string FormatResistance(double ohms, int decimals) {
  return FormatEngineering(ohms, "\u2126", decimals);
}

std::string FormatCurrent(double amperes) { return FormatEngineering(amperes, "A"); }

std::string FormatPower(double watts) { return FormatEngineering(watts, "W"); }

}  // namespace ordavin
