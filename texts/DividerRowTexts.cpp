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
  DividerRowTexts texts;
  texts[DividerColumn::Rank] = FormatRank(std::int64_t{rankIndex} + 1);
  texts[DividerColumn::Ru] = JoinResistors(match.UpperDigits(upperCount), match.upperMode, values);
  texts[DividerColumn::Rl] =
      JoinResistors(match.LowerDigits(upperCount, lowerCount), match.lowerMode, values);
  texts[DividerColumn::RuTotal] = FormatFixed(match.ruTotal, 2);
  texts[DividerColumn::RlTotal] = FormatFixed(match.rlTotal, 2);
  texts[DividerColumn::RserTotal] = FormatFixed(match.rserTotal, 3);
  texts[DividerColumn::RparTotal] = FormatFixed(match.rparTotal, 3);
  texts[DividerColumn::DivisionFactor] = FormatFixed(match.divisionFactor, 8);
  texts[DividerColumn::Error] = FormatError(match.error);
  return texts;
}

int CompareDividerRows(const DividerRowData& first, const DividerRowData& second, int column) {
  switch (column) {
    case DividerColumn::Rank:
      return ThreeWayCompare(static_cast<std::uint32_t>(first.rankIndex),
                             static_cast<std::uint32_t>(second.rankIndex));
    case DividerColumn::Ru:
    case DividerColumn::RuTotal:
      return ThreeWayCompare(first.ruTotal, second.ruTotal);
    case DividerColumn::Rl:
    case DividerColumn::RlTotal:
      return ThreeWayCompare(first.rlTotal, second.rlTotal);
    case DividerColumn::RserTotal:
      return ThreeWayCompare(first.rserTotal, second.rserTotal);
    case DividerColumn::RparTotal:
      return ThreeWayCompare(first.rparTotal, second.rparTotal);
    case DividerColumn::DivisionFactor:
      return ThreeWayCompare(first.divisionFactor, second.divisionFactor);
    case DividerColumn::Error:
      return ThreeWayCompare(first.error, second.error);
    default:
      return 0;
  }
}

}  // namespace ordavin
