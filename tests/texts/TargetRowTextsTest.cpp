#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <utility>

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
  EXPECT_EQ(texts[TargetColumn::Rank], "1 ");
  EXPECT_EQ(texts[TargetColumn::Resistors], "220.00 \u2126||470.00 \u2126");
  EXPECT_EQ(texts[TargetColumn::RTotal], "149.855 \u2126");
  EXPECT_EQ(texts[TargetColumn::Error], "-0.097 %");
}

TEST(TargetRowTextsTest, MixedNetworksPutEveryPartOfTwoOrMoreInParentheses) {
  ValueSet set;
  SetValues(set, {220, 470, 1000, 1500, 4700, 10000});
  TargetMatch m;
  m.network = {-4, 2, -5, 0, 1};  // 1 k + (220 || 470)
  EXPECT_EQ(MakeTargetRowTexts(0, m, 3, set)[TargetColumn::Resistors],
            "1.00 k\u2126+(220.00 \u2126||470.00 \u2126)");
  m.network = {-5, -4, 4, 3, 5};  // (4.7 k + 1.5 k) || 10 k
  EXPECT_EQ(MakeTargetRowTexts(0, m, 3, set)[TargetColumn::Resistors],
            "(4.70 k\u2126+1.50 k\u2126)||10.00 k\u2126");
  // Nested two deep, and a flat code without any.
  m.network = {-5, 5, -4, 2, -5, 0, 1};
  EXPECT_EQ(NetworkText(m.network, set),
            "10.00 k\u2126||(1.00 k\u2126+(220.00 \u2126||470.00 \u2126))");
  EXPECT_EQ(NetworkText(NetworkCode{-6, 0, 1, 2}, set), "220.00 \u2126+470.00 \u2126+1.00 k\u2126");
  EXPECT_EQ(NetworkText(NetworkCode{3}, set), "1.50 k\u2126");
  // A malformed code writes nothing rather than reading past its end.
  EXPECT_EQ(NetworkText(NetworkCode{-6, 0, 1}, set), "");
  EXPECT_EQ(NetworkText(NetworkCode{}, set), "");
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
  EXPECT_EQ(texts[TargetColumn::Rank], "10");
  EXPECT_EQ(texts[TargetColumn::Resistors],
            "1.00 k\u2126+1.00 k\u2126+2.20 k\u2126+2.20 k\u2126+2.20 k\u2126");
  EXPECT_EQ(texts[TargetColumn::RTotal], "8.600 k\u2126");
  EXPECT_EQ(texts[TargetColumn::Error], "Zero");
}

TEST(TargetRowTextsTest, ColumnTitlesInTheirPositions) {
  const std::pair<TargetColumn::Position, const char*> columns[] = {
      {TargetColumn::Rank, "Rank"},
      {TargetColumn::Resistors, "Resistors"},
      {TargetColumn::RTotal, "R total"},
      {TargetColumn::Error, "Error"},
  };
  ASSERT_EQ(kTargetColumns.size(), std::size(columns));
  for (std::size_t c = 0; c < kTargetColumns.size(); ++c) {
    EXPECT_EQ(static_cast<std::size_t>(columns[c].first), c);
    EXPECT_STREQ(kTargetColumns[c].header, columns[c].second);
  }
}

TEST(CompareTargetRowsTest, RankOrTotalAscending) {
  const TargetRowData a{0, true, 160, 0.1};
  const TargetRowData b{1, false, 140, -0.1};
  EXPECT_EQ(CompareTargetRows(a, b, TargetColumn::Rank), -1);
  EXPECT_EQ(CompareTargetRows(b, a, TargetColumn::Rank), 1);
  for (int column : {TargetColumn::Resistors, TargetColumn::RTotal, TargetColumn::Error}) {
    EXPECT_EQ(CompareTargetRows(a, b, column), 1);
    EXPECT_EQ(CompareTargetRows(b, a, column), -1);
  }
  EXPECT_EQ(CompareTargetRows(a, b, 4), 0);
  EXPECT_EQ(CompareTargetRows(a, a, TargetColumn::RTotal), 0);
  const TargetRowData undefined{2, true, std::nan(""), 0};
  EXPECT_EQ(CompareTargetRows(a, undefined, TargetColumn::Resistors), 0);
}

}  // namespace
}  // namespace ordavin
