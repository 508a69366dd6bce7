#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ordavin {

// The one number grammar of the program, used for series files, fields and options:
// optional white space, optional sign, digits with an optional point and fraction
// (at least one digit in all), optional exponent. "." is the decimal separator whatever
// the locale; "inf", "nan" and hexadecimal forms are not numbers.
struct NumberPrefix {
  double value = 0.0;
  std::size_t length = 0;  // characters consumed, white space included; 0 when no number
  bool found() const { return length != 0; }
};

// The longest prefix of text that is a number ("4k7" gives 4, "7e" gives 7, "1e+" gives 1).
// Correctly rounded; magnitudes beyond the double range give infinity or zero.
NumberPrefix ReadNumberPrefix(std::string_view text);

// The whole text as one number, white space allowed around it; nothing when anything else
// is left over or no number is there.
std::optional<double> ReadWholeNumber(std::string_view text);

// The whole text as an unsigned decimal integer (white space allowed around it, an optional
// "+"); nothing when it is not one or does not fit 64 bits.
std::optional<std::uint64_t> ReadWholeUnsigned(std::string_view text);

// printf("%.*f") without the locale: a point as the separator, "inf"/"nan" for non-finite.
std::string FormatFixed(double value, int decimals);

// printf("%.*g") without the locale: how numbers are shown in the window's fields.
std::string FormatGeneral(double value, int significantDigits);

// The shortest text that reads back to the same double.
std::string FormatShortest(double value);

// printf("%-2d"): left-aligned in a field of two characters.
std::string FormatRank(std::int64_t rank);

}  // namespace ordavin
