#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "divider/DividerMatch.h"
#include "divider/NetworkMode.h"

namespace ordavin {

class ValueSet;

// What a divider results row keeps for sorting.
struct DividerRowData {
  std::int32_t rankIndex = 0;
  double ruTotal = 0.0;
  double rlTotal = 0.0;
  double divisionFactor = 0.0;
  double rserTotal = 0.0;
  double rparTotal = 0.0;
  double error = 0.0;
  NetworkMode upperMode = NetworkMode::Parallel;
  NetworkMode lowerMode = NetworkMode::Series;
};

struct DividerColumn {
  const char* header;
  int width;  // pixels
};

inline constexpr std::array<DividerColumn, 9> kDividerColumns{{
    {"Rank", 40},
    {"Ru", 120},
    {"Rl", 120},
    {"Ru total", 75},
    {"Rl total", 75},
    {"Rser total", 75},
    {"Rpar total", 75},
    {"Division factor", 80},
    {"Error", 90},
}};

using DividerRowTexts = std::array<std::string, kDividerColumns.size()>;

DividerRowData MakeDividerRowData(std::int32_t rankIndex, const DividerMatch& match);

// The cell texts of row rankIndex; the resistors are looked up in the working set.
DividerRowTexts MakeDividerRowTexts(std::int32_t rankIndex, const DividerMatch& match,
                                    std::uint32_t upperCount, std::uint32_t lowerCount,
                                    const ValueSet& values);

// "||" for a parallel network, "+" for a series one.
const char* NetworkSeparator(NetworkMode mode);

// Ascending order of the clicked column's key: 1, -1, or 0 for equal or unordered keys.
int CompareDividerRows(const DividerRowData& first, const DividerRowData& second, int column);

}  // namespace ordavin
