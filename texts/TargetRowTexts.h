#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "target/TargetMatch.h"

namespace ordavin {

class ValueSet;

// What a target results row keeps for sorting.
struct TargetRowData {
  std::int32_t rowIndex = 0;
  bool isParallel = false;
  double total = 0.0;
  double error = 0.0;
};

// A column of the target results as both front ends show it: its title.
struct TargetColumn {
  // The columns' positions, left to right (see DividerColumn).
  enum Position {
    Rank,
    Resistors,
    RTotal,
    Error,
  };
  const char* header;
};

inline constexpr std::array<TargetColumn, 4> kTargetColumns{{
    {"Rank"},
    {"Resistors"},
    {"R total"},
    {"Error"},
}};
static_assert(kTargetColumns.size() == TargetColumn::Error + 1);

using TargetRowTexts = std::array<std::string, kTargetColumns.size()>;

// A network's code (target/NetworkCode.h) as the Resistors column writes it: parts joined by
// + or ||, every part of two or more resistors in parentheses, as in "1.00 kΩ+(220.00 Ω||
// 470.00 Ω)"; empty for a malformed code.
std::string NetworkText(std::span<const std::int32_t> code, const ValueSet& values);

TargetRowData MakeTargetRowData(std::int32_t rowIndex, const TargetMatch& match);

TargetRowTexts MakeTargetRowTexts(std::int32_t rowIndex, const TargetMatch& match,
                                  std::uint32_t resistorCount, const ValueSet& values);

// Ascending: the rank column by rank, every other known column by the total; 0 for equal or
// unordered keys and for unknown columns.
int CompareTargetRows(const TargetRowData& first, const TargetRowData& second, int column);

}  // namespace ordavin
