#include "cli/CliOptions.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>

#include "cli/TerminalText.h"
#include "divider/DivisionFactor.h"
#include "values/NumberText.h"
#include "values/ResistanceText.h"

namespace ordavin::cli {
namespace {

// What an option's number may be written as.
enum class Grammar { Number, Resistance };

[[noreturn]] void Reject(std::string_view option, const std::string& what) {
  throw UsageError("Invalid value for " + std::string(option) + ": " + what + ".");
}

// Keywords are taken in any case: "OFF" and "Off" mean "off".
bool EqualsIgnoringCase(std::string_view text, std::string_view keyword) {
  return std::equal(text.begin(), text.end(), keyword.begin(), keyword.end(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == b;
  });
}

double CheckedNumber(std::string_view option, std::string_view text, std::string_view role,
                     FieldRange range, Grammar grammar = Grammar::Number) {
  const std::optional<double> value =
      grammar == Grammar::Resistance ? ReadResistance(text) : ReadWholeNumber(text);
  const std::string subject = role.empty() ? std::string() : std::string(role) + " ";
  if (!value) {
    Reject(option, subject + QuoteForMessage(text) +
                       (grammar == Grammar::Resistance
                            ? " is not a resistance (a number, or a code such as 4k7 or 4.7k)"
                            : " is not a number"));
  }
  if (!range.Contains(*value)) {
    Reject(option,
           subject + QuoteForMessage(text) + " is outside the range " + DescribeRange(range));
  }
  return *value;
}

}  // namespace

std::string DescribeRange(FieldRange range) {
  return FormatShortest(range.min) + " to " + FormatShortest(range.max);
}

std::string DescribeRange(CountRange range) {
  return std::to_string(range.min) + " to " + std::to_string(range.max);
}

double ReadNumberOption(std::string_view option, std::string_view text, FieldRange range) {
  return CheckedNumber(option, text, {}, range);
}

double ReadResistanceOption(std::string_view option, std::string_view text, FieldRange range) {
  return CheckedNumber(option, text, {}, range, Grammar::Resistance);
}

double ReadFiniteNumberOption(std::string_view option, std::string_view text) {
  const std::optional<double> value = ReadWholeNumber(text);
  if (!value) Reject(option, QuoteForMessage(text) + " is not a number");
  if (!std::isfinite(*value)) Reject(option, QuoteForMessage(text) + " is too large");
  return *value;
}

std::uint32_t ReadCountOption(std::string_view option, std::string_view text, CountRange range) {
  const std::optional<std::uint64_t> count = ReadWholeUnsigned(text);
  if (count && range.Contains(*count)) return static_cast<std::uint32_t>(*count);
  const std::string outside =
      QuoteForMessage(text) + " is outside the range " + DescribeRange(range);
  if (count) Reject(option, outside);
  // "-1" or a count beyond 64 bits is a number, just not one in range.
  const std::optional<double> number = ReadWholeNumber(text);
  if (number && std::trunc(*number) == *number && !(range.min <= *number && *number <= range.max)) {
    Reject(option, outside);
  }
  Reject(option, QuoteForMessage(text) + " is not a whole number");
}

void ApplyNumberOption(std::string_view option, const std::optional<std::string>& text,
                       FieldRange range, double& value) {
  if (text) value = ReadNumberOption(option, *text, range);
}

void ApplyResistanceOption(std::string_view option, const std::optional<std::string>& text,
                           FieldRange range, double& value) {
  if (text) value = ReadResistanceOption(option, *text, range);
}

void ApplyCountOption(std::string_view option, const std::optional<std::string>& text,
                      CountRange range, std::uint32_t& value) {
  if (text) value = ReadCountOption(option, *text, range);
}

Window ReadWindowOption(std::string_view option, std::string_view text, FieldRange minRange,
                        FieldRange maxRange) {
  if (EqualsIgnoringCase(text, "off")) return {};
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || text.find(':', colon + 1) != std::string_view::npos) {
    Reject(option, QuoteForMessage(text) + " is neither MIN:MAX nor off");
  }
  Window window;
  window.enabled = true;
  window.min =
      CheckedNumber(option, text.substr(0, colon), "minimum", minRange, Grammar::Resistance);
  window.max =
      CheckedNumber(option, text.substr(colon + 1), "maximum", maxRange, Grammar::Resistance);
  return window;
}

NetworkMode ReadNetworkModeOption(std::string_view option, std::string_view text) {
  if (text == "parallel") return NetworkMode::Parallel;
  if (text == "series") return NetworkMode::Series;
  Reject(option, QuoteForMessage(text) + " is neither parallel nor series");
}

const char* NetworkModeName(NetworkMode mode) {
  return mode == NetworkMode::Parallel ? "parallel" : "series";
}

ConnectionMode ReadConnectionOption(std::string_view option, std::string_view text) {
  if (text == "both") return ConnectionMode::ParallelAndSeries;
  if (text == "parallel") return ConnectionMode::ParallelOnly;
  if (text == "series") return ConnectionMode::SeriesOnly;
  if (text == "mixed") return ConnectionMode::Mixed;
  Reject(option, QuoteForMessage(text) + " is none of both, parallel, series, mixed");
}

double ReadDivisionFactorOption(std::string_view option, std::string_view text) {
  // Read as the page reads its field, but without skipping what follows a number: "0.5x"
  // or "1,25/3,3" is a typing error here. An unusable factor (0) is left to the preparation,
  // which refuses it with the page's message.
  const std::optional<double> factor = ReadWholeDivisionFactor(text);
  if (!factor) Reject(option, QuoteForMessage(text) + " is neither a number nor a ratio a/b");
  return *factor;
}

std::vector<std::uint64_t> ReadPositionList(std::string_view option, std::string_view text) {
  std::vector<std::uint64_t> positions;
  // The help shows "none" as the default, so it is a value too.
  if (EqualsIgnoringCase(text, "none")) return positions;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    const std::string_view item = text.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    const std::optional<std::uint64_t> position = ReadWholeUnsigned(item);
    if (!position) {
      Reject(option, QuoteForMessage(item) +
                         " is not a position (expected comma-separated whole numbers from 0)");
    }
    positions.push_back(*position);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return positions;
}

std::vector<std::int32_t> MakeCheckStates(std::string_view option,
                                          const std::vector<std::uint64_t>& untickedPositions,
                                          std::size_t fullCount) {
  std::vector<std::int32_t> states(fullCount, 1);
  for (const std::uint64_t position : untickedPositions) {
    if (position >= fullCount) {
      Reject(option, "position " + std::to_string(position) +
                         (fullCount == 0 ? std::string(" is outside the full set, which is empty")
                                         : " is outside the full set (0 to " +
                                               std::to_string(fullCount - 1) + ")"));
    }
    states[static_cast<std::size_t>(position)] = 0;
  }
  return states;
}

}  // namespace ordavin::cli
