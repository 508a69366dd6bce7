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

// A column of the divider results as both front ends show it: its title.
struct DividerColumn {
  // The columns' positions, left to right. Unscoped, so that a position indexes a row's
  // texts and names the clicked column as it is.
  enum Position {
    Rank,
    Ru,
    Rl,
    RuTotal,
    RlTotal,
    RserTotal,
    RparTotal,
    DivisionFactor,
    Error,
  };
  const char* header;
};

inline constexpr std::array<DividerColumn, 9> kDividerColumns{{
    {"Rank"},
    {"Ru"},
    {"Rl"},
    {"Ru total"},
    {"Rl total"},
    {"Rser total"},
    {"Rpar total"},
    {"Division factor"},
    {"Error"},
}};
static_assert(kDividerColumns.size() == DividerColumn::Error + 1);

using DividerRowTexts = std::array<std::string, kDividerColumns.size()>;

DividerRowData MakeDividerRowData(std::int32_t rankIndex, const DividerMatch& match);

// The cell texts of row rankIndex; the resistors are looked up in the working set.
DividerRowTexts MakeDividerRowTexts(std::int32_t rankIndex, const DividerMatch& match,
                                    std::uint32_t upperCount, std::uint32_t lowerCount,
                                    const ValueSet& values);

// "||" for a parallel network, "+" for a series one.
const char* NetworkSeparator(NetworkMode mode);

// Ascending order of the clicked column's key (a DividerColumn::Position): 1, -1, or 0 for
// equal or unordered keys and for unknown columns.
int CompareDividerRows(const DividerRowData& first, const DividerRowData& second, int column);

}  // namespace ordavin
