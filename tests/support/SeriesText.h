#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ordavin::testing {

// A series file's text: base values, decade exponents and optional bounds.
inline std::string SeriesText(const std::vector<std::string>& baseValues,
                              const std::vector<std::string>& decades,
                              const std::optional<std::string>& minimum = std::nullopt,
                              const std::optional<std::string>& maximum = std::nullopt) {
  std::string text = "baseval\n";
  for (const std::string& value : baseValues) text += value + " ";
  text += "\ndecades\n";
  for (const std::string& decade : decades) text += decade + " ";
  text += "\n";
  if (minimum) text += "minimum\n" + *minimum + "\n";
  if (maximum) text += "maximum\n" + *maximum + "\n";
  return text;
}

}  // namespace ordavin::testing
