#include <gtest/gtest.h>

#include <atomic>
#include <charconv>
#include <optional>
#include <string>
#include <vector>

#include "divider/StraightforwardDividerEngine.h"
#include "support/CsvReader.h"
#include "support/ExactDoubles.h"
#include "support/ValueFixtures.h"
#include "target/StraightforwardTargetEngine.h"
#include "texts/ResultsCsv.h"

namespace ordavin {
namespace {

using ::ordavin::testing::CsvRows;
using ::ordavin::testing::ReadCsv;
using ::ordavin::testing::SameBits;
using ::ordavin::testing::SetValues;
using ::ordavin::testing::Show;

// The whole field as one double, as a spreadsheet would read it; nothing when it is not one.
std::optional<double> Number(const std::string& field) {
  double value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc{} || end != field.data() + field.size()) return std::nullopt;
  return value;
}

// The field reads back to exactly this double.
void ExpectExact(const std::string& field, double expected, const char* column) {
  const std::optional<double> value = Number(field);
  ASSERT_TRUE(value.has_value()) << column << ": " << field;
  EXPECT_TRUE(SameBits(*value, expected)) << column << ": " << field << " vs " << Show(expected);
}

TEST(ResultsCsvTest, DividerFiguresReadBackToTheEnginesDoubles) {
  ValueSet set;
  SetValues(set, {1000, 2200, 4700, 10000, 33000});
  StraightforwardDividerEngine engine(set);
  DividerParameters p;
  p.upperCount = 2;
  p.lowerCount = 2;
  p.lowerMode = NetworkMode::Series;
  p.targetFactor = 1.25 / 3.3;
  p.tolerance = 0.5;
  p.sourceResistance = 47;
  p.loadConductance = 1.0 / 100000;
  p.maxResults = 30;
  engine.SetParameters(p);
  std::atomic<bool> abort{false};
  engine.Optimize(abort);
  const auto kept = engine.KeptMatches();
  ASSERT_EQ(kept.size(), 30u);

  const std::string csv = ResultsCsv(engine);
  EXPECT_TRUE(csv.starts_with(
      "Rank,Ru,Rl,Ru total,Rl total,Rser total,Rpar total,Division factor,Error\r\n1,"))
      << csv;
  const CsvRows rows = ReadCsv(csv);
  ASSERT_EQ(rows.size(), 31u);
  for (std::size_t j = 0; j < kept.size(); ++j) {
    const std::vector<std::string>& row = rows[j + 1];
    const DividerMatch& m = kept[j];
    const DividerRowTexts shown = MakeDividerRowTexts(static_cast<std::int32_t>(j), m, 2, 2, set);
    ASSERT_EQ(row.size(), 9u);
    EXPECT_EQ(row[DividerColumn::Rank], std::to_string(j + 1));
    EXPECT_EQ(row[DividerColumn::Ru], shown[DividerColumn::Ru]);
    EXPECT_EQ(row[DividerColumn::Rl], shown[DividerColumn::Rl]);
    ExpectExact(row[DividerColumn::RuTotal], m.ruTotal, "Ru total");
    ExpectExact(row[DividerColumn::RlTotal], m.rlTotal, "Rl total");
    ExpectExact(row[DividerColumn::RserTotal], m.rserTotal, "Rser total");
    ExpectExact(row[DividerColumn::RparTotal], m.rparTotal, "Rpar total");
    ExpectExact(row[DividerColumn::DivisionFactor], m.divisionFactor, "Division factor");
    ExpectExact(row[DividerColumn::Error], m.error, "Error");
  }
}

TEST(ResultsCsvTest, TargetRowsKeepTheOhmAndMicroSignsAsUtf8) {
  ValueSet set;
  SetValues(set, {4.7e-6, 1e-5, 0.0022, 0.47});
  StraightforwardTargetEngine engine(set);
  engine.SetParameters({3.2e-6, 0.5, ConnectionMode::ParallelAndSeries, 40, 2});
  std::atomic<bool> abort{false};
  engine.Optimize(abort);
  const auto kept = engine.KeptMatches();
  ASSERT_GE(kept.size(), 1u);

  const std::string csv = ResultsCsv(engine);
  // No byte-order mark; micro sign U+00B5 and ohm sign U+2126 in UTF-8.
  EXPECT_TRUE(csv.starts_with("Rank,Resistors,R total,Error\r\n")) << csv;
  EXPECT_NE(csv.find("\r\n1,4.70 \xC2\xB5\xE2\x84\xA6||10.00 \xC2\xB5\xE2\x84\xA6,"),
            std::string::npos)
      << csv;
  const CsvRows rows = ReadCsv(csv);
  ASSERT_EQ(rows.size(), kept.size() + 1);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"Rank", "Resistors", "R total", "Error"}));
  for (std::size_t j = 0; j < kept.size(); ++j) {
    const TargetRowTexts shown = MakeTargetRowTexts(static_cast<std::int32_t>(j), kept[j], 2, set);
    EXPECT_EQ(rows[j + 1][TargetColumn::Rank], std::to_string(j + 1));
    EXPECT_EQ(rows[j + 1][TargetColumn::Resistors], shown[TargetColumn::Resistors]);
    ExpectExact(rows[j + 1][TargetColumn::RTotal], kept[j].total, "R total");
    ExpectExact(rows[j + 1][TargetColumn::Error], kept[j].error, "Error");
  }
}

TEST(ResultsCsvTest, TextsAreQuotedWhereNeededAndNumbersAreNotPercentTexts) {
  const TargetRowData data{9, true, 4700, -0.0012};
  const std::vector<std::string> texts{"10", "4.7k, 10k", "4.70 k\u2126", "-0.120 %"};
  EXPECT_EQ(ResultsCsvRecord(data, texts), "10,\"4.7k, 10k\",4700,-0.0012\r\n");

  DividerRowData divider;
  divider.rankIndex = 0;
  divider.ruTotal = 5000;
  divider.rlTotal = 3200;
  divider.rserTotal = 8200;
  divider.rparTotal = 1951.219512195122;
  divider.divisionFactor = 0.3902439024390244;
  divider.error = 0.0006253908692933083;
  const std::vector<std::string> shown{
      "1 ", "say \"10k\"", "1.00 k\u2126+2.20 k\u2126", "", "", "", "", "", ""};
  EXPECT_EQ(ResultsCsvRecord(divider, shown),
            "1,\"say \"\"10k\"\"\",1.00 k\u2126+2.20 k\u2126,5000,3200,8200,1951.219512195122,"
            "0.3902439024390244,0.0006253908692933083\r\n");
  // Large and small figures in their shortest exact form, which spreadsheets read as numbers.
  divider.rserTotal = 100000;
  divider.error = -0.0;
  const std::string record = ResultsCsvRecord(divider, shown);
  EXPECT_NE(record.find(",1e+05,"), std::string::npos) << record;
  EXPECT_TRUE(record.ends_with(",-0\r\n")) << record;
}

}  // namespace
}  // namespace ordavin
