// The number grammar and the division factor, checked against the C library's strtod.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "divider/DivisionFactor.h"
#include "fuzz/FuzzTargets.h"
#include "values/NumberText.h"
#include "values/ResistanceText.h"

namespace ordavin::fuzz {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool SameDouble(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

bool OnlySpaces(std::string_view text) {
  for (const char c : text) {
    if (!IsSpace(c)) return false;
  }
  return true;
}

// "  +123  ": white space, an optional plus and decimal digits only.
bool IsPlainWholeNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  if (i < text.size() && text[i] == '+') ++i;
  const std::size_t digits = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  return i > digits && OnlySpaces(text.substr(i));
}

}  // namespace

void FuzzNumberText(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const NumberPrefix prefix = ReadNumberPrefix(text);
  Check(prefix.length <= text.size(), "the prefix lies inside the text");
  if (prefix.found()) {
    // The C library reads the same characters to the same double ("C" locale: a point).
    const std::string copy(text.substr(0, prefix.length));
    char* end = nullptr;
    const double expected = std::strtod(copy.c_str(), &end);
    Check(end == copy.c_str() + copy.size(), "strtod reads the whole prefix");
    Check(SameDouble(prefix.value, expected), "the prefix reads as strtod reads it");
    Check(!std::isnan(prefix.value), "no number is NaN");
  }

  const std::optional<double> whole = ReadWholeNumber(text);
  Check(whole.has_value() == (prefix.found() && OnlySpaces(text.substr(prefix.length))),
        "a whole number is a prefix followed by white space");
  if (whole) Check(SameDouble(*whole, prefix.value), "the whole number is the prefix");

  const std::optional<std::uint64_t> count = ReadWholeUnsigned(text);
  if (count) {
    Check(IsPlainWholeNumber(text), "a count has digits only");
    Check(whole && *whole == static_cast<double>(*count), "a count reads as the same number");
  } else if (IsPlainWholeNumber(text)) {
    Check(whole && *whole >= 18446744073709551615.0, "digits refused as a count exceed 64 bits");
  }

  const double factor = ParseDivisionFactor(text);
  Check(std::isfinite(factor) && factor >= 0, "a factor is finite and not negative");
  const std::size_t slash = text.find('/');
  if (slash == std::string_view::npos || slash == 0) {
    Check(factor == 0 || (factor < 1 && SameDouble(factor, prefix.value)),
          "a plain factor is its number inside (0, 1)");
  } else if (factor != 0) {
    // Each side is its resistance when it spells one, else its number prefix.
    const auto side = [](std::string_view part) {
      const std::optional<double> resistance = ReadResistance(part);
      return resistance ? *resistance : ReadNumberPrefix(part).value;
    };
    const double numerator = side(text.substr(0, slash));
    const double denominator = side(text.substr(slash + 1));
    Check(SameDouble(factor, numerator / denominator), "a ratio is its quotient");
  }
  const std::optional<double> wholeFactor = ReadWholeDivisionFactor(text);
  if (wholeFactor) Check(SameDouble(*wholeFactor, factor), "a whole factor reads as the page's");
  if (slash == std::string_view::npos) {
    Check(wholeFactor.has_value() == whole.has_value(), "a lone factor is a whole number");
  }

  const std::optional<double> resistance = ReadResistance(text);
  if (whole) {
    Check(resistance && SameDouble(*resistance, *whole), "a plain number reads as it always did");
  }
  if (resistance) {
    Check(!std::isnan(*resistance), "no resistance is NaN");
    Check(text.find_first_of("0123456789") != std::string_view::npos, "a resistance has digits");
  }
}

}  // namespace ordavin::fuzz
