#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

#include "values/NumberText.h"

namespace ordavin {
namespace {

struct PrefixCase {
  const char* text;
  bool found;
  double value;
  std::size_t length;
};

class NumberPrefixTest : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(NumberPrefixTest, ReadsLongestNumberPrefix) {
  const PrefixCase& c = GetParam();
  const NumberPrefix prefix = ReadNumberPrefix(c.text);
  EXPECT_EQ(prefix.found(), c.found) << c.text;
  EXPECT_EQ(prefix.length, c.length) << c.text;
  if (c.found) {
    EXPECT_EQ(prefix.value, c.value) << c.text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, NumberPrefixTest,
    ::testing::Values(PrefixCase{"4k7", true, 4, 1}, PrefixCase{"1.5k", true, 1.5, 3},
                      PrefixCase{"4,7", true, 4, 1}, PrefixCase{"1e3", true, 1000, 3},
                      PrefixCase{"7e", true, 7, 1}, PrefixCase{"1e+", true, 1, 1},
                      PrefixCase{"1e-", true, 1, 1}, PrefixCase{"2.5E-1x", true, 0.25, 6},
                      PrefixCase{"  \t-3.25", true, -3.25, 8}, PrefixCase{"+.5", true, 0.5, 3},
                      PrefixCase{"5.", true, 5, 2}, PrefixCase{"1.e2", true, 100, 4},
                      PrefixCase{"0x10", true, 0, 1}, PrefixCase{"inf", false, 0, 0},
                      PrefixCase{"nan", false, 0, 0}, PrefixCase{"-inf", false, 0, 0},
                      PrefixCase{".", false, 0, 0}, PrefixCase{"-", false, 0, 0},
                      PrefixCase{"", false, 0, 0}, PrefixCase{"   ", false, 0, 0},
                      PrefixCase{"e5", false, 0, 0}, PrefixCase{";2.2", false, 0, 0},
                      PrefixCase{"baseval", false, 0, 0}, PrefixCase{"0.1", true, 0.1, 3},
                      PrefixCase{"2.2\t3.3", true, 2.2, 3}));

TEST(NumberTextTest, OutOfRangeMagnitudesSaturate) {
  EXPECT_EQ(ReadNumberPrefix("1e999").value, HUGE_VAL);
  EXPECT_EQ(ReadNumberPrefix("-1e999").value, -HUGE_VAL);
  EXPECT_EQ(ReadNumberPrefix("123456789e99999999999999999999").value, HUGE_VAL);
  const double tiny = ReadNumberPrefix("1e-999").value;
  EXPECT_EQ(tiny, 0.0);
  EXPECT_FALSE(std::signbit(tiny));
  EXPECT_TRUE(std::signbit(ReadNumberPrefix("-1e-999").value));
  EXPECT_EQ(ReadNumberPrefix("0.000001e-400").value, 0.0);
  EXPECT_EQ(ReadNumberPrefix("0e999999").value, 0.0);
  EXPECT_EQ(ReadNumberPrefix("4.9e-324").value, std::numeric_limits<double>::denorm_min());
}

TEST(NumberTextTest, IsCorrectlyRoundedAndIgnoresTheLocale) {
  // Halfway between two doubles, decided by the last digit only.
  EXPECT_EQ(ReadNumberPrefix("9007199254740993").value, 9007199254740992.0);
  EXPECT_EQ(ReadNumberPrefix("9007199254740993.0000000001").value, 9007199254740994.0);
  const char* previous = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  EXPECT_EQ(ReadNumberPrefix("1.25").value, 1.25);
  EXPECT_EQ(FormatFixed(1.25, 2), "1.25");
  if (previous != nullptr) std::setlocale(LC_NUMERIC, "C");
}

TEST(NumberTextTest, WholeNumberAllowsOnlySurroundingWhiteSpace) {
  EXPECT_EQ(ReadWholeNumber(" 0.05 "), 0.05);
  EXPECT_EQ(ReadWholeNumber("1e31"), 1e31);
  EXPECT_EQ(ReadWholeNumber("-0"), 0.0);
  EXPECT_FALSE(ReadWholeNumber("4k7"));
  EXPECT_FALSE(ReadWholeNumber("1,5"));
  EXPECT_FALSE(ReadWholeNumber(""));
  EXPECT_FALSE(ReadWholeNumber("inf"));
  EXPECT_FALSE(ReadWholeNumber("nan"));
  EXPECT_FALSE(ReadWholeNumber("1e"));
  EXPECT_FALSE(ReadWholeNumber(std::string_view("1\0", 2)));
}

TEST(NumberTextTest, WholeUnsignedRejectsSignsFractionsAndOverflow) {
  EXPECT_EQ(ReadWholeUnsigned("10"), 10u);
  EXPECT_EQ(ReadWholeUnsigned(" +7 "), 7u);
  EXPECT_EQ(ReadWholeUnsigned("18446744073709551615"), UINT64_MAX);
  EXPECT_FALSE(ReadWholeUnsigned("18446744073709551616"));
  EXPECT_FALSE(ReadWholeUnsigned("-1"));
  EXPECT_FALSE(ReadWholeUnsigned("1.0"));
  EXPECT_FALSE(ReadWholeUnsigned("1e3"));
  EXPECT_FALSE(ReadWholeUnsigned(""));
}

TEST(NumberTextTest, FormatsLikePrintfWithoutLocale) {
  EXPECT_EQ(FormatFixed(0.39024390243902439, 8), "0.39024390");
  EXPECT_EQ(FormatFixed(1951.2195121951218, 3), "1951.220");
  EXPECT_EQ(FormatFixed(-0.0000001, 1), "-0.0");
  EXPECT_EQ(FormatFixed(HUGE_VAL, 2), "inf");
  EXPECT_EQ(FormatFixed(1e300, 2).size(), 304u);
  EXPECT_EQ(FormatShortest(220.00000000000003), "220.00000000000003");
  EXPECT_EQ(FormatShortest(5000), "5000");
  EXPECT_EQ(FormatShortest(0.1), "0.1");
  EXPECT_EQ(FormatGeneral(1234.5, 15), "1234.5");
  EXPECT_EQ(FormatGeneral(0.005, 15), "0.005");
  EXPECT_EQ(FormatGeneral(100000, 15), "100000");
  EXPECT_EQ(FormatGeneral(1e31, 15), "1e+31");
  EXPECT_EQ(FormatGeneral(1.25 / 3.3, 15), "0.378787878787879");
  EXPECT_EQ(FormatGeneral(0.0001, 15), "0.0001");
  EXPECT_EQ(FormatGeneral(0.00001, 15), "1e-05");
  EXPECT_EQ(FormatRank(1), "1 ");
  EXPECT_EQ(FormatRank(10), "10");
  EXPECT_EQ(FormatRank(1000), "1000");
}

}  // namespace
}  // namespace ordavin
