// A field's text as the window's field exchange and the command line's options read it.
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "cli/CliOptions.h"
#include "fuzz/FuzzTargets.h"
#include "run/FieldLimits.h"
#include "run/FieldReading.h"
#include "values/NumberText.h"

namespace ordavin::fuzz {
namespace {

constexpr FieldRange kNumberRanges[] = {
    divider_fields::kToleranceRange,        divider_fields::kSeriesMinRange,
    divider_fields::kSeriesMaxRange,        divider_fields::kParallelMinRange,
    divider_fields::kParallelMaxRange,      divider_fields::kAttenuationRange,
    divider_fields::kSourceResistanceRange, divider_fields::kLoadResistanceRange,
    target_fields::kTargetResistanceRange,  target_fields::kToleranceRange,
};

constexpr FieldRange kResistanceRanges[] = {
    divider_fields::kSeriesMinRange,        divider_fields::kSeriesMaxRange,
    divider_fields::kParallelMinRange,      divider_fields::kParallelMaxRange,
    divider_fields::kSourceResistanceRange, divider_fields::kLoadResistanceRange,
    target_fields::kTargetResistanceRange,
};

constexpr CountRange kCountRanges[] = {
    divider_fields::kMaxResultsRange,
    divider_fields::kNetworkCountRange,
    target_fields::kMaxResultsRange,
    target_fields::kResistorCountRange,
};

// A refusal of the command line: names the option, echoes little, drives no terminal.
void CheckUsageMessage(const cli::UsageError& error) {
  const std::string message = error.what();
  Check(message.starts_with("Invalid value for --x: "), "the message names the option");
  Check(message.size() < 400, "the message stays short");
  for (const char c : message) {
    const auto byte = static_cast<unsigned char>(c);
    Check(byte >= 0x20 && byte != 0x7F, "no control character is echoed");
  }
}

// What the field shows after a load must read back, and stay accepted.
void CheckShownAgain(double value, std::optional<FieldRange> range) {
  const std::string shown = FormatGeneral(value, 15);
  const NumberFieldReading again = ReadNumberField(shown, range);
  Check(again.accepted, "a value the field took is taken again once shown");
}

}  // namespace

void FuzzFieldNumbers(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  // The voltage fields have no range.
  const NumberFieldReading free = ReadNumberField(text, std::nullopt);
  if (free.accepted) {
    Check(std::isfinite(*free.value), "a field without range takes finite numbers only");
    CheckShownAgain(*free.value, std::nullopt);
  }
  std::optional<double> finite;
  try {
    finite = cli::ReadFiniteNumberOption("--x", text);
  } catch (const cli::UsageError& error) {
    CheckUsageMessage(error);
  }
  Check(finite.has_value() == free.accepted, "the calculator's options read as its fields");

  for (const FieldRange& range : kNumberRanges) {
    const NumberFieldReading field = ReadNumberField(text, range);
    Check(!field.accepted || range.Contains(*field.value), "an accepted number is in range");
    if (field.accepted) CheckShownAgain(*field.value, range);
    std::optional<double> option;
    try {
      option = cli::ReadNumberOption("--x", text, range);
    } catch (const cli::UsageError& error) {
      CheckUsageMessage(error);
    }
    Check(option.has_value() == field.accepted, "option and field accept the same texts");
    if (option) Check(*option == *field.value, "option and field read the same number");
  }

  for (const FieldRange& range : kResistanceRanges) {
    const NumberFieldReading field = ReadResistanceField(text, range);
    Check(!field.accepted || range.Contains(*field.value), "an accepted resistance is in range");
    if (field.accepted) {
      Check(ReadResistanceField(FormatGeneral(*field.value, 15), range).accepted,
            "a resistance the field took is taken again once shown");
    }
    const NumberFieldReading number = ReadNumberField(text, range);
    if (number.value) {
      Check(field.value && *field.value == *number.value, "a number is the same resistance");
    }
    std::optional<double> option;
    try {
      option = cli::ReadResistanceOption("--x", text, range);
    } catch (const cli::UsageError& error) {
      CheckUsageMessage(error);
    }
    Check(option.has_value() == field.accepted, "option and field accept the same resistances");
    if (option) Check(*option == *field.value, "option and field read the same resistance");
  }

  for (const CountRange& range : kCountRanges) {
    const CountFieldReading field = ReadCountField(text, range);
    Check(!field.accepted || range.Contains(*field.value), "an accepted count is in range");
    if (field.accepted) {
      Check(ReadCountField(std::to_string(*field.value), range).accepted,
            "a count the field took is taken again once shown");
    }
    std::optional<std::uint32_t> option;
    try {
      option = cli::ReadCountOption("--x", text, range);
    } catch (const cli::UsageError& error) {
      CheckUsageMessage(error);
    }
    Check(option.has_value() == field.accepted, "option and field accept the same counts");
    if (option) Check(*option == *field.value, "option and field read the same count");
  }

  // The window options of the command line: MIN:MAX or off.
  try {
    const cli::Window window = cli::ReadWindowOption("--x", text, divider_fields::kSeriesMinRange,
                                                     divider_fields::kSeriesMaxRange);
    if (window.enabled) {
      Check(divider_fields::kSeriesMinRange.Contains(window.min) &&
                divider_fields::kSeriesMaxRange.Contains(window.max),
            "a window's bounds are in range");
    }
  } catch (const cli::UsageError& error) {
    CheckUsageMessage(error);
  }
  try {
    const auto positions = cli::ReadPositionList("--x", text);
    Check(!positions.empty() && positions.size() <= text.size() / 2 + 1,
          "one position per comma-separated item");
  } catch (const cli::UsageError& error) {
    CheckUsageMessage(error);
  }
}

}  // namespace ordavin::fuzz
