#include <gtest/gtest.h>

#include "cli/TextTable.h"

namespace ordavin::cli {
namespace {

TEST(TextTableTest, DisplayWidthCountsCodePoints) {
  EXPECT_EQ(DisplayWidth(""), 0u);
  EXPECT_EQ(DisplayWidth("Rank"), 4u);
  EXPECT_EQ(DisplayWidth("4.70 k\u2126"), 7u);         // Ω takes three bytes
  EXPECT_EQ(DisplayWidth("220.00 \u00B5\u2126"), 9u);  // µ two, Ω three
}

TEST(TextTableTest, ColumnsAlignByCodePointsWithTwoSpacesBetween) {
  const std::string table = FormatTable(
      {"Rank", "Ru", "Error"},
      {{"1 ", "10.00 k\u2126||10.00 k\u2126", "+0.063 %"}, {"10", "1.00 \u2126", "Zero"}});
  EXPECT_EQ(table,
            "Rank  Ru                  Error\n"
            "1     10.00 k\u2126||10.00 k\u2126  +0.063 %\n"
            "10    1.00 \u2126              Zero\n");
}

TEST(TextTableTest, NoBlanksAtLineEnds) {
  // A short last cell, and a row whose trailing cells are empty.
  const std::string table = FormatTable({"A", "Longer"}, {{"wide cell", ""}, {"x", "y"}});
  EXPECT_EQ(table, "A          Longer\nwide cell\nx          y\n");
}

TEST(TextTableTest, HeadersAloneWhenThereAreNoRows) {
  EXPECT_EQ(FormatTable({"Rank", "Resistors", "R total", "Error"}, {}),
            "Rank  Resistors  R total  Error\n");
}

TEST(TextTableTest, MissingCellsAreEmptyAndExtraCellsIgnored) {
  EXPECT_EQ(FormatTable({"A", "B", "C"}, {{"1"}, {"1", "2", "3", "4"}}), "A  B  C\n1\n1  2  3\n");
}

}  // namespace
}  // namespace ordavin::cli
