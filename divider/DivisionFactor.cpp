#include "divider/DivisionFactor.h"

#include <cmath>

#include "values/NumberText.h"
#include "values/ResistanceText.h"

namespace ordavin {
namespace {

// A number's prefix, or 0 when there is none.
double LeadingNumber(std::string_view text) { return ReadNumberPrefix(text).value; }

// A side of a ratio: the resistance it spells, else its number prefix as it always was read.
double RatioSide(std::string_view text) {
  if (const std::optional<double> resistance = ReadResistance(text)) return *resistance;
  return LeadingNumber(text);
}

}  // namespace

double ParseDivisionFactor(std::string_view text) {
  const std::size_t slash = text.find('/');
  if (slash == std::string_view::npos || slash == 0) {
    const double value = LeadingNumber(text);
    return value > 0 && value < 1 ? value : 0.0;
  }
  const double numerator = RatioSide(text.substr(0, slash));
  const double denominator = RatioSide(text.substr(slash + 1));
  if (!(numerator * denominator > 0)) return 0.0;
  // "1e999/1e999" would give NaN: no usable factor either.
  const double quotient = numerator / denominator;
  return std::isfinite(quotient) ? quotient : 0.0;
}

std::optional<double> ReadWholeDivisionFactor(std::string_view text) {
  const std::size_t slash = text.find('/');
  const bool whole = slash == std::string_view::npos
                         ? ReadWholeNumber(text).has_value()
                         : ReadResistance(text.substr(0, slash)).has_value() &&
                               ReadResistance(text.substr(slash + 1)).has_value();
  if (!whole) return std::nullopt;
  return ParseDivisionFactor(text);
}

}  // namespace ordavin
