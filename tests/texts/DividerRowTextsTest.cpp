#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <utility>

#include "support/ValueFixtures.h"
#include "texts/DividerRowTexts.h"

namespace ordavin {
namespace {

using ::ordavin::testing::SetValues;

DividerMatch ExampleMatch() {
  DividerMatch m;
  m.indices = {2, 2, 2, 0, 0, 1, 2, 0};
  m.ruTotal = 5000;
  m.rlTotal = 3200;
  m.rserTotal = 8200;
  m.rparTotal = 1.0 / (1.0 / 5000 + 1.0 / 3200);
  m.divisionFactor = 3200.0 / 8200.0;
  m.error = (m.divisionFactor - 0.39) / 0.39;
  m.upperMode = NetworkMode::Parallel;
  m.lowerMode = NetworkMode::Series;
  return m;
}

TEST(DividerRowTextsTest, WorkedExampleRow) {
  ValueSet set;
  SetValues(set, {1000, 2200, 10000});
  const DividerRowTexts texts = MakeDividerRowTexts(0, ExampleMatch(), 2, 2, set);
  EXPECT_EQ(texts[DividerColumn::Rank], "1 ");
  EXPECT_EQ(texts[DividerColumn::Ru], "10.00 k\u2126||10.00 k\u2126");
  EXPECT_EQ(texts[DividerColumn::Rl], "1.00 k\u2126+2.20 k\u2126");
  EXPECT_EQ(texts[DividerColumn::RuTotal], "5000.00");
  EXPECT_EQ(texts[DividerColumn::RlTotal], "3200.00");
  EXPECT_EQ(texts[DividerColumn::RserTotal], "8200.000");
  EXPECT_EQ(texts[DividerColumn::RparTotal], "1951.220");
  EXPECT_EQ(texts[DividerColumn::DivisionFactor], "0.39024390");
  EXPECT_EQ(texts[DividerColumn::Error], "+0.063 %");
}

TEST(DividerRowTextsTest, SingleResistorHasNoSeparatorAndRanksPastNine) {
  ValueSet set;
  SetValues(set, {470, 1000});
  DividerMatch m;
  m.indices = {0, 1, 0, 1, 1, 0};
  m.upperMode = NetworkMode::Series;
  m.lowerMode = NetworkMode::Parallel;
  const DividerRowTexts texts = MakeDividerRowTexts(11, m, 1, 1, set);
  EXPECT_EQ(texts[DividerColumn::Rank], "12");
  EXPECT_EQ(texts[DividerColumn::Ru], "470.00 \u2126");
  EXPECT_EQ(texts[DividerColumn::Rl], "1.00 k\u2126");
  EXPECT_EQ(texts[DividerColumn::Error], "Zero");
}

TEST(DividerRowTextsTest, ColumnTitlesInTheirPositions) {
  const std::pair<DividerColumn::Position, const char*> columns[] = {
      {DividerColumn::Rank, "Rank"},
      {DividerColumn::Ru, "Ru"},
      {DividerColumn::Rl, "Rl"},
      {DividerColumn::RuTotal, "Ru total"},
      {DividerColumn::RlTotal, "Rl total"},
      {DividerColumn::RserTotal, "Rser total"},
      {DividerColumn::RparTotal, "Rpar total"},
      {DividerColumn::DivisionFactor, "Division factor"},
      {DividerColumn::Error, "Error"},
  };
  ASSERT_EQ(kDividerColumns.size(), std::size(columns));
  for (std::size_t c = 0; c < kDividerColumns.size(); ++c) {
    EXPECT_EQ(static_cast<std::size_t>(columns[c].first), c);
    EXPECT_STREQ(kDividerColumns[c].header, columns[c].second);
  }
}

TEST(CompareDividerRowsTest, AscendingByTheColumnsKey) {
  DividerRowData a{0, 10, 20, 0.3, 30, 5, -0.2, NetworkMode::Parallel, NetworkMode::Series};
  DividerRowData b{1, 20, 10, 0.2, 40, 4, 0.1, NetworkMode::Parallel, NetworkMode::Series};
  EXPECT_EQ(CompareDividerRows(a, b, DividerColumn::Rank), -1);
  EXPECT_EQ(CompareDividerRows(a, b, DividerColumn::Ru), -1);
  EXPECT_EQ(CompareDividerRows(a, b, DividerColumn::RuTotal), -1);
  EXPECT_EQ(CompareDividerRows(a, b, DividerColumn::Rl), 1);
  EXPECT_EQ(CompareDividerRows(a, b, DividerColumn::RlTotal), 1);
  EXPECT_EQ(CompareDividerRows(a, b, DividerColumn::RserTotal), -1);
  EXPECT_EQ(CompareDividerRows(a, b, DividerColumn::RparTotal), 1);
  EXPECT_EQ(CompareDividerRows(a, b, DividerColumn::DivisionFactor), 1);
  // Signed error, not its magnitude.
  EXPECT_EQ(CompareDividerRows(a, b, DividerColumn::Error), -1);
  EXPECT_EQ(CompareDividerRows(b, a, DividerColumn::Error), 1);
  EXPECT_EQ(CompareDividerRows(a, a, DividerColumn::Error), 0);
  EXPECT_EQ(CompareDividerRows(a, b, 9), 0);
  EXPECT_EQ(CompareDividerRows(a, b, -1), 0);
}

TEST(CompareDividerRowsTest, RankIsUnsignedAndNaNComparesEqual) {
  DividerRowData a;
  DividerRowData b;
  a.rankIndex = -1;
  b.rankIndex = 5;
  EXPECT_EQ(CompareDividerRows(a, b, DividerColumn::Rank), 1);
  a.error = std::nan("");
  EXPECT_EQ(CompareDividerRows(a, b, DividerColumn::Error), 0);
  EXPECT_EQ(CompareDividerRows(b, a, DividerColumn::Error), 0);
}

}  // namespace
}  // namespace ordavin
