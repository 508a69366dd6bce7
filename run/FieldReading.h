#pragma once

// How the text of a page's field becomes its value, for the window's field exchange.
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "run/FieldLimits.h"
#include "values/NumberText.h"
#include "values/ResistanceText.h"

namespace ordavin {

// value: what the field's member takes (nothing when the text is not a number); accepted:
// the value is also inside the range. A field without a range takes any finite number: an
// infinity could not be shown again as a number the field reads back.
struct NumberFieldReading {
  std::optional<double> value;
  bool accepted = false;
};

inline NumberFieldReading ReadNumberField(std::string_view text, std::optional<FieldRange> range) {
  const std::optional<double> value = ReadWholeNumber(text);
  if (!value || (!range && !std::isfinite(*value))) return {};
  return {value, !range || range->Contains(*value)};
}

// A resistance field: a plain number as ReadNumberField reads it, or a letter code ("4k7").
inline NumberFieldReading ReadResistanceField(std::string_view text, FieldRange range) {
  const std::optional<double> value = ReadResistance(text);
  if (!value) return {};
  return {value, range.Contains(*value)};
}

struct CountFieldReading {
  std::optional<std::uint32_t> value;
  bool accepted = false;
};

inline CountFieldReading ReadCountField(std::string_view text, CountRange range) {
  const std::optional<std::uint64_t> value = ReadWholeUnsigned(text);
  if (!value || *value > UINT32_MAX) return {};
  return {static_cast<std::uint32_t>(*value), range.Contains(*value)};
}

}  // namespace ordavin
