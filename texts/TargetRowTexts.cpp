#include "texts/TargetRowTexts.h"

#include <cstddef>
#include <span>

#include "target/NetworkCode.h"
#include "texts/EngineeringNotation.h"
#include "texts/ErrorText.h"
#include "values/NumberText.h"
#include "values/ThreeWayCompare.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

// The network at code[next] with + and ||, a part of two or more resistors in parentheses;
// next moves past it.
void WriteNetwork(std::span<const std::int32_t> code, std::size_t& next, const ValueSet& values,
                  bool asPart, std::string& out) {
  const std::int32_t token = code[next++];
  if (!IsConnectionToken(token)) {
    out += FormatResistance(values.WorkingValue(static_cast<std::size_t>(token)));
    return;
  }
  if (asPart) out += '(';
  for (std::uint32_t k = 0; k < PartCountOf(token); ++k) {
    if (k > 0) out += IsParallelToken(token) ? "||" : "+";
    WriteNetwork(code, next, values, true, out);
  }
  if (asPart) out += ')';
}

}  // namespace

std::string NetworkText(std::span<const std::int32_t> code, const ValueSet& values) {
  std::string text;
  std::size_t next = 0;
  if (IsWellFormed(code)) WriteNetwork(code, next, values, false, text);
  return text;
}

TargetRowData MakeTargetRowData(std::int32_t rowIndex, const TargetMatch& match) {
  return {rowIndex, match.isParallel, match.total, match.error};
}

TargetRowTexts MakeTargetRowTexts(std::int32_t rowIndex, const TargetMatch& match,
                                  std::uint32_t resistorCount, const ValueSet& values) {
  std::string resistors;
  if (IsWellFormed(match.network)) {
    resistors = NetworkText(match.network, values);
  } else {
    const char* separator = match.isParallel ? "||" : "+";
    const auto positions = match.Positions(resistorCount);
    for (std::size_t k = 0; k < positions.size(); ++k) {
      if (k > 0) resistors += separator;
      resistors += FormatResistance(values.WorkingValue(static_cast<std::size_t>(positions[k])));
    }
  }
  TargetRowTexts texts;
  texts[TargetColumn::Rank] = FormatRank(std::int64_t{rowIndex} + 1);
  texts[TargetColumn::Resistors] = std::move(resistors);
  texts[TargetColumn::RTotal] = FormatResistance(match.total, 3);
  texts[TargetColumn::Error] = FormatError(match.error);
  return texts;
}

int CompareTargetRows(const TargetRowData& first, const TargetRowData& second, int column) {
  switch (column) {
    case TargetColumn::Rank:
      return ThreeWayCompare(static_cast<std::uint32_t>(first.rowIndex),
                             static_cast<std::uint32_t>(second.rowIndex));
    case TargetColumn::Resistors:
    case TargetColumn::RTotal:
    case TargetColumn::Error:
      return ThreeWayCompare(first.total, second.total);
    default:
      return 0;
  }
}

}  // namespace ordavin
