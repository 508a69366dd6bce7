#pragma once

#include <array>

#include "texts/DividerRowTexts.h"
#include "texts/TargetRowTexts.h"

namespace ordavin::ui {

// The results list's column widths in pixels for the usual 8-point dialog font, one for each
// column of texts/, by position. The titles are the core's; the widths are the window's.
inline constexpr std::array<int, kDividerColumns.size()> kDividerColumnWidths = [] {
  std::array<int, kDividerColumns.size()> widths{};
  widths[DividerColumn::Rank] = 40;
  widths[DividerColumn::Ru] = 120;
  widths[DividerColumn::Rl] = 120;
  widths[DividerColumn::RuTotal] = 75;
  widths[DividerColumn::RlTotal] = 75;
  widths[DividerColumn::RserTotal] = 75;
  widths[DividerColumn::RparTotal] = 75;
  widths[DividerColumn::DivisionFactor] = 80;
  widths[DividerColumn::Error] = 90;
  return widths;
}();

inline constexpr std::array<int, kTargetColumns.size()> kTargetColumnWidths = [] {
  std::array<int, kTargetColumns.size()> widths{};
  widths[TargetColumn::Rank] = 40;
  widths[TargetColumn::Resistors] = 300;
  widths[TargetColumn::RTotal] = 75;
  widths[TargetColumn::Error] = 90;
  return widths;
}();

}  // namespace ordavin::ui
