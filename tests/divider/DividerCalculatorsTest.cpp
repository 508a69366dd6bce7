#include <gtest/gtest.h>

#include "divider/DividerCalculators.h"
#include "divider/DivisionFactor.h"

namespace ordavin {
namespace {

struct AttenuationCase {
  double db;
  const char* text;
};

class AttenuatorTest : public ::testing::TestWithParam<AttenuationCase> {};

TEST_P(AttenuatorTest, WritesEightDecimals) {
  EXPECT_EQ(FormatFactorText(AttenuatorFactor(GetParam().db)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Decibels, AttenuatorTest,
    ::testing::Values(AttenuationCase{12, "0.25118864"}, AttenuationCase{0, "1.00000000"},
                      AttenuationCase{6, "0.50118723"}, AttenuationCase{20, "0.10000000"},
                      AttenuationCase{166, "0.00000001"}, AttenuationCase{167, "0.00000000"},
                      AttenuationCase{300, "0.00000000"}));

TEST(RegulatorTest, FeedbackDividerOfTheExamples) {
  EXPECT_EQ(FormatFactorText(*RegulatorFactor(3.3, 1.25, 0)), "0.37878788");
  EXPECT_EQ(FormatFactorText(*RegulatorFactor(-5, -1.25, 0)), "0.25000000");
  EXPECT_EQ(FormatFactorText(*RegulatorFactor(3.3, 0, 0)), "0.00000000");
  EXPECT_EQ(FormatFactorText(*RegulatorFactor(3.3, 5, 0)), "1.51515152");
  EXPECT_EQ(FormatFactorText(*RegulatorFactor(5, 2.5, 1)), "0.37500000");
}

TEST(RegulatorTest, OppositeSidesOfGroundAreRefused) {
  EXPECT_FALSE(RegulatorFactor(3.3, -1.25, 0));
  EXPECT_FALSE(RegulatorFactor(-3.3, 1.25, 0));
  EXPECT_STREQ(kInvalidVoltagesMessage,
               "Invalid voltages detected.\nCheck that |Ugnd| < |Uref| < |Uout|");
}

TEST(RegulatorTest, OutputAtGroundGivesNoUsableFactor) {
  // Uout = Ugnd, and differences beyond the doubles: no factor at all.
  EXPECT_FALSE(RegulatorFactor(1, 1, 1));
  EXPECT_FALSE(RegulatorFactor(0, 0, 0));
  EXPECT_FALSE(RegulatorFactor(3.3, 1.25, 3.3));
  EXPECT_FALSE(RegulatorFactor(1, 2, 1));
  EXPECT_FALSE(RegulatorFactor(1.7e308, 1e308, -1.7e308));
  // An attenuation of 0 dB writes 1.00000000, which is no usable factor either.
  EXPECT_EQ(ParseDivisionFactor(FormatFactorText(AttenuatorFactor(0))), 0.0);
}

}  // namespace
}  // namespace ordavin
