#include "divider/DivisionFactor.h"

#include <cmath>

#include "values/NumberText.h"

namespace ordavin {
namespace {

// A number's prefix, or 0 when there is none.
double LeadingNumber(std::string_view text) { return ReadNumberPrefix(text).value; }

}  // namespace

double ParseDivisionFactor(std::string_view text) {
  const std::size_t slash = text.find('/');
  if (slash == std::string_view::npos || slash == 0) {
    const double value = LeadingNumber(text);
    return value > 0 && value < 1 ? value : 0.0;
  }
  const double numerator = LeadingNumber(text.substr(0, slash));
  const double denominator = LeadingNumber(text.substr(slash + 1));
  if (!(numerator * denominator > 0)) return 0.0;
  // "1e999/1e999" would give NaN: no usable factor either.
  const double quotient = numerator / denominator;
  return std::isfinite(quotient) ? quotient : 0.0;
}

}  // namespace ordavin
