#include "texts/ErrorText.h"

#include <cmath>

#include "values/NumberText.h"

namespace ordavin {
namespace {

// printf's "%+.*f": the sign is always shown.
std::string Signed(double value, int decimals) {
  std::string text = FormatFixed(value, decimals);
  if (text.empty() || text.front() != '-') text.insert(text.begin(), '+');
  return text;
}

}  // namespace

std::string FormatError(double relativeError) {
  if (relativeError == 0) return "Zero";
  if (std::fabs(relativeError) <= 0.0001) return Signed(relativeError * 1000000, 1) + " ppm";
  return Signed(relativeError * 100, 3) + " %";
}

}  // namespace ordavin
