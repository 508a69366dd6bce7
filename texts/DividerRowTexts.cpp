#include "texts/DividerRowTexts.h"

#include <span>

#include "texts/EngineeringNotation.h"
#include "texts/ErrorText.h"
#include "values/NumberText.h"
#include "values/ThreeWayCompare.h"
#include "values/ValueSet.h"

namespace ordavin {
namespace {

std::string JoinResistors(std::span<const std::int32_t> digits, NetworkMode mode,
                          const ValueSet& values) {
  std::string text;
  for (std::size_t k = 0; k < digits.size(); ++k) {
    if (k > 0) text += NetworkSeparator(mode);
    text += FormatResistance(values.WorkingValue(static_cast<std::size_t>(digits[k])));
  }
  return text;
}

}  // namespace

const char* NetworkSeparator(NetworkMode mode) {
  return mode == NetworkMode::Parallel ? "||" : "+";
}

DividerRowData MakeDividerRowData(std::int32_t rankIndex, const DividerMatch& match) {
  return {rankIndex,       match.ruTotal, match.rlTotal,   match.divisionFactor, match.rserTotal,
          match.rparTotal, match.error,   match.upperMode, match.lowerMode};
}

DividerRowTexts MakeDividerRowTexts(std::int32_t rankIndex, const DividerMatch& match,
                                    std::uint32_t upperCount, std::uint32_t lowerCount,
                                    const ValueSet& values) {
  return {FormatRank(std::int64_t{rankIndex} + 1),
          JoinResistors(match.UpperDigits(upperCount), match.upperMode, values),
          JoinResistors(match.LowerDigits(upperCount, lowerCount), match.lowerMode, values),
          FormatFixed(match.ruTotal, 2),
          FormatFixed(match.rlTotal, 2),
          FormatFixed(match.rserTotal, 3),
          FormatFixed(match.rparTotal, 3),
          FormatFixed(match.divisionFactor, 8),
          FormatError(match.error)};
}

int CompareDividerRows(const DividerRowData& first, const DividerRowData& second, int column) {
  switch (column) {
    case 0:
      return ThreeWayCompare(static_cast<std::uint32_t>(first.rankIndex),
                             static_cast<std::uint32_t>(second.rankIndex));
    case 1:
    case 3:
      return ThreeWayCompare(first.ruTotal, second.ruTotal);
    case 2:
    case 4:
      return ThreeWayCompare(first.rlTotal, second.rlTotal);
    case 5:
      return ThreeWayCompare(first.rserTotal, second.rserTotal);
    case 6:
      return ThreeWayCompare(first.rparTotal, second.rparTotal);
    case 7:
      return ThreeWayCompare(first.divisionFactor, second.divisionFactor);
    case 8:
      return ThreeWayCompare(first.error, second.error);
    default:
      return 0;
  }
}

}  // namespace ordavin
