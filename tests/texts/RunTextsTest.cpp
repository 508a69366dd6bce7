#include <gtest/gtest.h>

#include <cstdint>

#include "texts/RunTexts.h"

namespace ordavin {
namespace {

TEST(RunTextsTest, ProgressAndCompletion) {
  EXPECT_EQ(FormatProgress(0), "Optimizing, 0 combinations checked");
  EXPECT_EQ(FormatProgress(UINT64_MAX), "Optimizing, 18446744073709551615 combinations checked");
  EXPECT_EQ(FormatCompletion(false), "Optimization finished");
  EXPECT_EQ(FormatCompletion(true), "Optimization aborted by user");
}

TEST(RunTextsTest, SummaryShowsTheFullSixtyFourBitMatchingCount) {
  EXPECT_EQ(FormatSummary(12, 1, 0.0004),
            "Total possible combinations = 12\nMatching = 1\nOptimization took 0.000 seconds.");
  EXPECT_EQ(FormatSummary(19545608900625ull, 4294967296ull, 1234.5678),
            "Total possible combinations = 19545608900625\nMatching = 4294967296\n"
            "Optimization took 1234.568 seconds.");
}

TEST(RunTextsTest, ValuesLoaded) {
  EXPECT_EQ(FormatValuesLoaded(30), "30 resistor values loaded.");
  EXPECT_EQ(FormatValuesLoaded(0), "0 resistor values loaded.");
}

}  // namespace
}  // namespace ordavin
