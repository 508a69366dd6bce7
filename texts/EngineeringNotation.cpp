#include "texts/EngineeringNotation.h"

#include <cmath>

#include "values/NumberText.h"

namespace ordavin {
namespace {

struct Range {
  // The least value the row takes (the first row takes everything below the second): the
  // smallest double whose log10 reaches the row's power of ten under glibc, which picked the
  // row before. Compared directly, so that no platform's log10 moves a value across.
  double lowest;
  double divisor;  // 0: the value itself
  const char* prefix;
};

constexpr Range kRanges[] = {
    {-HUGE_VAL, 1e-9, "n"},
    {0x1.0c6f7a0b5ed88p-20, 1e-6, "\u00B5"},  // 1e-6 less 5 units in the last place
    {0x1.0624dd2f1a9fap-10, 0.001, "m"},      // 1e-3 less 2
    {1.0, 0, ""},
    {0x1.f3ffffffffffbp+9, 1000, "k"},  // 1e3 less 5
    {0x1.e847ffffffff7p+19, 1e6, "M"},  // 1e6 less 9
    {0x1.dcd64ffffffeep+29, 1e9, "G"},  // 1e9 less 18
};

}  // namespace

std::string FormatEngineering(double value, std::string_view unit, int decimals) {
  // No logarithm for a negative number or NaN; minus zero still reads as 0 n.
  if (std::isnan(value) || value < 0) return {};
  const Range* row = &kRanges[0];
  for (const Range& range : kRanges) {
    if (value >= range.lowest) row = &range;
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
