#pragma once

#include <array>
#include <cstdint>
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

struct TargetColumn {
  const char* header;
  int width;  // pixels
};

inline constexpr std::array<TargetColumn, 4> kTargetColumns{{
    {"Rank", 40},
    {"Resistors", 300},
    {"R total", 75},
    {"Error", 90},
}};

using TargetRowTexts = std::array<std::string, kTargetColumns.size()>;

TargetRowData MakeTargetRowData(std::int32_t rowIndex, const TargetMatch& match);

TargetRowTexts MakeTargetRowTexts(std::int32_t rowIndex, const TargetMatch& match,
                                  std::uint32_t resistorCount, const ValueSet& values);

// Ascending: column 0 by rank, every other known column by the total; 0 for equal or
// unordered keys and for unknown columns.
int CompareTargetRows(const TargetRowData& first, const TargetRowData& second, int column);

}  // namespace ordavin
