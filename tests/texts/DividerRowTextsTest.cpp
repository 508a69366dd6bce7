#include <gtest/gtest.h>

#include <cmath>

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
  EXPECT_EQ(texts[0], "1 ");
  EXPECT_EQ(texts[1], "10.00 k\u2126||10.00 k\u2126");
  EXPECT_EQ(texts[2], "1.00 k\u2126+2.20 k\u2126");
  EXPECT_EQ(texts[3], "5000.00");
  EXPECT_EQ(texts[4], "3200.00");
  EXPECT_EQ(texts[5], "8200.000");
  EXPECT_EQ(texts[6], "1951.220");
  EXPECT_EQ(texts[7], "0.39024390");
  EXPECT_EQ(texts[8], "+0.063 %");
}

TEST(DividerRowTextsTest, SingleResistorHasNoSeparatorAndRanksPastNine) {
  ValueSet set;
  SetValues(set, {470, 1000});
  DividerMatch m;
  m.indices = {0, 1, 0, 1, 1, 0};
  m.upperMode = NetworkMode::Series;
  m.lowerMode = NetworkMode::Parallel;
  const DividerRowTexts texts = MakeDividerRowTexts(11, m, 1, 1, set);
  EXPECT_EQ(texts[0], "12");
  EXPECT_EQ(texts[1], "470.00 \u2126");
  EXPECT_EQ(texts[2], "1.00 k\u2126");
  EXPECT_EQ(texts[8], "Zero");
}

TEST(DividerRowTextsTest, ColumnsAndWidths) {
  const char* headers[] = {"Rank",     "Ru",         "Rl",         "Ru total",
                           "Rl total", "Rser total", "Rpar total", "Division factor",
                           "Error"};
  const int widths[] = {40, 120, 120, 75, 75, 75, 75, 80, 90};
  for (std::size_t c = 0; c < kDividerColumns.size(); ++c) {
    EXPECT_STREQ(kDividerColumns[c].header, headers[c]);
    EXPECT_EQ(kDividerColumns[c].width, widths[c]);
  }
}

TEST(CompareDividerRowsTest, AscendingByTheColumnsKey) {
  DividerRowData a{0, 10, 20, 0.3, 30, 5, -0.2, NetworkMode::Parallel, NetworkMode::Series};
  DividerRowData b{1, 20, 10, 0.2, 40, 4, 0.1, NetworkMode::Parallel, NetworkMode::Series};
  EXPECT_EQ(CompareDividerRows(a, b, 0), -1);
  EXPECT_EQ(CompareDividerRows(a, b, 1), -1);
  EXPECT_EQ(CompareDividerRows(a, b, 3), -1);
  EXPECT_EQ(CompareDividerRows(a, b, 2), 1);
  EXPECT_EQ(CompareDividerRows(a, b, 4), 1);
  EXPECT_EQ(CompareDividerRows(a, b, 5), -1);
  EXPECT_EQ(CompareDividerRows(a, b, 6), 1);
  EXPECT_EQ(CompareDividerRows(a, b, 7), 1);
  // Signed error, not its magnitude.
  EXPECT_EQ(CompareDividerRows(a, b, 8), -1);
  EXPECT_EQ(CompareDividerRows(b, a, 8), 1);
  EXPECT_EQ(CompareDividerRows(a, a, 8), 0);
  EXPECT_EQ(CompareDividerRows(a, b, 9), 0);
  EXPECT_EQ(CompareDividerRows(a, b, -1), 0);
}

TEST(CompareDividerRowsTest, RankIsUnsignedAndNaNComparesEqual) {
  DividerRowData a;
  DividerRowData b;
  a.rankIndex = -1;
  b.rankIndex = 5;
  EXPECT_EQ(CompareDividerRows(a, b, 0), 1);
  a.error = std::nan("");
  EXPECT_EQ(CompareDividerRows(a, b, 8), 0);
  EXPECT_EQ(CompareDividerRows(b, a, 8), 0);
}

}  // namespace
}  // namespace ordavin
