#include <gtest/gtest.h>

#include <cmath>

#include "texts/EngineeringNotation.h"

namespace ordavin {
namespace {

struct NotationCase {
  double ohms;
  int decimals;
  const char* text;
};

class FormatResistanceTest : public ::testing::TestWithParam<NotationCase> {};

TEST_P(FormatResistanceTest, WritesEngineeringNotation) {
  const NotationCase& c = GetParam();
  EXPECT_EQ(FormatResistance(c.ohms, c.decimals), c.text) << c.ohms;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatResistanceTest,
    ::testing::Values(
        NotationCase{4.7, 2, "4.70 \u2126"}, NotationCase{470, 2, "470.00 \u2126"},
        NotationCase{1000, 2, "1.00 k\u2126"}, NotationCase{4700, 2, "4.70 k\u2126"},
        NotationCase{4700, 3, "4.700 k\u2126"}, NotationCase{2200000, 2, "2.20 M\u2126"},
        NotationCase{3.3e9, 2, "3.30 G\u2126"}, NotationCase{1e12, 2, "1000.00 G\u2126"},
        NotationCase{0.22, 2, "220.00 m\u2126"}, NotationCase{0.001, 2, "1.00 m\u2126"},
        NotationCase{0.0009999, 2, "999.90 \u00B5\u2126"},
        NotationCase{1.5e-5, 2, "15.00 \u00B5\u2126"}, NotationCase{2.2e-7, 2, "220.00 n\u2126"},
        NotationCase{999.999, 2, "1000.00 \u2126"}, NotationCase{999.999, 3, "999.999 \u2126"},
        NotationCase{0, 2, "0.00 n\u2126"}, NotationCase{1, 2, "1.00 \u2126"},
        NotationCase{1e-6, 2, "1.00 \u00B5\u2126"}, NotationCase{1e9, 2, "1.00 G\u2126"},
        NotationCase{1e-12, 2, "0.00 n\u2126"}, NotationCase{2.2 * 100, 2, "220.00 \u2126"},
        NotationCase{149.85507246376812, 3, "149.855 \u2126"}));

TEST(FormatResistanceEdgeTest, NegativeAndNaNGiveEmptyText) {
  EXPECT_EQ(FormatResistance(-1), "");
  EXPECT_EQ(FormatResistance(std::nan("")), "");
  EXPECT_EQ(FormatResistance(HUGE_VAL), "inf G\u2126");
}

TEST(FormatResistanceEdgeTest, UsesOhmAndMicroSignsNotGreekLetters) {
  EXPECT_EQ(FormatResistance(1), "1.00 \xE2\x84\xA6");
  EXPECT_EQ(FormatResistance(1e-5), "10.00 \xC2\xB5\xE2\x84\xA6");
}

}  // namespace
}  // namespace ordavin
