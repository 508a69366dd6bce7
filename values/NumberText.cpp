#include "values/NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace ordavin {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal order of magnitude of a digit string with an exponent, enough to tell an overflow
// (far above zero) from an underflow (far below) when the conversion reports out of range.
std::int64_t Magnitude(std::string_view digits, std::int64_t exponent) {
  std::size_t point = digits.find('.');
  std::string_view whole = digits.substr(0, point);
  std::string_view fraction =
      point == std::string_view::npos ? std::string_view{} : digits.substr(point + 1);
  std::size_t lead = whole.find_first_not_of('0');
  if (lead != std::string_view::npos) {
    return exponent + static_cast<std::int64_t>(whole.size() - lead);
  }
  std::size_t zeros = fraction.find_first_not_of('0');
  if (zeros == std::string_view::npos) return INT64_MIN / 2;  // the value is zero
  return exponent - static_cast<std::int64_t>(zeros);
}

}  // namespace

NumberPrefix ReadNumberPrefix(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t mantissaStart = i;
  std::size_t digitCount = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digitCount;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digitCount;
  }
  if (digitCount == 0) return {};
  const std::size_t mantissaEnd = i;

  std::int64_t exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    bool negativeExponent = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
      negativeExponent = text[j] == '-';
      ++j;
    }
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) {
        // Saturate: anything this large is out of range either way.
        if (exponent < 100000000) exponent = exponent * 10 + (text[j] - '0');
        ++j;
      }
      if (negativeExponent) exponent = -exponent;
      i = j;
    }
  }

  std::string_view number = text.substr(mantissaStart, i - mantissaStart);
  double value = 0.0;
  auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                      std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    std::string_view digits = text.substr(mantissaStart, mantissaEnd - mantissaStart);
    value = Magnitude(digits, exponent) > 0 ? HUGE_VAL : 0.0;
  } else if (error != std::errc{} || end != number.data() + number.size()) {
    return {};  // cannot happen for text that matched the grammar above
  }
  return {negative ? -value : value, i};
}

std::optional<double> ReadWholeNumber(std::string_view text) {
  NumberPrefix prefix = ReadNumberPrefix(text);
  if (!prefix.found()) return std::nullopt;
  for (std::size_t i = prefix.length; i < text.size(); ++i) {
    if (!IsSpace(text[i])) return std::nullopt;
  }
  return prefix.value;
}

std::optional<std::uint64_t> ReadWholeUnsigned(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  if (i < text.size() && text[i] == '+') ++i;
  std::size_t start = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  if (i == start) return std::nullopt;
  std::uint64_t value = 0;
  auto [end, error] = std::from_chars(text.data() + start, text.data() + i, value);
  if (error != std::errc{}) return std::nullopt;
  for (; i < text.size(); ++i) {
    if (!IsSpace(text[i])) return std::nullopt;
  }
  return value;
}

std::string FormatFixed(double value, int decimals) {
  // 1e308 in fixed notation with up to a few dozen decimals fits easily.
  std::array<char, 400> buffer{};
  auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, decimals);
  if (error != std::errc{}) return {};
  return std::string(buffer.data(), end);
}

std::string FormatGeneral(double value, int significantDigits) {
  std::array<char, 64> buffer{};
  auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::general, significantDigits);
  if (error != std::errc{}) return {};
  return std::string(buffer.data(), end);
}

std::string FormatShortest(double value) {
  std::array<char, 64> buffer{};
  auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  if (error != std::errc{}) return {};
  return std::string(buffer.data(), end);
}

std::string FormatRank(std::int64_t rank) {
  std::string text = std::to_string(rank);
  if (text.size() < 2) text.append(2 - text.size(), ' ');
  return text;
}

}  // namespace ordavin
