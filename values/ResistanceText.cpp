#include "values/ResistanceText.h"

#include <string>

#include "values/NumberText.h"

namespace ordavin {
namespace {

// A multiplier letter or a spelling of the unit.
struct Symbol {
  std::string_view spelling;
  const char* exponent;  // the power of ten, as the decimal text takes it
  bool anyCase = false;
};

// "meg" before "m"; micro as the micro sign and as the Greek letter mu. Case matters where
// SI gives it a meaning (m milli, M mega); K and R are how resistor codes write kilo and
// ohms.
constexpr Symbol kMultipliers[] = {
    {"meg", "6", true}, {"p", "-12"}, {"n", "-9"}, {"u", "-6"}, {"\u00B5", "-6"},
    {"\u03BC", "-6"},   {"m", "-3"},  {"R", "0"},  {"r", "0"},  {"k", "3"},
    {"K", "3"},         {"M", "6"},   {"G", "9"},  {"T", "12"},
};

// "ohms" before "ohm"; the ohm sign and the Greek capital omega look alike.
constexpr Symbol kUnits[] = {
    {"ohms", "0", true}, {"ohm", "0", true}, {"\u2126", "0"}, {"\u03A9", "0"}};

bool IsOhms(const Symbol& letter) { return std::string_view(letter.exponent) == "0"; }

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Reads the text from left to right; each Take moves past what it returns.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : m_text(text) {}

  bool AtEnd() const { return m_position == m_text.size(); }

  bool TakeSpaces() {
    const std::size_t start = m_position;
    while (!AtEnd() && IsSpace(m_text[m_position])) ++m_position;
    return m_position != start;
  }

  bool Take(char c) {
    if (AtEnd() || m_text[m_position] != c) return false;
    ++m_position;
    return true;
  }

  std::string_view TakeDigits() {
    const std::size_t start = m_position;
    while (!AtEnd() && IsDigit(m_text[m_position])) ++m_position;
    return m_text.substr(start, m_position - start);
  }

  // "e3", "E-12": an exponent marker only when digits follow it, as in plain numbers.
  std::string_view TakeExponent() {
    const std::size_t start = m_position;
    if (!Take('e') && !Take('E')) return {};
    if (!Take('+')) Take('-');
    if (TakeDigits().empty()) {
      m_position = start;
      return {};
    }
    return m_text.substr(start, m_position - start);
  }

  template <std::size_t N>
  const Symbol* TakeOneOf(const Symbol (&choices)[N]) {
    for (const Symbol& choice : choices) {
      if (Matches(choice)) {
        m_position += choice.spelling.size();
        return &choice;
      }
    }
    return nullptr;
  }

 private:
  bool Matches(const Symbol& choice) const {
    const std::string_view rest = m_text.substr(m_position);
    if (rest.size() < choice.spelling.size()) return false;
    for (std::size_t i = 0; i < choice.spelling.size(); ++i) {
      const char c = rest[i];
      if (c != choice.spelling[i] && !(choice.anyCase && Lower(c) == choice.spelling[i])) {
        return false;
      }
    }
    return true;
  }

  std::string_view m_text;
  std::size_t m_position = 0;
};

// The decimal a letter-code text stands for, in the plain grammar ("4k7" gives "4.7e3"),
// or nothing when the text is no such code.
std::optional<std::string> CodeAsDecimal(std::string_view text) {
  Cursor cursor(text);
  cursor.TakeSpaces();
  std::string decimal;
  if (cursor.Take('-')) {
    decimal = "-";
  } else {
    cursor.Take('+');
  }
  std::string_view whole = cursor.TakeDigits();
  const bool point = cursor.Take('.');
  std::string_view fraction = point ? cursor.TakeDigits() : std::string_view{};
  std::string_view exponent;
  const Symbol* letter = nullptr;
  if (whole.empty() && fraction.empty()) {
    // "R47", "k47": the letter is the point of a number below one of its unit.
    if (point) return std::nullopt;
    letter = cursor.TakeOneOf(kMultipliers);
    if (letter == nullptr) return std::nullopt;
    fraction = cursor.TakeDigits();
    if (fraction.empty()) return std::nullopt;
  } else {
    exponent = cursor.TakeExponent();
    const bool spaced = cursor.TakeSpaces();
    letter = cursor.TakeOneOf(kMultipliers);
    // One scale only: "1e3k" could mean 1e6 or be a slip, so it is neither.
    if (letter != nullptr && !exponent.empty()) return std::nullopt;
    // "4k7": the letter in place of the point, so there must be no point as well.
    if (letter != nullptr && !spaced && !point) fraction = cursor.TakeDigits();
  }
  cursor.TakeSpaces();
  const Symbol* unit = cursor.TakeOneOf(kUnits);
  // R already says ohms.
  if (unit != nullptr && letter != nullptr && IsOhms(*letter)) return std::nullopt;
  cursor.TakeSpaces();
  if (!cursor.AtEnd() || (letter == nullptr && unit == nullptr)) return std::nullopt;

  decimal.append(whole).append(".").append(fraction);
  if (letter != nullptr) {
    decimal.append("e").append(letter->exponent);
  } else {
    decimal.append(exponent);
  }
  return decimal;
}

}  // namespace

std::optional<double> ReadResistance(std::string_view text) {
  if (const std::optional<double> plain = ReadWholeNumber(text)) return plain;
  const std::optional<std::string> decimal = CodeAsDecimal(text);
  if (!decimal) return std::nullopt;
  return ReadWholeNumber(*decimal);
}

}  // namespace ordavin
