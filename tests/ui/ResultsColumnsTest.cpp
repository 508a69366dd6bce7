#include <gtest/gtest.h>

#include <cstddef>
#include <iterator>

#include "ui/ResultsColumns.h"

namespace ordavin::ui {
namespace {

TEST(ResultsColumnsTest, DividerWidths) {
  const int widths[] = {40, 120, 120, 75, 75, 75, 75, 80, 90};
  ASSERT_EQ(kDividerColumnWidths.size(), std::size(widths));
  for (std::size_t c = 0; c < kDividerColumnWidths.size(); ++c) {
    EXPECT_EQ(kDividerColumnWidths[c], widths[c]) << kDividerColumns[c].header;
  }
}

TEST(ResultsColumnsTest, TargetWidths) {
  const int widths[] = {40, 300, 75, 90};
  ASSERT_EQ(kTargetColumnWidths.size(), std::size(widths));
  for (std::size_t c = 0; c < kTargetColumnWidths.size(); ++c) {
    EXPECT_EQ(kTargetColumnWidths[c], widths[c]) << kTargetColumns[c].header;
  }
}

}  // namespace
}  // namespace ordavin::ui
