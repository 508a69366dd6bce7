#include "texts/SeriesFindingText.h"

#include <string_view>

#include "values/NumberText.h"
#include "values/SeriesSection.h"

namespace ordavin {
namespace {

std::string Quoted(std::string_view text) {
  constexpr std::string_view kHex = "0123456789abcdef";
  std::string quoted = "'";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\t') {
      quoted += "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      quoted += "\\x";
      quoted += kHex[byte >> 4U];
      quoted += kHex[byte & 0xFU];
    } else {
      quoted += c;
    }
  }
  quoted += '\'';
  return quoted;
}

std::string Number(double value) { return FormatShortest(value); }

// What the number is to the series, as the messages name it.
std::string_view Role(SeriesSection section) {
  switch (section) {
    case SeriesSection::BaseValues:
      return "base value";
    case SeriesSection::Decades:
      return "decade exponent";
    case SeriesSection::Minimum:
      return "minimum";
    case SeriesSection::Maximum:
      return "maximum";
    case SeriesSection::None:
      break;
  }
  return "number";
}

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

std::string KeywordText(const SeriesFinding& f) {
  const std::string lower = AsciiLower(f.text);
  const std::string& keyword = f.detail;
  std::string why;
  if (lower == keyword) {
    why = " (keywords are lower case)";
  } else if (lower.starts_with(keyword) && lower.size() > keyword.size() &&
             (lower[keyword.size()] == ' ' || lower[keyword.size()] == '\t')) {
    why = " (a keyword stands alone on its line)";
  }
  return Quoted(f.text) + " is not the keyword " + Quoted(keyword) + why +
         "; the section does not change";
}

std::string RestText(const SeriesFinding& f) {
  return Quoted(f.text) + " is read as " + Number(f.value) + " (the rest, " + Quoted(f.detail) +
         ", is ignored)";
}

std::string ValueText(const SeriesFinding& f, std::string_view what) {
  return std::string(Role(f.section)) + " " + Quoted(f.text) + " " + std::string(what);
}

constexpr std::string_view kNoValues = "the file gives no values: ";

}  // namespace

std::string DescribeSeriesFinding(const SeriesFinding& f) {
  switch (f.kind) {
    case SeriesFindingKind::ByteOrderMark:
      if (!f.detail.empty()) {
        return "a UTF-8 byte-order mark before " + Quoted(f.detail) +
               " hides the keyword; the section does not change";
      }
      return "the file starts with a UTF-8 byte-order mark, which is read as part of the first "
             "line";
    case SeriesFindingKind::Keyword:
      return KeywordText(f);
    case SeriesFindingKind::IgnoredLine:
      return Quoted(f.text) +
             " is ignored: it comes before the first keyword line (comments start with ';')";
    case SeriesFindingKind::SkippedToken:
      return Quoted(f.text) + " is skipped: no number can be read from it";
    case SeriesFindingKind::PartlyRead:
      return RestText(f);
    case SeriesFindingKind::TabJoined:
      return RestText(f) + ": numbers are separated by spaces, not tabs";
    case SeriesFindingKind::ZeroValue:
      return ValueText(f, "is zero: it gives values of 0 ohms");
    case SeriesFindingKind::NegativeValue:
      return ValueText(f, f.section == SeriesSection::BaseValues
                              ? "is negative: it gives negative values"
                              : "is negative");
    case SeriesFindingKind::NotFinite:
      return ValueText(f, f.value < 0 ? "is out of range: it is read as -infinity"
                                      : "is out of range: it is read as infinity");
    case SeriesFindingKind::ExponentOutOfRange:
      return ValueText(f, "is out of range: 10^" + Number(f.value) +
                              (f.value < 0 ? " is read as 0" : " is too large for a number"));
    case SeriesFindingKind::MinimumAboveMaximum:
      return "the minimum, " + Number(f.value) + ", is above the maximum, " + Number(f.maximum) +
             ": no value can lie between them";
    case SeriesFindingKind::NoBaseValues:
      return std::string(kNoValues) + "it has no base values";
    case SeriesFindingKind::NoDecades:
      return std::string(kNoValues) + "it has no decade exponents";
    case SeriesFindingKind::NoValueWithinBounds:
      return std::string(kNoValues) + "none lies between the minimum, " + Number(f.value) +
             ", and the maximum, " + Number(f.maximum);
    case SeriesFindingKind::NotLoaded:
      return "loading failed: " + f.text;
    case SeriesFindingKind::LoadStopped:
      return "loading stops: " + f.text;
  }
  return {};
}

}  // namespace ordavin
