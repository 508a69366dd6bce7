#include <gtest/gtest.h>

#include <cmath>

#include "support/ValueFixtures.h"
#include "texts/TargetRowTexts.h"

namespace ordavin {
namespace {

using ::ordavin::testing::SetValues;

TEST(TargetRowTextsTest, WorkedExampleRow) {
  ValueSet set;
  SetValues(set, {100, 220, 470});
  TargetMatch m;
  m.indices = {1, 2, 2, 0};
  m.isParallel = true;
  m.total = 149.85507246376812;
  m.error = -0.0009661835748791722;
  const TargetRowTexts texts = MakeTargetRowTexts(0, m, 2, set);
  EXPECT_EQ(texts[0], "1 ");
  EXPECT_EQ(texts[1], "220.00 \u2126||470.00 \u2126");
  EXPECT_EQ(texts[2], "149.855 \u2126");
  EXPECT_EQ(texts[3], "-0.097 %");
}

TEST(TargetRowTextsTest, SeriesOfFiveAndRankTen) {
  ValueSet set;
  SetValues(set, {1000, 2200});
  TargetMatch m;
  m.indices = {0, 0, 1, 1, 1, 1, 0};
  m.isParallel = false;
  m.total = 8600;
  m.error = 0;
  const TargetRowTexts texts = MakeTargetRowTexts(9, m, 5, set);
  EXPECT_EQ(texts[0], "10");
  EXPECT_EQ(texts[1], "1.00 k\u2126+1.00 k\u2126+2.20 k\u2126+2.20 k\u2126+2.20 k\u2126");
  EXPECT_EQ(texts[2], "8.600 k\u2126");
  EXPECT_EQ(texts[3], "Zero");
}

TEST(TargetRowTextsTest, ColumnsAndWidths) {
  const char* headers[] = {"Rank", "Resistors", "R total", "Error"};
  const int widths[] = {40, 300, 75, 90};
  for (std::size_t c = 0; c < kTargetColumns.size(); ++c) {
    EXPECT_STREQ(kTargetColumns[c].header, headers[c]);
    EXPECT_EQ(kTargetColumns[c].width, widths[c]);
  }
}

TEST(CompareTargetRowsTest, RankOrTotalAscending) {
  const TargetRowData a{0, true, 160, 0.1};
  const TargetRowData b{1, false, 140, -0.1};
  EXPECT_EQ(CompareTargetRows(a, b, 0), -1);
  EXPECT_EQ(CompareTargetRows(b, a, 0), 1);
  for (int column : {1, 2, 3}) {
    EXPECT_EQ(CompareTargetRows(a, b, column), 1);
    EXPECT_EQ(CompareTargetRows(b, a, column), -1);
  }
  EXPECT_EQ(CompareTargetRows(a, b, 4), 0);
  EXPECT_EQ(CompareTargetRows(a, a, 2), 0);
  const TargetRowData undefined{2, true, std::nan(""), 0};
  EXPECT_EQ(CompareTargetRows(a, undefined, 1), 0);
}

}  // namespace
}  // namespace ordavin
