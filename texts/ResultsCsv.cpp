#include "texts/ResultsCsv.h"

#include <array>
#include <stdexcept>

#include "divider/DividerEngine.h"
#include "target/TargetEngine.h"
#include "texts/CsvText.h"
#include "values/NumberText.h"

namespace ordavin {
namespace {

template <class Columns>
std::string Header(const Columns& columns) {
  std::array<std::string, std::tuple_size_v<Columns>> titles;
  for (std::size_t c = 0; c < titles.size(); ++c) titles[c] = columns[c].header;
  return CsvRecord(titles);
}

// The rank as a plain number: the shown one is padded for the table.
std::string Rank(std::int32_t rankIndex) { return std::to_string(std::int64_t{rankIndex} + 1); }

void CheckColumnCount(std::span<const std::string> texts, std::size_t columns) {
  if (texts.size() != columns) throw std::invalid_argument("A results row has the wrong columns.");
}

}  // namespace

std::string DividerCsvHeader() { return Header(kDividerColumns); }

std::string TargetCsvHeader() { return Header(kTargetColumns); }

std::string ResultsCsvRecord(const DividerRowData& data, std::span<const std::string> texts) {
  CheckColumnCount(texts, kDividerColumns.size());
  DividerRowTexts fields;
  fields[DividerColumn::Rank] = Rank(data.rankIndex);
  fields[DividerColumn::Ru] = texts[DividerColumn::Ru];
  fields[DividerColumn::Rl] = texts[DividerColumn::Rl];
  fields[DividerColumn::RuTotal] = FormatShortest(data.ruTotal);
  fields[DividerColumn::RlTotal] = FormatShortest(data.rlTotal);
  fields[DividerColumn::RserTotal] = FormatShortest(data.rserTotal);
  fields[DividerColumn::RparTotal] = FormatShortest(data.rparTotal);
  fields[DividerColumn::DivisionFactor] = FormatShortest(data.divisionFactor);
  fields[DividerColumn::Error] = FormatShortest(data.error);
  return CsvRecord(fields);
}

std::string ResultsCsvRecord(const TargetRowData& data, std::span<const std::string> texts) {
  CheckColumnCount(texts, kTargetColumns.size());
  TargetRowTexts fields;
  fields[TargetColumn::Rank] = Rank(data.rowIndex);
  fields[TargetColumn::Resistors] = texts[TargetColumn::Resistors];
  fields[TargetColumn::RTotal] = FormatShortest(data.total);
  fields[TargetColumn::Error] = FormatShortest(data.error);
  return CsvRecord(fields);
}

std::string ResultsCsv(const DividerEngine& engine) {
  const DividerParameters& p = engine.Parameters();
  const auto kept = engine.KeptMatches();
  std::string csv = DividerCsvHeader();
  for (std::size_t j = 0; j < kept.size(); ++j) {
    const auto rankIndex = static_cast<std::int32_t>(j);
    csv += ResultsCsvRecord(
        MakeDividerRowData(rankIndex, kept[j]),
        MakeDividerRowTexts(rankIndex, kept[j], p.upperCount, p.lowerCount, engine.Values()));
  }
  return csv;
}

std::string ResultsCsv(const TargetEngine& engine) {
  const std::uint32_t count = engine.Parameters().resistorCount;
  const auto kept = engine.KeptMatches();
  std::string csv = TargetCsvHeader();
  for (std::size_t j = 0; j < kept.size(); ++j) {
    const auto rankIndex = static_cast<std::int32_t>(j);
    csv += ResultsCsvRecord(MakeTargetRowData(rankIndex, kept[j]),
                            MakeTargetRowTexts(rankIndex, kept[j], count, engine.Values()));
  }
  return csv;
}

}  // namespace ordavin
